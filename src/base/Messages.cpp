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
    {"Saved without drums", "ドラムスなしで保存完了"},
    {"Exported for other programs.", "他のソフト向けに出力しました"},
    {"Exported as MusicXML.", "MusicXMLで出力しました"},
    {"Exported as PDF.", "PDFで出力しました"},
    {"Export PDF", "PDF出力"},
    {"Printing to PDF needs a notation program: install mscore3 (Debian package musescore3).",
     "PDF出力には楽譜作成ソフトが必要です。mscore3（Debianパッケージ musescore3）をインストールしてください。"},
    {"The notation program could not print the score to PDF.", "楽譜作成ソフトがPDFを出力できませんでした。"},
    {"(no title)", "(無題)"},
    {"(no title) - Quorvel", "(無題) - Quorvel"},
    {"(no title)* - Quorvel", "(無題)* - Quorvel"},
    {"\"%s\" has been modified.\nDo you want to Save changes?", "\"%s\" は変更されています\n保存しますか？"},
    {"INI file could not be created or opened", "iniファイルオープンに失敗しました"},
    {"File could not be created or opened", "ファイルオープンに失敗しました"},
    {"Please check if the file is right", "ファイルが正しいか確認してください"},
    {"Quorvel is already running. Open \"%s\" there with File > Open; it was not opened here.",
     "Quorvelはすでに起動しています。\"%s\" はそちらの「ファイル」→「開く」で開いてください（ここでは開いていません）。"},
    // The second line of "Please check if the file is right".
    {"The file is empty.", "ファイルが空です。"},
    {"This is not a MIDI file.", "MIDIファイルではありません。"},
    {"The file is cut off at byte %d.", "ファイルが%dバイト目で途切れています。"},
    {"The MIDI header has an unknown size.", "MIDIヘッダの長さが不明です。"},
    {"Unsupported MIDI format %d.", "未対応のMIDIフォーマット%dです。"},
    {"The file declares no tracks.", "トラックがありません。"},
    {"Unsupported time division %d.", "未対応の分解能%dです。"},
    {"No track follows the header.", "ヘッダの後にトラックがありません。"},
    {"The first track is empty.", "最初のトラックが空です。"},
    {"No space between locators", "ロケータ間が存在しません"},
    {"The locators are too close", "ロケータ間隔が狭すぎます。"},
    {"Folder could not be selected", "フォルダ選択に失敗しました"},
    {"Do you want to automatically save the generated melody into MIDI files?", "生成したメロディをMIDIファイルに自動保存しますか？"},
    {"Stock: ", "ストック数: "},
    {"Infinitely generating..", "無限生成中.."},
    {"Now generating melodies infinitely..", "メロディを無限に生成しています.."},
    {"Auto Save to MIDI file", "MIDIファイルに自動保存"},
    {"The server did not answer (%s). Trying again in %d s.", "サーバーが応答しません(%s)。%d秒後に再試行します。"},
    {"Automatic save failed: %s", "自動保存に失敗しました: %s"},
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
    // What the tools and Undo/Redo answer in the status bar.
    {"Quantized %d notes", "%d音をクォンタイズしました"},
    {"Nothing to quantize", "クォンタイズする音がありません"},
    {"Nothing to quantize: the strength is 0 (Options)", "クォンタイズ強度が0です（オプションで設定）"},
    {"Shuffled %d notes", "%d音をシャッフルしました"},
    {"Nothing to shuffle", "シャッフルする音がありません"},
    {"Nothing to shuffle: the strength is 0 (Options)", "シャッフル強度が0です（オプションで設定）"},
    {"Regulated %d notes", "%d音の音価を正規化しました"},
    {"Nothing to regulate", "正規化する音がありません"},
    {"Trimmed the opening silence: %d notes moved", "曲初の無音をトリミングしました（%d音を移動）"},
    {"Nothing to trim", "トリミングする無音がありません"},
    {"Reduced the values of %d notes", "%d音の音価を最小限化しました"},
    {"Nothing to reduce", "最小限化する音価がありません"},
    {"Divided %d notes into 4 parts", "%d音を4パートに振分けました"},
    {"Nothing to divide", "振分ける音がありません"},
    {"Moved %d notes to the key of C3", "%d音をC3のキーへ移動しました"},
    {"Nothing to move", "移動する音がありません"},
    {"Undone: %d notes changed", "元に戻しました（%d音）"},
    {"Nothing to undo", "元に戻す操作がありません"},
    {"Redone: %d notes changed", "やり直しました（%d音）"},
    {"Nothing to redo", "やり直す操作がありません"},
    {"Failed to generate lines", "旋律生成に失敗しました"},
    {"rules relaxed at bar %d beat %d: %s", "第%d小節 第%d拍で規則を緩めました: %s"},
    {" (and %d more places)", " (ほか%d箇所)"},
    {"second voice", "第2声"},
    {"middle voice", "中声"},
    {"bass", "バス"},
    {"tenor", "テノール"},
    {"alto", "アルト"},
    {"distance to the melody", "旋律との距離"},
    {"spacing to the voice below", "下の声部との間隔"},
    {"fourth against the melody", "旋律との4度"},
    {"fourth above the bass", "バスとの4度"},
    {"second, seventh or unison between inner voices", "内声間の2度・7度・同音"},
    {"parallel fifths or octaves between lower voices", "下声部間の連続5度・8度"},
    {"Not enough source parts.", "必要な入力パートが不足しています。"},
    {"Failed to connect to the server.", "サーバとの接続に失敗しました。"},
    {"Failed to open MIDI device", "MIDIオープンに失敗しました"},
    {"No sound device: playing silently", "音源を開けません: 音なしで再生します"},
    {"No real-time priority: playback may stumble on a busy machine",
     "リアルタイム優先度を得られません: 負荷の高いときは再生が乱れることがあります"},
    {"Now Learning", "学習中"},
    {"Regularization Completed.", "MIDIファイル正規化が終了しました"},
    {"Analysis Completed.", "解析が終了しました"},
    {"Convert to learning schedule", "MIDIファイルを学習ファイルに変換"},
    // The learning-data dialogs.
    {"Convert midi to Learning Schedule", "MIDIファイルを学習スケジュールに変換"},
    {"Convert midi to Regulated Format", "MIDIファイルを正規化フォーマットに変換"},
    {"Analyze MIDI File", "MIDIファイル解析"},
    {"Learning Type", "学習タイプ"},
    {"1 Part (0:1)", "1パート (0:1)"},
    {"2 Parts (1:1)", "2パート (1:1)"},
    {"3 Parts (2:1)", "3パート (2:1)"},
    {"4 Parts (3:1)", "4パート (3:1)"},
    {"Key Part", "基準パート"},
    {"Delete", "削除"},
    {"Clear", "クリア"},
    {"Convert", "変換"},
    // The "Open" track dialog.
    {"Open", "開く"},
    {"Up", "上へ"},
    {"Down", "下へ"},
    {"Play", "再生"},
    {"Stop", "停止"},
    {"Close", "閉じる"},
    {"Part", "パート"},
    {"Voice tracks (S, A, T, B from the top)", "声部トラック（上からS, A, T, B）"},
    {"Drum tracks", "ドラムトラック"},
    {"Soprano", "ソプラノ"},
    {"Alto", "アルト"},
    {"Tenor", "テナー"},
    {"Bass", "バス"},
    {"Drums", "ドラムス"},
    {"on reads the track beside it, off leaves the part empty", "オンで横のトラックを読み込み、オフでパートを空にします"},
    {"on reads the chosen drum track, off reads no drums", "オンで選んだドラムトラックを読み込み、オフでドラムを読み込みません"},
    {"Switch parts on or off with S, A, T, B and D; Up and Down reorder the voices; Play listens to the highlighted track.",
     "S, A, T, B, Dでパートのオン・オフ、上へ・下へで声部の順序を変更、再生で選択中のトラックを試聴します。"},
    {"Will read:", "読込み内容:"},
    {"off", "オフ"},
    // The main window.
    {"New note length:", "新しい音の長さ:"},
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
    // The voice-leading check (Tools menu and quorvel-cli check).
    {"Check Voice Leading", "声部進行のチェック"},
    {"Bar", "小節"},
    {"Beat", "拍"},
    {"Voices", "声部"},
    {"Rule", "規則"},
    {"No rule is broken.", "規則に反する箇所はありません。"},
    {"1 place breaks a rule. Click its row to select its notes.",
     "規則に反する箇所が1個あります。行をクリックするとその音が選択されます。"},
    {"%d places break a rule. Click a row to select its notes.",
     "規則に反する箇所が%d個あります。行をクリックするとその音が選択されます。"},
    {"bar %d beat %s", "%d小節 %s拍目"},
    {"parallel fifths", "連続5度"},
    {"parallel octaves", "連続8度"},
    {"voice crossing", "声部の交差"},
    {"leap of 9 semitones or more", "9半音以上の跳躍"},
    {"tritone leap", "三全音の跳躍"},
    {"second or seventh against the melody", "旋律に対する2度または7度"},
    {"repeated note in the melody", "旋律の同音反復"},
    {"unison with the melody", "旋律とのユニゾン"},
    {"fifth or octave reached by similar motion in the outer voices", "外声の並達5度・8度"},
    {"fourth against the lowest voice", "最低声部との4度"},
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
