#include "app/DrumNames.h"

#include <array>
#include <cstddef>

namespace quorvel {

namespace {

constexpr int kFirstKey = 27;
// Keys 27..87 of the General MIDI percussion map (GM2 extends it below 35 and above 81).
constexpr std::array<const char*, 61> kNames{
    "HighQ",   "Slap",    "ScrPush", "ScrPull", "Sticks",  "SqClick", "MetClick", "MetBell", "Kick 2",  "Kick",
    "Stick",   "Snare",   "Clap",    "Snare 2", "FlTom L", "HH cl",   "FlTom H",  "HH ped",  "Tom L",   "HH op",
    "Tom LM",  "Tom HM",  "Crash",   "Tom H",   "Ride",    "China",   "RideBell", "Tamb",    "Splash",  "Cowbell",
    "Crash 2", "Vibslap", "Ride 2",  "Bongo H", "Bongo L", "Conga mH", "Conga H", "Conga L", "Timbl H", "Timbl L",
    "Agogo H", "Agogo L", "Cabasa",  "Maracas", "Whis sh", "Whis lg", "Guiro sh", "Guiro lg", "Claves", "Wood H",
    "Wood L",  "Cuica m", "Cuica o", "Tri m",   "Tri o",   "Shaker",  "JingleB",  "BellTree", "Castan", "Surdo m",
    "Surdo o",
};

}  // namespace

const char* drumShortName(int key) {
  const int index = key - kFirstKey;
  if (index < 0 || index >= static_cast<int>(kNames.size())) return "";
  return kNames[static_cast<std::size_t>(index)];
}

}  // namespace quorvel
