#include "MarkGlyphs.h"

#include "common/NumberFormat.h"

#include <array>

namespace brantview {

namespace {

struct Glyph {
    const char16_t *text;
    int width;
};

// Kinds 1..12.
constexpr std::array<Glyph, 12> MarkGlyphTable = {{{u">", 20},
                                                   {u"*", 20},
                                                   {u"△", 25},
                                                   {u"!", 20},
                                                   {u"#", 20},
                                                   {u"L", 20},
                                                   {u"S", 20},
                                                   {u"$", 20},
                                                   {u"X", 20},
                                                   {u"M", 25},
                                                   {u"曲上始", 65},
                                                   {u"曲下始", 65}}};

double glyphText(SlotDrawing &view, double x, const QString &text, int32_t colour)
{
    return view.canvas.text(x, view.G, text, colour, view.glyphFont);
}

} // namespace

void DrawMarkGlyph(SlotDrawing &view, int k, int32_t p, MarkSwitches &switches)
{
    if (k < 1 || k > int(MarkGlyphTable.size()))
        return;
    if (k == 7) {
        if (switches.S)
            return;
        switches.S = true;
    } else if (k == 8) {
        if (switches.dollar)
            return;
        switches.dollar = true;
    }
    const Glyph &glyph = MarkGlyphTable[size_t(k - 1)];
    const double x = view.placeGlyph(view.x(p), glyph.width);
    glyphText(view, x, QString::fromUtf16(glyph.text), MarkRed);
}

void DrawSwitchMark(SlotDrawing &view, int data, int32_t p)
{
    const double x = view.placeGlyph(view.x(p), 40);
    glyphText(view, x, QStringLiteral("岔") + common::formatPattern(data, u"00"), MarkRed);
}

void DrawParamLabel(SlotDrawing &view, int32_t p)
{
    view.canvas.text(view.x(p) - 20, view.G - 20, QStringLiteral("MG"), MarkRed, view.glyphFont);
}

void DrawErrorDot(SlotDrawing &view, int32_t p, int n)
{
    glyphText(view, view.x(p) + 3 * n, QStringLiteral("."), MarkRed);
}

void DrawSwitchNumber(SlotDrawing &view, int number, int32_t p)
{
    const double x = view.placeGlyph(view.x(p), 60);
    const double advance = glyphText(view, x, QStringLiteral("岔"), MarkRed);
    glyphText(view, x + advance, common::formatPattern(number, u"0000"), SwitchTeal);
}

void DrawTrackNumber(SlotDrawing &view, int number, int32_t p)
{
    const double x = view.placeGlyph(view.x(p), 40);
    glyphText(view, x, QStringLiteral("股") + common::formatPattern(number, u"00"), MarkRed);
}

void DrawCalibration(SlotDrawing &view, int centimetres, int32_t p)
{
    const double unpushed = view.x(p);
    const double x = view.placeGlyph(unpushed, 50);
    // Every point the label moved left stands for 3 mm more.
    const double shift = unpushed - x;
    const double advance = glyphText(view, x, QStringLiteral(">"), MarkRed);
    const double metres = (centimetres + 3 * shift / 10) / 100;
    view.canvas.text(x + advance, view.G + 6, common::formatPattern(metres, u"#0.00"), CalibrationGreen,
                     view.calibrationFont);
}

void DrawCalibrationPoint(SlotDrawing &view, int32_t record, int32_t p)
{
    const double x = view.placeGlyph(view.x(p), 15);
    const double y = view.G + 10;
    view.canvas.dot(x, y, MarkRed, 15);
    view.slot.CalibrationHotSpots.push_back({int32_t(x), int32_t(y), record});
}

} // namespace brantview
