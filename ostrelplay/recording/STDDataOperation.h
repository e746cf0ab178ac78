#pragma once
// mystdfile: one opened .std recording held in memory, with the display state
// its current sub-file is drawn with.

#include "RecordingSettings.h"
#include "STDDataStruct.h"
#include "StdErrors.h"
#include "StdFormat.h"
#include "common/FileBuffer.h"
#include "rendering/AScanBackdrop.h"
#include "rendering/BScanLists.h"
#include "rendering/EchoPositionCache.h"

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <span>
#include <vector>

using TGainSet = std::array<std::array<float, 9>, 4>;  // rail type major, like m_DeltaGain

// Echoes of the row the A-scan panel shows: up to four (start, end) per channel
// and the lost-wave flag. Kept between frames: a row without a proper head leaves it.
struct TAScanEchoes {
    std::array<std::array<std::array<int16_t, 2>, 4>, 9> echo{};
    std::array<int, 9> count{};
    bool lostWave = false;
};

class mystdfile {
public:
    explicit mystdfile(const RecordingSettings *settings = nullptr);
    mystdfile(const mystdfile &) = delete;
    mystdfile &operator=(const mystdfile &) = delete;

    // --- file and sub-file table ---
    QString std_FilePath;
    QDateTime std_OpenTime, std_CloseTime;
    bool std_FileSaved = false;
    int32_t std_filecount = 0;
    std::vector<WIN32FINDDATA> std_win32finddata;
    std::vector<int64_t> std_position;
    int64_t std_markPos = 0;
    int64_t std_trailerStart = 0;  // where the trailer began when loaded or last saved
    std::vector<TSYSTEMPARA> std_systemparas;  // m_StartPoint as held in memory: file value + 100
    std::vector<TSCANDATAINDEX> std_scandataindexs;
    std::vector<std::span<const TPacketIndex>> std_packetindexs;
    std::vector<std::span<const TPacketIndex>> std_backpacketindexs;
    std::vector<std::span<const TPACKET>> std_packets;
    std::vector<std::span<const TPACKET>> std_backpackets;
    bool std_Replayed = false;
    std::vector<int32_t> std_markcount;
    std::vector<std::vector<TREMARK>> std_mark;
    std::vector<int32_t> std_RecordCount;
    std::vector<std::vector<QPoint>> std_RecordIndex;
    QStringList loadWarnings;  // shown once by the caller; loading went on

    // --- display state ---
    QColor color_background = Qt::black;
    QColor color_frame = Qt::white;
    std::array<QColor, 10> color_channel{};
    QColor color_text = Qt::white;
    QColor color_sign = Qt::yellow;
    std::array<bool, 10> channelhide{};
    bool std_bshowhide = false;
    int32_t std_bshowhidevalue = 0;
    int32_t font_size = 9;
    int32_t sign_size = 16;
    int32_t std_OIMG_Width = 3000;
    int32_t std_bshowmode = 0;
    std::array<int32_t, 9> probepara_p{};
    bool CountDis = false;
    QPoint CountDisStart, CountDisStartXY, CountDisEnd, CountDisEndXY;
    int32_t CountDisPoint = 0;
    bool CountDisPro = false;
    QPoint CountDisProStart, CountDisProStartXY, CountDisProEnd, CountDisProEndXY;
    bool CountDisProCompleted = false;
    int32_t PlayerSpeed = 0;
    int32_t DocSize = 1;
    int32_t LineWidth = 2;
    bool std_SpeedShow = true;
    bool std_ColorShow = true;
    bool WidthCompress = true;
    std::array<int32_t, 6> HelpLine{};
    std::array<int32_t, 10> ChannelFilter{};

    // --- gain and rail-type areas, per sub-file ---
    std::vector<std::vector<int32_t>> arr_GainArea;
    std::vector<std::vector<TGainSet>> arr_Gain;
    std::vector<std::vector<int32_t>> arr_RailTypeArea;
    std::vector<std::vector<int8_t>> arr_RailType;

    // --- current sub-file ---
    int32_t std_CurFile = 0;
    TSYSTEMPARA std_systempara{};
    TSCANDATAINDEX std_scandataindex{};
    std::span<const TPacketIndex> std_packetindex;
    std::span<const TPACKET> std_packet;
    int32_t CurMark = 0;
    TDataHeight std_OIMG_Height{};
    double HScale = 1.0;
    double WScale = 1.0;
    int32_t ScanSpeed = 0;
    QString InstantTime;
    int32_t CurPlayPos = 0;
    bool Cutting = false;
    int32_t CutStartPos = 0;
    int32_t CutEndPos = 0;
    TSYSTEMPARA cut_systempara{};
    TSCANDATAINDEX cut_scandataindex{};
    std::vector<int32_t> cut_packetindex;
    std::vector<TPACKET> cut_packet;
    WIN32FINDDATA cut_win32finddata{};
    int32_t cut_filecount = 0;
    QImage std_ABitMap, std_BBitMap;
    TAScanEchoes AScanEchoes;
    TBScanLists BScanLists;  // display lists of the last frame drawn
    EchoPositionCache EchoPositions;
    AScanBackdrop AScanStatic;

    // --- loading and switching ---
    // Throws StdFileError with the reason when the file is missing or damaged;
    // the object is then left as it was.
    void LoadStdFile(const QString &FilePath);
    void SwitchFile(int FileN);
    void CalEvent();

    // --- saving, cutting, marks (throw StdFileError when the target cannot be written) ---
    void SaveStdFile(const QString &FilePath, bool FastSave);
    void SaveCutedStdFile(const QString &FilePath);
    void SaveCutedMarkedlessStdFile(const QString &FilePath);
    void AddMark(char16_t Cmd, int32_t Pos);

    // --- texts ---
    QString GetPara(int paraName) const;
    QString GetdBPara() const;
    QString GetGainPara(int CurPos) const;
    QString GetMileage(int CurPos) const;
    QString GetMileageByPacketindex(int n, int CurPos) const;
    void setRailType(int CurPos);

    // --- drawing (throws StdDataError on data that cannot be drawn; see drawFailureText) ---
    void DrawBitMap(int MapWidth, int MapHeight, int AMapWidth, int AMapHeight, int CurPos);

    // --- geometry ---
    TPos GetPos(int Channel, int Railtype, int Data1, int Data2, int StartPoint) const;
    void resetStdHeigh();

    // The packets of row `row` of sub-file `subFile` (or of the current one).
    StdFormat::RowPackets rowPackets(int subFile, int64_t row) const;
    StdFormat::RowPackets rowPackets(int64_t row) const;

    const RecordingSettings &settings() const;

private:
    void applyHelpLines();
    void writeFastSave(const QString &FilePath);
    void writeWholeFile(const QString &FilePath);
    void assembleCut();
    void writeCut(const QString &FilePath);

    const RecordingSettings *m_settings;
    FileBuffer m_fileBytes;  // the file as read; packet arrays point into it
    int64_t m_fileSize = 0;               // size of the file on disk after the last load or save
};

// The sub-file line of the main window's sub-file box: "k/N     line  station  ...  地段:area".
QString subFileComboLine(const mystdfile &file, int k);
