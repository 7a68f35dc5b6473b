#!/usr/bin/env bash
# Installs what is missing, builds Quorvel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build -DQUORVEL_BUILD_BENCH=OFF
exec ./build/bin/quorvel "$@"
