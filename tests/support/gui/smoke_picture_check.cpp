// Checks the smoke run of a program: the picture was saved, play moved the first
// slot on from position 1, and the B-scan pane holds a drawn frame rather than a
// single colour.
// Usage: smoke_picture_check WINDOW.png RESULT.json

#include <QFile>
#include <QHash>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>

#include <algorithm>
#include <cstdio>

namespace {

int fail(const char *what)
{
    std::fprintf(stderr, "smoke check: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3)
        return fail("usage: smoke_picture_check WINDOW.png RESULT.json");
    QFile resultFile(QString::fromLocal8Bit(argv[2]));
    if (!resultFile.open(QIODevice::ReadOnly))
        return fail("no result from the program");
    const QJsonObject result = QJsonDocument::fromJson(resultFile.readAll()).object();
    if (!result.value("saved").toBool())
        return fail("the program did not save its picture");
    if (result.value("position").toInt() <= 1)
        return fail("play did not move the first slot");

    const QJsonObject pane = result.value("pane").toObject();
    const QRect rect(pane.value("x").toInt(), pane.value("y").toInt(), pane.value("width").toInt(),
                     pane.value("height").toInt());
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull())
        return fail("the picture cannot be read");
    if (rect.width() < 100 || rect.height() < 100 || !picture.rect().contains(rect))
        return fail("the first B-scan pane is missing or outside the picture");

    // A drawn frame: a background colour, frame lines, texts and echoes in several colours.
    QHash<QRgb, int> colours;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++colours[picture.pixel(x, y)];
    int background = 0;
    for (int count : colours)
        background = std::max(background, count);
    const int area = rect.width() * rect.height();
    const int drawn = area - background;
    std::printf("smoke check: %d colours, %d of %d pixels off the background\n", int(colours.size()), drawn, area);
    if (colours.size() < 4 || drawn * 100 < area)
        return fail("the first B-scan pane is blank");
    return 0;
}
