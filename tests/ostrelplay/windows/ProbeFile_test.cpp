// "probefile.ini": the 100 named probe sets, and the save and load buttons of the
// probe-file window.

#include "TestStdFixtures.h"

#include "windows/ProbeFile.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Positions = std::array<int32_t, 9>;

class ProbeFileTest : public ::testing::Test {
protected:
    QString iniPath() const { return dir.path("probefile.ini"); }
    void writeIni(const QByteArray &text) const { dir.write("probefile.ini", text); }
    QString iniText() const { return QString::fromUtf8(StdTest::readBytes(iniPath())); }

    StdTest::StdFileDir dir;
    ProbePositions probes{};
};

TEST_F(ProbeFileTest, MissingFileListsOneHundredUnnamedEntries)
{
    const ProbeFile file(iniPath());

    for (int row = 0; row < ProbeFile::EntryCount; ++row) {
        EXPECT_EQ(file.entry(row).name, "未命名") << row;
        EXPECT_EQ(file.entry(row).positions, Positions{}) << row;
    }
    EXPECT_THROW(file.entry(ProbeFile::EntryCount), std::out_of_range);
    EXPECT_THROW(file.entry(-1), std::out_of_range);
}

TEST_F(ProbeFileTest, ReadsNamesAndPositionsCaseInsensitivelyAndDefaultsWhatIsDamaged)
{
    writeIni("[PROBEFILENAME]\n3=仪器三\n99=最后\n"
             "[3]\n0=120\n1=abc\n8=1600\n"
             "[99]\n5=-7\n");

    const ProbeFile file(iniPath());

    EXPECT_EQ(file.entry(3).name, "仪器三");
    EXPECT_EQ(file.entry(3).positions, (Positions{120, 0, 0, 0, 0, 0, 0, 0, 1600}));
    EXPECT_EQ(file.entry(99).name, "最后");
    EXPECT_EQ(file.entry(99).positions, (Positions{0, 0, 0, 0, 0, -7, 0, 0, 0}));
    EXPECT_EQ(file.entry(4).name, "未命名");
}

TEST_F(ProbeFileTest, SaveStoresTheRecordingsPositionsUnderTheSelectedRow)
{
    probes = {350, 360, 370, 100, 380, 390, 400, 410, 420};
    ProbeFile file(iniPath());

    EXPECT_EQ(saveProbeEntry(file, 5, QStringLiteral("仪器A"), &probes), std::nullopt);

    const ProbeFile reread(iniPath());
    EXPECT_EQ(reread.entry(5).name, "仪器A");
    EXPECT_EQ(reread.entry(5).positions, probes);
    EXPECT_EQ(reread.entry(4).name, "未命名");
    // Every entry is written: names under "probefilename", positions under the entry number.
    const QString text = iniText();
    EXPECT_TRUE(text.contains("[probefilename]\n0=未命名\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("5=仪器A\n"));
    EXPECT_TRUE(text.contains("[5]\n0=350\n1=360\n2=370\n3=100\n"));
    EXPECT_TRUE(text.contains("[99]\n0=0\n"));
}

TEST_F(ProbeFileTest, SaveKeepsOtherContentOfTheFile)
{
    writeIni("[other]\nkey=value\n[probefilename]\n7=旧名\n");
    probes = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    ProbeFile file(iniPath());

    saveProbeEntry(file, 0, QStringLiteral("新"), &probes);

    const QString text = iniText();
    EXPECT_TRUE(text.startsWith("[other]\nkey=value\n"));
    EXPECT_EQ(ProbeFile(iniPath()).entry(7).name, "旧名");
}

TEST_F(ProbeFileTest, SaveWithoutRowOrRecordingWritesTheEntriesUnchanged)
{
    probes = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    struct Case {
        std::optional<int> row;
        const ProbePositions *probes;
    };
    for (const Case &c : {Case{std::nullopt, &probes}, Case{2, nullptr}}) {
        QFile::remove(iniPath());
        ProbeFile file(iniPath());

        EXPECT_EQ(saveProbeEntry(file, c.row, QStringLiteral("名"), c.probes), std::nullopt);

        const ProbeFile reread(iniPath());
        EXPECT_TRUE(QFileInfo::exists(iniPath()));
        EXPECT_EQ(reread.entry(2).name, "未命名");
        EXPECT_EQ(reread.entry(2).positions, Positions{});
    }
}

TEST_F(ProbeFileTest, SaveWithAnEmptyNameAsksForOneAndWritesNothing)
{
    ProbeFile file(iniPath());

    EXPECT_EQ(saveProbeEntry(file, 0, QString(), &probes), QStringLiteral("请输入文件名！！"));

    EXPECT_FALSE(QFileInfo::exists(iniPath()));
    EXPECT_EQ(file.entry(0).name, "未命名");
}

TEST_F(ProbeFileTest, LoadAppliesTheFirstEntryOfThatName)
{
    writeIni("[probefilename]\n10=仪器B\n20=仪器B\n[10]\n0=500\n8=90\n[20]\n0=1\n");
    const ProbeFile file(iniPath());

    const ProbeEntryLookup found = loadProbeEntry(file, QStringLiteral("仪器B"), &probes);

    EXPECT_EQ(found.row, 10);
    EXPECT_EQ(probes, (Positions{500, 0, 0, 0, 0, 0, 0, 0, 90}));
}

TEST_F(ProbeFileTest, LoadOfAnUnknownNameSaysSoAndChangesNothing)
{
    writeIni("[probefilename]\n0=仪器B\n[0]\n0=500\n");
    const ProbeFile file(iniPath());
    probes = {1, 2, 3, 4, 5, 6, 7, 8, 9};

    for (const char *name : {"仪器C", "仪器b", ""}) {
        const ProbeEntryLookup found = loadProbeEntry(file, QString::fromUtf8(name), &probes);

        EXPECT_EQ(found.row, std::nullopt) << name;
        EXPECT_EQ(found.message, "未找到探头文件，请确定改文件名是否存在！");
        EXPECT_EQ(probes, (Positions{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }
}

TEST_F(ProbeFileTest, LoadWithoutRecordingStillFindsTheRow)
{
    const ProbeFile file(iniPath());

    EXPECT_EQ(loadProbeEntry(file, QStringLiteral("未命名"), nullptr).row, 0);
}

TEST(ProbeFileModes, TitleAndButtonNameTheMode)
{
    EXPECT_EQ(probeFileTitle(ProbeFileMode::Save), "保存探头位置");
    EXPECT_EQ(probeFileButton(ProbeFileMode::Save), "保存");
    EXPECT_EQ(probeFileTitle(ProbeFileMode::Load), "读取探头位置");
    EXPECT_EQ(probeFileButton(ProbeFileMode::Load), "读取");
}

} // namespace
