#pragma once
// Record images of the .std recording format. Every struct here is the exact
// packed little-endian byte image stored in the file, so it is read and written
// with a plain byte copy; sizes and offsets are pinned below.

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "the .std record images are little-endian and copied byte for byte");

#pragma pack(push, 1)

using TChannelFloats = float[9];
using TRailChannelFloats = float[4][9];
using TRailChannelInts = int32_t[4][9];

struct TSYSTEMPARA {
    char16_t m_Version[20];
    char16_t m_Type[20];
    int8_t m_WorkMode;
    int8_t m_Language;
    int8_t m_WaveMode;
    int8_t m_Brightness;
    int8_t m_Volume;
    int8_t m_ColorDefIndex;
    int8_t m_GateVoice;
    int8_t m_SquareVoltage;
    int8_t m_PRFValue;
    int8_t m_AutoAmpl;
    int8_t m_AScanMode;
    int8_t m_RailType;
    int8_t m_Rejection;
    int8_t m_GateHeight;
    uint8_t pad94[2];
    int32_t m_MileageKm;
    int32_t m_MileageM;
    int8_t m_GPSEnable;
    uint8_t pad105[3];
    float m_GPSNorth;
    float m_GPSEast;
    int8_t m_SpeedLimitEnable;
    int8_t m_SpeedLimitValue;
    int8_t m_Delay2To1Enable;
    int8_t m_Delay2To1Value;
    int8_t m_CGateAlarmDelayEnable;
    int8_t m_CGateAlarmDelayValue;
    int8_t m_CoderPrec;
    int8_t m_CoderPrecValue;
    float m_CoderError;
    float m_TCGValue;
    int8_t m_TCGEnable;
    uint8_t pad133[3];
    float m_DigitalGain;
    int8_t m_Operator;
    uint8_t pad141[3];
    int32_t m_Switch;
    int8_t m_LineType;
    int8_t m_LineName;
    uint8_t pad150[2];
    int32_t m_StationName;
    int8_t m_Direction;
    int8_t m_WheelEdge;
    uint8_t pad158[2];
    int32_t m_StartPointKm;
    int32_t m_StartPointM;
    int32_t m_RailNumber;
    int8_t m_LeftRightLine;
    int8_t m_StraightOrCurve;
    int8_t m_TieType;
    int8_t m_FlawType;
    int8_t m_FlawIndex;
    int8_t m_Factory;
    uint8_t pad178[2];
    int32_t m_PotNumber;
    int32_t m_Date;
    int32_t m_Time;
    int8_t m_Company;
    int8_t m_AlarmType;
    int8_t m_FullRecord;
    int8_t m_GainRange;
    int8_t m_PassDetect;
    int8_t m_KeyVoice;
    uint8_t pad198[2];
    int32_t m_ZoomStartPoint;
    uint8_t m_HintLine[32];
    uint8_t m_GatherWarp[12];
    TRailChannelFloats m_Gain;
    TRailChannelFloats m_DeltaGain;
    TChannelFloats m_Range;
    uint8_t m_DispDelay[9][4];
    uint8_t m_ProbeKValue[9][4];
    TChannelFloats m_ProbeAngle;
    uint8_t m_ProbeAngleSin[9][4];
    uint8_t m_ProbeAngleCos[9][4];
    uint8_t m_ProbeXValue[9][4];
    TChannelFloats m_ProbeDelay;
    TRailChannelInts m_Gate1Start;
    TRailChannelInts m_Gate1Width;
    TRailChannelInts m_Gate1Height;
    TRailChannelInts m_Gate1DrawWidth;
    TRailChannelInts m_Gate2Start;
    TRailChannelInts m_Gate2Width;
    TRailChannelInts m_Gate2Height;
    TRailChannelInts m_Gate2DrawWidth;
    TRailChannelInts m_Gate3Start;
    TRailChannelInts m_Gate3Width;
    TRailChannelInts m_Gate3Height;
    TRailChannelInts m_Gate3DrawWidth;
    int32_t m_StartPoint[9];
    int32_t m_CurveValue[4][9][8];
    int32_t m_ChannelColorDefIndex;
    int32_t m_ChannelColor[9];
    int32_t m_ChannelColorIndex[9];
    int32_t m_ChannelToneDefIndex;
    int32_t m_ChannelTone70;
    int32_t m_ChannelTone37;
    int32_t m_ChannelTone0;
    int32_t m_LostValue;
    int32_t m_InstrumentNo;
    int32_t m_GainCorrect;
    int32_t m_MileageCalType;
    int32_t m_AutoDeleteData;
    int32_t m_RecordLine;
    int8_t m_WeldHint;
    int8_t m_InteligentDisplay;
    uint8_t pad3858[2];
    int32_t m_ImgDataIdx;
    int32_t m_ImgRowIdx;
    int32_t m_ImgBackDataIdx;
    int32_t m_ImgBackRowIdx;
    int32_t m_WeldHintType;
    int32_t m_EndDate;
    int32_t m_EndTime;
    int32_t m_EvgVelocity;
    char16_t m_OperatorName[10];
    char16_t m_LineNameChar[10];
    char16_t m_StationNameChar[10];
    char16_t m_CompanyChar[10];
    int32_t m_CompressDispaly;
    int32_t m_Area;
    int32_t m_AutoSaveData;
    int32_t m_EverageVelocityType;
    int32_t m_SwitchChangeAutoZero;
    int32_t m_BScanDelayWave;
    int32_t m_OperatorCount;
    char16_t m_OperatorRecord[8][8];
    uint8_t m_Reserve[44];
};

struct TSCANDATAINDEX {
    int32_t m_PacketIndexCount;
    int32_t m_ImagePacketCount;
    int32_t m_BackPacketIndexCount;
    int32_t m_BackImagePacketCount;
};

struct TPACKET {
    char16_t m_Cmd;
    int16_t m_Data1;
    int16_t m_Data2;
};

struct TREMARK {
    char16_t m_Cmd;
    int32_t m_Pos;
};

struct FILETIME {
    uint32_t dwLowDateTime;
    uint32_t dwHighDateTime;
};

struct WIN32FINDDATA {
    uint32_t dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    uint32_t nFileSizeHigh;
    uint32_t nFileSizeLow;
    uint32_t dwOID;
    char16_t cFileName[260];
};

// A row index entry as stored: packets of 6 bytes leave later blocks unaligned.
struct TPacketIndex {
    int32_t value;
    operator int32_t() const { return value; }
};

#pragma pack(pop)

// Band boundaries of the B-scan image (frame lines 0..4, rail height 5).
struct TDataHeight {
    int32_t v[6];
    int32_t &operator[](int i) { return v[i]; }
    int32_t operator[](int i) const { return v[i]; }
};

// Image coordinates of an echo: start point, end point.
struct TPos {
    int32_t xs;
    int32_t ys;
    int32_t xe;
    int32_t ye;
};

static_assert(sizeof(TSYSTEMPARA) == 4172);
static_assert(sizeof(TSCANDATAINDEX) == 16);
static_assert(sizeof(TPACKET) == 6);
static_assert(sizeof(TREMARK) == 6);
static_assert(sizeof(WIN32FINDDATA) == 560);
static_assert(sizeof(TPacketIndex) == 4);

static_assert(offsetof(TSYSTEMPARA, m_WorkMode) == 80);
static_assert(offsetof(TSYSTEMPARA, m_RailType) == 91);
static_assert(offsetof(TSYSTEMPARA, m_MileageKm) == 96);
static_assert(offsetof(TSYSTEMPARA, m_GPSEnable) == 104);
static_assert(offsetof(TSYSTEMPARA, m_GPSNorth) == 108);
static_assert(offsetof(TSYSTEMPARA, m_SpeedLimitEnable) == 116);
static_assert(offsetof(TSYSTEMPARA, m_CoderError) == 124);
static_assert(offsetof(TSYSTEMPARA, m_TCGEnable) == 132);
static_assert(offsetof(TSYSTEMPARA, m_DigitalGain) == 136);
static_assert(offsetof(TSYSTEMPARA, m_Operator) == 140);
static_assert(offsetof(TSYSTEMPARA, m_Switch) == 144);
static_assert(offsetof(TSYSTEMPARA, m_LineType) == 148);
static_assert(offsetof(TSYSTEMPARA, m_StationName) == 152);
static_assert(offsetof(TSYSTEMPARA, m_Direction) == 156);
static_assert(offsetof(TSYSTEMPARA, m_StartPointKm) == 160);
static_assert(offsetof(TSYSTEMPARA, m_RailNumber) == 168);
static_assert(offsetof(TSYSTEMPARA, m_LeftRightLine) == 172);
static_assert(offsetof(TSYSTEMPARA, m_Factory) == 177);
static_assert(offsetof(TSYSTEMPARA, m_PotNumber) == 180);
static_assert(offsetof(TSYSTEMPARA, m_Date) == 184);
static_assert(offsetof(TSYSTEMPARA, m_Time) == 188);
static_assert(offsetof(TSYSTEMPARA, m_Company) == 192);
static_assert(offsetof(TSYSTEMPARA, m_ZoomStartPoint) == 200);
static_assert(offsetof(TSYSTEMPARA, m_HintLine) == 204);
static_assert(offsetof(TSYSTEMPARA, m_GatherWarp) == 236);
static_assert(offsetof(TSYSTEMPARA, m_Gain) == 248);
static_assert(offsetof(TSYSTEMPARA, m_DeltaGain) == 392);
static_assert(offsetof(TSYSTEMPARA, m_Range) == 536);
static_assert(offsetof(TSYSTEMPARA, m_DispDelay) == 572);
static_assert(offsetof(TSYSTEMPARA, m_ProbeKValue) == 608);
static_assert(offsetof(TSYSTEMPARA, m_ProbeAngle) == 644);
static_assert(offsetof(TSYSTEMPARA, m_ProbeAngleSin) == 680);
static_assert(offsetof(TSYSTEMPARA, m_ProbeAngleCos) == 716);
static_assert(offsetof(TSYSTEMPARA, m_ProbeXValue) == 752);
static_assert(offsetof(TSYSTEMPARA, m_ProbeDelay) == 788);
static_assert(offsetof(TSYSTEMPARA, m_Gate1Start) == 824);
static_assert(offsetof(TSYSTEMPARA, m_Gate1Width) == 968);
static_assert(offsetof(TSYSTEMPARA, m_Gate1Height) == 1112);
static_assert(offsetof(TSYSTEMPARA, m_Gate1DrawWidth) == 1256);
static_assert(offsetof(TSYSTEMPARA, m_Gate2Start) == 1400);
static_assert(offsetof(TSYSTEMPARA, m_Gate2Width) == 1544);
static_assert(offsetof(TSYSTEMPARA, m_Gate2Height) == 1688);
static_assert(offsetof(TSYSTEMPARA, m_Gate2DrawWidth) == 1832);
static_assert(offsetof(TSYSTEMPARA, m_Gate3Start) == 1976);
static_assert(offsetof(TSYSTEMPARA, m_Gate3Width) == 2120);
static_assert(offsetof(TSYSTEMPARA, m_Gate3Height) == 2264);
static_assert(offsetof(TSYSTEMPARA, m_Gate3DrawWidth) == 2408);
static_assert(offsetof(TSYSTEMPARA, m_StartPoint) == 2552);
static_assert(offsetof(TSYSTEMPARA, m_CurveValue) == 2588);
static_assert(offsetof(TSYSTEMPARA, m_ChannelColorDefIndex) == 3740);
static_assert(offsetof(TSYSTEMPARA, m_ChannelColor) == 3744);
static_assert(offsetof(TSYSTEMPARA, m_ChannelColorIndex) == 3780);
static_assert(offsetof(TSYSTEMPARA, m_ChannelToneDefIndex) == 3816);
static_assert(offsetof(TSYSTEMPARA, m_LostValue) == 3832);
static_assert(offsetof(TSYSTEMPARA, m_InstrumentNo) == 3836);
static_assert(offsetof(TSYSTEMPARA, m_GainCorrect) == 3840);
static_assert(offsetof(TSYSTEMPARA, m_RecordLine) == 3852);
static_assert(offsetof(TSYSTEMPARA, m_WeldHint) == 3856);
static_assert(offsetof(TSYSTEMPARA, m_ImgDataIdx) == 3860);
static_assert(offsetof(TSYSTEMPARA, m_ImgRowIdx) == 3864);
static_assert(offsetof(TSYSTEMPARA, m_EvgVelocity) == 3888);
static_assert(offsetof(TSYSTEMPARA, m_OperatorName) == 3892);
static_assert(offsetof(TSYSTEMPARA, m_LineNameChar) == 3912);
static_assert(offsetof(TSYSTEMPARA, m_StationNameChar) == 3932);
static_assert(offsetof(TSYSTEMPARA, m_CompanyChar) == 3952);
static_assert(offsetof(TSYSTEMPARA, m_CompressDispaly) == 3972);
static_assert(offsetof(TSYSTEMPARA, m_Area) == 3976);
static_assert(offsetof(TSYSTEMPARA, m_OperatorCount) == 3996);
static_assert(offsetof(TSYSTEMPARA, m_OperatorRecord) == 4000);
static_assert(offsetof(TSYSTEMPARA, m_Reserve) == 4128);

static_assert(offsetof(TPACKET, m_Data1) == 2 && offsetof(TPACKET, m_Data2) == 4);
static_assert(offsetof(TREMARK, m_Pos) == 2);
static_assert(offsetof(WIN32FINDDATA, ftCreationTime) == 4);
static_assert(offsetof(WIN32FINDDATA, ftLastAccessTime) == 12);
static_assert(offsetof(WIN32FINDDATA, ftLastWriteTime) == 20);
static_assert(offsetof(WIN32FINDDATA, nFileSizeHigh) == 28);
static_assert(offsetof(WIN32FINDDATA, nFileSizeLow) == 32);
static_assert(offsetof(WIN32FINDDATA, dwOID) == 36);
static_assert(offsetof(WIN32FINDDATA, cFileName) == 40);
