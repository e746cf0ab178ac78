#include "HeaderValues.h"

#include "common/NumberFormat.h"
#include "recording/FindTableEntry.h"
#include "recording/ParamsInEffect.h"
#include "recording/ReviewMarks.h"

namespace brantview {

namespace {

// Unlike the parameters, a number table is not in effect before its first entry.
template <typename Entry>
const Entry *numberInEffect(const std::vector<Entry> &table, int64_t position)
{
    if (table.empty() || position < int64_t(table.front()[0]))
        return nullptr;
    return entryInEffect(table, position);
}

}  // namespace

bool HeaderValues::extraFitted(int extra) const
{
    const int bit = 1 << extra;
    return newFirmware() ? (probe.fittedMask & bit) != 0 : (probe.channelSet & bit) == 0;
}

int HeaderValues::secondGain(int channel) const
{
    const int packed = channel < 2 ? params.byte(41) : params.byte(24);
    return channel % 2 == 0 ? packed >> 4 : packed & 0x0F;
}

HeaderValues headerValuesInEffect(const RecordingSlot &slot, const ViewSources &sources, int doubleProbeMode)
{
    HeaderValues v;
    if (const ParamEntry *params = ParamsInEffect(slot))
        v.params = paramBlockOf(*params);
    v.probe = probeConfigInEffect(slot, doubleProbeMode);
    if (const GainEntry *gain = entryInEffect(slot.GainTable, slot.ViewStart))
        for (size_t k = 1; k <= v.gains.size(); ++k)
            v.gains[k - 1] = (*gain)[k];
    if (v.newFirmware())
        if (const RailSetup56Entry *ext = entryInEffect(slot.RailSetup56Table, slot.ViewStart))
            for (size_t c = 0; c < v.missValues.size(); ++c)
                v.missValues[c] = (*ext)[21 + c];
    if (const SwitchEntry *sw = numberInEffect(slot.SwitchTable, slot.ViewStart))
        v.switchNumber = (*sw)[1] * 256 + (*sw)[2];
    if (const TrackEntry *track = numberInEffect(slot.TrackTable, slot.ViewStart))
        v.trackNumber = (*track)[1];

    const int operatorNumber = v.params.operatorNumber();
    v.workNumberText =
        LookupWorkNumber(sources.workNumbers, operatorNumber).value_or(common::formatPattern(operatorNumber, u"00000"));
    if (v.newFirmware()) {
        const QString code = v.params.lineCode();
        v.lineText = LookupLineName(sources.lineNames, code).value_or(code);
    } else {
        v.lineText = common::formatPattern(v.params.trackOrLineNumber(), u"0000");
    }
    if (slot.HasTrailer)
        v.replayerName = replayerNameText(slot.ReplayerName).trimmed();
    return v;
}

}  // namespace brantview
