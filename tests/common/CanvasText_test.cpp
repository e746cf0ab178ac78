// Canvas texts in the Windows font the recordings name ("宋体", "SimSun") are
// drawn with the installed CJK font, so Chinese texts show their glyphs, not
// boxes: with the system's font aliases and, in a child run, without them (the
// test main installs the substitutions as the programs do).

#include "TestFiles.h"

#include "common/CanvasText.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRawFont>

#include <gtest/gtest.h>

namespace {

// Latin first, so the font asked for draws it rather than a fallback for the Han script.
const QString kText = QStringLiteral("12.5dB 宋体 钢轨探伤");

QImage drawn(const QFont &font, const QString &text)
{
    QImage image;
    common::prepareCanvas(image, 160, 24);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setFont(font);
    common::textOut(painter, 2, 2, text);
    return image;
}

TEST(CanvasText, WindowsFontDrawsWithTheCjkFont)
{
    QFont cjk(QString::fromLatin1(common::cjkFontFamily));
    ASSERT_TRUE(QRawFont::fromFont(cjk).supportsCharacter(QChar(u'宋'))) << "the CJK font is not installed";
    cjk.setPointSize(10);
    cjk.setStyleStrategy(QFont::NoAntialias);

    const QImage expected = drawn(cjk, kText);
    EXPECT_EQ(drawn(common::canvasFont(10), kText), expected);
    QFont song(QStringLiteral("宋体"));
    song.setPointSize(10);
    song.setStyleStrategy(QFont::NoAntialias);
    EXPECT_EQ(drawn(song, kText), expected);
    // Glyphs, not one box for every character.
    EXPECT_NE(drawn(common::canvasFont(10), QStringLiteral("宋")), drawn(common::canvasFont(10), QStringLiteral("钢")));
}

// A font configuration with the installed fonts and no aliases: "宋体" and "SimSun"
// mean nothing to the system there.
TEST(CanvasText, NeedsNoSystemFontAlias)
{
    TestFiles::TestDir dir;
    const QString config = dir.write("fonts.conf", "<?xml version=\"1.0\"?>\n"
                                                   "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                                   "<fontconfig>\n"
                                                   "  <dir>/usr/share/fonts</dir>\n"
                                                   "  <cachedir>/var/cache/fontconfig</cachedir>\n"
                                                   "  <cachedir prefix=\"xdg\">fontconfig</cachedir>\n"
                                                   "</fontconfig>\n");
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), config);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=CanvasText.WindowsFontDrawsWithTheCjkFont")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromUtf8(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

} // namespace
