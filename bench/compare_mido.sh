#!/usr/bin/env bash
# Times Quorvel's reader against python3-mido on the same 31 songs in one run
# and prints both throughputs and their ratio.
# Usage: bench/compare_mido.sh BUILD_DIR   (the build must include bench/)
set -euo pipefail
build=${1:?usage: compare_mido.sh BUILD_DIR}
songs=/usr/share/games/openttd/baseset/openmsx

ours=$("$build/bench/bench_midi_read" --benchmark_filter=TrackByTrack --benchmark_format=json \
        --benchmark_min_time=2 2>/dev/null |
      /usr/bin/python3 -c 'import json,sys; b=json.load(sys.stdin)["benchmarks"][0]; print(b["bytes_per_second"], b["files/s"])')

peer=$(/usr/bin/python3 - "$songs" <<'PY'
import glob, os, sys, time
import mido
files = sorted(glob.glob(os.path.join(sys.argv[1], "*.mid")))
total = sum(os.path.getsize(f) for f in files)
# CPU time of this process, as the benchmark reports its rates in CPU time.
rounds, notes, start = 0, 0, time.process_time()
while True:
    for f in files:
        for track in mido.MidiFile(f).tracks:
            notes += sum(1 for m in track if m.type in ("note_on", "note_off"))
    rounds += 1
    elapsed = time.process_time() - start
    if elapsed >= 5:
        break
print(total * rounds / elapsed, len(files) * rounds / elapsed)
PY
)

read -r ours_bps ours_fps <<<"$ours"
read -r peer_bps peer_fps <<<"$peer"
/usr/bin/python3 - "$ours_bps" "$ours_fps" "$peer_bps" "$peer_fps" <<'PY'
import sys
ob, of, pb, pf = map(float, sys.argv[1:])
print(f"quorvel reader: {ob / 1e6:8.2f} MB/s {of:10.1f} files/s")
print(f"mido          : {pb / 1e6:8.2f} MB/s {pf:10.1f} files/s")
print(f"ratio         : {ob / pb:8.1f} x")
PY
