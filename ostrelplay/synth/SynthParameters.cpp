#include "SynthParameters.h"

#include "common/NumberFormat.h"
#include "recording/StdText.h"

#include <QDate>
#include <cstring>

namespace {

struct LineChoice {
    const char16_t *line;
    const char16_t *stations[3];
};

constexpr LineChoice kLines[] = {
    {u"京沪线", {u"徐州北", u"蚌埠", u"德州"}},
    {u"京广线", {u"郑州北", u"石家庄", u"信阳"}},
    {u"陇海线", {u"商丘", u"开封", u"宝鸡"}},
    {u"沪昆线", {u"株洲", u"萍乡", u"金华"}},
};

constexpr const char16_t *kOperatorNames[] = {u"张伟", u"李强", u"王磊", u"刘洋", u"陈静", u"杨帆", u"赵敏", u"黄勇"};

enum ProbeKind { Probe70, Probe37, Probe0 };
constexpr ProbeKind kProbeKind[9] = {Probe70, Probe70, Probe70, Probe37, Probe37, Probe0, Probe70, Probe70, Probe70};

// Forward 70° probes sit at the rear of the carriage and look across it, the back
// 70° probes at the front; the 37° pair and the 0° probe in the middle (mm, as stored).
constexpr int32_t kStartPoint[9] = {400, 420, 440, 260, 240, 250, 60, 80, 100};
constexpr float kProbeDelay[9] = {8.5f, 8.3f, 8.6f, 6.4f, 6.2f, 2.1f, 8.4f, 8.7f, 8.5f};
constexpr int32_t kChannelColor[9] = {0x0000FF, 0x00A5FF, 0x00FFFF, 0x00FF00, 0xFFFF00,
                                      0xFF0000, 0xFF00FF, 0x8080FF, 0x80FF80};

struct ProbeFacts {
    float angle, range, kValue, sine, cosine, frontLength;
    int32_t gate1Start, gate1Width, gate2Start, gate2Width;
    int32_t curve[8];
};

constexpr ProbeFacts kProbeFacts[3] = {
    {70.0f, 250.0f, 2.75f, 0.9397f, 0.3420f, 12.0f, 60, 260, 320, 60, {0, 2, 4, 7, 10, 13, 16, 20}},
    {37.0f, 250.0f, 0.75f, 0.6018f, 0.7986f, 10.0f, 40, 300, 300, 60, {0, 1, 2, 4, 6, 8, 10, 12}},
    {0.0f, 200.0f, 0.0f, 0.0f, 1.0f, 0.0f, 30, 250, 300, 80, {0, 0, 0, 0, 0, 0, 0, 0}},
};

void storeFloat(uint8_t (&bytes)[4], float value)
{
    std::memcpy(bytes, &value, 4);
}

void setText(void *units, int count, const char16_t *text)
{
    setStdText(units, count, QString::fromUtf16(text));
}

QDate clockDay(SynthClock clock)
{
    return QDate(2000, 1, 1).addDays(clock / 86400);
}

} // namespace

SynthProfile makeSynthProfile(const QString &version, common::SynthRandom &random)
{
    SynthProfile profile;
    profile.version = version;
    const LineChoice &line = kLines[random.below(std::size(kLines))];
    profile.lineName = QString::fromUtf16(line.line);
    profile.stationName = QString::fromUtf16(line.stations[random.below(3)]);
    profile.companyName = profile.stationName + QStringLiteral("工务段");
    const int firstName = int(random.below(std::size(kOperatorNames)));
    for (int i = 0; i < 3; ++i) {
        profile.operators[i].number = int(random.between(10 + 30 * i, 39 + 30 * i));
        profile.operators[i].name = QString::fromUtf16(kOperatorNames[(firstName + 3 * i) % std::size(kOperatorNames)]);
    }
    profile.lineType = int(random.below(2));
    profile.leftRightLine = int(random.below(2));
    profile.direction = int(random.below(2));
    profile.factory = int(random.below(4));
    profile.area = int(random.between(1, 12));
    profile.instrumentNo = int(random.between(10001, 19999));
    profile.potNumber = int(random.between(100, 999));
    profile.gpsNorth = 30.0f + float(random.below(60000)) / 10000.0f;
    profile.gpsEast = 113.0f + float(random.below(60000)) / 10000.0f;
    for (int c = 0; c < 9; ++c) {
        const float base = kProbeKind[c] == Probe70 ? 46.0f : kProbeKind[c] == Probe37 ? 42.0f : 38.0f;
        const float own = 0.5f * float(random.below(9));
        for (int r = 0; r < 4; ++r)
            profile.gain[r][c] = base + own + float(r);
    }
    return profile;
}

int32_t clockDate(SynthClock clock)
{
    const QDate day = clockDay(clock);
    return day.year() * 10000 + day.month() * 100 + day.day();
}

int32_t clockTime(SynthClock clock)
{
    const int64_t second = clock % 86400;
    return int32_t(second / 3600 * 10000 + second / 60 % 60 * 100 + second % 60);
}

int clockMinuteOfDay(SynthClock clock)
{
    return int(clock % 86400 / 60);
}

TSYSTEMPARA synthRunParameters(const SynthProfile &profile, const SynthRunStart &start)
{
    TSYSTEMPARA p{};
    setStdText(p.m_Version, 20, profile.version);
    setText(p.m_Type, 20, u"OST-10A");
    p.m_WaveMode = 1;
    p.m_Brightness = 5;
    p.m_Volume = 3;
    p.m_GateVoice = 1;
    p.m_SquareVoltage = 2;
    p.m_PRFValue = 3;
    p.m_RailType = int8_t(start.railType);
    p.m_GateHeight = 40;
    p.m_GPSEnable = 1;
    p.m_GPSNorth = profile.gpsNorth;
    p.m_GPSEast = profile.gpsEast;
    p.m_SpeedLimitEnable = 1;
    p.m_SpeedLimitValue = 40;
    p.m_CoderPrec = 1;
    p.m_CoderPrecValue = 2;
    p.m_CoderError = 0.02f;
    p.m_TCGValue = 6.0f;
    p.m_TCGEnable = 1;
    const SynthOperator &op = profile.operators[start.operatorIndex];
    p.m_Operator = int8_t(op.number);
    p.m_LineType = int8_t(profile.lineType);
    p.m_LineName = 3;
    p.m_StationName = 12;
    p.m_Direction = int8_t(profile.direction);
    p.m_StartPointKm = int32_t(start.mileageMetres / 1000);
    p.m_StartPointM = int32_t(start.mileageMetres % 1000);
    p.m_RailNumber = start.index + 1;
    p.m_LeftRightLine = int8_t(profile.leftRightLine);
    p.m_StraightOrCurve = start.curve ? 1 : 0;
    p.m_TieType = 1;
    p.m_Factory = int8_t(profile.factory);
    p.m_PotNumber = profile.potNumber;
    p.m_Date = clockDate(start.clock);
    p.m_Time = clockTime(start.clock);
    p.m_Company = 1;
    p.m_FullRecord = 1;
    p.m_GainRange = 1;
    p.m_KeyVoice = 1;

    for (int c = 0; c < 9; ++c) {
        const ProbeFacts &probe = kProbeFacts[kProbeKind[c]];
        p.m_Range[c] = probe.range;
        p.m_ProbeAngle[c] = probe.angle;
        p.m_ProbeDelay[c] = kProbeDelay[c];
        storeFloat(p.m_ProbeKValue[c], probe.kValue);
        storeFloat(p.m_ProbeAngleSin[c], probe.sine);
        storeFloat(p.m_ProbeAngleCos[c], probe.cosine);
        storeFloat(p.m_ProbeXValue[c], probe.frontLength);
        p.m_StartPoint[c] = kStartPoint[c];
        p.m_ChannelColor[c] = kChannelColor[c];
        p.m_ChannelColorIndex[c] = c;
        for (int r = 0; r < 4; ++r) {
            p.m_Gain[r][c] = profile.gain[r][c];
            p.m_DeltaGain[r][c] = start.deltaGain[r][c];
            p.m_Gate1Start[r][c] = probe.gate1Start;
            p.m_Gate1Width[r][c] = probe.gate1Width;
            p.m_Gate1Height[r][c] = 40;
            p.m_Gate1DrawWidth[r][c] = probe.gate1Width;
            p.m_Gate2Start[r][c] = probe.gate2Start;
            p.m_Gate2Width[r][c] = probe.gate2Width;
            p.m_Gate2Height[r][c] = 60;
            p.m_Gate2DrawWidth[r][c] = probe.gate2Width;
            for (int k = 0; k < 8; ++k)
                p.m_CurveValue[r][c][k] = probe.curve[k] + (k > 0 ? r : 0);
        }
    }
    p.m_ChannelTone70 = 1;
    p.m_ChannelTone37 = 2;
    p.m_ChannelTone0 = 3;
    p.m_LostValue = 20;
    p.m_InstrumentNo = profile.instrumentNo;
    p.m_GainCorrect = 1;
    p.m_RecordLine = 1;
    p.m_WeldHint = 1;

    setStdText(p.m_OperatorName, 10, op.name);
    setStdText(p.m_LineNameChar, 10, profile.lineName);
    setStdText(p.m_StationNameChar, 10, profile.stationName);
    setStdText(p.m_CompanyChar, 10, profile.companyName);
    p.m_Area = profile.area;
    p.m_AutoSaveData = 1;
    p.m_OperatorCount = int32_t(profile.operators.size());
    for (size_t i = 0; i < profile.operators.size(); ++i)
        setStdText(p.m_OperatorRecord[i], 8,
                   common::zeroPadded(profile.operators[i].number, 3) + profile.operators[i].name);
    return p;
}

void finishSynthRunParameters(TSYSTEMPARA &para, const SynthRunEnd &end)
{
    para.m_MileageKm = int32_t(end.mileageMetres / 1000);
    para.m_MileageM = int32_t(end.mileageMetres % 1000);
    para.m_ImgDataIdx = end.packets;
    para.m_ImgRowIdx = end.rows;
    para.m_EndDate = clockDate(end.clock);
    para.m_EndTime = clockTime(end.clock);
    para.m_EvgVelocity = end.averageSpeed;
}

WIN32FINDDATA synthFindData(SynthClock start, SynthClock end)
{
    // FILETIME counts 100 ns steps from 1601-01-01; 2000-01-01 is 12591158400 s later.
    const auto fileTime = [](SynthClock clock) {
        const uint64_t ticks = uint64_t(clock + 12591158400ll) * 10000000ull;
        return FILETIME{uint32_t(ticks), uint32_t(ticks >> 32)};
    };
    WIN32FINDDATA data{};
    data.dwFileAttributes = 0x20;  // archive, as the instrument's file system sets it
    data.ftCreationTime = fileTime(start);
    data.ftLastAccessTime = fileTime(end);
    data.ftLastWriteTime = fileTime(end);
    const QString name = QStringLiteral("%1_%2.std").arg(clockDate(start)).arg(common::zeroPadded(clockTime(start), 6));
    setStdText(data.cFileName, 260, name);
    return data;
}
