// Sample recordings: reproducible, loadable, and holding what a real inspection holds.

#include "TestStdFixtures.h"

#include "recording/StdFormat.h"
#include "recording/StdText.h"
#include "synth/StdSynth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>

namespace {

StdSynthOptions smallRecording(uint32_t seed = 7)
{
    StdSynthOptions options;
    options.subFiles = 3;
    options.metres = 120.0;
    options.seed = seed;
    return options;
}

TEST(StdSynth, SameOptionsGiveSameBytesAndSeedsDiffer)
{
    const QByteArray first = synthesizeStd(smallRecording(7));
    EXPECT_EQ(first, synthesizeStd(smallRecording(7)));
    EXPECT_NE(first, synthesizeStd(smallRecording(8)));
}

TEST(StdSynth, RawDigitsChangeOnlyHowEchoCodesAreStored)
{
    StdSynthOptions raw = smallRecording();
    raw.rawDigits = true;
    const QByteArray rawBytes = synthesizeStd(raw);
    const QByteArray charBytes = synthesizeStd(smallRecording());
    ASSERT_EQ(rawBytes.size(), charBytes.size());
    EXPECT_NE(rawBytes, charBytes);

    StdTest::StdFileDir dir;
    const auto fromRaw = StdTest::loadStd(dir.write(QStringLiteral("raw.std"), rawBytes));
    const auto fromChars = StdTest::loadStd(dir.write(QStringLiteral("chars.std"), charBytes));
    ASSERT_EQ(fromRaw->std_filecount, fromChars->std_filecount);
    for (int k = 0; k < fromRaw->std_filecount; ++k)
        EXPECT_EQ(StdTest::packetValues(fromRaw->std_packets[k]), StdTest::packetValues(fromChars->std_packets[k]));
}

struct VersionCase {
    const char *version;
    bool warned;
};

class StdSynthVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(StdSynthVersion, LoadsWithTheRequestedShape)
{
    StdSynthOptions options = smallRecording();
    options.version = QString::fromLatin1(GetParam().version);
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write(QStringLiteral("synth.std"), synthesizeStd(options)));

    ASSERT_EQ(file->std_filecount, 3);
    EXPECT_EQ(!file->loadWarnings.isEmpty(), GetParam().warned);
    EXPECT_FALSE(file->std_Replayed);
    int64_t rows = 0;
    bool railTypeSwitched = false, gainChanged = false;
    for (int k = 0; k < 3; ++k) {
        const TSYSTEMPARA &para = file->std_systemparas[k];
        EXPECT_EQ(stdText(para.m_Version, 20), options.version);
        EXPECT_EQ(para.m_ImgRowIdx, file->std_scandataindexs[k].m_PacketIndexCount);
        EXPECT_GT(file->std_RecordCount[k], 0);
        rows += file->std_scandataindexs[k].m_PacketIndexCount;
        railTypeSwitched |= file->arr_RailTypeArea[k].size() > 1;
        gainChanged |= file->arr_Gain[k].size() > 1;
    }
    // 500 rows a metre, plus the rows repeated while the carriage stood still.
    EXPECT_GE(rows, 60000);
    EXPECT_LE(rows, 60000 + 3 * 3 * 40);
    EXPECT_TRUE(railTypeSwitched);
    EXPECT_TRUE(gainChanged);
}

INSTANTIATE_TEST_SUITE_P(Versions, StdSynthVersion,
                         testing::Values(VersionCase{"1.7.X", false}, VersionCase{"1.6.X", false},
                                         VersionCase{"1.3.0", true}));

// Everything the replay reads from the records: kinds, operator numbers, mileage and speed.
TEST(StdSynth, RecordsAreThoseOfAnInspection)
{
    StdTest::StdFileDir dir;
    const auto file = StdTest::loadStd(dir.write(QStringLiteral("synth.std"), synthesizeStd(smallRecording())));

    std::set<char16_t> kinds;
    for (int k = 0; k < file->std_filecount; ++k) {
        const TSYSTEMPARA &para = file->std_systemparas[k];
        const int sense = para.m_Direction == 1 ? -1 : 1;
        std::set<int> operators;
        for (int i = 0; i < para.m_OperatorCount; ++i)
            operators.insert(stdText(para.m_OperatorRecord[i], 8).left(3).toInt());
        const auto &packets = file->std_packets[k];
        const auto &index = file->std_packetindexs[k];
        int64_t metre = 0;
        for (size_t r = 0; r < index.size(); ++r) {
            const StdFormat::RowPackets row = file->rowPackets(k, int64_t(r));
            ASSERT_TRUE(row.valid());
            bool backEchoOrLost = false;
            for (int64_t p = row.echoBegin; p < row.echoEnd; ++p) {
                const TPACKET &echo = packets[p];
                ASSERT_TRUE(StdFormat::isEchoCode(echo.m_Cmd));
                backEchoOrLost |= echo.m_Cmd == u'5' || echo.m_Cmd == u'9';
                if (echo.m_Cmd != u'9') {
                    EXPECT_LT(echo.m_Data1, echo.m_Data2);
                    EXPECT_LE(echo.m_Data2, 400);
                    EXPECT_GT(echo.m_Data1, 0);
                }
            }
            EXPECT_TRUE(backEchoOrLost) << "row " << r;
            for (int64_t p = row.recordBegin; p < row.recordEnd; ++p) {
                const TPACKET &record = packets[p];
                kinds.insert(record.m_Cmd);
                if (record.m_Cmd == u'M' && metre == 0) {
                    // The first mileage record reads the start point.
                    EXPECT_EQ(record.m_Data1 * 1000 + record.m_Data2, para.m_StartPointKm * 1000 + para.m_StartPointM);
                    EXPECT_EQ(r, 0u);
                }
                if (record.m_Cmd == u'M')
                    ++metre;
                if (record.m_Cmd == u'O') {
                    EXPECT_GE(record.m_Data1, 380);
                    EXPECT_LE(record.m_Data1, 880);
                    EXPECT_LT(record.m_Data2, 1440);
                }
                if (record.m_Cmd == u'U') {
                    EXPECT_TRUE(operators.contains(record.m_Data1));
                }
                if (record.m_Cmd == u'D') {
                    EXPECT_GT(record.m_Data1, 0);
                }
            }
        }
        const int64_t start = para.m_StartPointKm * 1000 + para.m_StartPointM;
        const int64_t end = para.m_MileageKm * 1000 + para.m_MileageM;
        EXPECT_NEAR(double(sense * (end - start)), double(metre), 4.0) << "sub-file " << k;
    }
    for (char16_t kind : std::u16string_view(u"MOJKBDNUVP"))
        EXPECT_TRUE(kinds.contains(kind)) << char(kind);
    EXPECT_TRUE(std::any_of(kinds.begin(), kinds.end(), [](char16_t c) { return c >= u'a' && c <= u'i'; }));
}

} // namespace
