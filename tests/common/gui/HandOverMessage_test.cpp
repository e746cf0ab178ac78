// The hand-over message: the copy-data record's layout on the way out, and a
// receiver that takes the path up to its zero, never reads past what arrived
// and refuses what cannot be a path.

#include "TestFiles.h"

#include "common/gui/HandOverMessage.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

QByteArray bytes(std::initializer_list<unsigned char> values)
{
    QByteArray result;
    for (const unsigned char v : values)
        result.append(char(v));
    return result;
}

TEST(HandOverMessage, IsDataId74ThenUtf16PathWithItsZero)
{
    // 'D' ':' '\' U+6570 U+636E, then the terminating zero: cbData = 2 x 5 + 2.
    EXPECT_EQ(handOverMessage(QStringLiteral("D:\\数据")),
              bytes({0x4A, 0, 0, 0, 'D', 0, ':', 0, '\\', 0, 0x70, 0x65, 0x6E, 0x63, 0, 0}));
    EXPECT_EQ(handOverMessage(QString()), bytes({0x4A, 0, 0, 0}));
}

TEST(HandOverMessage, PathsSurviveTheRoundTrip)
{
    for (const QString &path : {QStringLiteral("/home/探伤/上行 K12+300.std"),
                                QStringLiteral("C:\\数据\\\U00020BB7.std"),  // a pair of surrogates
                                QString(4000, QChar(u'a'))}) {
        EXPECT_EQ(parseHandOverMessage(handOverMessage(path)), std::optional<QString>(path)) << path.left(40).toStdString();
    }
}

struct ParseCase {
    const char *name;
    QByteArray message;
    std::optional<QString> path;
};

TEST(HandOverMessage, ParsesWhatArrivedWithinBounds)
{
    QByteArray largest = bytes({0x4A, 0, 0, 0});
    largest.append(maxHandOverMessageBytes - 4, 'a');
    const QString largestPath((maxHandOverMessageBytes - 4) / 2, QChar(u'\u6161'));

    const ParseCase cases[] = {
        {"no terminating zero takes every unit", bytes({0x4A, 0, 0, 0, 'a', 0, 'b', 0}), QStringLiteral("ab")},
        {"the path ends at the first zero", bytes({0x4A, 0, 0, 0, 'a', 0, 0, 0, 'b', 0}), QStringLiteral("a")},
        {"an odd last byte is no unit", bytes({0x4A, 0, 0, 0, 'a', 0, 'b'}), QStringLiteral("a")},
        {"dwData is not looked at", bytes({7, 7, 7, 7, 'a', 0, 0, 0}), QStringLiteral("a")},
        {"dwData alone only raises", bytes({0x4A, 0, 0, 0}), QString()},
        {"a lone zero only raises", bytes({0x4A, 0, 0, 0, 0, 0}), QString()},
        {"the largest message is read", largest, largestPath},
        {"shorter than dwData is refused", bytes({0x4A, 0, 0}), std::nullopt},
        {"nothing is refused", QByteArray(), std::nullopt},
        {"oversized is refused", largest + QByteArray("a"), std::nullopt},
    };
    for (const ParseCase &c : cases)
        EXPECT_EQ(parseHandOverMessage(c.message), c.path) << c.name;
}

}  // namespace
