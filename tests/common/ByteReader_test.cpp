// The byte reader: packed little-endian records in order, reads that would run
// past the end refused without moving, and the zero-filled tail of a short record.

#include "common/ByteReader.h"
#include "common/FileError.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

#pragma pack(push, 1)
struct Record {
    int32_t number;
    int16_t small;
    char16_t unit;
    uint8_t flag;
};
#pragma pack(pop)
static_assert(sizeof(Record) == 9);

const QByteArray kBytes = QByteArray::fromHex("78563412" "feff" "3153" "07" "0a000000" "abcd");

TEST(ByteReader, ReadsPackedRecordsInOrder)
{
    common::ByteReader reader(kBytes.constData(), size_t(kBytes.size()));
    const auto record = reader.read<Record>();
    EXPECT_EQ(record.number, 0x12345678);
    EXPECT_EQ(record.small, -2);
    EXPECT_EQ(record.unit, u'匱');
    EXPECT_EQ(record.flag, 7);
    EXPECT_EQ(reader.position(), 9u);
    EXPECT_EQ(reader.read<int32_t>(), 10);
    EXPECT_EQ(reader.remaining(), 2u);
    EXPECT_EQ(reader.readArray<uint8_t>(2), (std::vector<uint8_t>{0xAB, 0xCD}));
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(ByteReader, ReadsPastTheEndAreRefusedWithoutMoving)
{
    const size_t huge = std::numeric_limits<size_t>::max() / 2;
    const struct {
        const char *name;
        void (*read)(common::ByteReader &);
    } cases[] = {
        {"record", [](common::ByteReader &r) { r.read<Record>(); }},
        {"array", [](common::ByteReader &r) { r.readArray<int32_t>(2); }},
        {"array whose byte count overflows", [](common::ByteReader &r) { r.readArray<int32_t>(huge); }},
        {"skip", [](common::ByteReader &r) { r.skip(9); }},
        {"seek", [](common::ByteReader &r) { r.seek(16); }},
    };
    for (const auto &c : cases) {
        common::ByteReader reader(kBytes.constData(), size_t(kBytes.size()), QStringLiteral("a.std"));
        reader.skip(8);
        try {
            c.read(reader);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const common::FileError &error) {
            EXPECT_EQ(error.path(), QStringLiteral("a.std")) << c.name;
            EXPECT_TRUE(error.text().contains(QStringLiteral("a.std"))) << c.name;
        }
        EXPECT_EQ(reader.position(), 8u) << c.name;
    }
}

TEST(ByteReader, ZeroFilledReadTakesWhatIsLeft)
{
    common::ByteReader reader(kBytes.constData(), size_t(kBytes.size()));
    reader.seek(9);
    const auto tail = reader.readZeroFilled<Record>();
    EXPECT_EQ(tail.number, 10);
    EXPECT_EQ(uint16_t(tail.small), 0xCDABu);
    EXPECT_EQ(tail.unit, u'\0');
    EXPECT_EQ(tail.flag, 0);
    EXPECT_EQ(reader.remaining(), 0u);
    const auto past = reader.readZeroFilled<Record>();
    EXPECT_EQ(past.number, 0);
}

} // namespace
