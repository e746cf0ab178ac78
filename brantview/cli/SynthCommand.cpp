// synth: a sample record file, the same bytes for the same options.

#include "Commands.h"

#include "common/cli/CliArgs.h"
#include "common/cli/CliFiles.h"
#include "recording/ReviewMarks.h"
#include "synth/AScanSynth.h"
#include "synth/ManagementSynth.h"
#include "synth/StreamSynth.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::parseDouble;
using common::cli::parseUInt32;
using common::cli::writeOutputFiles;
using namespace brantview;

namespace {

constexpr double MaxMetres = 100000.0;  // some 300 MB of records
constexpr int MaxFrames = 100000;

QJsonObject runAScan(const CliArgs &options, const QString &out, uint32_t seed)
{
    for (const QString &streamOnly : {QStringLiteral("metres"), QStringLiteral("firmware"), QStringLiteral("reviewed")})
        if (options.has(streamOnly))
            throw UsageError(QStringLiteral("--%1 does not apply to --kind aa").arg(streamOnly));
    AScanSynthOptions synth;
    synth.seed = seed;
    if (const auto frames = options.optionalInt(QStringLiteral("frames"))) {
        if (*frames < 1 || *frames > MaxFrames)
            throw UsageError(QStringLiteral("--frames: %1 is outside 1 to %2").arg(*frames).arg(MaxFrames));
        synth.frames = *frames;
    }
    const QByteArray bytes = synthesizeAScan(synth);
    writeOutputFiles({{out, bytes}});
    return QJsonObject{{QStringLiteral("out"), out},
                       {QStringLiteral("kind"), QStringLiteral("aa")},
                       {QStringLiteral("size"), qint64(bytes.size())},
                       {QStringLiteral("FrameCount"), synth.frames},
                       {QStringLiteral("seed"), qint64(seed)}};
}

QJsonObject runManagement(const CliArgs &options, const QString &out, uint32_t seed)
{
    for (const QString &other : {QStringLiteral("metres"), QStringLiteral("firmware"), QStringLiteral("reviewed"),
                                 QStringLiteral("frames")})
        if (options.has(other))
            throw UsageError(QStringLiteral("--%1 does not apply to --kind mg").arg(other));
    ManagementSynthOptions synth;
    synth.seed = seed;
    if (const auto days = options.optionalInt(QStringLiteral("days"))) {
        if (*days < 1 || *days > MaxManagementSynthDays)
            throw UsageError(QStringLiteral("--days: %1 is outside 1 to %2").arg(*days).arg(MaxManagementSynthDays));
        synth.days = *days;
    }
    const QByteArray bytes = synthesizeManagementFile(synth);
    writeOutputFiles({{out, bytes}});
    return QJsonObject{{QStringLiteral("out"), out},
                       {QStringLiteral("kind"), QStringLiteral("mg")},
                       {QStringLiteral("size"), qint64(bytes.size())},
                       {QStringLiteral("records"), qint64(bytes.size() / 16)},
                       {QStringLiteral("days"), synth.days},
                       {QStringLiteral("seed"), qint64(seed)}};
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("kind")},
                                 {QStringLiteral("out")},
                                 {QStringLiteral("metres")},
                                 {QStringLiteral("seed")},
                                 {QStringLiteral("firmware")},
                                 {QStringLiteral("reviewed")},
                                 {QStringLiteral("frames")},
                                 {QStringLiteral("days")}});
    options.noFiles();
    const QString kind = options.required(QStringLiteral("kind"));
    const QString out = options.required(QStringLiteral("out"));
    const uint32_t seed = options.value(QStringLiteral("seed"))
        ? parseUInt32(QStringLiteral("--seed"), *options.value(QStringLiteral("seed")))
        : 1;
    if (kind == QLatin1String("mg"))
        return runManagement(options, out, seed);
    if (options.has(QStringLiteral("days")))
        throw UsageError(QStringLiteral("--days applies to --kind mg only"));
    if (kind == QLatin1String("aa"))
        return runAScan(options, out, seed);
    if (kind != QLatin1String("qc") && kind != QLatin1String("xd"))
        throw UsageError(QStringLiteral("--kind: '%1' is none of qc, xd, aa, mg").arg(kind));
    if (options.has(QStringLiteral("frames")))
        throw UsageError(QStringLiteral("--frames applies to --kind aa only"));

    StreamSynthOptions synth;
    synth.kind = kind == QLatin1String("qc") ? RecordKind::FullCourse : RecordKind::SelectedPoint;
    synth.seed = seed;
    if (const auto text = options.value(QStringLiteral("metres"))) {
        const double metres = parseDouble(QStringLiteral("--metres"), *text);
        if (!(metres > 0.0 && metres <= MaxMetres))
            throw UsageError(QStringLiteral("--metres: %1 is not above 0 and at most %2").arg(*text).arg(MaxMetres));
        synth.length = metres;
    }
    if (const auto firmware = options.optionalInt(QStringLiteral("firmware"))) {
        if (*firmware < 0 || *firmware > 0xFFFF)
            throw UsageError(QStringLiteral("--firmware: %1 is outside 0 to 65535").arg(*firmware));
        synth.firmwareVersion = *firmware;
    }
    if (const auto name = options.value(QStringLiteral("reviewed")))
        synth.reviewer = replayerNameBytes(*name);

    const QByteArray bytes = synthesizeStream(synth);
    writeOutputFiles({{out, bytes}});
    return QJsonObject{{QStringLiteral("out"), out},
                       {QStringLiteral("kind"), kind},
                       {QStringLiteral("size"), qint64(bytes.size())},
                       {QStringLiteral("metres"), synth.length},
                       {QStringLiteral("firmware"), synth.firmwareVersion},
                       {QStringLiteral("seed"), qint64(seed)}};
}

} // namespace

CliCommand synthCommand()
{
    return {QStringLiteral("synth"),
            QStringLiteral("write a sample record file (same options, same bytes)"),
            QStringLiteral("Usage: brantview-cli synth --kind qc|xd|aa|mg --out FILE [--seed S]\n"
                           "                          [--metres M] [--firmware V] [--reviewed NAME]   (qc, xd)\n"
                           "                          [--frames N]                                    (aa)\n"
                           "                          [--days D]                                      (mg)\n"
                           "qc: a full-course record of M metres of rail (default 500), xd: a selected-point\n"
                           "record, both of firmware V (default 650; from 700 the newer parameter layout);\n"
                           "with --reviewed a trailer of review marks by NAME. aa: an A-scan record of N frames\n"
                           "(default 20). mg: a management file of D days (default 3) with every kind of record.\n"
                           "The seed (default 1) fixes the bytes.\n"),
            run};
}
