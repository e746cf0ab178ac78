// "WK.TXT" and "XB.TXT": keys taken as the header looks them up, the first match
// wins, files from Notepad on a Chinese desktop read, absent files give empty lists.

#include "recording/SideLists.h"

#include "TestFiles.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace brantview;

namespace {

TEST(SideLists, WorkNumbersAreKeyedByTheirLeadingNumber)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("WK.TXT", QByteArray("12 Li Wei\r\n"
                                                        "  007 Wang\r\n"
                                                        "\r\n"
                                                        "Zhao without number\r\n"
                                                        "12 Second twelve\r\n"
                                                        "345"));
    const WorkNumberList list = LoadWorkNumbers(path);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].key, 12);
    EXPECT_EQ(list[0].text, "12 Li Wei");
    EXPECT_EQ(LookupWorkNumber(list, 12), QStringLiteral("12 Li Wei"));
    EXPECT_EQ(LookupWorkNumber(list, 7), QStringLiteral("  007 Wang"));
    EXPECT_EQ(LookupWorkNumber(list, 0), QStringLiteral("Zhao without number"));
    EXPECT_EQ(LookupWorkNumber(list, 345), QStringLiteral("345"));
    EXPECT_EQ(LookupWorkNumber(list, 13), std::nullopt);
}

TEST(SideLists, LineNamesAreTrimmedAndKeyedByTheirFirstWord)
{
    TestFiles::TestDir dir;
    const QString path = dir.write("XB.TXT", QStringLiteral("   K101 京广线 下行  \n"
                                                            "K102\tWuhan\n"
                                                            "K101 second\n"
                                                            "   \n"
                                                            "K3")
                                                 .toUtf8());
    const LineNameList list = LoadLineNames(path);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].key, "K101");
    EXPECT_EQ(LookupLineName(list, "K101"), QStringLiteral("K101 京广线 下行"));
    EXPECT_EQ(LookupLineName(list, "K102"), QStringLiteral("K102\tWuhan"));
    EXPECT_EQ(LookupLineName(list, "K3"), QStringLiteral("K3"));
    EXPECT_EQ(LookupLineName(list, "K10"), std::nullopt);
    EXPECT_EQ(LookupLineName(list, ""), std::nullopt);
}

TEST(SideLists, Gb18030FilesFromNotepadRead)
{
    TestFiles::TestDir dir;
    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(gb18030.isValid());
    const WorkNumberList workers =
        LoadWorkNumbers(dir.write("WK.TXT", gb18030.encode(QStringLiteral("00321 张三丰\r\n"))));
    EXPECT_EQ(LookupWorkNumber(workers, 321), QStringLiteral("00321 张三丰"));
    const LineNameList lines =
        LoadLineNames(dir.write("XB.TXT", gb18030.encode(QStringLiteral(" 京沪 京沪高速线\r\n"))));
    EXPECT_EQ(LookupLineName(lines, QStringLiteral("京沪")), QStringLiteral("京沪 京沪高速线"));
}

TEST(SideLists, AbsentFilesGiveEmptyLists)
{
    TestFiles::TestDir dir;
    EXPECT_TRUE(LoadWorkNumbers(dir.path("WK.TXT")).empty());
    EXPECT_TRUE(LoadLineNames(dir.path("XB.TXT")).empty());
    EXPECT_EQ(LookupWorkNumber({}, 0), std::nullopt);
}

} // namespace
