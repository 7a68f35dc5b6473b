// "Export MIDI for Other Programs...": a real song with four voices and drums,
// written, then read back with the program's own reader and checked byte-wise.
#include "midifile/PortableExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/FileIo.h"
#include "midifile/MidiReader.h"
#include "midifile/TrackAssignment.h"
#include "midifile/TrackWriter.h"
#include "model/Score.h"
#include "support/FakeUi.h"
#include "support/TestData.h"
#include "SmfBuilder.h"

namespace quorvel::test {
namespace {

// What one track chunk says: its name, the channels of its notes and its program changes.
struct TrackFacts {
  std::string name;
  std::set<int> noteChannels;
  std::map<int, int> programs;  // channel -> program
  int noteOns = 0;
};

std::uint32_t readVlq(const Raw& b, std::size_t& at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4 && at < b.size(); ++i) {
    const std::uint8_t c = b[at++];
    v = (v << 7) | (c & 0x7F);
    if ((c & 0x80) == 0) break;
  }
  return v;
}

// The writer never uses running status, so each event starts with its status byte.
TrackFacts scanTrack(const Raw& b) {
  TrackFacts facts;
  for (std::size_t at = 0; at < b.size();) {
    readVlq(b, at);
    const std::uint8_t status = b[at++];
    if (status == 0xFF) {
      const std::uint8_t type = b[at++];
      const std::uint32_t length = readVlq(b, at);
      if (type == 0x03) facts.name.assign(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + length));
      at += length;
    } else if ((status & 0xF0) == 0xC0) {
      facts.programs[status & 0x0F] = b[at++];
    } else {
      EXPECT_TRUE((status & 0xE0) == 0x80) << "unexpected status " << int(status);
      if ((status & 0xF0) == 0x90 && b[at + 1] > 1) ++facts.noteOns;
      facts.noteChannels.insert(status & 0x0F);
      at += 2;
    }
  }
  return facts;
}

std::vector<TrackFacts> scanFile(const Bytes& b) {
  std::vector<TrackFacts> tracks;
  for (const Raw& body : trackBodies(b)) tracks.push_back(scanTrack(body));
  return tracks;
}

// The first openmsx song whose tracks fill all four voices and the drums.
bool loadFourVoiceSong(Score& s, FakeUi& ui) {
  for (const std::string& path : openmsxSongs()) {
    const auto bytes = readWholeFile(path);
    ImportResult imported;
    if (!bytes || readMidiBytes(s, ui, *bytes, ReadOptions{}, imported) != 0) continue;
    TrackAssignment model = makeTrackAssignment(imported, 0);
    if (!imported.anyDrums || model.voiceRows[3].setIndex < 0) continue;
    model.drumsOn = true;
    applyTrackAssignment(s, ui, model, imported, path);
    bool full = !s.noteSets[kDrumsView].empty();
    for (int part = kBassSet; part <= kSopranoSet; ++part) full = full && !s.noteSets[static_cast<std::size_t>(part)].empty();
    if (full) return true;
  }
  return false;
}

constexpr std::array<int, 4> kVoiceSets{kSopranoSet, kAltoSet, kTenorSet, kBassSet};  // in track order

// One song for both checks: finding it reads many files.
TEST(PortableExport, EachVoiceHasItsChannelProgramAndNameAt480TicksAQuarterAndReadsBackTheSame) {
  Score song;
  FakeUi ui;
  ASSERT_TRUE(loadFourVoiceSong(song, ui)) << "no openmsx song with four voices and drums";
  song.settings.parts.instruments = {73, 71, 42, 70};  // flute, clarinet, cello, bassoon
  const Bytes file = writePortableMidi(song);
  ASSERT_EQ(readBe16(file, 8), 1);
  ASSERT_EQ(readBe16(file, 10), 6) << "conductor, four voices, drums";
  EXPECT_EQ(readBe16(file, 12), kPortableDivision);

  const std::vector<TrackFacts> tracks = scanFile(file);
  ASSERT_EQ(tracks.size(), 6u);
  const std::array<std::string, 4> names{"Soprano", "Alto", "Tenor", "Bass"};
  for (int v = 0; v < 4; ++v) {
    SCOPED_TRACE(names[static_cast<std::size_t>(v)]);
    const TrackFacts& t = tracks[static_cast<std::size_t>(v + 1)];
    EXPECT_EQ(t.name, names[static_cast<std::size_t>(v)]);
    EXPECT_EQ(t.noteChannels, std::set<int>{v});
    EXPECT_EQ(t.programs, (std::map<int, int>{{v, song.settings.parts.instruments[static_cast<std::size_t>(v)]}}));
    const NoteSet& notes = song.noteSets[static_cast<std::size_t>(kVoiceSets[static_cast<std::size_t>(v)])];
    EXPECT_EQ(t.noteOns, static_cast<int>(std::set<NoteCode>(notes.begin(), notes.end()).size()));
  }
  EXPECT_EQ(tracks[5].name, "Drums");
  EXPECT_EQ(tracks[5].noteChannels, std::set<int>{9});

  Score back;
  ImportResult imported;
  ASSERT_EQ(readMidiBytes(back, ui, file, ReadOptions{}, imported), 0);
  ASSERT_EQ(imported.tracks.size(), 5u);
  for (std::size_t v = 0; v < 4; ++v) {
    const ImportedTrack& t = imported.tracks[v];
    EXPECT_TRUE(t.melody && !t.drums);
    // The reader files every note under one part: compare starts and keys,
    // and the lengths of notes that are not struck again while they sound.
    std::set<std::pair<int, int>> wantOnsets, gotOnsets;
    std::map<std::pair<int, int>, int> gotLength;
    for (NoteCode c : back.noteSets[static_cast<std::size_t>(t.setIndex)]) {
      gotOnsets.insert({noteStart(c), melodyKey(c)});
      gotLength[{noteStart(c), melodyKey(c)}] = melodyLength(c);
    }
    const NoteSet& notes = song.noteSets[static_cast<std::size_t>(kVoiceSets[v])];
    int compared = 0;
    for (NoteCode c : notes) {
      wantOnsets.insert({noteStart(c), melodyKey(c)});
      const auto next = std::find_if(notes.upper_bound(c), notes.end(), [&](NoteCode n) {
        return melodyKey(n) == melodyKey(c) && noteStart(n) > noteStart(c);
      });
      if (next != notes.end() && noteStart(*next) < noteStart(c) + melodyLength(c)) continue;
      EXPECT_EQ(gotLength[std::make_pair(noteStart(c), melodyKey(c))], melodyLength(c));
      ++compared;
    }
    EXPECT_EQ(gotOnsets, wantOnsets) << t.name;
    EXPECT_GT(compared, static_cast<int>(notes.size()) / 2);
  }
  EXPECT_TRUE(imported.tracks[4].drumsOnly());
}

}  // namespace
}  // namespace quorvel::test
