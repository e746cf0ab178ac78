#pragma once
// The instrument's management file ("管理文件", MG*.DAT): its operating log, one
// 16-byte record per power-on, power-off, gain change, speed-limit change, overspeed
// start and end, clock change and overspeed summary, with no header and no trailer.
// This is the only reader of the format.

#include "common/UserError.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace brantview {

enum class ManagementRecordKind : uint8_t {
    Empty = 0,
    PowerOn = 1,
    PowerOff = 2,
    GainChange = 3,
    SpeedLimitChange = 4,
    OverspeedStart = 5,
    OverspeedEnd = 6,
    ClockChange = 7,
    OverspeedSummary = 8,
};

// A file that is empty or not made of whole records; nothing is written for it.
class ManagementFileError : public common::UserError {
public:
    ManagementFileError() : UserError(QStringLiteral("文件格式不对或是空文件")) {}
};

// A 16-bit field whose high byte is 128 or more: the instrument writes them as
// signed values and such a field is damaged.
class ManagementFieldError : public common::UserError {
public:
    using UserError::UserError;
};

// Date bytes as stored: two-digit year, month, day. Compared by their bytes, so a
// date that does not exist still groups with its equals.
struct ManagementDate {
    uint8_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;

    bool operator==(const ManagementDate &) const = default;
    // Invalid when the bytes name no calendar day (month 13, day 0, ...).
    QDate toQDate() const { return QDate(2000 + year, month, day); }
};

// Time bytes as stored.
struct ManagementTime {
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;

    bool isValid() const { return hour < 24 && minute < 60 && second < 60; }
    // hours × 3600 + minutes × 60 + seconds, whatever the ranges: what spans and
    // durations are computed from.
    int seconds() const { return hour * 3600 + minute * 60 + second; }
};

constexpr int ManagementRecordSize = 16;

// One record exactly as stored. Bytes 0-6 (kind, second, minute, hour, day, month,
// year) and 7-10 (mileage km, m) are shared by kinds 1-6; kinds 7 and 8 lay out
// the rest differently. Accessors of 16-bit fields throw ManagementFieldError.
struct ManagementRecord {
    uint8_t bytes[ManagementRecordSize] = {};

    uint8_t kindCode() const { return bytes[0]; }
    ManagementRecordKind kind() const { return ManagementRecordKind(bytes[0]); }

    // Common layout (kinds 1-6; also the old time and date of a clock change, and
    // the start time of an overspeed summary).
    ManagementTime time() const { return {bytes[3], bytes[2], bytes[1]}; }
    ManagementDate date() const { return {bytes[6], bytes[5], bytes[4]}; }
    // km × 1000 + m (kinds 1-6 and 8).
    int64_t mileageMetres() const { return int64_t(word(7)) * 1000 + word(9); }
    double mileageKm() const { return double(mileageMetres()) / 1000.0; }

    // Power on (1), power off (2), speed limit changed (4): metres per hour.
    int speedLimit() const { return word(11); }
    // Power on.
    int lineNumber() const { return (bytes[15] >> 4) * 256 + bytes[13]; }
    int directionBit() const { return bytes[14] & 1; }
    int railSide() const { return bytes[14] >> 1; }
    int lineKind() const { return bytes[15] & 0x0F; }
    // Power off: tenths of a volt.
    int batteryTenths() const { return bytes[13]; }
    // Gain change: five attenuations in dB, index 0-4.
    int attenuation(int index) const { return bytes[11 + index]; }
    // Overspeed start and end: km/h, and the limit in metres per hour.
    double overspeedSpeed() const { return bytes[11] + bytes[12] / 100.0; }
    int overspeedLimit() const { return word(13); }

    // Clock changed: the new time and date (the old ones are time() and date()).
    ManagementTime newTime() const { return {bytes[9], bytes[8], bytes[7]}; }
    ManagementDate newDate() const { return {bytes[12], bytes[11], bytes[10]}; }

    // Overspeed summary: start time is time(), start mileage mileageMetres().
    int operatorNumber() const { return word(4); }
    // Whole kilometres × 1000 + metres.
    int64_t summaryDistanceMetres() const { return int64_t(bytes[11]) * 1000 + word(12); }
    double summarySpeed() const { return bytes[14] + bytes[15] / 100.0; }

    // The big-endian 16-bit value at `offset`, refused when negative as signed.
    int word(int offset) const;
};
static_assert(sizeof(ManagementRecord) == ManagementRecordSize);

// The records of a file's bytes; ManagementFileError when the length is 0 or not a
// multiple of 16.
std::vector<ManagementRecord> ParseManagementRecords(const QByteArray &bytes);

// Reads a management file, its size checked before anything is read. Throws
// ManagementFileError, or common::FileError when it cannot be read.
std::vector<ManagementRecord> LoadManagementFile(const QString &path);

// The raw dump: per record its 16 bytes as unsigned decimals separated by commas,
// each line ended by CR LF.
QByteArray ManagementDumpText(const std::vector<ManagementRecord> &records);

// `path` with its last three characters replaced by `extension` ("txt", "xls").
QString ManagementSiblingPath(const QString &path, const QString &extension);

// Writes the dump beside the management file (its ".txt" sibling), replacing the
// whole file at once; returns its path. Throws common::FileError.
QString WriteManagementDump(const QString &mgPath, const std::vector<ManagementRecord> &records);

} // namespace brantview
