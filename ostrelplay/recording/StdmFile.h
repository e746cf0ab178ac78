#pragma once
// The .stdm recording video: records back to back, each the A-display of one
// channel over five seconds (fifty frames) with the parameter block in force.
// The structs are the packed byte images of the file; sizes and offsets are pinned below.

#include "STDDataStruct.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

#pragma pack(push, 1)

struct TRECORDDATAINDEX {
    uint8_t m_FileIndex[10];
    uint8_t m_Posion[22];
    int64_t t_Time;
};

constexpr int StdmTraceColumns = 420;
constexpr int StdmFrameCount = 50;

struct TSTDMFRAME {
    float m_SoundPath;   // "声程"
    float m_Horizontal;  // "水平"
    float m_Depth;       // "深度"
    float m_Amplitude;   // "幅度", percent
    uint8_t m_Unused[44];
    int32_t m_Trace[StdmTraceColumns];  // screen row per column: 0 top .. 399 base line
};

struct TMOVIEDATA {
    TSTDMFRAME m_Frames[StdmFrameCount];
};

#pragma pack(pop)

static_assert(sizeof(TRECORDDATAINDEX) == 40);
static_assert(offsetof(TRECORDDATAINDEX, m_Posion) == 10);
static_assert(offsetof(TRECORDDATAINDEX, t_Time) == 32);
static_assert(sizeof(TSTDMFRAME) == 1740);
static_assert(offsetof(TSTDMFRAME, m_Trace) == 60);
static_assert(sizeof(TMOVIEDATA) == 87000);
static_assert(offsetof(TSYSTEMPARA, m_AutoAmpl) == 89);

class mystdmfile {
public:
    // Reads every record of the file; a short last record keeps its movie data,
    // the missing bytes zero. A file that ends inside a record's index or parameter
    // block keeps the records before it, and loadWarning says what was left out.
    // Throws StdFileError (object unchanged) when the file cannot be read, is
    // empty, or holds no whole record index and parameter block at all.
    void LoadStdmFile(const QString &FilePath);
    // The list texts of every record: channel, sensitivity, highest amplitude.
    void getInfo();

    int stdm_filecount = 0;
    std::vector<TRECORDDATAINDEX> stdm_recordindexs;
    std::vector<TSYSTEMPARA> stdm_systemparas;
    std::vector<TMOVIEDATA> stdm_moviedatas;
    QStringList stdm_channel;
    QStringList stdm_db;
    QStringList stdm_amp;
    QString loadWarning;  // shown once by the caller; empty when the whole file was read
};

// "1" .. "6" for channels 0..5, "1A" .. "3A" for 6..8, empty otherwise.
QString stdmChannelText(int ch);

// One line of the player's list: "文件", "通道", "灵敏度", "最高波幅".
struct StdmListRow {
    QString number, channel, db, amp;
};
std::vector<StdmListRow> stdmListRows(const mystdmfile &file);

// The combo box entries: "文件1", "文件2", … one per record.
QStringList stdmComboTexts(const mystdmfile &file);

// One record as the file stores it: index, parameter block, the reserved bytes
// under the version rule of the parameter block, movie data.
QByteArray stdmRecordImage(const TRECORDDATAINDEX &index, const TSYSTEMPARA &para, const TMOVIEDATA &movie);
