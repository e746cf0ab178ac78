// "Word报告" on the offscreen platform: the B-scan report of the view written beside
// the recording, the A-scan report of the frame shown, each then shown to the user,
// and the warning when the document cannot be written.

#include "frmMain.h"

#include "analysis/WordReports.h"
#include "synth/AScanSynth.h"
#include "synth/StreamSynth.h"

#include "DocxReadBack.h"
#include "TestFiles.h"

#include <QAction>
#include <QDir>
#include <QProgressBar>
#include <QScrollBar>
#include <QStatusBar>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

class WordReport : public ::testing::Test {
protected:
    WordReport()
    {
        window.resize(1200, 800);
        window.show();
        window.wordReport.tell = [this](QMessageBox::Icon icon, const QString &message) {
            told.push_back({icon, message});
        };
        window.wordReport.open = [this](const QString &path) { opened.append(path); };
        window.wordReport.programDir = [this] { return programDir; };
        window.wordReport.documentsDir = [this] { return dir.path(QStringLiteral("documents")); };
    }

    void openAScanRecord()
    {
        AScanSynthOptions options;
        options.frames = 3;
        ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("AA0001.DAT"), synthesizeAScan(options))));
        ASSERT_TRUE(window.aScanMode());
    }
    void report() { window.findChild<QAction *>(QStringLiteral("mnuWord"))->trigger(); }
    QProgressBar *progressBar() { return window.findChild<QProgressBar *>(QStringLiteral("ProgressBar1")); }

    TestFiles::TestDir dir;
    QString programDir = dir.path({});
    frmMain window;
    std::vector<std::pair<QMessageBox::Icon, QString>> told;
    QStringList opened;
};

TEST_F(WordReport, TheBScanReportOfTheViewGoesBesideTheRecordingAndIsShown)
{
    StreamSynthOptions options;
    options.length = 200;
    options.seed = 3;
    ASSERT_TRUE(window.OpenFile(0, dir.write(QStringLiteral("QC0001.D01"), synthesizeStream(options))));
    const QImage before = window.picture().copy();
    report();

    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(told.empty());
    const QFileInfo written(opened[0]);
    EXPECT_EQ(written.absolutePath(), QDir(dir.path({})).absolutePath());
    EXPECT_TRUE(written.fileName().endsWith(QStringLiteral(".doc")));
    const std::vector<DocxParagraph> paragraphs = DocxFile(opened[0]).paragraphs();
    ASSERT_GE(paragraphs.size(), 11u);
    EXPECT_EQ(paragraphs[0].text, QStringLiteral("Brantel全数字钢轨探伤仪B超报告"));
    EXPECT_TRUE(paragraphs[1].text.startsWith(QStringLiteral("工(串)号: ")));
    EXPECT_EQ(paragraphs.back().pictures, 1);
    EXPECT_FALSE(progressBar()->isVisible());
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QDir::toNativeSeparators(opened[0])));
    // The view shows what it showed before, not the print picture.
    EXPECT_EQ(window.picture(), before);
}

TEST_F(WordReport, TheAScanReportOfTheFrameShownReplacesTheLastOne)
{
    openAScanRecord();
    EXPECT_TRUE(window.findChild<QAction *>(QStringLiteral("mnuWord"))->isEnabled());
    report();
    ASSERT_EQ(opened, QStringList{QDir(dir.path({})).filePath(QStringLiteral("Atemp.doc"))});
    const std::vector<DocxParagraph> first = DocxFile(opened[0]).paragraphs();
    ASSERT_EQ(first.size(), 6u);
    EXPECT_EQ(first[0].text, QStringLiteral("BrantelD全数字钢轨探伤仪A超报告"));
    EXPECT_EQ(first[5].pictures, 1);

    // Another frame: the same document, now of that frame.
    window.findChild<QScrollBar *>(QStringLiteral("HScroll_Pos"))->setValue(2);
    ASSERT_EQ(window.aScanFrame(), 0);
    report();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[1], opened[0]);
    EXPECT_EQ(DocxFile(opened[1]).paragraphs()[1].text,
              AScanReportText(window.panes().Slots[0].Frames[0]).body[0].text);
    EXPECT_TRUE(told.empty());
    EXPECT_FALSE(progressBar()->isVisible());

    // A program folder that takes no file: the user's documents, and the program says so.
    programDir = dir.path(QStringLiteral("no-such-folder"));
    report();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[2], QDir(dir.path(QStringLiteral("documents"))).filePath(QStringLiteral("Atemp.doc")));
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QDir::toNativeSeparators(opened[2])));
}

TEST_F(WordReport, ADocumentThatCannotBeWrittenIsAWarningAndNothingIsShown)
{
    openAScanRecord();
    // A folder where the document would go: no file can take its place.
    ASSERT_TRUE(QDir(dir.path({})).mkdir(QStringLiteral("Atemp.doc")));
    report();
    EXPECT_TRUE(opened.isEmpty());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].first, QMessageBox::Warning);
    EXPECT_EQ(told[0].second, WordTroubleMessage);
    EXPECT_FALSE(progressBar()->isVisible());
    EXPECT_TRUE(QFileInfo(dir.path(QStringLiteral("Atemp.doc"))).isDir());
    EXPECT_EQ(QDir(dir.path({})).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("AA0001.DAT")});
}

} // namespace
