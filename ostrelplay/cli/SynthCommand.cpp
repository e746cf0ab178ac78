// synth: a sample recording, the same bytes for the same options.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliFiles.h"

#include "synth/StdSynth.h"
#include "synth/StdmSynth.h"

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::writeOutputFiles;
using common::cli::parseUInt32;
using common::cli::parseDouble;

namespace {

constexpr int MaxSubFiles = 100;
constexpr double MaxMetres = 50000.0;  // keeps the recording within a few hundred megabytes
constexpr int VersionUnits = 20;       // m_Version holds 20 UTF-16 units
constexpr int MaxStdmRecords = 100;

StdSynthOptions synthOptions(const CliArgs &options)
{
    StdSynthOptions synth;
    if (const auto n = options.optionalInt(QStringLiteral("subfiles"))) {
        if (*n < 1 || *n > MaxSubFiles)
            throw UsageError(QStringLiteral("--subfiles: %1 is outside 1 to %2").arg(*n).arg(MaxSubFiles));
        synth.subFiles = *n;
    }
    if (const auto text = options.value(QStringLiteral("metres"))) {
        const double metres = parseDouble(QStringLiteral("--metres"), *text);
        if (metres <= 0.0 || metres > MaxMetres)
            throw UsageError(QStringLiteral("--metres: %1 is not above 0 and at most %2").arg(*text).arg(MaxMetres));
        synth.metres = metres;
    }
    if (const auto text = options.value(QStringLiteral("seed")))
        synth.seed = parseUInt32(QStringLiteral("--seed"), *text);
    if (const auto version = options.value(QStringLiteral("version"))) {
        if (version->size() > VersionUnits)
            throw UsageError(QStringLiteral("--version: '%1' is longer than %2 characters").arg(*version).arg(VersionUnits));
        synth.version = *version;
    }
    synth.rawDigits = options.has(QStringLiteral("raw-digits"));
    return synth;
}

// A recording video: records of one channel's A-display each.
QJsonObject runStdm(const CliArgs &options, const QString &out, const StdSynthOptions &common)
{
    for (const QString &stdOnly : {QStringLiteral("subfiles"), QStringLiteral("metres"), QStringLiteral("raw-digits")})
        if (options.has(stdOnly))
            throw UsageError(QStringLiteral("--%1 does not apply to --stdm").arg(stdOnly));
    StdmSynthOptions synth;
    synth.seed = common.seed;
    synth.version = common.version;
    if (const auto n = options.optionalInt(QStringLiteral("records"))) {
        if (*n < 1 || *n > MaxStdmRecords)
            throw UsageError(QStringLiteral("--records: %1 is outside 1 to %2").arg(*n).arg(MaxStdmRecords));
        synth.records = *n;
    }
    const QByteArray bytes = synthesizeStdm(synth);
    writeOutputFiles({{out, bytes}});
    return QJsonObject{
        {QStringLiteral("out"), out},
        {QStringLiteral("size"), qint64(bytes.size())},
        {QStringLiteral("records"), synth.records},
        {QStringLiteral("seed"), qint64(synth.seed)},
        {QStringLiteral("version"), synth.version},
    };
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("out")},
                                 {QStringLiteral("subfiles")},
                                 {QStringLiteral("metres")},
                                 {QStringLiteral("seed")},
                                 {QStringLiteral("version")},
                                 {QStringLiteral("raw-digits"), false},
                                 {QStringLiteral("stdm"), false},
                                 {QStringLiteral("records")}});
    options.noFiles();
    const QString out = options.required(QStringLiteral("out"));
    const StdSynthOptions synth = synthOptions(options);
    if (options.has(QStringLiteral("stdm")))
        return runStdm(options, out, synth);
    if (options.has(QStringLiteral("records")))
        throw UsageError(QStringLiteral("--records applies to --stdm only"));

    const QByteArray bytes = synthesizeStd(synth);
    writeOutputFiles({{out, bytes}});

    return QJsonObject{
        {QStringLiteral("out"), out},
        {QStringLiteral("size"), qint64(bytes.size())},
        {QStringLiteral("subfiles"), synth.subFiles},
        {QStringLiteral("metres"), synth.metres},
        {QStringLiteral("seed"), qint64(synth.seed)},
        {QStringLiteral("version"), synth.version},
        {QStringLiteral("rawDigits"), synth.rawDigits},
    };
}

} // namespace

CliCommand synthCommand()
{
    return {QStringLiteral("synth"),
            QStringLiteral("write a sample recording"),
            QStringLiteral("Usage: ostrelplay-cli synth --out FILE [--subfiles N] [--metres M] [--seed S]\n"
                           "                            [--version TEXT] [--raw-digits]\n"
                           "       ostrelplay-cli synth --stdm --out FILE [--records N] [--seed S] [--version TEXT]\n"
                           "Writes a sample recording (or with --stdm a recording video) to FILE; the same\n"
                           "options give the same bytes.\n"
                           "  --subfiles N    recording runs, 1 to 100 (default 3)\n"
                           "  --metres M      metres of rail over all runs, at most 50000 (default 200)\n"
                           "  --seed S        seed of the generator, 0 to 4294967295 (default 1)\n"
                           "  --version TEXT  m_Version of every run, at most 20 characters (default 1.7.X)\n"
                           "  --raw-digits    store echo codes as 0..9 instead of '0'..'9'\n"
                           "  --stdm          write a .stdm recording video: a probe sweep over a flaw per record\n"
                           "  --records N     records of the video, 1 to 100 (default 3)\n"),
            run};
}
