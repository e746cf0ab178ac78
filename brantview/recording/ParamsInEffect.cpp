#include "ParamsInEffect.h"

#include "FindTableEntry.h"

#include <cmath>

namespace brantview {

const ParamEntry *ParamsInEffect(const RecordingSlot &slot)
{
    return entryInEffect(slot.ParamTable, slot.ViewStart);
}

ParamBlock paramBlockOf(const ParamEntry &entry)
{
    ParamBlock block;
    for (int k = 1; k <= PacketLength::Param; ++k)
        block.set(k, entry[size_t(k)]);
    return block;
}

void TakeParamsInEffect(RecordingSlot &slot)
{
    const ParamEntry *params = ParamsInEffect(slot);
    const ParamBlock block = params ? paramBlockOf(*params) : ParamBlock{};
    slot.CurrentParams = block.reviewMarkParams();
    slot.StepLength = params ? block.stepLengthMm() : NominalStepMm;
    slot.SampleSpacing = params ? block.sampleSpacingM() : StepsPerMileagePacket * NominalStepM;

    slot.RailSetupTable = {};
    if (const RailSetup55Entry *setup = entryInEffect(slot.RailSetup55Table, slot.ViewStart))
        for (int k = 1; k <= PacketLength::RailSetup; ++k)
            slot.RailSetupTable[size_t((k - 1) % 4)][size_t((k - 1) / 4)] = (*setup)[size_t(k)];
    if (block.firmwareVersion() >= 700)
        if (const RailSetup56Entry *ext = entryInEffect(slot.RailSetup56Table, slot.ViewStart))
            for (int k = 1; k <= 20; ++k)
                slot.RailSetupTable[size_t((k - 1) % 4)][size_t(6 + (k - 1) / 4)] = (*ext)[size_t(k)];
}

int64_t LastViewPosition(const RecordingSlot &slot)
{
    return (slot.Columns.empty() ? 0 : int64_t(slot.Columns.back().position)) + 300;
}

int32_t ScrollScale(const RecordingSlot &slot)
{
    const int64_t last = LastViewPosition(slot);
    if (last / 340.0 <= 32767.0)
        return -340;
    // Rounded away from zero, so that the bar's 32767 units reach the end of the recording.
    return -int32_t(std::ceil(double(last) / 32767.0));
}

int32_t CurrentColumnOf(const RecordingSlot &slot)
{
    return FindTableEntry(slot.Columns, int64_t(slot.ViewStart) - 100).value_or(0);
}

void SetInitialView(RecordingSlot &slot)
{
    slot.ViewStart = ScrollScale(slot);
    slot.CurrentColumn = CurrentColumnOf(slot);
    TakeParamsInEffect(slot);
}

} // namespace brantview
