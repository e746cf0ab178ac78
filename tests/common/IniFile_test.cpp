// INI files with the profile-file semantics: lookup regardless of case, defaults
// for whatever is missing or not a number, writes that keep the rest of the file,
// GB18030 files from older installations, failures reported.

#include "TestFiles.h"

#include "common/IniFile.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

using TestFiles::readBytes;

TEST(IniFile, FindsSectionsAndKeysRegardlessOfCaseAndKeepsInnerSpaces)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("a.ini",
                                   QByteArray("; comment\r\n"
                                              "[Color]\r\n"
                                              "  Color_Background = 6966785  \r\n"
                                              "name=a  b c\r\n"
                                              "name=second\r\n"
                                              "empty=\r\n"
                                              "[color]\r\n"
                                              "extra=7\r\n"));
    const common::IniFile ini(path);
    EXPECT_EQ(ini.readInt("COLOR", "color_background", 0), 6966785);
    EXPECT_EQ(ini.readString("color", "NAME", "x"), QStringLiteral("a  b c"));
    EXPECT_EQ(ini.readString("color", "empty", "x"), QString());
    // The first of two sections of one name is the one read.
    EXPECT_EQ(ini.readInt("color", "extra", -1), -1);
    EXPECT_EQ(ini.readString("color", "missing", "def"), QStringLiteral("def"));
    EXPECT_EQ(ini.readString("other", "name", "def"), QStringLiteral("def"));
}

TEST(IniFile, MissingFileGivesDefaults)
{
    TestFiles::TestDir dir;
    const common::IniFile ini(dir.path("none.ini"));
    EXPECT_EQ(ini.readInt("s", "k", 42), 42);
    EXPECT_TRUE(ini.readBool("s", "k", true));
    EXPECT_EQ(ini.readString("s", "k", "rfDesktop"), QStringLiteral("rfDesktop"));
}

TEST(IniFile, NumbersAndBooleans)
{
    struct Case {
        const char *text;
        int asInt;     // read with default 99
        bool asBool;   // read with default true
    };
    const Case cases[] = {
        {"12", 12, true},          {"-5", -5, true},         {"0", 0, false},
        {" 7 ", 7, true},          {"abc", 99, true},        {"12abc", 99, true},
        {"", 99, true},            {"1.5", 99, true},        {"99999999999", 99, true},
        {"2", 2, true},
    };
    TestFiles::TestDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        const QString path = dir.write("n.ini", QByteArray("[s]\nk=") + c.text + "\n");
        const common::IniFile ini(path);
        EXPECT_EQ(ini.readInt("s", "k", 99), c.asInt);
        EXPECT_EQ(ini.readBool("s", "k", true), c.asBool);
    }
    const QString path = dir.write("b.ini", "[s]\nk=0\n");
    EXPECT_FALSE(common::IniFile(path).readBool("s", "k", true));
}

TEST(IniFile, WritingKeepsEveryOtherLine)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("w.ini",
                                   QByteArray("top=1\n"
                                              "[First]\n"
                                              "; keep me\n"
                                              "Alpha=1\n"
                                              "text without equals\n"
                                              "\n"
                                              "[Second]\n"
                                              "beta=2\n"));
    common::IniFile ini(path);
    ini.writeInt("first", "ALPHA", 10);
    ini.writeString("first", "gamma", "new value");
    ini.writeBool("second", "beta", true);
    ini.writeString("Third", "delta", "line\r\nbreak");
    ini.save();
    EXPECT_EQ(readBytes(path), QByteArray("top=1\n"
                                          "[First]\n"
                                          "; keep me\n"
                                          "ALPHA=10\n"
                                          "text without equals\n"
                                          "gamma=new value\n"
                                          "\n"
                                          "[Second]\n"
                                          "beta=1\n"
                                          "[Third]\n"
                                          "delta=line  break\n"));
}

TEST(IniFile, WritingCreatesTheFileWithKeysInTheOrderWritten)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("new.ini");
    common::IniFile ini(path);
    ini.writeInt("b", "z", 1);
    ini.writeInt("a", "y", 2);
    ini.writeInt("b", "x", 3);
    ini.writeInt("B", "Z", 4);
    ini.save();
    EXPECT_EQ(readBytes(path), QByteArray("[b]\nZ=4\nx=3\n[a]\ny=2\n"));
}

TEST(IniFile, ReadsGb18030AndWritesUtf8)
{
    TestFiles::TestDir dir;
    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(gb18030.isValid());
    const QByteArray legacy = gb18030.encode(QStringLiteral("[工作]\n目录=D:\\数据 文件\n"));
    const QString path = dir.write("gb.ini", legacy);
    common::IniFile ini(path);
    EXPECT_EQ(ini.readString("工作", "目录", ""), QStringLiteral("D:\\数据 文件"));

    ini.writeString("工作", "风格", "黑灰");
    ini.save();
    EXPECT_EQ(readBytes(path), QStringLiteral("[工作]\n目录=D:\\数据 文件\n风格=黑灰\n").toUtf8());
    EXPECT_EQ(common::IniFile(path).readString("工作", "目录", ""), QStringLiteral("D:\\数据 文件"));
}

TEST(IniFile, Utf8WithByteOrderMarkReads)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("bom.ini", QByteArray("\xEF\xBB\xBF") + QStringLiteral("[s]\nk=信息\n").toUtf8());
    EXPECT_EQ(common::IniFile(path).readString("s", "k", ""), QStringLiteral("信息"));
}

TEST(IniFile, RoundTripThroughTheFile)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("r.ini");
    common::IniFile written(path);
    written.writeInt("n", "neg", -2147483647 - 1);
    written.writeString("t", "path", "C:\\a = b\\c");
    written.writeBool("b", "off", false);
    written.save();

    const common::IniFile read(path);
    EXPECT_EQ(read.readInt("n", "neg", 0), -2147483647 - 1);
    EXPECT_EQ(read.readString("t", "path", ""), QStringLiteral("C:\\a = b\\c"));
    EXPECT_FALSE(read.readBool("b", "off", true));
}

TEST(IniFile, SaveFailureIsReportedAndLeavesNoFile)
{
    TestFiles::TestDir dir;
    const QString path = dir.path("missing-folder/s.ini");
    common::IniFile ini(path);
    ini.writeInt("s", "k", 1);
    try {
        ini.save();
        FAIL() << "no error for an unwritable file";
    } catch (const common::IniFileError &error) {
        EXPECT_TRUE(error.text().contains(path));
    }
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
