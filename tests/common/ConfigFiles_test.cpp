// Where the programs' own files live: beside the executable when its folder is
// writable, otherwise in the user's configuration folder, which starts from a copy
// of the file shipped beside the program.

#include "TestFiles.h"

#include "common/ConfigFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

namespace {

using TestFiles::readBytes;

// A folder holding the given files that this process cannot write to: its mode
// for an ordinary user; a read-only file system for root, whom modes do not stop.
class ReadOnlyFolder {
public:
    ReadOnlyFolder(const QString &path, const std::vector<std::pair<QString, QByteArray>> &files) : m_path(path)
    {
        QDir().mkpath(path);
        m_mounted = geteuid() == 0;
        if (m_mounted && mount("tmpfs", qPrintable(path), "tmpfs", 0, "size=64k") != 0) {
            m_mounted = false;
            return;
        }
        for (const auto &[name, bytes] : files) {
            QFile file(QDir(path).filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return;
        }
        m_ready = m_mounted ? mount(nullptr, qPrintable(path), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0
                            : QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder()
    {
        if (m_mounted)
            umount2(qPrintable(m_path), MNT_DETACH);
        else
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool ready() const { return m_ready; }

private:
    QString m_path;
    bool m_mounted = false;
    bool m_ready = false;
};

TEST(ConfigFiles, BesideAWritableProgram)
{
    TestFiles::TestDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.path("bin")));
    EXPECT_EQ(common::configFilePath(QStringLiteral("setting.ini"), dir.path("bin"), dir.path("user")),
              QDir(dir.path("bin")).filePath(QStringLiteral("setting.ini")));
    EXPECT_FALSE(QFileInfo::exists(dir.path("user")));
}

TEST(ConfigFiles, InTheUserFolderWhenTheProgramsFolderIsReadOnly)
{
    TestFiles::TestDir dir;
    const ReadOnlyFolder bin(dir.path("bin"), {{QStringLiteral("probefile.ini"), "[probefilename]\n0=shipped\n"}});
    if (!bin.ready())
        GTEST_SKIP() << "no read-only folder can be made here";
    const QString user = dir.path("config/Ostrelplay");

    // Nothing shipped: the user's folder is made and named.
    const QString settings = common::configFilePath(QStringLiteral("setting.ini"), dir.path("bin"), user);
    EXPECT_EQ(settings, QDir(user).filePath(QStringLiteral("setting.ini")));
    EXPECT_TRUE(QFileInfo(user).isDir());
    EXPECT_FALSE(QFileInfo::exists(settings));

    // Shipped beside the program: the user's copy starts from it and is writable.
    const QString probes = common::configFilePath(QStringLiteral("probefile.ini"), dir.path("bin"), user);
    EXPECT_EQ(probes, QDir(user).filePath(QStringLiteral("probefile.ini")));
    EXPECT_EQ(readBytes(probes), QByteArray("[probefilename]\n0=shipped\n"));
    EXPECT_TRUE(QFileInfo(probes).isWritable());

    // The user's own copy is read first from then on.
    dir.write("config/Ostrelplay/probefile.ini", "[probefilename]\n0=mine\n");
    EXPECT_EQ(common::configFilePath(QStringLiteral("probefile.ini"), dir.path("bin"), user), probes);
    EXPECT_EQ(readBytes(probes), QByteArray("[probefilename]\n0=mine\n"));
}

} // namespace
