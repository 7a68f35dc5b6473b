#include "app/DialogTexts.h"

#include <unordered_map>

#include "base/Messages.h"

namespace quorvel {

namespace {

struct Twin {
  const char* english;
  const char* japanese;
};

constexpr Twin kTexts[] = {
    // Pages and buttons.
    {"General", "一般"}, {"Melody", "メロディ"}, {"Parts", "パート"}, {"Drums", "ドラムス"}, {"File", "ファイル"},
    {"AI Type", "AIタイプ"}, {"Counter NN", "対旋律NN"}, {"Generator NN", "生成NN"},
    {"Default", "デフォルト"}, {"OK", "OK"}, {"Apply", "適用"},
    // General.
    {"Tempo: ", "テンポ: "}, {"Volume: ", "音量: "}, {"Quantize(Melody)", "クォンタイズ(メロディ)"},
    {"Quantize(Drums)", "クォンタイズ(ドラムス)"}, {"Resolution: ", "分解能: "}, {"Quantize to: ", "クォンタイズ先: "},
    {"Strength: ", "強度: "}, {"Shuffle", "シャッフル"}, {"Strength(Melody): ", "強度(メロディ): "},
    {"Strength(Drums): ", "強度(ドラムス): "}, {"&Language: ", "言語(&L): "},
    {"Grid", "グリッド"}, {"Highest Part", "最高音パート"}, {"Lowest Part", "最低音パート"},
    {"Higher Part", "一つ上のパート"}, {"Lower Part", "一つ下のパート"},
    {"Soprano", "ソプラノ"}, {"Alto", "アルト"}, {"Tenor", "テナー"}, {"Bass", "バス"},
    // Melody.
    {"&Key Note: ", "主音(&K): "}, {"Mode", "旋法"}, {"Major(Ionian)", "長調(イオニア)"},
    {"Minor(Aeolian)", "短調(エオリア)"}, {"Dorian", "ドリア"}, {"Phrygian", "フリギア"}, {"Lydian", "リディア"},
    {"Mixolydian", "ミクソリディア"}, {"Melody Length: ", "旋律の長さ: "}, {"bars: %d, beats: %d", "小節: %d, 拍: %d"},
    {"Number of Evoked Lines", "生成旋律数"}, {"Number of Counter Lines", "対旋律数"},
    {"Enable NN Melody Generator.", "NN旋律生成を使う"}, {"Extend Existing Melody/Drums.", "既存の旋律/ドラムスを延長する"},
    {"Generate Drums.", "ドラムスを生成する"}, {"Enable NN Drums Generator.", "NNドラムス生成を使う"},
    {"Generate between Locators.", "ロケータ間に生成する"},
    {"Loop According to the Melody Length.", "旋律の長さに合わせてループする"},
    // Parts.
    {"Edit Part", "編集パート"}, {"Play Part", "再生パート"}, {"Play selected part only.", "選択パートのみ再生する"},
    {"Play strict lines(Remove overlaps in each part).", "厳密な旋律で再生する(各パートの重なりを除去)"},
    {"Instrument Set", "楽器"}, {"Soprano: ", "ソプラノ: "}, {"Alto: ", "アルト: "}, {"Tenor: ", "テナー: "},
    {"Bass: ", "バス: "},
    // Drums.
    {"Drum Set", "ドラムセット"}, {"Others", "その他"}, {"Enable Note Off.", "ノートオフを送る"},
    // File.
    {"Input MIDI", "MIDI入力"}, {"Output MIDI", "MIDI出力"}, {"Always read as format 0.", "常にフォーマット0として読む"},
    {"Read drums track.", "ドラムストラックを読む"}, {"Read all notes as drums track.", "全ての音をドラムスとして読む"},
    {"Read all notes as regular track.", "全ての音を通常トラックとして読む"},
    {"Remove duplicate notes.", "重複した音を削除する"}, {"Always write as fotmat 0.", "常にフォーマット0で書く"},
    {"Export strict lines(Remove overlaps in each part).", "厳密な旋律で書き出す(各パートの重なりを除去)"},
    {"Export drums.", "ドラムスを書き出す"},
    // AI Type, Counter NN, Generator NN.
    {"Generator: ", "生成: "}, {"Drums: ", "ドラムス: "}, {"List Update", "リスト更新"}, {"&Kind: ", "種類(&K): "},
    {"Generator", "生成"}, {"Drums(0 to D)", "ドラムス(0 to D)"}, {"Drums(M to D)", "ドラムス(M to D)"},
    {"Shuffle Rate: ", "シャッフル率: "}, {"Quantize Rate: ", "クォンタイズ率: "},
    // Choose Learning Type.
    {"Choose Learning Type", "学習タイプの選択"}, {"Learning Type", "学習タイプ"}, {"1 Part (0:1)", "1パート (0:1)"},
    {"2 Parts (1:1)", "2パート (1:1)"}, {"3 Parts (2:1)", "3パート (2:1)"}, {"4 Parts (3:1)", "4パート (3:1)"},
    {"Record performance.", "演奏を録音する"}, {"Force monophonic performance.", "単音で演奏する"},
    // MIDI Input menu.
    {"MIDI &Input", "MIDI入力(&I)"}, {"No MIDI input port", "MIDI入力ポートがありません"},
};

const std::unordered_map<std::string_view, std::string_view>& japanese() {
  static const auto* map = [] {
    auto* m = new std::unordered_map<std::string_view, std::string_view>();
    for (const Twin& t : kTexts) m->emplace(t.english, t.japanese);
    return m;
  }();
  return *map;
}

}  // namespace

std::string dialogText(std::string_view english, int language) {
  if (language != 1) return std::string(english);
  const auto it = japanese().find(english);
  return it == japanese().end() ? localized(english, language) : std::string(it->second);
}

}  // namespace quorvel
