// The screen magnifier Brantview starts and waits for: one window, ended by Esc or a click.

#include "MagnifierWindow.h"

#include "common/CanvasText.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    common::installFontSubstitutions();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows the screen around the pointer enlarged."));
    parser.addHelpOption();
    const QCommandLineOption zoomOption(QStringLiteral("zoom"),
                                        QStringLiteral("Starting enlargement, %1 to %2 (default %3).")
                                            .arg(magnify::MagnifierWindow::minZoom)
                                            .arg(magnify::MagnifierWindow::maxZoom)
                                            .arg(magnify::MagnifierWindow::defaultZoom),
                                        QStringLiteral("N"));
    parser.addOption(zoomOption);
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "magnify: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);

    int zoom = magnify::MagnifierWindow::defaultZoom;
    if (parser.isSet(zoomOption)) {
        bool ok = false;
        zoom = parser.value(zoomOption).toInt(&ok);
        if (!ok || zoom < magnify::MagnifierWindow::minZoom || zoom > magnify::MagnifierWindow::maxZoom) {
            std::fprintf(stderr, "magnify: --zoom takes a whole number from %d to %d\n",
                         magnify::MagnifierWindow::minZoom, magnify::MagnifierWindow::maxZoom);
            return 2;
        }
    }

    magnify::MagnifierWindow window(zoom);
    window.show();
    return QApplication::exec();
}
