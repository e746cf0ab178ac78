#include "recording/RecordingLoader.h"
#include "recording/RecordingErrors.h"
#include "recording/StreamWriter.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

RecordingSlot load(const QByteArray &bytes, bool firstPane = true)
{
    TestFiles::TestDir dir;
    return LoadRecordingFile(dir.write(QStringLiteral("QC0001.D01"), bytes), firstPane, QDateTime::currentDateTime());
}

TEST(RecordingLoader, ThreeBytesAreOneRecordClosingTheOnlyColumn)
{
    StreamWriter w;
    w.record(1, 0, 40);
    const RecordingSlot slot = load(w.bytes());
    ASSERT_EQ(slot.Records.size(), 1u);
    ASSERT_EQ(slot.Columns.size(), 1u);
    EXPECT_EQ(slot.Columns[0].position, 0);
    EXPECT_EQ(slot.Columns[0].first, 0);
    EXPECT_EQ(slot.Columns[0].last, 0);
}

} // namespace
