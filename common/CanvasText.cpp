#include "CanvasText.h"

#include <QFontMetrics>
#include <QHash>
#include <QStaticText>

namespace common {

namespace {
constexpr int kDotsPerMetre96Dpi = 3780;
}

void prepareCanvas(QImage &image, int w, int h)
{
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (image.width() != w || image.height() != h || image.format() != QImage::Format_RGB32) {
        image = QImage(w, h, QImage::Format_RGB32);
        image.setDotsPerMeterX(kDotsPerMetre96Dpi);
        image.setDotsPerMeterY(kDotsPerMetre96Dpi);
    }
}

void installFontSubstitutions()
{
    const QString cjk = QString::fromLatin1(cjkFontFamily);
    QFont::insertSubstitution(QStringLiteral("宋体"), cjk);
    QFont::insertSubstitution(QStringLiteral("SimSun"), cjk);
}

QFont canvasFont(int pointSize, bool bold)
{
    QFont font(QStringLiteral("SimSun"));
    font.setPointSize(std::max(pointSize, 1));
    font.setBold(bold);
    // Crisp bitmap text, as the instrument draws it; also far cheaper per frame.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

namespace {

// Laying out a text costs more than drawing it, and a replayed frame shows the
// same texts as the one before; their layouts are kept for the next frame.
struct LaidOutKey {
    QString text;
    int pointSize;
    bool bold;
    bool operator==(const LaidOutKey &) const = default;
};

size_t qHash(const LaidOutKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.pointSize, key.bold);
}

constexpr qsizetype kLaidOutTexts = 1024;

} // namespace

void textOut(QPainter &painter, int x, int y, const QString &text)
{
    thread_local QHash<LaidOutKey, QStaticText> laidOut;
    const QFont &font = painter.font();
    const LaidOutKey key{text, font.pointSize(), font.bold()};
    auto it = laidOut.find(key);
    if (it == laidOut.end()) {
        if (laidOut.size() >= kLaidOutTexts)
            laidOut.clear();
        QStaticText staticText(text);
        staticText.setTextFormat(Qt::PlainText);
        staticText.setPerformanceHint(QStaticText::AggressiveCaching);
        it = laidOut.insert(key, staticText);
    }
    painter.drawStaticText(x, y, *it);
}

} // namespace common
