#include "CalibrationDrawing.h"

#include "recording/FindTableEntry.h"
#include "recording/PacketCollector.h"
#include "viewer/EchoProjection.h"
#include "viewer/MarkGlyphs.h"
#include "viewer/ViewFrame.h"
#include "viewer/ViewLayout.h"

#include "common/NumberFormat.h"

#include <array>
#include <cmath>

#include <QScopedValueRollback>

namespace brantview {

inline int64_t entryPosition(const CalibrationRunEntry &entry)
{
    return entry.position;
}

namespace {

// What drawing the records carries from one to the next.
class RunRenderer {
public:
    RunRenderer(SlotDrawing &view, size_t labelBytesBefore, CalibrationPicture &picture)
        : m_view(view), m_labelSkip(int((3 - labelBytesBefore % 3) % 3)), m_picture(picture),
          m_labelFont(viewFont(view.settings.TextFonts[0], 12))
    {
    }

    void BDrawGroupJD(const StreamRecord &r, int32_t p);

private:
    void echo(int code, int d, int32_t p);
    void BDrawG104(int32_t p);
    void BDrawG105(int32_t p);

    SlotDrawing &m_view;
    PacketCollector m_packets;
    MarkSwitches m_switches;
    bool m_columnClosed = false;
    std::array<int, 3> m_label{};
    int m_labelCount = 0;
    int m_labelSkip;  // the rest of a label begun before the first record drawn
    double m_labelSpacing = 0;  // x of the last label, 0 before the first
    CalibrationPicture &m_picture;
    QFont m_labelFont;
};

void RunRenderer::echo(int code, int d, int32_t p)
{
    const EchoCode &e = EchoCodes[size_t(code)];
    const size_t k = size_t(e.channel);
    PlotEcho(m_view, d, p, e.kind, m_view.O[k], m_view.settings.ChannelColour[k]);
}

void RunRenderer::BDrawG104(int32_t p)
{
    const double x = m_view.x(p);
    m_view.canvas.line(x, m_picture.top, x, m_picture.bottom, GroupBoundaryRed, Qt::DashDotDotLine);
}

void RunRenderer::BDrawG105(int32_t p)
{
    double x = m_view.x(p);
    if (m_labelSpacing != 0 && m_labelSpacing - x < GroupLabelSpacing)
        x = m_labelSpacing - GroupLabelSpacing;
    m_labelSpacing = x;
    const QString text = groupLabelText(m_label[0], m_label[1], m_label[2]);
    const double y = m_picture.bottom + 2;
    m_view.canvas.text(x, y, text, GroupLabelBlue, m_labelFont);
    m_picture.labels.push_back({text, x, y});
}

void RunRenderer::BDrawGroupJD(const StreamRecord &r, int32_t p)
{
    // Packets and the "S"/"$" switches start again with every column, as in the main
    // view: a column closes with the record that advances.
    if (m_columnClosed) {
        m_packets.reset();
        m_switches = {};
    }
    m_columnClosed = r.step() != 0;

    const int code = r.code();
    const int data = r.data();
    switch (code) {
    case Code::Mark: DrawMarkGlyph(m_view, data, p, m_switches); return;
    case Code::SwitchMark: DrawSwitchMark(m_view, data, p); return;
    case Code::SwitchNumber:
        if (m_packets.take(SwitchP, uint8_t(data))) {
            const uint8_t *bytes = m_packets.bytes(SwitchP);
            DrawSwitchNumber(m_view, bytes[0] * 256 + bytes[1], p);
        }
        return;
    case RunCode::GroupBoundary: BDrawG104(p); return;
    case RunCode::GroupLabel:
        if (m_labelSkip > 0) {
            --m_labelSkip;
            return;
        }
        m_label[size_t(m_labelCount++)] = data;
        if (m_labelCount == int(m_label.size())) {
            m_labelCount = 0;
            BDrawG105(p);
        }
        return;
    case Code::ZeroBandMarker7 + RunCode::EchoOffset:
        // Drawn as the main view draws code 35.
        PlotEcho(m_view, 1, p, BandMarkerKind, m_view.O[7], m_view.settings.ChannelColour[4]);
        return;
    default: break;
    }
    const int echoCode = code - RunCode::EchoOffset;
    if ((echoCode >= 1 && echoCode <= 14) || (echoCode >= 16 && echoCode <= 23) || echoCode == 33)
        echo(echoCode, data, p);
    else if (echoCode >= 26 && echoCode <= 31 && m_view.layout.SecondGroupShown)
        echo(echoCode, data, p);
}

} // namespace

QString groupLabelText(int b1, int b2, int b3)
{
    return common::formatPattern(b1, u"(0:") + common::formatPattern(b3, u"00→") + common::formatPattern(b2, u"00)");
}

CalibrationPicture drawJDB(ViewCanvas &canvas, const CalibrationWaveform &window, const CalibrationDrawInputs &in)
{
    const BrantSettings &settings = in.settings;
    canvas.clear(settings.BackColour);
    const int Wj = int(std::lround(canvas.width()));

    // The layout and the parameters are those of the main view; only the drawing
    // moves to V. The outline takes the foreground colour, as printing does.
    ViewState state = in.state;
    state.PrintFlag = true;
    state.DrawWidth = 1;
    const SlotLayout layout = slotLayout(settings, in.slot, Wj, CalibrationPaneTop, state.SecondGroupShown);
    SlotDrawing view(canvas, in.slot, in.slotIndex, settings, state, layout, false);

    CalibrationPicture picture;
    picture.top = layout.T;
    picture.bottom = layout.T + layout.L;

    const int32_t V = window.V();
    // The slot's ViewStart stands for V while the window draws, so that the main
    // view's routines place every record in this window.
    const QScopedValueRollback moved(in.slot.ViewStart, V);
    DrawFrame(view);

    const CalibrationMeasure &m = window.measure();
    if (m.state != MeasureNone) {
        const double start = view.x(m.start);
        canvas.line(start, picture.top, start, picture.bottom, MeasureGreen, Qt::DashDotLine);
        if (m.state == MeasureBothSet) {
            const double end = view.x(m.end);
            canvas.line(end, picture.top, end, picture.bottom, MeasureGreen, Qt::DashDotLine);
            canvas.line(start, picture.top + 20, end, picture.top + 20, MeasureGreen, Qt::DashDotLine);
            const double textX = end > start ? end + 10 : end - 80;
            canvas.text(textX, picture.top + 10, measureText(m.distance), MeasureGreen, view.textFont);
        }
    }

    const CalibrationRun &run = window.run();
    const std::optional<int> first = FindTableEntry(run, int64_t(V) - RunBeforeView);
    if (!first)
        return picture;
    picture.firstEntry = size_t(*first);
    state.DrawWidth = in.drawWidth;
    state.PrintFlag = in.state.PrintFlag;
    RunRenderer renderer(view, window.labelBytesBefore(picture.firstEntry), picture);
    const int64_t lastPos = int64_t(V) + in.W + RunAfterView;
    for (size_t i = picture.firstEntry; i < run.size() && run[i].position < lastPos; ++i) {
        renderer.BDrawGroupJD(in.slot.Records[size_t(run[i].record)], run[i].position);
        ++picture.drawnEntries;
    }
    return picture;
}

} // namespace brantview
