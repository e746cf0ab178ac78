// Paths keep every byte of a file name: names in the Chinese code page (copied from
// Windows media) are no UTF-8, and must open, write and go away again.

#include "TestFiles.h"

#include "common/NativePaths.h"

#include <QDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QByteArray kGbkName("\xb2\xe2\xca\xd4.std");  // "测试.std" in the Chinese code page

TEST(NativePaths, EveryByteSequenceComesBackAsItWas)
{
    const QByteArray cases[] = {
        QByteArray("/data/plain.std"),
        QStringLiteral("/数据/钢轨 记录.std").toUtf8(),
        QByteArray("/data/") + kGbkName,
        QByteArray("\x80\xff\xc0\xaf\xe0\x80\x80\xed\xa0\x80"),  // stray, overlong, surrogate
        QByteArray("\xe6\xb5"),                                   // cut short
        QByteArray("\xf0\x90\x82\x80"),                          // U+10080: its second half is U+DC80
        QByteArray("a\xf4\x90\x80\x80z"),                        // beyond U+10FFFF
    };
    for (const QByteArray &bytes : cases) {
        const QString path = common::pathFromNative(bytes);
        EXPECT_EQ(common::nativePath(path), bytes) << bytes.toHex().constData();
    }
    EXPECT_FALSE(common::hasForeignBytes(common::pathFromNative(QStringLiteral("/数据/a.std").toUtf8())));
    EXPECT_FALSE(common::hasForeignBytes(common::pathFromNative(QByteArray("\xf0\x90\x82\x80"))));
    EXPECT_TRUE(common::hasForeignBytes(common::pathFromNative(kGbkName)));
    EXPECT_EQ(common::displayName(common::pathFromNative(kGbkName)), QStringLiteral("测试.std"));
}

TEST(NativePaths, AFileWithAForeignNameOpensWritesAndGoes)
{
    TestFiles::TestDir dir;
    const QByteArray native = QFile::encodeName(dir.path(QString())) + "/" + kGbkName;
    const int fd = ::open(native.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "abc", 3), 3);
    ::close(fd);

    const QString path = common::pathFromNative(native);
    EXPECT_FALSE(QFile::exists(path)) << "the toolkit reaches it after all";
    EXPECT_TRUE(common::fileExists(path));
    EXPECT_EQ(common::fileSize(path), 3);
    QFile file;
    ASSERT_TRUE(common::openFile(file, path, QIODevice::ReadWrite | QIODevice::ExistingOnly));
    EXPECT_EQ(file.readAll(), QByteArray("abc"));
    file.write("de");
    file.close();
    EXPECT_EQ(common::fileSize(path), 5);

    QFile created;
    const QString another = common::pathFromNative(native + ".new");
    ASSERT_TRUE(common::openFile(created, another, QIODevice::WriteOnly | QIODevice::NewOnly));
    created.close();
    EXPECT_FALSE(common::openFile(created, another, QIODevice::WriteOnly | QIODevice::NewOnly));
    EXPECT_TRUE(common::removeFile(another));
    EXPECT_TRUE(common::removeFile(path));
    EXPECT_FALSE(common::fileExists(path));
    EXPECT_EQ(common::fileSize(path), -1);
}

TEST(NativePaths, CommandLineArgumentsKeepTheirBytes)
{
    QByteArray name = QByteArray("/tmp/") + kGbkName;
    char program[] = "ostrelplay-cli";
    char *argv[] = {program, name.data(), nullptr};
    const QStringList arguments = common::commandLineArguments(2, argv);
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(common::nativePath(arguments[1]), name);
}

} // namespace
