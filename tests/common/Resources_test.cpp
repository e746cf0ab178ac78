// The resource lookup: beside the executable first (build tree, portable copy),
// then the installed tree's share/rail-replay/ folder.

#include "TestFiles.h"

#include "common/Resources.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

TEST(Resources, FoundBesideTheProgramThenInTheInstalledTree)
{
    TestFiles::TestDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.path("bin")));
    ASSERT_TRUE(QDir().mkpath(dir.path("share/rail-replay")));
    const QString bin = dir.path("bin");

    EXPECT_EQ(common::findResource(QStringLiteral("report.dom"), bin), QString());

    const QString installed = dir.write("share/rail-replay/report.dom", "installed");
    EXPECT_EQ(common::findResource(QStringLiteral("report.dom"), bin), QDir::cleanPath(installed));

    const QString beside = dir.write("bin/report.dom", "beside");
    EXPECT_EQ(common::findResource(QStringLiteral("report.dom"), bin), QDir::cleanPath(beside));
}

TEST(Resources, FolderOfTheNameIsNoResource)
{
    TestFiles::TestDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.path("bin/report.dom")));
    EXPECT_EQ(common::findResource(QStringLiteral("report.dom"), dir.path("bin")), QString());
}

} // namespace
