// The exact MusicXML written for the hard cases of notation: ties over the
// barline, dotted values, the sixteenth grid, accidentals against the key,
// empty measures, overlapping notes in one part, two staves and drums.
#include <gtest/gtest.h>

#include "NotationXml.h"

namespace quorvel {
namespace {

using test::SongNote;

std::string quarterRest() { return "<note>\n<rest/>\n<duration>4</duration>\n<voice>1</voice>\n<type>quarter</type>\n</note>"; }
std::string halfRest() { return "<note>\n<rest/>\n<duration>8</duration>\n<voice>1</voice>\n<type>half</type>\n</note>"; }

TEST(MusicXml, NoteHeldOverTheBarlineIsTiedAcrossIt) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 12, 72, 8}});
  const std::string xml = test::exportXml(s);
  EXPECT_EQ(test::measureBody(xml, 1, 1),
            "<note>\n<rest/>\n<duration>12</duration>\n<voice>1</voice>\n<type>half</type>\n<dot/>\n</note>\n"
            "<note>\n<pitch>\n<step>C</step>\n<octave>5</octave>\n</pitch>\n<duration>4</duration>\n"
            "<tie type=\"start\"/>\n<voice>1</voice>\n<type>quarter</type>\n"
            "<notations>\n<tied type=\"start\"/>\n</notations>\n</note>");
  EXPECT_EQ(test::measureBody(xml, 1, 2),
            "<note>\n<pitch>\n<step>C</step>\n<octave>5</octave>\n</pitch>\n<duration>4</duration>\n"
            "<tie type=\"stop\"/>\n<voice>1</voice>\n<type>quarter</type>\n"
            "<notations>\n<tied type=\"stop\"/>\n</notations>\n</note>\n" +
                quarterRest() + "\n" + halfRest());
}

TEST(MusicXml, DottedQuarterThenRestsOnTheBeats) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 0, 67, 6}});
  EXPECT_EQ(test::measureBody(test::exportXml(s), 1, 1),
            "<note>\n<pitch>\n<step>G</step>\n<octave>4</octave>\n</pitch>\n<duration>6</duration>\n"
            "<voice>1</voice>\n<type>quarter</type>\n<dot/>\n</note>\n"
            "<note>\n<rest/>\n<duration>2</duration>\n<voice>1</voice>\n<type>eighth</type>\n</note>\n" +
                halfRest());
}

std::string sixteenth(const char* step, const char* tie) {
  std::string ties, notations;
  if (tie) {
    ties = std::string("<tie type=\"") + tie + "\"/>\n";
    notations = std::string("<notations>\n<tied type=\"") + tie + "\"/>\n</notations>\n";
  }
  return std::string("<note>\n<pitch>\n<step>") + step + "</step>\n<octave>5</octave>\n</pitch>\n<duration>1</duration>\n" +
         ties + "<voice>1</voice>\n<type>16th</type>\n" + notations + "</note>\n";
}

TEST(MusicXml, SixteenthGridTiesAcrossTheBeat) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 1, 72, 1}, {kSopranoSet, 2, 74, 1}, {kSopranoSet, 3, 76, 2}, {kSopranoSet, 5, 77, 3}});
  EXPECT_EQ(test::measureBody(test::exportXml(s), 1, 1),
            "<note>\n<rest/>\n<duration>1</duration>\n<voice>1</voice>\n<type>16th</type>\n</note>\n" +
                sixteenth("C", nullptr) + sixteenth("D", nullptr) + sixteenth("E", "start") + sixteenth("E", "stop") +
                sixteenth("F", "start") +
                "<note>\n<pitch>\n<step>F</step>\n<octave>5</octave>\n</pitch>\n<duration>2</duration>\n"
                "<tie type=\"stop\"/>\n<voice>1</voice>\n<type>eighth</type>\n"
                "<notations>\n<tied type=\"stop\"/>\n</notations>\n</note>\n" +
                halfRest());
}

std::string quarterF(int octave, int alter, const char* accidental) {
  std::string xml = "<note>\n<pitch>\n<step>F</step>\n";
  if (alter) xml += "<alter>" + std::to_string(alter) + "</alter>\n";
  xml += "<octave>" + std::to_string(octave) + "</octave>\n</pitch>\n<duration>4</duration>\n<voice>1</voice>\n"
         "<type>quarter</type>\n";
  if (accidental) xml += std::string("<accidental>") + accidental + "</accidental>\n";
  return xml + "</note>";
}

TEST(MusicXml, AccidentalsShowOnlyAgainstTheKeyAndTheMeasure) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 0, 78, 4}, {kSopranoSet, 4, 77, 4}, {kSopranoSet, 8, 78, 4}, {kSopranoSet, 12, 65, 4}},
                 67, 0);
  const std::string xml = test::exportXml(s);
  EXPECT_NE(test::flatten(xml).find("<key>\n<fifths>1</fifths>\n<mode>major</mode>\n</key>"), std::string::npos);
  EXPECT_EQ(test::measureBody(xml, 1, 1), quarterF(5, 1, nullptr) + "\n" + quarterF(5, 0, "natural") + "\n" +
                                              quarterF(5, 1, "sharp") + "\n" + quarterF(4, 0, "natural"));
}

TEST(MusicXml, EmptyMeasuresAndPartsAreWholeMeasureRests) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 0, 72, 16}, {kSopranoSet, 32, 72, 16}});
  const std::string xml = test::exportXml(s);
  const std::string measureRest = "<note>\n<rest measure=\"yes\"/>\n<duration>16</duration>\n<voice>1</voice>\n</note>";
  EXPECT_EQ(test::measureBody(xml, 1, 2), measureRest);
  for (int part = 2; part <= 4; ++part)
    for (int measure = 1; measure <= 3; ++measure) EXPECT_EQ(test::measureBody(xml, part, measure), measureRest);
  EXPECT_EQ(test::measureBody(xml, 1, 4), "") << "the song ends with its last note's measure";
}

std::string quarterOrHalf(const char* step, int octave, int voice, int length, bool chord) {
  return std::string("<note>\n") + (chord ? "<chord/>\n" : "") + "<pitch>\n<step>" + step + "</step>\n<octave>" +
         std::to_string(octave) + "</octave>\n</pitch>\n<duration>" + std::to_string(length) + "</duration>\n<voice>" +
         std::to_string(voice) + "</voice>\n<type>" + (length == 16 ? "whole" : length == 8 ? "half" : length == 4 ? "quarter" : "eighth") +
         "</type>\n</note>";
}

TEST(MusicXml, OverlappingNotesInOnePartBecomeChordsAndASecondVoice) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 0, 72, 4},
                     {kSopranoSet, 0, 76, 4},
                     {kSopranoSet, 0, 79, 8},
                     {kSopranoSet, 4, 74, 4},
                     {kSopranoSet, 16, 72, 16},
                     {kSopranoSet, 20, 76, 4},
                     {kSopranoSet, 28, 79, 2},
                     {kSopranoSet, 28, 79, 2}});  // a note repeated exactly is written once
  const std::string xml = test::exportXml(s);
  const std::string backup = "<backup>\n<duration>16</duration>\n</backup>";
  const std::string forward = "<forward>\n<duration>4</duration>\n</forward>";
  EXPECT_EQ(test::measureBody(xml, 1, 1), quarterOrHalf("C", 5, 1, 4, false) + "\n" + quarterOrHalf("E", 5, 1, 4, true) +
                                              "\n" + quarterOrHalf("D", 5, 1, 4, false) + "\n" + halfRest() + "\n" +
                                              backup + "\n" + quarterOrHalf("G", 5, 2, 8, false));
  EXPECT_EQ(test::measureBody(xml, 1, 2), quarterOrHalf("C", 5, 1, 16, false) + "\n" + backup + "\n" + forward + "\n" +
                                              quarterOrHalf("E", 5, 2, 4, false) + "\n" + forward + "\n" +
                                              quarterOrHalf("G", 5, 2, 2, false));
}

TEST(MusicXml, TwoStavesPutSopranoWithAltoAndTenorWithBass) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 0, 72, 16},
                     {kAltoSet, 0, 64, 8},
                     {kAltoSet, 8, 65, 8},
                     {kTenorSet, 0, 60, 16},
                     {kBassSet, 0, 48, 16}});
  const std::string xml = test::exportXml(s, 2);
  const std::string backup = "<backup>\n<duration>16</duration>\n</backup>";
  EXPECT_EQ(test::measureBody(xml, 1, 1), quarterOrHalf("C", 5, 1, 16, false) + "\n" + backup + "\n" +
                                              quarterOrHalf("E", 4, 2, 8, false) + "\n" +
                                              quarterOrHalf("F", 4, 2, 8, false));
  EXPECT_EQ(test::measureBody(xml, 2, 1), quarterOrHalf("C", 4, 1, 16, false) + "\n" + backup + "\n" +
                                              quarterOrHalf("C", 3, 2, 16, false));
  EXPECT_EQ(xml.find("<part id=\"P3\">"), std::string::npos);
  const std::string flat = test::flatten(xml);
  EXPECT_NE(flat.find("<part-name>Soprano, Alto</part-name>"), std::string::npos);
  EXPECT_NE(flat.find("<part-name>Tenor, Bass</part-name>"), std::string::npos);
}

TEST(MusicXml, HeaderCarriesTitleTempoMeterAndTheVoicesClefs) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 0, 72, 4}}, 62, 1);
  s.settings.general.tempo = 96;
  const std::string flat = test::flatten(test::exportXml(s));
  EXPECT_EQ(flat.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE score-partwise", 0), 0u);
  EXPECT_NE(flat.find("<score-partwise version=\"3.1\">\n<work>\n<work-title>Test</work-title>"), std::string::npos);
  EXPECT_NE(flat.find("<key>\n<fifths>-1</fifths>\n<mode>minor</mode>\n</key>\n<time>\n<beats>4</beats>\n"
                      "<beat-type>4</beat-type>\n</time>"),
            std::string::npos);
  EXPECT_NE(flat.find("<per-minute>96</per-minute>\n</metronome>\n</direction-type>\n<sound tempo=\"96\"/>"),
            std::string::npos);
  const std::string treble = "<clef>\n<sign>G</sign>\n<line>2</line>\n</clef>";
  const std::string tenor = "<clef>\n<sign>G</sign>\n<line>2</line>\n<clef-octave-change>-1</clef-octave-change>\n</clef>";
  const std::string bass = "<clef>\n<sign>F</sign>\n<line>4</line>\n</clef>";
  std::size_t at = 0;
  for (const std::string& clef : {treble, treble, tenor, bass}) {
    at = flat.find(clef, at);
    ASSERT_NE(at, std::string::npos) << clef;
    ++at;
  }
  for (const char* name : {"Soprano", "Alto", "Tenor", "Bass"})
    EXPECT_NE(flat.find(std::string("<part-name>") + name + "</part-name>"), std::string::npos) << name;
}

TEST(MusicXml, DrumsGoToAPercussionStaffWithTheirGeneralMidiKeys) {
  Score s;
  test::fillSong(s, {{kSopranoSet, 0, 72, 16}});
  EXPECT_EQ(test::exportXml(s).find("<part id=\"P5\">"), std::string::npos) << "no drums, no drum staff";
  // By default lane 12 plays key 36 (bass drum), lane 6 key 42 (closed hi-hat), lane 11 key 38 (snare).
  addNote(s, kDrumSet3, makeDrumNote(kSongStartStep, 12, 4, 3, 100));
  addNote(s, kDrumSet3, makeDrumNote(kSongStartStep, 6, 2, 3, 100));
  addNote(s, kDrumSet3, makeDrumNote(kSongStartStep + 8, 11, 4, 3, 100));
  const std::string xml = test::exportXml(s);
  const std::string flat = test::flatten(xml);
  EXPECT_NE(flat.find("<score-instrument id=\"P5-I37\">\n<instrument-name>Bass Drum</instrument-name>"),
            std::string::npos);
  EXPECT_NE(flat.find("<midi-channel>10</midi-channel>\n<midi-program>1</midi-program>\n"
                      "<midi-unpitched>37</midi-unpitched>"),
            std::string::npos);
  EXPECT_NE(flat.find("<clef>\n<sign>percussion</sign>\n</clef>"), std::string::npos);
  // Strokes struck together are one chord, as long as the shortest of them.
  EXPECT_EQ(test::measureBody(xml, 5, 1),
            "<note>\n<unpitched>\n<display-step>F</display-step>\n<display-octave>4</display-octave>\n</unpitched>\n"
            "<duration>2</duration>\n<instrument id=\"P5-I37\"/>\n<voice>1</voice>\n<type>eighth</type>\n</note>\n"
            "<note>\n<chord/>\n<unpitched>\n<display-step>G</display-step>\n<display-octave>5</display-octave>\n"
            "</unpitched>\n<duration>2</duration>\n<instrument id=\"P5-I43\"/>\n<voice>1</voice>\n<type>eighth</type>\n"
            "<notehead>x</notehead>\n</note>\n"
            "<note>\n<rest/>\n<duration>2</duration>\n<voice>1</voice>\n<type>eighth</type>\n</note>\n" +
                quarterRest() +
                "\n<note>\n<unpitched>\n<display-step>C</display-step>\n<display-octave>5</display-octave>\n"
                "</unpitched>\n<duration>4</duration>\n<instrument id=\"P5-I39\"/>\n<voice>1</voice>\n"
                "<type>quarter</type>\n</note>\n" +
                quarterRest());
}

}  // namespace
}  // namespace quorvel
