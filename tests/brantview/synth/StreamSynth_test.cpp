#include "synth/StreamSynth.h"

#include "recording/FindTableEntry.h"
#include "recording/Packets.h"
#include "recording/RecordingLoader.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

using namespace brantview;

namespace {

RecordingSlot load(const QByteArray &bytes)
{
    TestFiles::TestDir dir;
    return LoadRecordingFile(dir.write(QStringLiteral("QC0001.D01"), bytes), true,
                             QDateTime(QDate(2024, 5, 1), QTime(9, 0)));
}

StreamSynthOptions fullCourseOptions(int firmwareVersion)
{
    StreamSynthOptions options;
    options.length = 600;
    options.seed = 7;
    options.firmwareVersion = firmwareVersion;
    options.reviewer = "Zhang";
    return options;
}

// Loaded once per firmware: the tests below only read it.
const RecordingSlot &fullCourse(int firmwareVersion)
{
    static std::map<int, RecordingSlot> loaded;
    auto found = loaded.find(firmwareVersion);
    if (found == loaded.end())
        found = loaded.emplace(firmwareVersion, load(synthesizeStream(fullCourseOptions(firmwareVersion)))).first;
    return found->second;
}

ParamBlock paramsAt(const RecordingSlot &slot, int64_t position)
{
    const ParamEntry *entry = entryInEffect(slot.ParamTable, position);
    ParamBlock block;
    for (int k = 1; k <= PacketLength::Param; ++k)
        block.set(k, (*entry)[size_t(k)]);
    return block;
}

std::map<int, int64_t> codeCounts(const RecordingSlot &slot)
{
    std::map<int, int64_t> counts;
    for (size_t i = 0; i < slot.Records.size(); ++i)
        ++counts[slot.Records[i].code()];
    return counts;
}

class FullCourse : public testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(Firmware, FullCourse, testing::Values(650, 720));

TEST(StreamSynth, SameSeedSameBytesOtherSeedOtherBytes)
{
    StreamSynthOptions options;
    options.length = 150;
    for (const RecordKind kind : {RecordKind::FullCourse, RecordKind::SelectedPoint}) {
        for (const int firmware : {650, 720}) {
            options.kind = kind;
            options.firmwareVersion = firmware;
            options.seed = 3;
            const QByteArray bytes = synthesizeStream(options);
            EXPECT_EQ(synthesizeStream(options), bytes);
            options.seed = 4;
            EXPECT_NE(synthesizeStream(options), bytes);
        }
    }
}

TEST_P(FullCourse, LoadsWithEveryTableAndEveryMarkKind)
{
    const RecordingSlot &slot = fullCourse(GetParam());
    ASSERT_TRUE(slot.isStream());
    // The few damaged records are those placed on purpose.
    EXPECT_GT(slot.MarkCounts[MarkCountIndex::Error], 0);
    EXPECT_LT(slot.MarkCounts[MarkCountIndex::Error], slot.RecordCount / 10000);
    EXPECT_FALSE(slot.MileageTable.empty());
    EXPECT_FALSE(slot.GainTable.empty());
    EXPECT_FALSE(slot.GpsTable.empty());
    EXPECT_FALSE(slot.ParamTable.empty());
    EXPECT_FALSE(slot.RailSetup55Table.empty());
    EXPECT_EQ(slot.RailSetup56Table.empty(), GetParam() < 700);
    EXPECT_FALSE(slot.SwitchTable.empty());
    EXPECT_FALSE(slot.TrackTable.empty());
    EXPECT_FALSE(slot.CalibrationTable.empty());
    for (int k = 0; k < MarkCountIndex::Count; ++k)
        EXPECT_GT(slot.MarkCounts[size_t(k)], 0) << "mark count " << k;
    EXPECT_GE(slot.CurveMarkCount, 2);
    for (const ParamEntry &entry : slot.ParamTable) {
        const ParamBlock block = paramsAt(slot, entry[0]);
        EXPECT_EQ(block.firmwareVersion(), GetParam());
        EXPECT_EQ(block.byte(46), 1);
        EXPECT_NEAR(block.stepLengthMm(), 2.94, 0.05);
    }
}

TEST_P(FullCourse, MileageSampleEvery357StepsWithSpeedAndTime)
{
    const RecordingSlot &slot = fullCourse(GetParam());
    const auto &table = slot.MileageTable;
    ASSERT_GT(table.size(), 500u);
    int standstills = 0;
    int64_t fastest = 0;
    for (size_t i = 1; i < table.size(); ++i) {
        const int64_t gap = table[i][MileageField::Position] - table[i - 1][MileageField::Position];
        EXPECT_GE(gap, 356);
        EXPECT_LE(gap, 359);
        // About 1.05 m per sample, but where the mileage was checked against a post.
        EXPECT_LE(std::abs(table[i][MileageField::Mileage] - table[i - 1][MileageField::Mileage]), 45);
        standstills += table[i][MileageField::Speed] == 0;
        fastest = std::max(fastest, table[i][MileageField::Speed]);
    }
    EXPECT_GT(standstills, 0);
    EXPECT_GT(fastest, 60);
    EXPECT_LE(fastest, 120);
}

TEST_P(FullCourse, EchoesOfEveryCodeTheConfigurationsWrite)
{
    const std::map<int, int64_t> counts = codeCounts(fullCourse(GetParam()));
    std::set<int> expected = {26, 27, 28, 29, 30, 31, 33};
    for (int code = 1; code <= 23; ++code)
        expected.insert(code);
    // From 700 on the parameters name channel "6" only as a forward or backward 70°.
    if (GetParam() >= 700)
        expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 18, 19, 20, 21, 22, 23, 26, 27, 28, 29, 30, 31, 33};
    for (const int code : expected)
        EXPECT_GT(counts.count(code) ? counts.at(code) : 0, 0) << "code " << code;
}

TEST_P(FullCourse, DenseColumnsOfMostlyOneStep)
{
    const RecordingSlot &slot = fullCourse(GetParam());
    EXPECT_GE(double(slot.Records.size()) / double(slot.Columns.size()), 2.5);
    std::map<int, int64_t> steps;
    for (size_t i = 1; i < slot.Columns.size(); ++i)
        ++steps[slot.Columns[i].position - slot.Columns[i - 1].position];
    EXPECT_GT(steps[1], int64_t(slot.Columns.size() * 8 / 10));
    EXPECT_GT(steps[2], 0);
}

// Drawn positions of the echoes of `code`: the column position shifted by the sound
// path times the sine of the probe angle, in Steps.
std::vector<int64_t> drawnPositions(const RecordingSlot &slot, int code, double sine)
{
    std::vector<int64_t> positions;
    for (const Column &column : slot.Columns) {
        const double step = paramsAt(slot, column.position).stepLengthMm();
        for (int32_t r = column.first; r <= column.last; ++r) {
            const StreamRecord record = slot.Records[size_t(r)];
            if (record.code() == code)
                positions.push_back(int64_t(std::nearbyint(column.position + record.data() * sine / step)));
        }
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

TEST_P(FullCourse, ForwardAndBackwardEchoesMeetOnTheReflector)
{
    const RecordingSlot &slot = fullCourse(GetParam());
    struct Pair {
        int forward, backward;
        double sine;
    };
    // 37° "3"/"4"; 70° "1" forward and "2" backward; "2A" forward and "1A" backward.
    for (const Pair pair : {Pair{5, 8, 0.6018}, Pair{1, 4, 0.9397}, Pair{20, 19, 0.9397}}) {
        const std::vector<int64_t> forward = drawnPositions(slot, pair.forward, pair.sine);
        const std::vector<int64_t> backward = drawnPositions(slot, pair.backward, -pair.sine);
        ASSERT_GT(forward.size(), 100u);
        size_t met = 0;
        for (const int64_t p : forward) {
            const auto near = std::lower_bound(backward.begin(), backward.end(), p - 6);
            met += near != backward.end() && *near <= p + 6;
        }
        // Noise meets nothing, the reflectors' echoes do; drawn with the wrong shift the
        // share falls below 0.4.
        EXPECT_GT(double(met) / double(forward.size()), 0.5) << "codes " << pair.forward << ", " << pair.backward;
    }
}

TEST_P(FullCourse, ColumnsCloseOnTheBackEchoAtTheRailBottomLostUnderHoles)
{
    const RecordingSlot &slot = fullCourse(GetParam());
    static constexpr int railHeights[4] = {140, 152, 176, 192};
    int64_t withBackEcho = 0;
    int64_t holeColumns = 0;
    for (size_t c = 1; c < slot.Columns.size(); ++c) {
        const Column &column = slot.Columns[c];
        const int step = column.position - slot.Columns[c - 1].position;
        const StreamRecord last = slot.Records[size_t(column.last)];
        ASSERT_EQ(last.step(), step);
        const int height = railHeights[(*entryInEffect(slot.GainTable, column.position + 1))[11]];
        bool lost = false;
        bool hole = false;
        for (int32_t r = column.first; r <= column.last; ++r) {
            const StreamRecord record = slot.Records[size_t(r)];
            lost |= record.code() == 11 && record.data() == 0;
            hole |= record.code() == Code::ZeroBandMarker6;
        }
        if (hole) {
            ++holeColumns;
            EXPECT_TRUE(lost) << "column " << c;
        }
        if (lost)
            continue;
        ++withBackEcho;
        // Two steps at once close on the 0° channel's second kind.
        EXPECT_EQ(last.code(), step == 2 ? 33 : 11);
        EXPECT_GE(last.data(), height);
        EXPECT_LE(last.data(), height + 4);
    }
    EXPECT_GT(holeColumns, 100);
    EXPECT_GT(withBackEcho, int64_t(slot.Columns.size() * 95 / 100));
}

TEST_P(FullCourse, PullCalibrationRunFollowsItsPointInsideOneColumn)
{
    const RecordingSlot &slot = fullCourse(GetParam());
    int points = 0;
    for (size_t r = 0; r < slot.Records.size(); ++r) {
        if (slot.Records[r].code() != Code::CalibrationPoint)
            continue;
        ++points;
        size_t i = r + 1;
        int64_t travelled = 0;
        while (i < slot.Records.size() && slot.Records[i].code() >= 80 && slot.Records[i].code() <= 115)
            travelled += slot.Records[i++].step();
        ASSERT_LT(i, slot.Records.size());
        EXPECT_LT(slot.Records[i].code(), 24);
        travelled += slot.Records[i].step();
        // The run spans the pulled distance, at the step length in effect before the calibration.
        const CalibrationEntry &packet = slot.CalibrationTable[size_t(points - 1)];
        const double pulledMm = (packet[1] * 256 + packet[2]) * 10.0;
        EXPECT_NEAR(double(travelled), pulledMm / paramsAt(slot, packet[0] - 1).stepLengthMm(), 3.0);
        // It takes no room in the view: its end closes the point's column.
        size_t lo = 0;
        size_t hi = slot.Columns.size();
        while (hi - lo > 1) {  // the last column starting at or before the point
            const size_t mid = (lo + hi) / 2;
            (slot.Columns[mid].first <= int32_t(r) ? lo : hi) = mid;
        }
        EXPECT_GE(slot.Columns[lo].last, int32_t(i));
    }
    EXPECT_GT(points, 0);
    EXPECT_EQ(size_t(points), slot.CalibrationTable.size());
}

TEST_P(FullCourse, ReviewMarksSitOnMileagePostsWithTheParametersInEffect)
{
    const RecordingSlot &slot = fullCourse(GetParam());
    ASSERT_TRUE(slot.HasTrailer);
    EXPECT_EQ(slot.ReplayerName, QByteArray("Zhang   "));
    ASSERT_FALSE(slot.ReviewMarks.empty());
    EXPECT_EQ(slot.ReviewMarks.front().kind, ReviewMarkKind::BrowseStart);
    EXPECT_EQ(slot.ReviewMarks.back().kind, ReviewMarkKind::BrowseEnd);
    std::set<int> kinds;
    int64_t fishScaleStart = -1;
    for (const ReviewMark &mark : slot.ReviewMarks) {
        kinds.insert(mark.kind);
        EXPECT_GE(mark.markYear(), 2006);
        if (mark.kind == ReviewMarkKind::BrowseEnd) {
            EXPECT_GT(mark.viewingMinutes(), 0);
        }
        if (mark.kind > ReviewMarkKind::Watch4)
            continue;
        const auto post = std::find_if(slot.MileageTable.begin(), slot.MileageTable.end(), [&](const MileageEntry &e) {
            return e[MileageField::Position] == mark.position();
        });
        ASSERT_NE(post, slot.MileageTable.end()) << "mark at " << mark.position();
        EXPECT_EQ(int64_t(mark.mileage()), (*post)[MileageField::Mileage]);
        const std::array<uint8_t, 9> params = paramsAt(slot, mark.position()).reviewMarkParams();
        EXPECT_TRUE(std::equal(params.begin(), params.end(), mark.params));
        if (mark.kind == ReviewMarkKind::FishScaleStart)
            fishScaleStart = mark.position();
        if (mark.kind == ReviewMarkKind::FishScaleEnd) {
            EXPECT_LE(fishScaleStart, mark.position());
        }
    }
    for (const int kind : {1, 2, 3, 4, 5, 6, 7, 8, 200, 201})
        EXPECT_TRUE(kinds.count(kind)) << "kind " << kind;
}

TEST(StreamSynth, NoReviewerNoTrailer)
{
    StreamSynthOptions options;
    options.length = 100;
    const QByteArray bytes = synthesizeStream(options);
    const RecordingSlot slot = load(bytes);
    EXPECT_EQ(bytes.size() % RecordLength, 0);
    EXPECT_EQ(slot.ParsedBytes, slot.FileLength);
    EXPECT_FALSE(slot.HasTrailer);
    // The first byte does not pass for an A-scan record.
    EXPECT_NE(uint8_t(bytes[0]) & 0xF0, 0x80);
}

TEST(StreamSynth, SelectedPointRecordIsPiecesAroundMarkedPoints)
{
    StreamSynthOptions options;
    options.kind = RecordKind::SelectedPoint;
    options.firmwareVersion = 720;
    options.length = 300;
    options.seed = 5;
    const RecordingSlot slot = load(synthesizeStream(options));
    for (const ParamEntry &entry : slot.ParamTable) {
        EXPECT_NE(entry[46], 1) << "record kind";
        EXPECT_GE(entry[38], 1) << "damage degree";
    }
    // Between pieces the mileage jumps; every piece holds its "#".
    int pieces = 1;
    for (size_t i = 1; i < slot.MileageTable.size(); ++i)
        pieces +=
            std::abs(slot.MileageTable[i][MileageField::Mileage] - slot.MileageTable[i - 1][MileageField::Mileage])
            > 100;
    EXPECT_GE(pieces, 5);
    EXPECT_GE(slot.MarkCounts[MarkKind::SelectedPoint - 1], pieces - 1);
    EXPECT_LE(slot.MarkCounts[MarkKind::SelectedPoint - 1], pieces);
    const double metres = slot.Columns.back().position * paramsAt(slot, slot.Columns.back().position).stepLengthM();
    EXPECT_NEAR(metres, options.length, options.length * 0.03);
}

TEST(StreamSynth, MinimumBytesCarriesTheRailOn)
{
    StreamSynthOptions options;
    options.length = 10;
    options.minimumBytes = 1 << 20;
    const QByteArray bytes = synthesizeStream(options);
    EXPECT_GE(bytes.size(), options.minimumBytes);
    EXPECT_LT(bytes.size(), options.minimumBytes + 4096);
    const RecordingSlot slot = load(bytes);
    EXPECT_GT(slot.MileageTable.size(), 300u);
}

}  // namespace
