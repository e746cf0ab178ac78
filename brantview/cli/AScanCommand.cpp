// ascan: the frames of an A-scan record and the decoded fields of one, optionally drawn
// as the A-scan record display shows it.

#include "CliRecording.h"
#include "Commands.h"

#include "common/NumberFormat.h"
#include "common/cli/CliArgs.h"
#include "common/cli/CliFiles.h"
#include "recording/RecordTexts.h"
#include "recording/RecordingErrors.h"
#include "viewer/AScanView.h"

#include <QImage>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::zeroPadded;
using namespace brantview;

namespace {

QJsonObject frameFields(const AScanFrame &f)
{
    QJsonArray samples;
    for (const uint8_t s : f.samples)
        samples.append(s);
    return QJsonObject{
        {QStringLiteral("side"), railSideText(f.railSide())},
        {QStringLiteral("channel"), f.channel()},
        {QStringLiteral("time"), zeroPadded(f.hour, 2) + u':' + zeroPadded(f.minute, 2) + u':' + zeroPadded(f.second, 2)},
        {QStringLiteral("date"),
         zeroPadded(fullYear(f.year), 4) + u'-' + zeroPadded(f.month, 2) + u'-' + zeroPadded(f.day, 2)},
        {QStringLiteral("probe"), f.probe},
        {QStringLiteral("distance"), f.distance},
        {QStringLiteral("attenuation"), f.attenuation},
        {QStringLiteral("referenceEnd"), referenceEndText(f.referenceEndBit())},
        {QStringLiteral("reportValue"), f.referenceEnd >> 1},
        {QStringLiteral("km"), f.kilometrePost()},
        {QStringLiteral("railNumber"), f.railNumber},
        {QStringLiteral("lineKind"), f.lineKind()},
        {QStringLiteral("trackOrLine"), f.trackOrLine()},
        {QStringLiteral("trackOrLineText"), trackOrLineText(f.trackOrLine(), f.lineKind())},
        {QStringLiteral("railType"), railTypeText(f.railType())},
        {QStringLiteral("samples"), samples},
    };
}

constexpr int PictureDpi = 96;
struct Picture {
    QString out;
    QSize size;
    BrantSettings settings;
};

// What --out, --size and --parm ask for, checked before the record is read.
std::optional<Picture> pictureOptions(const CliArgs &options)
{
    const std::optional<QString> out = options.value(QStringLiteral("out"));
    if (!out) {
        if (options.has(QStringLiteral("size")) || options.has(QStringLiteral("parm")))
            throw UsageError(QStringLiteral("--size and --parm need --out"));
        return std::nullopt;
    }
    Picture picture{*out, options.size(QStringLiteral("size"), {1000, 700}, MaxPictureSide), settingsOption(options)};
    picture.settings.BackColour = White;
    picture.settings.ForeColour = Black;
    return picture;
}

// Draws the frame in the A-scan mode's colours, writes it and returns its text lines.
QStringList drawFrame(const AScanFrame &frame, int index, const Picture &picture)
{
    QImage image(picture.size, QImage::Format_RGB32);
    ViewCanvas canvas(image, PictureDpi);
    const QStringList lines = DrawAScanFrame(canvas, frame, index, picture.settings);
    common::cli::writeOutputFiles({{picture.out, common::cli::pngBytes(image, picture.out)}});
    return lines;
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(
        args, {{QStringLiteral("frame")}, {QStringLiteral("out")}, {QStringLiteral("parm")}, {QStringLiteral("size")}});
    const QString path = options.file();
    const int frame = options.optionalInt(QStringLiteral("frame")).value_or(0);
    const std::optional<Picture> picture = pictureOptions(options);
    const RecordingSlot slot = loadForCommand(path);
    if (!slot.isAScan())
        throw BrantFileError(QStringLiteral("%1 不是A超记录").arg(path));
    const int count = int(slot.Frames.size());
    if (frame < 0 || frame >= count)
        throw UsageError(QStringLiteral("--frame: %1 is outside 0 to %2").arg(frame).arg(count - 1));

    const AScanFrame &shown = slot.Frames[size_t(frame)];
    QJsonObject result = frameFields(shown);
    result.insert(QStringLiteral("path"), path);
    result.insert(QStringLiteral("FrameCount"), count);
    result.insert(QStringLiteral("frame"), frame);
    if (picture) {
        result.insert(QStringLiteral("out"), picture->out);
        result.insert(QStringLiteral("textLines"), QJsonArray::fromStringList(drawFrame(shown, frame, *picture)));
    }
    return result;
}

} // namespace

CliCommand ascanCommand()
{
    return {QStringLiteral("ascan"), QStringLiteral("the frames of an A-scan record and the fields of one"),
            QStringLiteral("Usage: brantview-cli ascan FILE [--frame K] [--out PNG [--parm PATH] [--size WxH]]\n"
                           "Prints FrameCount and the decoded fields of frame K (from 0, the first of the file;\n"
                           "default 0): side, channel, time, date, probe, distance, attenuation, referenceEnd,\n"
                           "reportValue, km, railNumber, lineKind, trackOrLine(Text), railType and the 240 samples.\n"
                           "--out draws the frame as the A-scan record display does, black on white, on W x H\n"
                           "pixels (default 1000x700) at 96 dots per inch, with the settings of the parm.dat at\n"
                           "PATH or the defaults, writes it to PNG and also prints the text block as textLines.\n"),
            run};
}
