// The File menu's MusicXML and PDF exports: where the dialog starts and what
// it offers, what is written, and what the user is told when it cannot be done.
#include "app/NotationExport.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AppFixture.h"
#include "base/FileIo.h"
#include "notation/NotationProgram.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  const auto bytes = readWholeFile(path.string());
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string{};
}

class NotationExportTest : public test::AppFixture {
 protected:
  void SetUp() override {
    modify();
    app.score.fileName = "/songs/hymn.mid";
    ui.clearRecords();
  }
};

TEST_F(NotationExportTest, MusicXmlGoesWhereTheUserChoseWithTheSongsTitle) {
  const fs::path out = folder.path() / "hymn.musicxml";
  ui.queueSavePath(out.string());
  EXPECT_EQ(dispatch(app, cmd::kExportMusicXml), 0);
  ASSERT_EQ(ui.fileDialogs().size(), 1u);
  EXPECT_EQ(ui.fileDialogs()[0].defaultExtension, "musicxml");
  EXPECT_EQ(ui.fileDialogs()[0].initialName, "hymn.musicxml");
  const std::string xml = contents(out);
  EXPECT_NE(xml.find("<work-title>hymn</work-title>"), std::string::npos);
  EXPECT_EQ(ui.status(1), "Exported as MusicXML.");
  EXPECT_TRUE(app.score.isModified()) << "an export is not a save";
  EXPECT_EQ(app.score.fileName, "/songs/hymn.mid");

  // The next export starts in the folder chosen.
  ui.queueSavePath((folder.path() / "two.musicxml").string());
  EXPECT_EQ(dispatch(app, cmd::kExportMusicXmlTwoStaves), 0);
  EXPECT_EQ(ui.fileDialogs()[1].folder, folder.path().string() + "/");
  const std::string two = contents(folder.path() / "two.musicxml");
  EXPECT_NE(two.find("<part-name>Soprano, Alto</part-name>"), std::string::npos);
}

TEST_F(NotationExportTest, CancelledOrUnwritableExportsWriteNothing) {
  EXPECT_EQ(dispatch(app, cmd::kExportMusicXml), -1);  // the dialog is cancelled
  EXPECT_TRUE(ui.messages().empty());
  const fs::path nowhere = folder.path() / "missing" / "x.musicxml";
  ui.queueSavePath(nowhere.string());
  EXPECT_EQ(dispatch(app, cmd::kExportMusicXml), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "File could not be created or opened");
  EXPECT_FALSE(fs::exists(nowhere));
}

TEST_F(NotationExportTest, PdfWithoutANotationProgramSaysWhatIsNeeded) {
  app.score.settings.general.language = 1;
  EXPECT_EQ(exportPdf(app.score, ui, ""), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text,
            "PDF出力には楽譜作成ソフトが必要です。mscore3（Debianパッケージ musescore3）をインストールしてください。");
  EXPECT_TRUE(ui.fileDialogs().empty()) << "no dialog for a file that cannot be made";
}

TEST_F(NotationExportTest, PdfIsPrintedByTheNotationProgram) {
  const std::string program = notation::findNotationProgram();
  if (program.empty()) GTEST_SKIP() << "mscore3 is not installed (scripts/setup.sh installs musescore3): PDF printing DID NOT RUN";
  const fs::path out = folder.path() / "hymn.pdf";
  ui.queueSavePath(out.string());
  EXPECT_EQ(dispatch(app, cmd::kExportPdf), 0);
  EXPECT_EQ(contents(out).rfind("%PDF", 0), 0u);
  EXPECT_FALSE(fs::exists(folder.path() / "hymn.pdf.musicxml")) << "the score handed to the program is removed";
  EXPECT_EQ(ui.status(1), "Exported as PDF.");

  // A program that fails is reported, not taken for a printout.
  ui.queueSavePath((folder.path() / "failed.pdf").string());
  EXPECT_EQ(exportPdf(app.score, ui, "/bin/false"), -1);
  ASSERT_EQ(ui.messages().size(), 1u);
  EXPECT_EQ(ui.messages()[0].text, "The notation program could not print the score to PDF.");
}

}  // namespace
}  // namespace quorvel
