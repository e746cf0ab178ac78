// The "Write #" / "Input #" list format: what each field reads as, what the writer
// puts on a line, and that no input, however broken, makes the reader misbehave.

#include "recording/ListFormat.h"

#include "common/SynthRandom.h"
#include "common/TextDecoding.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace brantview;
using Kind = ListField::Kind;

namespace {

std::vector<ListField> fieldsOfOneLine(const QString &line)
{
    ListReader reader(line);
    std::vector<ListField> fields;
    if (!reader.nextLine())
        return fields;
    while (!reader.atLineEnd())
        fields.push_back(reader.nextField());
    return fields;
}

TEST(ListFormat, FieldsReadAsTheirKinds)
{
    const std::vector<ListField> fields =
        fieldsOfOneLine(QStringLiteral(" 12 ,-3.5,\"宋体, 粗\",#TRUE#, #false# ,,1.5E+20,\"\", \"a b\" ,+7,"));
    const std::vector<std::pair<Kind, QString>> expected{
        {Kind::Number, "12"},  {Kind::Number, "-3.5"}, {Kind::String, "宋体, 粗"}, {Kind::Boolean, ""},
        {Kind::Boolean, ""},   {Kind::Empty, ""},      {Kind::Number, "1.5E+20"},  {Kind::String, ""},
        {Kind::String, "a b"}, {Kind::Number, "+7"},   {Kind::Empty, ""},
    };
    ASSERT_EQ(fields.size(), expected.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i].kind, expected[i].first) << i;
        EXPECT_EQ(fields[i].text, expected[i].second) << i;
    }
    EXPECT_TRUE(fields[3].boolean);
    EXPECT_FALSE(fields[4].boolean);
}

TEST(ListFormat, MalformedFieldsSayWhyAndTheLineGoesOn)
{
    const struct {
        const char *line;
        int malformedField;  // 0-based
        const char *reason;
        size_t fieldCount;
    } cases[] = {
        {"1,abc,3", 1, "“abc”不是数字", 3},
        {"1,\"open,3", 1, "引号没有结束", 2},
        {"\"a\"b,2", 0, "引号后面还有文字“b”", 2},
        {"1,2.3.4", 1, "“2.3.4”不是数字", 2},
        {"nan,inf", 0, "“nan”不是数字", 2},
        {"#NULL#", 0, "“#NULL#”不是数字", 1},
        {"1e,2", 0, "“1e”不是数字", 2},
    };
    for (const auto &c : cases) {
        const std::vector<ListField> fields = fieldsOfOneLine(QString::fromUtf8(c.line));
        ASSERT_EQ(fields.size(), c.fieldCount) << c.line;
        EXPECT_EQ(fields[size_t(c.malformedField)].kind, Kind::Malformed) << c.line;
        EXPECT_TRUE(fields[size_t(c.malformedField)].text.startsWith(QString::fromUtf8(c.reason)))
            << c.line << ": " << fields[size_t(c.malformedField)].text.toStdString();
    }

    // A line of garbage is quoted short enough for a message box.
    const std::vector<ListField> garbage = fieldsOfOneLine(QString(100000, u'x'));
    ASSERT_EQ(garbage.size(), 1u);
    EXPECT_TRUE(garbage[0].text.startsWith(u'“' + QString(40, u'x') + QStringLiteral("…”不是数字")));
    EXPECT_LT(garbage[0].text.size(), 100);
}

TEST(ListFormat, LinesAndBlankLines)
{
    ListReader reader(QStringLiteral("1,2\r\n\r\n   \n\"x\"\n"));
    std::vector<int> fieldsPerLine;
    while (reader.nextLine()) {
        int n = 0;
        while (!reader.atLineEnd()) {
            reader.nextField();
            ++n;
        }
        fieldsPerLine.push_back(n);
        EXPECT_EQ(reader.fieldNumber(), n);
    }
    EXPECT_EQ(fieldsPerLine, (std::vector<int>{2, 0, 0, 1}));
    EXPECT_EQ(reader.lineNumber(), 4);
}

TEST(ListFormat, NumberValues)
{
    const auto number = [](const char *text) { return ListField{Kind::Number, QString::fromLatin1(text), false}; };
    EXPECT_EQ(integerValue(number("-500")), -500);
    EXPECT_EQ(integerValue(number("+9223372036854775807")), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(integerValue(number("2.5")), 2);  // halves to even
    EXPECT_EQ(integerValue(number("3.5")), 4);
    EXPECT_EQ(integerValue(number("1E3")), 1000);
    EXPECT_EQ(integerValue(number("1e19")), std::nullopt);
    EXPECT_EQ(integerValue(ListField{Kind::String, "12", false}), std::nullopt);
    EXPECT_EQ(singleValue(number("0.1")), 0.1f);
    EXPECT_EQ(singleValue(number("1e39")), std::nullopt);
    EXPECT_EQ(singleValue(ListField{}), std::nullopt);
}

TEST(ListFormat, WriterPutsOneRecordOnALine)
{
    ListWriter writer;
    writer.integer(-176);
    writer.single(12.5f);
    writer.string(QStringLiteral("Times New Roman"));
    writer.boolean(true);
    writer.boolean(false);
    writer.empty();
    writer.endLine();
    writer.string(QStringLiteral("say \"hi\"\r\nthere"));
    writer.empty();
    writer.endLine();
    EXPECT_EQ(writer.text(), QStringLiteral("-176,12.5,\"Times New Roman\",#TRUE#,#FALSE#,\n"
                                            "\"say 'hi'  there\",\n"));
}

TEST(ListFormat, SinglesReadBackExactly)
{
    const float values[] = {0.1f, 30.0f, 1.0f / 3.0f, -7.25e-6f, 3.4e38f, 1e-40f, 16777217.0f, 6000.5f};
    ListWriter writer;
    for (const float value : values)
        writer.single(value);
    const std::vector<ListField> fields = fieldsOfOneLine(writer.text());
    ASSERT_EQ(fields.size(), std::size(values));
    for (size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(singleValue(fields[i]), values[i]) << fields[i].text.toStdString();
}

// Random damage to a real file's bytes: every line and field is read without a crash,
// and no line yields more fields than it has characters plus one.
TEST(ListFormat, DamagedBytesAreReadSafely)
{
    const QByteArray original = QStringLiteral("-176,-97,-277,-5,-242,-307,-251,-31,-132\n"
                                               "\"宋体\",30,#TRUE#,#FALSE#,\"宋体\",12,#FALSE#,#FALSE#\n"
                                               "16777215,65535,3,1,10,\n"
                                               "100,8000,1000,6000.5,4500\n")
                                    .toUtf8();
    const char alphabet[] = ",\"#\r\n 0123456789.-+Ee\xE5\xAE\x8B\xFF";
    common::SynthRandom random(20240611);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = original;
        const int edits = int(random.between(1, 8));
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = qsizetype(random.below(bytes.size()));
            switch (random.below(4)) {
            case 0: bytes[at] = alphabet[random.below(sizeof alphabet - 1)]; break;
            case 1: bytes.insert(at, alphabet[random.below(sizeof alphabet - 1)]); break;
            case 2: bytes.remove(at, 1 + qsizetype(random.below(4))); break;
            default: bytes.truncate(at); break;
            }
            if (bytes.isEmpty())
                bytes = original.left(1);
        }
        const QString text = common::decodeText(bytes);
        ListReader reader(text);
        qsizetype totalFields = 0;
        while (reader.nextLine()) {
            while (!reader.atLineEnd()) {
                const ListField field = reader.nextField();
                if (field.kind == Kind::Number)
                    (void)integerValue(field), (void)singleValue(field);
                ++totalFields;
            }
        }
        EXPECT_LE(totalFields, text.size() + 1) << "round " << round;
        EXPECT_LE(reader.lineNumber(), text.size()) << "round " << round;
    }
}

} // namespace
