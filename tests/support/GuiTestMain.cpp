// Drawing texts needs the font database, which needs a GUI application object,
// and the programs' font substitutions; the offscreen platform keeps the tests
// free of any display. Saved workbooks and documents are never opened.
#include "common/CanvasText.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("OFFICE_NO_LAUNCH", "1");
    QGuiApplication app(argc, argv);
    common::installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
