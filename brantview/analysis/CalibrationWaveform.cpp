#include "CalibrationWaveform.h"

#include "common/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace brantview {

namespace {

int32_t rounded(double value)
{
    return int32_t(std::nearbyint(value));
}

double distanceOf(const CalibrationMeasure &m)
{
    return std::abs(double(m.end) - double(m.start)) * NominalStepMm;
}

} // namespace

CalibrationScroll calibrationScrollOf(int32_t lastPosition)
{
    CalibrationScroll scroll;
    const double span = double(lastPosition) + CalibrationDragMargin;
    if (span / FineScrollScale <= ScrollUnitsLimit) {
        scroll.S = -FineScrollScale;
        scroll.Min = int(std::floor(span / -FineScrollScale));
    } else {
        // A longer run takes a coarser scale, so that the bar still reaches its end.
        scroll.Min = -ScrollUnitsLimit;
        scroll.S = span / -ScrollUnitsLimit;
    }
    scroll.Max = 1;
    scroll.Value = 1;
    return scroll;
}

QString measureText(double distanceMm)
{
    return common::formatPattern(distanceMm / 1000, u"###0+##0.###") + QLatin1Char('M');
}

void ResetDisplayFonts(BrantSettings &settings)
{
    settings.TextFonts = BrantSettings{}.TextFonts;
}

CalibrationWaveform::CalibrationWaveform(const RecordingSlot &slot, CalibrationRun run)
    : m_run(std::move(run)), m_scroll(calibrationScrollOf(lastPosition()))
{
    for (size_t i = 0; i < m_run.size(); ++i)
        if (slot.Records[size_t(m_run[i].record)].code() == RunCode::GroupLabel)
            m_labelEntries.push_back(i);
    m_V = rounded(m_scroll.Value * m_scroll.S);
}

size_t CalibrationWaveform::labelBytesBefore(size_t entry) const
{
    return size_t(std::lower_bound(m_labelEntries.begin(), m_labelEntries.end(), entry) - m_labelEntries.begin());
}

void CalibrationWaveform::scrollTo(int value)
{
    m_scroll.Value = std::clamp(value, m_scroll.Min, m_scroll.Max);
    m_V = rounded(m_scroll.Value * m_scroll.S);
}

void CalibrationWaveform::showAt(int32_t V)
{
    m_V = V;
    m_scroll.Value = std::clamp(int(std::nearbyint(V / m_scroll.S)), m_scroll.Min, m_scroll.Max);
}

bool CalibrationWaveform::scrollKey(int keyCode)
{
    int value = m_scroll.Value;
    if (keyCode == 221 && value < m_scroll.Max)
        ++value;
    else if (keyCode == 219 && value > m_scroll.Min)
        --value;
    else
        return false;
    scrollTo(value);
    return true;
}

void CalibrationWaveform::beginDrag(double x)
{
    m_dragging = true;
    m_lastX = x;
}

bool CalibrationWaveform::dragTo(double x)
{
    if (!m_dragging)
        return false;
    const int32_t candidate = rounded(m_V + (x - m_lastX));
    if (candidate <= -CalibrationDragMargin || candidate >= int64_t(lastPosition()) + CalibrationDragMargin)
        return false;
    m_lastX = x;
    // The bar follows the view; it does not snap the view to its own units.
    showAt(candidate);
    return true;
}

void CalibrationWaveform::endDrag()
{
    m_dragging = false;
}

MeasurePopupItems CalibrationWaveform::popupAt(double x)
{
    m_popupX = x;
    const bool underWay = m_measure.state != MeasureNone;
    return MeasurePopupItems{true, underWay, underWay};
}

int32_t CalibrationWaveform::positionAt(double Wj) const
{
    return rounded(m_V + (Wj - m_popupX));
}

void CalibrationWaveform::setMeasureStart(double Wj)
{
    m_measure.start = positionAt(Wj);
    if (m_measure.state == MeasureNone)
        m_measure.state = MeasureStartSet;
    else if (m_measure.state == MeasureBothSet)
        m_measure.distance = distanceOf(m_measure);
}

void CalibrationWaveform::setMeasureEnd(double Wj)
{
    m_measure.end = positionAt(Wj);
    m_measure.state = MeasureBothSet;
    m_measure.distance = distanceOf(m_measure);
}

void CalibrationWaveform::clearMeasure()
{
    m_measure.state = MeasureNone;
}

} // namespace brantview
