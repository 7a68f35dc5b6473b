#include "ui/OptionsPages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <memory>

#include "app/DialogTexts.h"
#include "app/GeneralMidiNames.h"
#include "settings/Utf16.h"

namespace quorvel {

namespace {

// Builds one page: its controls, how each shows the model, and how each edit
// reaches the model.
class PageBuilder {
 public:
  PageBuilder(OptionsModel& model, int language, int tab, std::function<void(int)> changed)
      : model_(model), language_(language), tab_(tab), changed_(std::move(changed)), page_(new QWidget) {}

  QString text(const char* english) const { return QString::fromStdString(dialogText(english, language_)); }
  OptionsModel& model() { return model_; }
  OptionsEdits& edits() { return model_.edits(); }
  QWidget* page() const { return page_; }
  // What an edit calls; it outlives the builder.
  std::function<void()> notifier() const {
    return [changed = changed_, tab = tab_] { changed(tab); };
  }

  QComboBox* combo(const std::vector<QString>& entries, std::function<int()> get, std::function<void(int)> set) {
    auto* box = new QComboBox;
    for (const QString& e : entries) box->addItem(e);
    box->setMaxVisibleItems(20);
    loaders_.push_back([box, get] {
      QSignalBlocker block(box);
      box->setCurrentIndex(get());
    });
    QObject::connect(box, &QComboBox::currentIndexChanged, page_, [notify = notifier(), set](int i) {
      set(i);
      notify();
    });
    return box;
  }

  QComboBox* textCombo(std::initializer_list<const char*> entries, std::int32_t& field) {
    std::vector<QString> texts;
    for (const char* e : entries) texts.push_back(text(e));
    std::int32_t* f = &field;
    return combo(texts, [f] { return *f; }, [f](int i) { *f = i; });
  }

  QCheckBox* check(const char* label, std::function<bool()> get, std::function<void(bool)> set) {
    auto* box = new QCheckBox(text(label));
    loaders_.push_back([box, get] {
      QSignalBlocker block(box);
      box->setChecked(get());
    });
    QObject::connect(box, &QCheckBox::toggled, page_, [notify = notifier(), set](bool on) {
      set(on);
      notify();
    });
    return box;
  }

  QCheckBox* onOff(const char* label, std::int32_t& field) {
    std::int32_t* f = &field;
    return check(label, [f] { return switchOn(*f); }, [f](bool on) { *f = storedSwitch(on); });
  }

  // Radio buttons whose position i stores values[i].
  QButtonGroup* radios(QGridLayout* grid, int columns, std::initializer_list<const char*> labels,
                       std::vector<int> values, std::int32_t& field) {
    auto* group = new QButtonGroup(page_);
    int i = 0;
    for (const char* label : labels) {
      auto* r = new QRadioButton(text(label));
      group->addButton(r, i);
      grid->addWidget(r, i / columns, i % columns);
      ++i;
    }
    std::int32_t* f = &field;
    loaders_.push_back([group, values, f] {
      for (std::size_t v = 0; v < values.size(); ++v) {
        QSignalBlocker block(group->button(static_cast<int>(v)));
        group->button(static_cast<int>(v))->setChecked(values[v] == *f);
      }
    });
    QObject::connect(group, &QButtonGroup::idToggled, page_, [notify = notifier(), values, f](int id, bool on) {
      if (!on) return;
      *f = values[static_cast<std::size_t>(id)];
      notify();
    });
    return group;
  }

  QLineEdit* decimal(std::function<std::string&()> field) {
    auto* edit = new QLineEdit;
    edit->setMaximumWidth(120);
    loaders_.push_back([edit, field] {
      QSignalBlocker block(edit);
      edit->setText(QString::fromStdString(field()));
    });
    QObject::connect(edit, &QLineEdit::textEdited, page_, [notify = notifier(), field](const QString& t) {
      field() = t.toStdString();
      notify();
    });
    return edit;
  }

  QWidget* withRange(QWidget* field) {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(field);
    h->addWidget(new QLabel(QStringLiteral("[0 - 1]")));
    h->addStretch();
    return row;
  }

  QSlider* slider(int min, int max, QLabel* shown, std::function<QString(int)> describe, std::int32_t& field) {
    auto* s = new QSlider(Qt::Horizontal);
    s->setRange(min, max);
    std::int32_t* f = &field;
    loaders_.push_back([s, shown, describe, f] {
      QSignalBlocker block(s);
      s->setValue(*f);
      shown->setText(describe(s->value()));
    });
    QObject::connect(s, &QSlider::valueChanged, page_, [notify = notifier(), shown, describe, f](int v) {
      *f = v;
      shown->setText(describe(v));
      notify();
    });
    return s;
  }

  void onLoad(std::function<void()> f) { loaders_.push_back(std::move(f)); }

  OptionsPage finish() {
    auto loaders = loaders_;
    return {page_, [loaders] {
              for (const auto& l : loaders) l();
            }};
  }

 private:
  OptionsModel& model_;
  int language_;
  int tab_;
  std::function<void(int)> changed_;
  QWidget* page_;
  std::vector<std::function<void()>> loaders_;
};

QGroupBox* group(const QString& title, QLayout* layout) {
  auto* g = new QGroupBox(title);
  g->setLayout(layout);
  return g;
}

OptionsPage generalPage(PageBuilder& b) {
  OptionsEdits& e = b.edits();
  auto* v = new QVBoxLayout(b.page());
  auto* head = new QFormLayout;
  auto* tempoShown = new QLabel;
  auto* volumeShown = new QLabel;
  const auto number = [](int value) { return QString::number(value); };
  auto* tempoRow = new QHBoxLayout;
  tempoRow->addWidget(b.slider(60, 240, tempoShown, number, e.general.tempo));
  tempoRow->addWidget(tempoShown);
  auto* volumeRow = new QHBoxLayout;
  volumeRow->addWidget(b.slider(1, 127, volumeShown, number, e.general.volume));
  volumeRow->addWidget(volumeShown);
  tempoShown->setMinimumWidth(30);
  volumeShown->setMinimumWidth(30);
  head->addRow(b.text("Tempo: "), tempoRow);
  head->addRow(b.text("Volume: "), volumeRow);
  v->addLayout(head);

  auto* melody = new QFormLayout;
  melody->addRow(b.text("Resolution: "), b.textCombo({"1/8", "1/4", "1/2", "1/1"}, e.general.melodyQuantizeResolution));
  melody->addRow(b.text("Quantize to: "),
                 b.textCombo({"Grid", "Highest Part", "Lowest Part", "Higher Part", "Lower Part", "Soprano", "Alto",
                              "Tenor", "Bass", "Drums"},
                             e.general.melodyQuantizeTarget));
  melody->addRow(b.text("Strength: "), b.withRange(b.decimal([pe = &e]() -> std::string& { return pe->strengths[kMelodyQuantize]; })));
  v->addWidget(group(b.text("Quantize(Melody)"), melody));

  auto* drums = new QFormLayout;
  drums->addRow(b.text("Resolution: "), b.textCombo({"1/8", "1/4"}, e.general.drumsQuantizeResolution));
  drums->addRow(b.text("Quantize to: "), b.textCombo({"Grid"}, e.general.drumsQuantizeTarget));
  drums->addRow(b.text("Strength: "), b.withRange(b.decimal([pe = &e]() -> std::string& { return pe->strengths[kDrumsQuantize]; })));
  v->addWidget(group(b.text("Quantize(Drums)"), drums));

  auto* shuffle = new QFormLayout;
  shuffle->addRow(b.text("Strength(Melody): "),
                  b.withRange(b.decimal([pe = &e]() -> std::string& { return pe->strengths[kMelodyShuffle]; })));
  shuffle->addRow(b.text("Strength(Drums): "),
                  b.withRange(b.decimal([pe = &e]() -> std::string& { return pe->strengths[kDrumsShuffle]; })));
  v->addWidget(group(b.text("Shuffle"), shuffle));

  auto* language = new QFormLayout;
  language->addRow(b.text("&Language: "), b.combo({QStringLiteral("English"), QString::fromUtf8("日本語")},
                                                  [pe = &e] { return pe->general.language; },
                                                  [pe = &e](int i) { pe->general.language = i; }));
  v->addLayout(language);
  v->addStretch();
  return b.finish();
}

OptionsPage melodyPage(PageBuilder& b, int language) {
  OptionsEdits& e = b.edits();
  auto* v = new QVBoxLayout(b.page());
  std::vector<QString> keys;
  for (int i = 0; i < kKeyNoteEntries; ++i) keys.push_back(QString::fromStdString(keyNoteEntry(i)));
  auto* head = new QFormLayout;
  head->addRow(b.text("&Key Note: "), b.combo(keys, [pe = &e] { return keyOfKeyNoteEntry(0) - pe->melody[kKeyNote]; },
                                              [pe = &e](int i) { pe->melody[kKeyNote] = keyOfKeyNoteEntry(i); }));
  v->addLayout(head);

  auto* modes = new QGridLayout;
  b.radios(modes, 3, {"Major(Ionian)", "Minor(Aeolian)", "Dorian", "Phrygian", "Lydian", "Mixolydian"}, {0, 1, 2, 3, 4, 5},
           e.melody.values[kMode]);
  v->addWidget(group(b.text("Mode"), modes));

  auto* lengthShown = new QLabel;
  auto* length = new QHBoxLayout;
  length->addWidget(new QLabel(b.text("Melody Length: ")));
  length->addWidget(b.slider(kShortestMelodyBeats, kLongestMelodyBeats, lengthShown,
                             [language](int beats) { return QString::fromStdString(melodyLengthText(beats, language)); },
                             e.melody.values[kMelodyLength]));
  length->addWidget(lengthShown);
  lengthShown->setMinimumWidth(120);
  v->addLayout(length);

  auto* evoked = new QGridLayout;
  b.radios(evoked, 5, {"0:1", "0:2", "0:3", "0:4", "0:D"}, {0, 1, 2, 3, 4}, e.melody.values[kEvokedLines]);
  evoked->addWidget(b.onOff("Enable NN Melody Generator.", e.melody.values[kNnMelody]), 1, 0, 1, 5);
  evoked->addWidget(b.onOff("Generate Drums.", e.melody.values[kDrumsAfterEvoked]), 2, 0, 1, 5);
  evoked->addWidget(b.onOff("Enable NN Drums Generator.", e.melody.values[kNnDrumsEvoked]), 3, 0, 1, 5);
  v->addWidget(group(b.text("Number of Evoked Lines"), evoked));

  auto* counter = new QGridLayout;
  b.radios(counter, 6, {"1:1", "2:1", "3:1", "1:2", "1:3", "2:2"}, {0, 1, 2, 3, 4, 5}, e.melody.values[kCounterLines]);
  counter->addWidget(b.onOff("Generate Drums.", e.melody.values[kDrumsAfterCounter]), 1, 0, 1, 6);
  counter->addWidget(b.onOff("Enable NN Drums Generator.", e.melody.values[kNnDrumsCounter]), 2, 0, 1, 6);
  v->addWidget(group(b.text("Number of Counter Lines"), counter));

  v->addWidget(b.onOff("Extend Existing Melody/Drums.", e.melody.values[kExtendExisting]));
  v->addWidget(b.onOff("Generate between Locators.", e.melody.values[kBetweenLocators]));
  v->addWidget(b.onOff("Loop According to the Melody Length.", e.melody.values[kLoopMelodyLength]));
  v->addStretch();
  return b.finish();
}

OptionsPage partsPage(PageBuilder& b) {
  OptionsEdits& e = b.edits();
  auto* v = new QVBoxLayout(b.page());
  auto* edit = new QGridLayout;
  b.radios(edit, 4, {"Soprano", "Alto", "Tenor", "Bass"}, {3, 2, 1, 0}, e.parts.editPart);
  v->addWidget(group(b.text("Edit Part"), edit));

  auto* play = new QVBoxLayout;
  play->addWidget(b.onOff("Play selected part only.", e.parts.playSelectedPartOnly));
  play->addWidget(b.onOff("Play strict lines(Remove overlaps in each part).", e.parts.playStrictLines));
  v->addWidget(group(b.text("Play Part"), play));

  std::vector<QString> programs;
  for (int p = 0; p < kGmProgramCount; ++p) programs.push_back(QString::fromStdString(programEntry(p)));
  auto* instruments = new QFormLayout;
  const char* labels[] = {"Soprano: ", "Alto: ", "Tenor: ", "Bass: "};
  for (std::size_t i = 0; i < 4; ++i) {
    std::int32_t* f = &e.parts.instruments[i];
    instruments->addRow(b.text(labels[i]), b.combo(programs, [f] { return *f; }, [f](int p) { *f = p; }));
  }
  v->addWidget(group(b.text("Instrument Set"), instruments));
  v->addStretch();
  return b.finish();
}

OptionsPage drumsPage(PageBuilder& b) {
  OptionsEdits& e = b.edits();
  auto* v = new QVBoxLayout(b.page());
  std::vector<QString> sounds;
  for (int k = kFirstPercussionKey; k <= kLastPercussionKey; ++k) sounds.push_back(QString::fromStdString(percussionEntry(k)));
  auto* lanes = new QFormLayout;
  lanes->setVerticalSpacing(4);
  const char* labels[] = {"B: ", "A#: ", "A: ", "G#: ", "G: ", "F#: ", "F: ", "E: ", "D#: ", "D: ", "C#: ", "C: "};
  for (std::size_t lane = 0; lane < 12; ++lane) {
    std::int32_t* f = &e.drums.drumKeys[lane];
    lanes->addRow(QString::fromUtf8(labels[lane]),
                  b.combo(sounds, [f] { return *f - kFirstPercussionKey; }, [f](int i) { *f = i + kFirstPercussionKey; }));
  }
  v->addWidget(group(b.text("Drum Set"), lanes));
  auto* others = new QVBoxLayout;
  others->addWidget(b.onOff("Enable Note Off.", e.drums.enableNoteOff));
  v->addWidget(group(b.text("Others"), others));
  v->addStretch();
  return b.finish();
}

OptionsPage filePage(PageBuilder& b) {
  OptionsEdits* e = &b.edits();
  auto* v = new QVBoxLayout(b.page());
  // Enabling follows the boxes, so every box is refreshed after any change.
  auto boxes = std::make_shared<std::vector<std::pair<QCheckBox*, FileOption>>>();
  const auto refresh = [boxes, e] {
    for (auto& [box, option] : *boxes) {
      QSignalBlocker block(box);
      box->setChecked(e->file.options[static_cast<std::size_t>(option)] != 0);
      box->setEnabled(fileOptionEnabled(e->file, option));
    }
  };
  const auto box = [&b, e, boxes, refresh](const char* label, FileOption option) {
    QCheckBox* c = b.check(label, [e, option] { return e->file.options[static_cast<std::size_t>(option)] != 0; },
                           [e, option, refresh](bool on) {
                             setFileOption(e->file, option, on);
                             refresh();
                           });
    boxes->push_back({c, option});
    return c;
  };
  auto* input = new QVBoxLayout;
  input->addWidget(box("Always read as format 0.", kReadFormat0));
  input->addWidget(box("Read drums track.", kReadDrumsTrack));
  input->addWidget(box("Read all notes as drums track.", kReadAllAsDrums));
  input->addWidget(box("Read all notes as regular track.", kReadAllAsRegular));
  input->addWidget(box("Remove duplicate notes.", kRemoveDuplicates));
  v->addWidget(group(b.text("Input MIDI"), input));
  auto* output = new QVBoxLayout;
  output->addWidget(box("Always write as fotmat 0.", kWriteFormat0));
  output->addWidget(box("Export strict lines(Remove overlaps in each part).", kExportStrictLines));
  output->addWidget(box("Export drums.", kExportDrums));
  v->addWidget(group(b.text("Output MIDI"), output));
  v->addStretch();
  b.onLoad(refresh);
  return b.finish();
}

// New entries from the server replace a box's list without counting as an
// edit; each box selects its list's choice.
void showAiTypeBoxes(const std::array<QComboBox*, kAiTypeLists>& boxes, const std::vector<AiTypeBox>& fetched) {
  for (const AiTypeBox& fresh : fetched) {
    QComboBox* box = boxes[static_cast<std::size_t>(fresh.listIndex)];
    QSignalBlocker block(box);
    box->clear();
    for (const std::string& entry : fresh.entries) box->addItem(QString::fromStdString(entry));
    box->setCurrentIndex(fresh.selected);
  }
}

OptionsPage aiTypePage(PageBuilder& b, const Settings& live) {
  OptionsEdits& e = b.edits();
  auto* v = new QVBoxLayout(b.page());
  auto* lists = new QFormLayout;
  const char* labels[] = {"Generator: ", "1 to 1: ", "2 to 1: ", "3 to 1: ", "Drums: ", "M to Dr: "};
  std::array<QComboBox*, kAiTypeLists> boxes{};
  for (std::size_t i = 0; i < kAiTypeLists; ++i) {
    const AiTypeList& list = live.aiTypes[i];
    std::vector<QString> entries;
    for (int n = 0; n < std::min(list.count, kAiTypeEntries); ++n)
      entries.push_back(QString::fromStdString(slotText(list.entries[static_cast<std::size_t>(n)])));
    std::int32_t* f = &e.aiSelected[i];
    boxes[i] = b.combo(entries, [f] { return *f; }, [f](int n) { *f = n; });
    lists->addRow(b.text(labels[i]), boxes[i]);
  }
  v->addLayout(lists);
  OptionsModel& model = b.model();
  const auto refill = [boxes, &model](bool force) {
    const auto fetched = model.refreshAiTypes(force);
    if (fetched) showAiTypeBoxes(boxes, *fetched);
  };
  refill(false);
  auto* update = new QPushButton(b.text("List Update"));
  QObject::connect(update, &QPushButton::clicked, b.page(), [refill] { refill(true); });
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(update);
  v->addLayout(row);
  v->addStretch();
  return b.finish();
}

template <std::size_t K>
OptionsPage ratesPage(PageBuilder& b, std::initializer_list<const char*> kinds, std::int32_t& kind,
                      std::array<RateTexts, K>& rates) {
  auto* v = new QVBoxLayout(b.page());
  auto* form = new QFormLayout;
  std::int32_t* k = &kind;
  std::array<RateTexts, K>* r = &rates;
  std::vector<QString> kindTexts;
  for (const char* name : kinds) kindTexts.push_back(b.text(name));
  // The rate fields show the chosen kind's pair; choosing a kind shows its pair.
  QLineEdit* shuffle = b.decimal([k, r]() -> std::string& { return (*r)[static_cast<std::size_t>(std::clamp<int>(*k, 0, K - 1))].shuffle; });
  QLineEdit* quantize = b.decimal([k, r]() -> std::string& { return (*r)[static_cast<std::size_t>(std::clamp<int>(*k, 0, K - 1))].quantize; });
  QComboBox* kindBox = b.combo(kindTexts, [k] { return *k; }, [k](int i) { *k = i; });
  QObject::connect(kindBox, &QComboBox::currentIndexChanged, shuffle, [k, r, shuffle, quantize] {
    const auto& pair = (*r)[static_cast<std::size_t>(std::clamp<int>(*k, 0, K - 1))];
    shuffle->setText(QString::fromStdString(pair.shuffle));
    quantize->setText(QString::fromStdString(pair.quantize));
  });
  form->addRow(b.text("&Kind: "), kindBox);
  form->addRow(b.text("Shuffle Rate: "), b.withRange(shuffle));
  form->addRow(b.text("Quantize Rate: "), b.withRange(quantize));
  v->addLayout(form);
  v->addStretch();
  return b.finish();
}

}  // namespace

std::vector<OptionsPage> buildOptionsPages(OptionsModel& model, const Settings& live, int language,
                                           std::function<void(int tab)> changed) {
  std::vector<OptionsPage> pages;
  const auto build = [&](int tab, auto&& make) {
    PageBuilder b(model, language, tab, changed);
    pages.push_back(make(b));
  };
  OptionsEdits& e = model.edits();
  build(kTabGeneral, [](PageBuilder& b) { return generalPage(b); });
  build(kTabMelody, [language](PageBuilder& b) { return melodyPage(b, language); });
  build(kTabParts, [](PageBuilder& b) { return partsPage(b); });
  build(kTabDrums, [](PageBuilder& b) { return drumsPage(b); });
  build(kTabFile, [](PageBuilder& b) { return filePage(b); });
  build(kTabAiType, [&live](PageBuilder& b) { return aiTypePage(b, live); });
  build(kTabCounterNn, [pe = &e](PageBuilder& b) {
    return ratesPage(b, {"1 to 1", "2 to 1", "3 to 1"}, pe->counterKind, pe->counterRates);
  });
  build(kTabGeneratorNn, [pe = &e](PageBuilder& b) {
    return ratesPage(b, {"Generator", "Drums(0 to D)", "Drums(M to D)"}, pe->generatorKind, pe->generatorRates);
  });
  return pages;
}

}  // namespace quorvel
