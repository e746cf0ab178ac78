// Text files as the users' editors save them read as the same text.

#include "common/TextDecoding.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

TEST(TextDecoding, EveryEncodingAnEditorSavesReadsAsTheSameText)
{
    const QString text = QStringLiteral("00123 李伟\r\n京广线 K12\r\n");
    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(gb18030.isValid());
    QStringEncoder utf16le(QStringConverter::Utf16LE);
    QStringEncoder utf16be(QStringConverter::Utf16BE);
    const struct {
        const char *name;
        QByteArray bytes;
    } files[] = {
        {"UTF-8", text.toUtf8()},
        {"UTF-8 with mark", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
        {"UTF-16LE with mark", QByteArray("\xFF\xFE") + QByteArray(utf16le.encode(text))},
        {"UTF-16BE with mark", QByteArray("\xFE\xFF") + QByteArray(utf16be.encode(text))},
        {"GB18030", gb18030.encode(text)},
    };
    for (const auto &file : files)
        EXPECT_EQ(common::decodeText(file.bytes), text) << file.name;
}

} // namespace
