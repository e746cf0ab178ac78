#pragma once
// The byte layouts of the Brantel instrument's files: the stream of 3-byte records
// with its packets and trailer, and the 256-byte A-scan frame. Every reader and
// writer of these files goes through the definitions here.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <cstring>

namespace brantview {

// Constants a reader and a writer share.
inline constexpr uint8_t StreamTypeCode = 110;  // also the first byte of every saved segment
inline constexpr uint8_t AScanTypeCode = 254;
inline constexpr int AScanFrameLength = 256;
inline constexpr int RecordLength = 3;
inline constexpr std::array<uint8_t, 3> EndMarker = {0x7A, 0x7B, 0x7C};
inline constexpr int ReplayerNameLength = 8;
inline constexpr int ReviewMarkLength = 27;
inline constexpr int StepsPerMileagePacket = 357;
inline constexpr double NominalStepMm = 2.94;
inline constexpr double NominalStepM = 0.00294;
inline constexpr int ChannelCount = 9;  // "1", "2", "3", "4", "5", "6", "1A", "2A", "6A"

// Record codes with a meaning of their own (echo codes are listed with the drawing).
namespace Code {
inline constexpr int Mark = 24;             // instrument mark, data byte = kind 1..14
inline constexpr int SwitchMark = 25;
inline constexpr int ZeroBandMarker6 = 32;
inline constexpr int TopLineDot = 34;
inline constexpr int ZeroBandMarker7 = 35;
inline constexpr int Mileage = 50;          // packet bytes
inline constexpr int Gain = 51;
inline constexpr int Gps = 52;
inline constexpr int Param = 53;
inline constexpr int Power = 54;
inline constexpr int RailSetup = 55;
inline constexpr int RailSetupExt = 56;
inline constexpr int Error = 57;            // made by the reader from an invalid record
inline constexpr int SwitchNumber = 70;
inline constexpr int TrackNumber = 71;
inline constexpr int Calibration = 72;
inline constexpr int CalibrationPoint = 73;
inline constexpr int NoAdvance = 74;
inline constexpr int LastAdvancing = 79;    // codes above never advance the position
inline constexpr int LastValid = 115;
} // namespace Code

// Bytes of each packet kind.
namespace PacketLength {
inline constexpr int Mileage = 9;
inline constexpr int Gain = 11;
inline constexpr int Gps = 6;
inline constexpr int Param = 46;
inline constexpr int Power = 4;
inline constexpr int RailSetup = 24;
inline constexpr int RailSetupExt = 29;
inline constexpr int SwitchNumber = 2;
inline constexpr int TrackNumber = 1;
inline constexpr int Calibration = 2;
} // namespace PacketLength

// Instrument mark kinds (data byte of a code-24 record).
namespace MarkKind {
inline constexpr int PullCalibration = 1;  // ">"
inline constexpr int Star = 2;             // "*"
inline constexpr int Triangle = 3;         // "△"
inline constexpr int ExitCalibration = 4;  // "!"
inline constexpr int SelectedPoint = 5;    // "#"
inline constexpr int MileageCheck = 6;     // "L"
inline constexpr int Restart = 7;          // "S"
inline constexpr int ClockError = 8;       // "$"
inline constexpr int MemoryError = 9;      // "X"
inline constexpr int M = 10;               // "M"
inline constexpr int CurveUpper = 11;
inline constexpr int CurveLower = 12;
inline constexpr int CurveEnd = 13;
inline constexpr int NoEffect = 14;
} // namespace MarkKind

// Whether a record with this code and data byte is one the instrument writes.
constexpr bool isValidRecord(int code, int data)
{
    if (code <= 23)
        return true;
    if (code == Code::Mark)
        return data >= 1 && data <= 14;
    return (code >= 25 && code <= 35) || (code >= 50 && code <= 56) || code == 60 || (code >= 70 && code <= 74)
        || (code >= 79 && code <= Code::LastValid);
}

// Whether a valid record's step value moves the position.
constexpr bool advancesPosition(int code)
{
    return code <= Code::LastAdvancing && code != Code::NoAdvance;
}

// One 3-byte record: code in b0 bits 7..1, step value in b0 bit 0 and b1, data byte in b2.
struct StreamRecord {
    uint8_t b0 = 0;
    uint8_t b1 = 0;
    uint8_t b2 = 0;

    int code() const { return b0 >> 1; }
    int step() const { return ((b0 & 1) << 8) | b1; }
    int data() const { return b2; }
    bool isEndMarker() const { return b0 == EndMarker[0] && b1 == EndMarker[1] && b2 == EndMarker[2]; }

    // code 0..127, step 0..511, data 0..255
    static constexpr StreamRecord make(int code, int step, int data)
    {
        return {uint8_t((code << 1) | ((step >> 8) & 1)), uint8_t(step & 0xFF), uint8_t(data)};
    }
};
static_assert(sizeof(StreamRecord) == RecordLength);

// Byte k (1-based, as the packet tables number them) of a little-endian field.
inline uint32_t littleEndian(const uint8_t *bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

// A review mark of the trailer, packed as stored.
struct ReviewMark {
    uint8_t kind = 0;               // 0: ReviewMarkKind
    uint8_t minutes[2] = {};        // 1, 2: kind 201, viewing time, little-endian
    uint8_t postPosition[4] = {};   // 3..6: position of the post, little-endian, signed
    uint8_t postMileage[4] = {};    // 7..10: mileage of the post in 0.1 m, big-endian
    uint8_t year[2] = {};           // 11, 12: little-endian
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    uint8_t params[9] = {};         // 18..26: ParamBlock bytes 42, 43, 14, 15, 16, 44, 13, 20, 21

    int viewingMinutes() const { return minutes[0] | (minutes[1] << 8); }
    int32_t position() const { return int32_t(littleEndian(postPosition, 4)); }
    uint32_t mileage() const
    {
        return (uint32_t(postMileage[0]) << 24) | (uint32_t(postMileage[1]) << 16) | (uint32_t(postMileage[2]) << 8)
            | postMileage[3];
    }
    int markYear() const { return year[0] | (year[1] << 8); }
    int firmwareVersion() const { return params[0] * 256 + params[1]; }
    const uint8_t *bytes() const { return reinterpret_cast<const uint8_t *>(this); }

    void setViewingMinutes(int value)
    {
        minutes[0] = uint8_t(value);
        minutes[1] = uint8_t(value >> 8);
    }
    void setPost(int32_t position, uint32_t mileage)
    {
        for (int i = 0; i < 4; ++i) {
            postPosition[i] = uint8_t(uint32_t(position) >> (8 * i));
            postMileage[i] = uint8_t(mileage >> (8 * (3 - i)));
        }
    }
    void setMadeAt(const QDateTime &at)
    {
        const QDate date = at.date();
        const QTime time = at.time();
        year[0] = uint8_t(date.year());
        year[1] = uint8_t(date.year() >> 8);
        month = uint8_t(date.month());
        day = uint8_t(date.day());
        hour = uint8_t(time.hour());
        minute = uint8_t(time.minute());
        second = uint8_t(time.second());
    }
};
static_assert(sizeof(ReviewMark) == ReviewMarkLength);

namespace ReviewMarkKind {
inline constexpr int Read = 1;           // "阅"
inline constexpr int Suspect = 2;        // "怀疑"
inline constexpr int FishScaleStart = 3; // "鱼鳞纹始点"
inline constexpr int FishScaleEnd = 4;   // "鱼鳞纹终点"
inline constexpr int Watch1 = 5;         // "关注1" .. 8 "关注4"
inline constexpr int Watch4 = 8;
inline constexpr int BrowseStart = 200;  // "浏览开始"
inline constexpr int BrowseEnd = 201;    // "浏览结束"
} // namespace ReviewMarkKind

// The ParamBlock bytes a review mark keeps, in its order.
inline constexpr std::array<int, 9> ReviewMarkParamBytes = {42, 43, 14, 15, 16, 44, 13, 20, 21};

// One frame of an A-scan record file, packed as stored.
struct AScanFrame {
    uint8_t sideAndChannel = 0;  // bit 0 rail side, bits 1..4 channel (1-based)
    uint8_t second = 0, minute = 0, hour = 0;
    uint8_t day = 0, month = 0, year = 0;  // two-digit year
    uint8_t probe = 0;
    uint8_t distance = 0;       // 0.1 m from the reference end
    uint8_t attenuation = 0;    // dB
    uint8_t referenceEnd = 0;   // bit 0: 0 "距顺端", 1 "据逆端"; bits 1..7 for the report
    uint8_t kmPost[2] = {};     // big-endian
    uint8_t railNumber = 0;
    uint8_t lineKindAndTrackLow = 0;   // bits 0..2 line kind, 3..7 low bits of the track or line number
    uint8_t railTypeAndTrackHigh = 0;  // bits 0..2 rail type, 3..7 high bits of the track or line number
    uint8_t samples[240] = {};

    int railSide() const { return sideAndChannel & 1; }
    int channel() const { return (sideAndChannel >> 1) & 0x0F; }
    int kilometrePost() const { return kmPost[0] * 256 + kmPost[1]; }
    int lineKind() const { return lineKindAndTrackLow & 7; }
    int railType() const { return railTypeAndTrackHigh & 7; }
    int trackOrLine() const { return (railTypeAndTrackHigh >> 3) * 32 + (lineKindAndTrackLow >> 3); }
    int referenceEndBit() const { return referenceEnd & 1; }
};
static_assert(sizeof(AScanFrame) == AScanFrameLength);

// A two-digit year read in the window 1930..2029; a byte above 99 is no year.
constexpr int fullYear(int twoDigits)
{
    if (twoDigits < 0 || twoDigits > 99)
        return 0;
    return twoDigits < 30 ? 2000 + twoDigits : 1900 + twoDigits;
}

} // namespace brantview
