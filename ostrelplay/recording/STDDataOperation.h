#pragma once
// mystdfile: one opened .std recording held in memory, its current sub-file and
// the band geometry and help lines that sub-file is measured with. How it is drawn
// belongs to the frame that draws it.

#include "RecordingSettings.h"
#include "STDDataStruct.h"
#include "StdErrors.h"
#include "StdFormat.h"
#include "common/FileBuffer.h"

#include <QByteArray>
#include <QDateTime>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <span>
#include <vector>

class QFile;

using TGainSet = std::array<std::array<float, 9>, 4>;  // rail type major, like m_DeltaGain

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

    // --- band geometry and help lines of the current sub-file ---
    bool std_bshowhide = false;
    int32_t std_bshowhidevalue = 0;
    TDataHeight std_OIMG_Height{};
    std::array<int32_t, 6> HelpLine{};

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
    bool Cutting = false;
    int32_t CutStartPos = 0;
    int32_t CutEndPos = 0;
    TSYSTEMPARA cut_systempara{};
    TSCANDATAINDEX cut_scandataindex{};
    std::vector<int32_t> cut_packetindex;
    std::vector<TPACKET> cut_packet;
    WIN32FINDDATA cut_win32finddata{};
    int32_t cut_filecount = 0;

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

    // --- geometry ---
    TPos GetPos(int Channel, int Railtype, int Data1, int Data2, int StartPoint) const;
    void resetStdHeigh();

    // The packets of row `row` of sub-file `subFile` (or of the current one).
    StdFormat::RowPackets rowPackets(int subFile, int64_t row) const;
    StdFormat::RowPackets rowPackets(int64_t row) const;

    const RecordingSettings &settings() const;

private:
    void applyHelpLines();
    QByteArray tailBytes(const std::vector<WIN32FINDDATA> &trailer, int64_t *trailerOffset) const;
    bool diskHoldsTail(QFile &onDisk, const QString &FilePath, const QByteArray &tail) const;
    void writeFastSave(const QString &FilePath);
    void writeWholeFile(const QString &FilePath);
    void assembleCut();
    void writeCut(const QString &FilePath);

    const RecordingSettings *m_settings;
    common::FileBuffer m_fileBytes;  // the file as read; packet arrays point into it
    QByteArray m_diskTail;           // the file from std_markPos on, as last loaded or saved
};

// The sub-file line of the main window's sub-file box: "k/N     line  station  ...  地段:area".
QString subFileComboLine(const mystdfile &file, int k);
