// info: everything the loader read and built for each sub-file.

#include "common/NativePaths.h"
#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "RecordingJson.h"
#include "CliRecording.h"

#include "recording/StdFormat.h"
#include "recording/StdText.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::jsonNumber;
using common::cli::jsonInts;

namespace {

QJsonArray startPoints(const TSYSTEMPARA &para)
{
    QJsonArray array;
    for (int ch = 0; ch < StdFormat::ChannelCount; ++ch)
        array.append(para.m_StartPoint[ch]);
    return array;
}

QJsonArray marks(const std::vector<TREMARK> &list)
{
    QJsonArray array;
    for (const TREMARK &mark : list)
        array.append(QJsonObject{{QStringLiteral("m_Cmd"), QString(QChar(mark.m_Cmd))},
                                 {QStringLiteral("m_Pos"), jsonNumber(mark.m_Pos)}});
    return array;
}

QJsonArray recordIndex(const std::vector<QPoint> &events)
{
    QJsonArray array;
    for (const QPoint &event : events)
        array.append(QJsonArray{event.x(), event.y()});  // row, packet index
    return array;
}

QJsonArray gainSets(const std::vector<TGainSet> &sets)
{
    QJsonArray array;
    for (const TGainSet &set : sets)
        array.append(jsonGainSet(set));
    return array;
}

// Texts of the sub-file's parameter block; needs the sub-file to be current.
QJsonObject paraTexts(const mystdfile &file)
{
    QJsonObject texts;
    for (int index = 0; index <= 40; ++index)
        texts.insert(QString::number(index), file.GetPara(index));
    return texts;
}

QJsonObject subFile(mystdfile &file, int k)
{
    file.SwitchFile(k);
    const TSYSTEMPARA &para = file.std_systemparas[k];
    const TSCANDATAINDEX &counts = file.std_scandataindexs[k];
    const WIN32FINDDATA &trailer = file.std_win32finddata[k];
    return QJsonObject{
        {QStringLiteral("std_position"), qint64(file.std_position[k])},
        {QStringLiteral("nFileSizeLow"), jsonNumber(trailer.nFileSizeLow)},
        {QStringLiteral("cFileName"), stdText(trailer.cFileName, 260)},
        {QStringLiteral("m_Version"), stdText(para.m_Version, 20)},
        {QStringLiteral("versionNumber"), StdFormat::versionNumber(para)},
        {QStringLiteral("reserved"), StdFormat::hasReservedBytes(para)},
        {QStringLiteral("m_PacketIndexCount"), jsonNumber(counts.m_PacketIndexCount)},
        {QStringLiteral("m_ImagePacketCount"), jsonNumber(counts.m_ImagePacketCount)},
        {QStringLiteral("m_BackPacketIndexCount"), jsonNumber(counts.m_BackPacketIndexCount)},
        {QStringLiteral("m_BackImagePacketCount"), jsonNumber(counts.m_BackImagePacketCount)},
        {QStringLiteral("std_RecordCount"), file.std_RecordCount[k]},
        {QStringLiteral("m_RailType"), jsonNumber(para.m_RailType)},
        {QStringLiteral("m_StartPoint"), startPoints(para)},
        {QStringLiteral("std_markcount"), file.std_markcount[k]},
        {QStringLiteral("std_mark"), marks(file.std_mark[k])},
        {QStringLiteral("std_RecordIndex"), recordIndex(file.std_RecordIndex[k])},
        {QStringLiteral("arr_RailTypeArea"), jsonInts(file.arr_RailTypeArea[k])},
        {QStringLiteral("arr_RailType"), jsonInts(file.arr_RailType[k])},
        {QStringLiteral("arr_GainArea"), jsonInts(file.arr_GainArea[k])},
        {QStringLiteral("arr_Gain"), gainSets(file.arr_Gain[k])},
        {QStringLiteral("GetPara"), paraTexts(file)},
        {QStringLiteral("GetdBPara"), file.GetdBPara()},
        {QStringLiteral("comboLine"), subFileComboLine(file, k)},
    };
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {});
    const QString path = options.file();
    CliRecording recording(path);
    mystdfile &file = recording.file();

    QJsonArray subFiles;
    for (int k = 0; k < file.std_filecount; ++k)
        subFiles.append(subFile(file, k));

    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("size"), common::fileSize(path)},
        {QStringLiteral("warnings"), QJsonArray::fromStringList(file.loadWarnings)},
        {QStringLiteral("std_filecount"), file.std_filecount},
        {QStringLiteral("std_Replayed"), file.std_Replayed},
        {QStringLiteral("std_markPos"), qint64(file.std_markPos)},
        {QStringLiteral("trailerStart"), qint64(file.std_trailerStart)},
        {QStringLiteral("subfiles"), subFiles},
    };
}

} // namespace

CliCommand infoCommand()
{
    return {QStringLiteral("info"),
            QStringLiteral("sub-files, counts, marks, event, rail-type and gain indexes and parameter texts"),
            QStringLiteral("Usage: ostrelplay-cli info FILE\n"
                           "Prints what loading FILE gives: the sub-file table, load warnings, and per sub-file\n"
                           "its counts, marks, event index, rail-type and gain areas, the parameter texts\n"
                           "GetPara 0..40 and GetdBPara, and its line in the sub-file box.\n"),
            run};
}
