#include "ColumnRenderer.h"

#include "EchoProjection.h"
#include "MarkGlyphs.h"
#include "PacketLabels.h"

namespace brantview {

namespace {

// The packet a code's data bytes build, or PacketKinds; the numbered packets are
// admitted apart.
PacketKind packetOf(int code)
{
    switch (code) {
    case Code::Mileage: return MileageP;
    case Code::Gain: return GainP;
    case Code::Gps: return GpsP;
    case Code::Param: return ParamP;
    case Code::Power: return PowerP;
    case Code::RailSetup: return RailSetupP;
    case Code::RailSetupExt: return RailSetupExtP;
    default: return PacketKinds;
    }
}

// The codes whose later records in a column are late echoes.
int lateEchoBit(int code)
{
    switch (code) {
    case 5: return 1;
    case 8: return 2;
    case 11: return 4;
    default: return 0;
    }
}

} // namespace

void ColumnRenderer::drawEcho(int code, int d, int32_t p)
{
    const EchoCode &echo = EchoCodes[size_t(code)];
    const size_t k = size_t(echo.channel);
    const int x = PlotEcho(m_view, d, p, echo.kind, m_view.O[k], m_view.settings.ChannelColour[k]);
    if (onView(m_view, x))
        ++m_view.dotsPerChannel[k];
    if (echo.trendSeries >= 0)
        m_trends.echo(echo.trendSeries, x, d);
}

void ColumnRenderer::drawPacket(PacketKind kind, int32_t p, int curve)
{
    const uint8_t *bytes = m_packets.bytes(kind);
    const int mode = m_view.state.HeaderMode;
    switch (kind) {
    case MileageP:
        if (mode == 0)
            DrawMileageHeader(m_view, bytes, p, curve);
        break;
    case GainP: DrawGainText(m_view, bytes, p); break;
    case GpsP:
        if (mode == 1)
            DrawGpsText(m_view, bytes, p);
        break;
    case ParamP: DrawParamLabel(m_view, p); break;
    case PowerP:
        if (mode == 1)
            DrawPowerText(m_view, bytes, p);
        break;
    case SwitchP: DrawSwitchNumber(m_view, bytes[0] * 256 + bytes[1], p); break;
    case CalibrationP: DrawCalibration(m_view, bytes[0] * 256 + bytes[1], p); break;
    default: break;
    }
}

void ColumnRenderer::takeByte(PacketKind kind, int data, int32_t p, int curve)
{
    if (m_packets.take(kind, uint8_t(data)))
        drawPacket(kind, p, curve);
}

void ColumnRenderer::DrawColumn(int col)
{
    SlotDrawing &view = m_view;
    const Column column = view.slot.Columns[size_t(col)];
    const int32_t p = column.position;
    const uint8_t *records = view.slot.Records.bytes();
    const bool secondGroup = view.layout.SecondGroupShown;
    const bool skipLate = view.settings.SkipLateEcho;

    MarkSwitches switches;
    int errorDots = 0;
    int lateSeen = 0;
    bool switchMarkSeen = false;
    bool pullCalibrationSeen = false;
    bool trackTaken = false;
    m_packets.reset();

    for (int32_t i = column.first; i <= column.last; ++i) {
        const uint8_t *r = records + RecordLength * size_t(i);
        const int code = r[0] >> 1;
        const int data = r[2];
        if (code < int(EchoCodes.size()) && EchoCodes[size_t(code)].kind >= 0) {
            if (code >= 26 && code <= 31 && !secondGroup)
                continue;
            if (const int late = lateEchoBit(code); late != 0 && skipLate) {
                if (lateSeen & late)
                    continue;
                lateSeen |= late;
            }
            drawEcho(code, data, p);
            continue;
        }
        switch (code) {
        case Code::Mark:
            if (data == MarkKind::PullCalibration)
                pullCalibrationSeen = true;
            DrawMarkGlyph(view, data, p, switches);
            break;
        case Code::SwitchMark:
            switchMarkSeen = true;
            DrawSwitchMark(view, data, p);
            break;
        case Code::ZeroBandMarker6:
        case Code::ZeroBandMarker7: {
            const size_t offsetChannel = code == Code::ZeroBandMarker6 ? 6 : 7;
            const int x = PlotEcho(view, 1, p, BandMarkerKind, view.O[offsetChannel], view.settings.ChannelColour[4]);
            if (onView(view, x))
                ++view.dotsPerChannel[4];
            break;
        }
        case Code::TopLineDot:
            view.canvas.dot(view.x(p), view.layout.T + view.layout.L, view.settings.ForeColour, view.state.DrawWidth);
            break;
        case Code::Error: DrawErrorDot(view, p, errorDots++); break;
        case Code::TrackNumber:
            if (!trackTaken) {
                trackTaken = true;
                DrawTrackNumber(view, data, p);
            }
            break;
        case Code::CalibrationPoint: DrawCalibrationPoint(view, i, p); break;
        case Code::SwitchNumber:
            if (!switchMarkSeen)
                takeByte(SwitchP, data, p, 0);
            break;
        case Code::Calibration:
            if (!pullCalibrationSeen)
                takeByte(CalibrationP, data, p, 0);
            break;
        default:
            if (const PacketKind kind = packetOf(code); kind != PacketKinds)
                // The loader keeps the curve state in the step value of mileage records.
                takeByte(kind, data, p, ((r[0] & 1) << 8) | r[1]);
            break;
        }
    }
    if (view.settings.TrendOn)
        m_trends.endColumn(view);
}

void ColumnRenderer::finish()
{
    if (m_view.settings.TrendOn)
        m_trends.finish(m_view);
}

} // namespace brantview
