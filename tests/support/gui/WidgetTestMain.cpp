// The windows need a widget application; the offscreen platform keeps the
// tests free of any display, a private configuration folder keeps them away from
// the user's settings, and saved workbooks and documents are never opened.
#include "common/CanvasText.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("OFFICE_NO_LAUNCH", "1");
    const QTemporaryDir configuration;
    if (!configuration.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));
    QApplication app(argc, argv);
    common::installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
