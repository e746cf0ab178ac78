// The .std association on Linux desktops: a MIME type the shared-mime-info tools
// accept and a desktop entry whose Exec line starts exactly this program on the
// double-clicked file, all under the user's data folder.

#include "TestStdFixtures.h"

#include "platform/FileAssociation.h"

#include <QByteArray>
#include <QFile>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(missing)");
    return QString::fromUtf8(file.readAll());
}

// Points the user's data and configuration folders into a temporary folder, so
// nothing of the real desktop is touched.
class FileAssociationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setEnv("XDG_DATA_HOME", m_dir.path(QStringLiteral("data")));
        setEnv("XDG_CONFIG_HOME", m_dir.path(QStringLiteral("config")));
    }
    void TearDown() override
    {
        for (const auto &[name, value] : m_saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }

    void setEnv(const char *name, const QString &value)
    {
        m_saved.emplace_back(name, qgetenv(name));
        qputenv(name, value.toUtf8());
    }
    QString dataFile(const QString &relative) const { return m_dir.path(QStringLiteral("data/") + relative); }

    StdTest::StdFileDir m_dir;
    std::vector<std::pair<const char *, QByteArray>> m_saved;
};

TEST_F(FileAssociationTest, WritesTheMimeTypeAndTheDesktopEntry)
{
    const FileAssociationResult result = associateStdFiles(QStringLiteral("/opt/回放 软件/ostrelplay"));
    if (result.succeeded)
        EXPECT_EQ(result.message, QStringLiteral("关联成功！现在你可以直接双击数据打开文件了。"));
    else
        EXPECT_FALSE(result.message.isEmpty());

    QXmlStreamReader xml(readText(dataFile(QStringLiteral("mime/packages/ostrelplay-std.xml"))));
    QString mimeType, glob;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"mime-type")
            mimeType = xml.attributes().value(QStringLiteral("type")).toString();
        if (xml.isStartElement() && xml.name() == u"glob")
            glob = xml.attributes().value(QStringLiteral("pattern")).toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(mimeType, QStringLiteral("application/x-ostrel-std"));
    EXPECT_EQ(glob, QStringLiteral("*.std"));

    const QStringList entry = readText(dataFile(QStringLiteral("applications/ostrelplay-std.desktop"))).split(u'\n');
    EXPECT_EQ(entry.value(0), QStringLiteral("[Desktop Entry]"));
    EXPECT_TRUE(entry.contains(QStringLiteral("Type=Application")));
    EXPECT_TRUE(entry.contains(QStringLiteral("Exec=\"/opt/回放 软件/ostrelplay\" %f")));
    EXPECT_TRUE(entry.contains(QStringLiteral("MimeType=application/x-ostrel-std;")));

    // Where the tool is installed, it must have accepted the type.
    if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
        EXPECT_TRUE(readText(dataFile(QStringLiteral("mime/globs2")))
                        .contains(QStringLiteral("application/x-ostrel-std:*.std")));
    }
}

TEST_F(FileAssociationTest, UnwritableDataFolderIsReported)
{
    // A file where the data folder should be: nothing can be created below it.
    const QString blocker = m_dir.write(QStringLiteral("blocker"), QByteArray());
    setEnv("XDG_DATA_HOME", blocker);

    const FileAssociationResult result = associateStdFiles(QStringLiteral("/opt/ostrelplay"));
    EXPECT_FALSE(result.succeeded);
    EXPECT_TRUE(result.message.contains(blocker)) << result.message.toStdString();
}

TEST(DesktopEntryExec, QuotesThePathByTheDesktopEntryRules)
{
    // Inside the quotes '"', '`', '$' and '\' take a backslash and '%' is
    // doubled; then every backslash is escaped once more for the file format.
    const struct {
        QString path;
        QString exec;
    } cases[] = {
        {QStringLiteral("/opt/回放 软件/run"), QStringLiteral("\"/opt/回放 软件/run\" %f")},
        {QStringLiteral("/opt/a$b"), QStringLiteral("\"/opt/a\\\\$b\" %f")},
        {QStringLiteral("/opt/a\"b"), QStringLiteral("\"/opt/a\\\\\"b\" %f")},
        {QStringLiteral("/opt/a`b"), QStringLiteral("\"/opt/a\\\\`b\" %f")},
        {QStringLiteral("/opt/a\\b"), QStringLiteral("\"/opt/a\\\\\\\\b\" %f")},
        {QStringLiteral("/opt/50%/run"), QStringLiteral("\"/opt/50%%/run\" %f")},
        {QStringLiteral("/opt/a\nb"), QStringLiteral("\"/opt/a\\nb\" %f")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(desktopEntryExec(c.path), c.exec) << c.path.toStdString();
}

}  // namespace

#endif
