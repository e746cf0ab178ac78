// The management file: whole 16-byte records or nothing, every field where the
// instrument puts it, and the raw dump byte for byte.

#include "analysis/ManagementFile.h"
#include "common/FileError.h"
#include "synth/ManagementRecordBuilder.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace brantview;

namespace {

// The power-on record the dump example shows.
const QByteArray PowerOnExample = MgRecordBuilder(1)
                                      .byte(1, 5).byte(2, 30).byte(3, 8).byte(4, 13).byte(5, 8).byte(6, 14)
                                      .byte(7, 0).byte(8, 12).byte(9, 1).byte(10, 244).byte(11, 11).byte(12, 184)
                                      .byte(13, 12).byte(14, 2).byte(15, 3)
                                      .bytes();

TEST(ManagementFile, AcceptsWholeRecordsOnly)
{
    for (const int size : {0, 1, 15, 17, 31, 33}) {
        EXPECT_THROW(ParseManagementRecords(QByteArray(size, '\1')), ManagementFileError) << size;
        TestFiles::TestDir dir;
        EXPECT_THROW(LoadManagementFile(dir.write("MG0001.DAT", QByteArray(size, '\1'))), ManagementFileError) << size;
    }
    for (const int size : {16, 32, 160}) {
        TestFiles::TestDir dir;
        EXPECT_EQ(LoadManagementFile(dir.write("MG0001.DAT", QByteArray(size, '\1'))).size(), size_t(size / 16));
    }
    TestFiles::TestDir dir;
    EXPECT_THROW(LoadManagementFile(dir.path("missing.DAT")), common::FileError);
    try {
        ParseManagementRecords(QByteArray(17, '\0'));
    } catch (const ManagementFileError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("文件格式不对或是空文件"));
    }
}

TEST(ManagementFile, FieldsOfEachLayout)
{
    const ManagementRecord on = ParseManagementRecords(PowerOnExample)[0];
    EXPECT_EQ(on.kind(), ManagementRecordKind::PowerOn);
    EXPECT_EQ(on.time().hour, 8);
    EXPECT_EQ(on.time().minute, 30);
    EXPECT_EQ(on.time().second, 5);
    EXPECT_EQ(on.date(), (ManagementDate{14, 8, 13}));
    EXPECT_EQ(on.date().toQDate(), QDate(2014, 8, 13));
    EXPECT_EQ(on.mileageMetres(), 12500);
    EXPECT_EQ(on.speedLimit(), 3000);
    EXPECT_EQ(on.lineNumber(), 12);
    EXPECT_EQ(on.directionBit(), 0);
    EXPECT_EQ(on.railSide(), 1);
    EXPECT_EQ(on.lineKind(), 3);

    // The high nibble of byte 15 extends the line number to 12 bits.
    const ManagementRecord wide =
        ParseManagementRecords(mgPowerOn({}, 1, 2, 3000, 0xABC, 4, 1, 0))[0];
    EXPECT_EQ(wide.lineNumber(), 0xABC);
    EXPECT_EQ(wide.lineKind(), 4);
    EXPECT_EQ(wide.directionBit(), 1);
    EXPECT_EQ(wide.railSide(), 0);

    const ManagementRecord change =
        ParseManagementRecords(mgClockChange({14, 8, 13, 9, 10, 11}, {15, 1, 2, 23, 58, 59}))[0];
    EXPECT_EQ(change.date(), (ManagementDate{14, 8, 13}));
    EXPECT_EQ(change.time().seconds(), 9 * 3600 + 10 * 60 + 11);
    EXPECT_EQ(change.newDate(), (ManagementDate{15, 1, 2}));
    EXPECT_EQ(change.newTime().seconds(), 23 * 3600 + 58 * 60 + 59);

    const ManagementRecord summary =
        ParseManagementRecords(mgOverspeedSummary({14, 8, 13, 10, 0, 7}, 12345, 101, 999, 2345, 5.67))[0];
    EXPECT_EQ(summary.operatorNumber(), 12345);
    EXPECT_EQ(summary.time().seconds(), 10 * 3600 + 7);
    EXPECT_EQ(summary.mileageMetres(), 101999);
    EXPECT_EQ(summary.summaryDistanceMetres(), 2345);
    EXPECT_DOUBLE_EQ(summary.summarySpeed(), 5.67);

    const ManagementRecord edge = ParseManagementRecords(mgOverspeedEdge(5, {}, 1, 2, 4.05, 3500))[0];
    EXPECT_DOUBLE_EQ(edge.overspeedSpeed(), 4.05);
    EXPECT_EQ(edge.overspeedLimit(), 3500);
}

TEST(ManagementFile, SixteenBitFieldsWithTheSignBitSetAreRefused)
{
    // Each 16-bit field in turn with a high byte of 128.
    for (const int offset : {7, 9, 11, 13, 4, 12}) {
        const ManagementRecord r = ParseManagementRecords(MgRecordBuilder(1).byte(offset, 128).bytes())[0];
        const bool refused = [&] {
            try {
                switch (offset) {
                case 7:
                case 9: (void)r.mileageMetres(); break;
                case 11: (void)r.speedLimit(); break;
                case 13: (void)r.overspeedLimit(); break;
                case 4: (void)r.operatorNumber(); break;
                case 12: (void)r.summaryDistanceMetres(); break;
                }
            } catch (const ManagementFieldError &) {
                return true;
            }
            return false;
        }();
        EXPECT_TRUE(refused) << offset;
    }
    EXPECT_EQ(ParseManagementRecords(MgRecordBuilder(1).word(7, 32767).bytes())[0].mileageMetres(), 32767000);
}

TEST(ManagementFile, DumpIsSixteenDecimalsPerLineWithCrLf)
{
    const QByteArray bytes = PowerOnExample + QByteArray(16, '\0') + MgRecordBuilder(255).byte(15, 200).bytes();
    EXPECT_EQ(ManagementDumpText(ParseManagementRecords(bytes)),
              QByteArray("1,5,30,8,13,8,14,0,12,1,244,11,184,12,2,3\r\n"
                         "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n"
                         "255,0,0,0,0,0,0,0,0,0,0,0,0,0,0,200\r\n"));

    TestFiles::TestDir dir;
    const QString mg = dir.write("MG0001.DAT", bytes);
    EXPECT_EQ(ManagementSiblingPath(mg, "xls"), dir.path("MG0001.xls"));
    EXPECT_EQ(WriteManagementDump(mg, ParseManagementRecords(bytes)), dir.path("MG0001.txt"));
    EXPECT_EQ(TestFiles::readBytes(dir.path("MG0001.txt")), ManagementDumpText(ParseManagementRecords(bytes)));

    // A file whose dump would be itself keeps its bytes.
    const QString named = dir.write("MG0002.txt", bytes);
    EXPECT_THROW(WriteManagementDump(named, ParseManagementRecords(bytes)), common::FileError);
    EXPECT_EQ(TestFiles::readBytes(named), bytes);
}

} // namespace
