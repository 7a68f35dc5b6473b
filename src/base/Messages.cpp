#include "base/Messages.h"

#include <unordered_map>

namespace quorvel {

namespace {

struct Twin {
  const char* english;
  const char* japanese;
};

// Every user-visible text with its Japanese twin.
constexpr Twin kCatalogue[] = {
    {"key: %s", "主音: %s"},
    {"None", "なし"},
    {"Read.", "読込み完了"},
    {"Saved.", "保存完了"},
    {"(no title)", "(無題)"},
    {"(no title) - Quorvel", "(無題) - Quorvel"},
    {"(no title)* - Quorvel", "(無題)* - Quorvel"},
    {"\"%s\" has been modified.\nDo you want to Save changes?", "\"%s\" は変更されています\n保存しますか？"},
    {"INI file could not be created or opened", "iniファイルオープンに失敗しました"},
    {"File could not be created or opened", "ファイルオープンに失敗しました"},
    {"Please check if the file is right", "ファイルが正しいか確認してください"},
    {"Quorvel is already running. Open \"%s\" there with File > Open; it was not opened here.",
     "Quorvelはすでに起動しています。\"%s\" はそちらの「ファイル」→「開く」で開いてください（ここでは開いていません）。"},
    {"No space between locators", "ロケータ間が存在しません"},
    {"The locators are too close", "ロケータ間隔が狭すぎます。"},
    {"Folder could not be selected", "フォルダ選択に失敗しました"},
    {"Do you want to automatically save the generated melody into MIDI files?", "生成したメロディをMIDIファイルに自動保存しますか？"},
    {"Stock: ", "ストック数: "},
    {"Segment: ", "セグメント: "},
    {"Retry count: ", "リトライ数: "},
    {"Now Generating..", "生成中.."},
    {"Now generating melody lines..", "旋律生成中.."},
    {"Cancel", "キャンセル"},
    {"Selecting part is empty", "選択パートが空です"},
    {"Selecting part is too short", "選択パートが短すぎます"},
    {"You can't generate lines with selecting part", "選択パートに対して旋律を生成できません"},
    {"You can't generate counter lines with selecting part", "選択パートに対して対旋律を生成できません"},
    {"Counter part is empty", "クォンタイズ先パートが空です"},
    {"Failed to generate lines", "旋律生成に失敗しました"},
    {"Not enough source parts.", "必要な入力パートが不足しています。"},
    {"Failed to connect to the server.", "サーバとの接続に失敗しました。"},
    {"Failed to open MIDI device", "MIDIオープンに失敗しました"},
    {"Now Learning", "学習中"},
    {"Regularization Completed.", "MIDIファイル正規化が終了しました"},
    {"Analysis Completed.", "解析が終了しました"},
    {"Convert to learning schedule", "MIDIファイルを学習ファイルに変換"},
    {"You have to restart Quorvel for the changes to take effect.", "言語の変更を反映するにはQuorvelを再起動してください"},
    {"invalid quantize strength", "クォンタイズ強度入力値が無効です"},
    {"invalid shuffle strength", "シャッフル強度入力値が無効です"},
    {"invalid quantize rate.", "クォンタイズ率入力値が無効です"},
    {"invalid rythm shuffle rate.", "シャッフル率入力値が無効です"},
    {"Options", "オプション"},
    {"Select a save folder.", "保存フォルダを選択してください"},
    {"Select a input folder.", "入力フォルダを選択してください"},
    {"Select a output folder.", "出力フォルダを選択してください"},
    {"failed to register window class.", "ウィンドウクラスの登録失敗"},
    {"failed to create window.", "ウィンドウの作成失敗"},
    {"bars: %d, beats %d", "小節: %d, 拍: %d"},
};

const std::unordered_map<std::string_view, std::string_view>& japaneseByEnglish() {
  static const auto* map = [] {
    auto* m = new std::unordered_map<std::string_view, std::string_view>();
    for (const Twin& t : kCatalogue) m->emplace(t.english, t.japanese);
    return m;
  }();
  return *map;
}

}  // namespace

std::string localized(std::string_view english, int language) {
  if (language != 1) return std::string(english);
  const auto& map = japaneseByEnglish();
  auto it = map.find(english);
  return std::string(it == map.end() ? english : it->second);
}

bool hasJapaneseTwin(std::string_view english) { return japaneseByEnglish().count(english) != 0; }

}  // namespace quorvel
