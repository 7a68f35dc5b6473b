#include "notation/DrumDisplay.h"

#include <array>

namespace quorvel::notation {

namespace {

enum Step : int { C, D, E, F, G, A, B };

struct Entry {
  int key;
  DrumDisplay display;
};

// Feet below the staff's middle, drums in it, cymbals above it.
constexpr std::array<Entry, 25> kKit{{
    {35, {E, 4, nullptr, "Acoustic Bass Drum"}}, {36, {F, 4, nullptr, "Bass Drum"}},
    {37, {C, 5, "x", "Side Stick"}},             {38, {C, 5, nullptr, "Acoustic Snare"}},
    {39, {B, 4, "x", "Hand Clap"}},              {40, {C, 5, nullptr, "Electric Snare"}},
    {41, {G, 4, nullptr, "Low Floor Tom"}},      {42, {G, 5, "x", "Closed Hi-Hat"}},
    {43, {A, 4, nullptr, "High Floor Tom"}},     {44, {D, 4, "x", "Pedal Hi-Hat"}},
    {45, {B, 4, nullptr, "Low Tom"}},            {46, {G, 5, "circle-x", "Open Hi-Hat"}},
    {47, {D, 5, nullptr, "Low-Mid Tom"}},        {48, {E, 5, nullptr, "Hi-Mid Tom"}},
    {49, {A, 5, "x", "Crash Cymbal 1"}},         {50, {F, 5, nullptr, "High Tom"}},
    {51, {F, 5, "x", "Ride Cymbal 1"}},          {52, {B, 5, "x", "Chinese Cymbal"}},
    {53, {F, 5, "diamond", "Ride Bell"}},        {54, {E, 5, "x", "Tambourine"}},
    {55, {B, 5, "x", "Splash Cymbal"}},          {56, {E, 5, "triangle", "Cowbell"}},
    {57, {B, 5, "x", "Crash Cymbal 2"}},         {58, {D, 5, "x", "Vibraslap"}},
    {59, {D, 5, "x", "Ride Cymbal 2"}},
}};

}  // namespace

DrumDisplay drumDisplayOf(int key) {
  for (const Entry& e : kKit)
    if (e.key == key) return e.display;
  return {C, 5, "x", "Percussion"};
}

}  // namespace quorvel::notation
