#include "ChannelNames.h"

#include "recording/FindTableEntry.h"
#include "recording/ParamsInEffect.h"

namespace brantview {

namespace {

bool bit(int value, int index)
{
    return (value >> index) & 1;
}

QString facing(bool backward)
{
    return backward ? QStringLiteral("后") : QStringLiteral("前");
}

// Kind of channels "3" and "4": 0 37°, 1 18°, 2 70° offset by 10, anything else none.
int kindOf34(const ProbeConfig &c)
{
    return c.newFirmware() ? c.probeByte & 0x0F : (c.probeByte >> 2) & 3;
}

// Kind of channel "6" in the older configuration byte.
int kindOf6(const ProbeConfig &c)
{
    return (c.probeByte >> 4) & 7;
}

QString name34(const ProbeConfig &c, const QString &label)
{
    switch (kindOf34(c)) {
    case 0: return label + QStringLiteral("37");
    case 1: return label + QStringLiteral("18");
    case 2: return label + QStringLiteral("70偏10");
    default: return {};
    }
}

bool fitted(const ProbeConfig &c, int extra)
{
    return c.newFirmware() ? bit(c.fittedMask, extra) : !bit(c.channelSet, extra);
}

QString olderName(const ProbeConfig &c, int k)
{
    switch (k) {
    case 0: return QStringLiteral("1:") + facing(bit(c.probeByte, 0)) + QStringLiteral("70");
    case 1: return QStringLiteral("2:") + facing(bit(c.probeByte, 1)) + QStringLiteral("70");
    case 2: return name34(c, QStringLiteral("3:前"));
    case 3: return name34(c, QStringLiteral("4:后"));
    case 4: return QStringLiteral("5:0");
    case 5: {
        static const char16_t *const names[] = {u"6:前直70", u"6:后直70", u"6:0", u"6:45", u"6:前斜70", u"6:后斜70"};
        const int kind = kindOf6(c);
        return kind < 6 ? QString::fromUtf16(names[kind]) : QString();
    }
    // The extra channels look the other way from "1" and "2".
    case 6: return fitted(c, 0) ? QStringLiteral("1A:") + facing(!bit(c.probeByte, 0)) + QStringLiteral("70") : QString();
    case 7: return fitted(c, 1) ? QStringLiteral("2A:") + facing(!bit(c.probeByte, 1)) + QStringLiteral("70") : QString();
    case 8:
        if (!fitted(c, 2))
            return {};
        return kindOf6(c) == 1 ? QStringLiteral("6A:前直70") : QStringLiteral("6A:后直70");
    default: return {};
    }
}

QString newerName(const ProbeConfig &c, int k)
{
    const int mask = c.directionMask;
    switch (k) {
    case 0: return QStringLiteral("1:") + facing(bit(mask, 0)) + QStringLiteral("70");
    case 1: return QStringLiteral("2:") + facing(bit(mask, 1)) + QStringLiteral("70");
    case 2: return name34(c, QStringLiteral("3:前"));
    case 3: return name34(c, QStringLiteral("4:后"));
    case 4: return QStringLiteral("5:0");
    case 5: return QStringLiteral("6:") + facing(bit(mask, 5)) + QStringLiteral("直70");
    case 6:
        if (!fitted(c, 0))
            return {};
        return c.doubleProbeMode == 1 ? QStringLiteral("1A:双45") : QStringLiteral("1A:") + facing(bit(mask, 6)) + QStringLiteral("70");
    case 7:
        if (!fitted(c, 1))
            return {};
        return c.doubleProbeMode == 2 ? QStringLiteral("2A:双45") : QStringLiteral("2A:") + facing(bit(mask, 7)) + QStringLiteral("70");
    case 8: return fitted(c, 2) ? QStringLiteral("6A:") + facing(bit(mask, 8)) + QStringLiteral("直70") : QString();
    default: return {};
    }
}

} // namespace

bool ExtraChannelFitted(const ProbeConfig &config, int extra)
{
    return fitted(config, extra);
}

ProbeConfig probeConfigInEffect(const RecordingSlot &slot, int previousDoubleMode)
{
    ProbeConfig c;
    c.doubleProbeMode = previousDoubleMode;
    if (const ParamEntry *params = ParamsInEffect(slot)) {
        const ParamBlock block = paramBlockOf(*params);
        c.firmwareVersion = block.firmwareVersion();
        c.probeByte = block.byte(19);
        c.channelSet = block.byte(34);
        c.directionMask = block.byte(34) * 256 + block.byte(23);
        c.fittedMask = block.byte(40);
        if (c.firmwareVersion > 700)
            c.doubleProbeMode = block.byte(19) >> 4;
    }
    if (const GainEntry *gain = entryInEffect(slot.GainTable, slot.ViewStart))
        c.railType = (*gain)[11];
    return c;
}

ProbeConfig probeConfigOfFrame(const AScanFrame &frame)
{
    ProbeConfig c;
    c.probeByte = frame.probe;
    c.railType = frame.railType();
    return c;
}

QString ChannelName(const ProbeConfig &config, int k)
{
    return config.newFirmware() ? newerName(config, k) : olderName(config, k);
}

std::optional<int> TraceRange(const ProbeConfig &config, int k)
{
    const int rail = config.railType <= 1 ? 200 : 250;
    switch (k) {
    case 0: case 1: case 6: case 7: case 8:
        return rail;
    case 2: case 3:
        switch (kindOf34(config)) {
        case 0: return rail;
        case 1: return 250;
        case 2: return 139;
        default: return std::nullopt;
        }
    case 4:
        return 250;
    case 5:
        // Newer firmware fits a straight 70° probe on "6" whatever the configuration byte.
        if (config.newFirmware())
            return rail;
        switch (kindOf6(config)) {
        case 2: return 250;
        case 3: return 300;
        case 0: case 1: case 4: case 5: return rail;
        default: return std::nullopt;
        }
    default:
        return std::nullopt;
    }
}

} // namespace brantview
