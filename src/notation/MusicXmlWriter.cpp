#include "notation/MusicXmlWriter.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>
#include <algorithm>
#include <map>
#include <tuple>

#include "notation/DrumDisplay.h"
#include "notation/NoteValues.h"

namespace quorvel::notation {

namespace {

QString text(const std::string& s) { return QString::fromStdString(s); }
QString number(int n) { return QString::number(n); }

QString partId(std::size_t index) { return QStringLiteral("P%1").arg(index + 1); }
QString drumInstrumentId(std::size_t staffIndex, int key) {
  return QStringLiteral("P%1-I%2").arg(staffIndex + 1).arg(key + 1);
}

std::string drumName(int key) {
  const DrumDisplay d = drumDisplayOf(key);
  const std::string name = d.name;
  return name == "Percussion" ? name + " " + std::to_string(key) : name;
}

// The accidental shown on each key of each piece: where the alteration
// differs from what the signature or an earlier note of the measure on the
// same letter and octave set. A note continued by a tie shows none.
class Accidentals {
 public:
  Accidentals(const Staff& staff, int measure, const KeySignature& key) {
    if (staff.drums) return;
    std::vector<std::tuple<int, std::size_t, std::size_t>> order;  // position, line, piece
    for (std::size_t l = 0; l < staff.lines.size(); ++l) {
      const MeasurePieces& pieces = staff.lines[l].measures[static_cast<std::size_t>(measure)];
      for (std::size_t p = 0; p < pieces.size(); ++p) order.emplace_back(pieces[p].position, l, p);
    }
    std::stable_sort(order.begin(), order.end());
    std::map<std::pair<int, int>, int> inEffect;  // (letter, octave) -> alteration
    for (const auto& [position, l, p] : order) {
      const Piece& piece = staff.lines[l].measures[static_cast<std::size_t>(measure)][p];
      for (std::size_t k = 0; k < piece.keys.size(); ++k) {
        if (piece.tieFromBefore) continue;
        const Spelling sp = spell(piece.keys[k], key);
        const auto letter = std::make_pair(sp.step, sp.octave);
        const auto found = inEffect.find(letter);
        const int current = found != inEffect.end() ? found->second : signatureAlter(sp.step, key.fifths);
        if (sp.alter != current) shown_[{l, p, k}] = accidentalName(sp.alter);
        inEffect[letter] = sp.alter;
      }
    }
  }

  const char* of(std::size_t line, std::size_t piece, std::size_t key) const {
    const auto found = shown_.find({line, piece, key});
    return found != shown_.end() ? found->second : nullptr;
  }

 private:
  std::map<std::tuple<std::size_t, std::size_t, std::size_t>, const char*> shown_;
};

class Writer {
 public:
  explicit Writer(const NotationLayout& layout) : layout_(layout), xml_(&bytes_) {}

  std::string write() {
    xml_.setAutoFormatting(true);
    xml_.setAutoFormattingIndent(2);
    xml_.writeStartDocument();
    xml_.writeDTD(QStringLiteral(
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 3.1 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">"));
    xml_.writeStartElement(QStringLiteral("score-partwise"));
    xml_.writeAttribute(QStringLiteral("version"), QStringLiteral("3.1"));
    writeHeader();
    for (std::size_t i = 0; i < layout_.staves.size(); ++i) writePart(i);
    xml_.writeEndElement();
    xml_.writeEndDocument();
    return bytes_.toStdString();
  }

 private:
  void element(const QString& name, const QString& value) { xml_.writeTextElement(name, value); }

  void writeHeader() {
    xml_.writeStartElement(QStringLiteral("work"));
    element(QStringLiteral("work-title"), text(layout_.title));
    xml_.writeEndElement();
    xml_.writeStartElement(QStringLiteral("identification"));
    xml_.writeStartElement(QStringLiteral("encoding"));
    element(QStringLiteral("software"), QStringLiteral("Quorvel"));
    xml_.writeEndElement();
    xml_.writeEndElement();
    xml_.writeStartElement(QStringLiteral("part-list"));
    for (std::size_t i = 0; i < layout_.staves.size(); ++i) writeScorePart(i);
    xml_.writeEndElement();
  }

  void writeMidiInstrument(const QString& id, int channel, int program, int unpitched) {
    xml_.writeStartElement(QStringLiteral("midi-instrument"));
    xml_.writeAttribute(QStringLiteral("id"), id);
    element(QStringLiteral("midi-channel"), number(channel));
    element(QStringLiteral("midi-program"), number(program));
    if (unpitched > 0) element(QStringLiteral("midi-unpitched"), number(unpitched));
    xml_.writeEndElement();
  }

  void writeScorePart(std::size_t index) {
    const Staff& staff = layout_.staves[index];
    xml_.writeStartElement(QStringLiteral("score-part"));
    xml_.writeAttribute(QStringLiteral("id"), partId(index));
    element(QStringLiteral("part-name"), text(staff.name));
    if (staff.drums) {
      for (int key : staff.drumKeys) {
        xml_.writeStartElement(QStringLiteral("score-instrument"));
        xml_.writeAttribute(QStringLiteral("id"), drumInstrumentId(index, key));
        element(QStringLiteral("instrument-name"), text(drumName(key)));
        xml_.writeEndElement();
      }
      for (int key : staff.drumKeys)
        writeMidiInstrument(drumInstrumentId(index, key), staff.midiChannel, staff.midiProgram, key + 1);
    } else {
      const QString id = partId(index) + QStringLiteral("-I1");
      xml_.writeStartElement(QStringLiteral("score-instrument"));
      xml_.writeAttribute(QStringLiteral("id"), id);
      element(QStringLiteral("instrument-name"), text(staff.name));
      xml_.writeEndElement();
      writeMidiInstrument(id, staff.midiChannel, staff.midiProgram, 0);
    }
    xml_.writeEndElement();
  }

  void writeClef(Clef clef) {
    xml_.writeStartElement(QStringLiteral("clef"));
    switch (clef) {
      case Clef::Percussion:
        element(QStringLiteral("sign"), QStringLiteral("percussion"));
        break;
      case Clef::Bass:
        element(QStringLiteral("sign"), QStringLiteral("F"));
        element(QStringLiteral("line"), QStringLiteral("4"));
        break;
      case Clef::Treble:
      case Clef::TrebleOctaveDown:
        element(QStringLiteral("sign"), QStringLiteral("G"));
        element(QStringLiteral("line"), QStringLiteral("2"));
        if (clef == Clef::TrebleOctaveDown) element(QStringLiteral("clef-octave-change"), QStringLiteral("-1"));
        break;
    }
    xml_.writeEndElement();
  }

  void writeAttributes(const Staff& staff) {
    xml_.writeStartElement(QStringLiteral("attributes"));
    element(QStringLiteral("divisions"), number(kDivisionsPerQuarter));
    if (!staff.drums) {
      xml_.writeStartElement(QStringLiteral("key"));
      element(QStringLiteral("fifths"), number(layout_.key.fifths));
      element(QStringLiteral("mode"), QString::fromLatin1(modeName(layout_.key.mode)));
      xml_.writeEndElement();
    }
    xml_.writeStartElement(QStringLiteral("time"));
    element(QStringLiteral("beats"), QStringLiteral("4"));
    element(QStringLiteral("beat-type"), QStringLiteral("4"));
    xml_.writeEndElement();
    writeClef(staff.clef);
    xml_.writeEndElement();
  }

  void writeTempo() {
    xml_.writeStartElement(QStringLiteral("direction"));
    xml_.writeAttribute(QStringLiteral("placement"), QStringLiteral("above"));
    xml_.writeStartElement(QStringLiteral("direction-type"));
    xml_.writeStartElement(QStringLiteral("metronome"));
    element(QStringLiteral("beat-unit"), QStringLiteral("quarter"));
    element(QStringLiteral("per-minute"), number(layout_.tempo));
    xml_.writeEndElement();
    xml_.writeEndElement();
    xml_.writeEmptyElement(QStringLiteral("sound"));
    xml_.writeAttribute(QStringLiteral("tempo"), number(layout_.tempo));
    xml_.writeEndElement();
  }

  void writeDuration(const QString& name, int steps) {
    xml_.writeStartElement(name);
    element(QStringLiteral("duration"), number(steps));
    xml_.writeEndElement();
  }

  void writeTies(const Piece& piece, const QString& name) {
    for (const auto& [on, type] : {std::pair{piece.tieFromBefore, "stop"}, std::pair{piece.tieToNext, "start"}}) {
      if (!on) continue;
      xml_.writeEmptyElement(name);
      xml_.writeAttribute(QStringLiteral("type"), QString::fromLatin1(type));
    }
  }

  void writePitch(int key) {
    const Spelling sp = spell(key, layout_.key);
    xml_.writeStartElement(QStringLiteral("pitch"));
    element(QStringLiteral("step"), QString::fromLatin1(stepName(sp.step)));
    if (sp.alter != 0) element(QStringLiteral("alter"), number(sp.alter));
    element(QStringLiteral("octave"), number(sp.octave));
    xml_.writeEndElement();
  }

  void writeUnpitched(const DrumDisplay& d) {
    xml_.writeStartElement(QStringLiteral("unpitched"));
    element(QStringLiteral("display-step"), QString::fromLatin1(stepName(d.step)));
    element(QStringLiteral("display-octave"), number(d.octave));
    xml_.writeEndElement();
  }

  void writeRest(const Piece& piece, int voice) {
    xml_.writeStartElement(QStringLiteral("note"));
    xml_.writeEmptyElement(QStringLiteral("rest"));
    if (piece.wholeMeasureRest) xml_.writeAttribute(QStringLiteral("measure"), QStringLiteral("yes"));
    element(QStringLiteral("duration"), number(piece.length));
    element(QStringLiteral("voice"), number(voice));
    if (!piece.wholeMeasureRest) writeType(piece.length);
    xml_.writeEndElement();
  }

  void writeType(int steps) {
    element(QStringLiteral("type"), QString::fromLatin1(noteTypeOf(steps)));
    if (isDotted(steps)) xml_.writeEmptyElement(QStringLiteral("dot"));
  }

  void writeNote(std::size_t staffIndex, const Piece& piece, std::size_t k, int voice, const char* accidental) {
    const Staff& staff = layout_.staves[staffIndex];
    const int key = piece.keys[k];
    xml_.writeStartElement(QStringLiteral("note"));
    if (k > 0) xml_.writeEmptyElement(QStringLiteral("chord"));
    const DrumDisplay drum = drumDisplayOf(key);
    if (staff.drums) writeUnpitched(drum);
    else writePitch(key);
    element(QStringLiteral("duration"), number(piece.length));
    writeTies(piece, QStringLiteral("tie"));
    if (staff.drums) {
      xml_.writeEmptyElement(QStringLiteral("instrument"));
      xml_.writeAttribute(QStringLiteral("id"), drumInstrumentId(staffIndex, key));
    }
    element(QStringLiteral("voice"), number(voice));
    writeType(piece.length);
    if (accidental) element(QStringLiteral("accidental"), QString::fromLatin1(accidental));
    if (staff.drums && drum.notehead) element(QStringLiteral("notehead"), QString::fromLatin1(drum.notehead));
    if (piece.tieFromBefore || piece.tieToNext) {
      xml_.writeStartElement(QStringLiteral("notations"));
      writeTies(piece, QStringLiteral("tied"));
      xml_.writeEndElement();
    }
    xml_.writeEndElement();
  }

  // Answers the position in the measure after the line.
  int writeLine(std::size_t staffIndex, std::size_t lineIndex, int measure, const Accidentals& accidentals) {
    const NotatedLine& line = layout_.staves[staffIndex].lines[lineIndex];
    const MeasurePieces& pieces = line.measures[static_cast<std::size_t>(measure)];
    int position = 0;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
      const Piece& piece = pieces[p];
      if (piece.gap) writeDuration(QStringLiteral("forward"), piece.length);
      else if (piece.keys.empty()) writeRest(piece, line.voiceNumber);
      for (std::size_t k = 0; k < piece.keys.size(); ++k)
        writeNote(staffIndex, piece, k, line.voiceNumber, accidentals.of(lineIndex, p, k));
      position = piece.position + piece.length;
    }
    return position;
  }

  void writeMeasure(std::size_t staffIndex, int measure) {
    const Staff& staff = layout_.staves[staffIndex];
    xml_.writeStartElement(QStringLiteral("measure"));
    xml_.writeAttribute(QStringLiteral("number"), number(measure + 1));
    if (measure == 0) {
      writeAttributes(staff);
      if (staffIndex == 0) writeTempo();
    }
    const Accidentals accidentals(staff, measure, layout_.key);
    int position = 0;
    for (std::size_t l = 0; l < staff.lines.size(); ++l) {
      if (staff.lines[l].measures[static_cast<std::size_t>(measure)].empty()) continue;
      if (position > 0) writeDuration(QStringLiteral("backup"), position);
      position = writeLine(staffIndex, l, measure, accidentals);
    }
    xml_.writeEndElement();
  }

  void writePart(std::size_t index) {
    xml_.writeStartElement(QStringLiteral("part"));
    xml_.writeAttribute(QStringLiteral("id"), partId(index));
    for (int m = 0; m < layout_.measureCount; ++m) writeMeasure(index, m);
    xml_.writeEndElement();
  }

  const NotationLayout& layout_;
  QByteArray bytes_;
  QXmlStreamWriter xml_;
};

}  // namespace

std::string musicXmlOf(const NotationLayout& layout) { return Writer(layout).write(); }

}  // namespace quorvel::notation
