// mark: add replay marks to a sub-file and append them to the recording, as
// closing its slot does.

#include "common/NativePaths.h"
#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "common/cli/CliJson.h"
#include "CliRecording.h"

#include <utility>
#include <vector>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;
using common::cli::parseInt;
using common::cli::jsonInts;

namespace {

char16_t markSymbol(const QString &text)
{
    if (text.size() != 1)
        throw UsageError(QStringLiteral("--cmd: '%1' is not one character").arg(text));
    return text.at(0).unicode();
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")},
                                 {QStringLiteral("cmd"), true, true},
                                 {QStringLiteral("pos"), true, true}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));
    const QStringList symbols = options.values(QStringLiteral("cmd"));
    const QStringList positions = options.values(QStringLiteral("pos"));
    if (symbols.isEmpty())
        throw UsageError(QStringLiteral("missing option --cmd"));
    if (symbols.size() != positions.size())
        throw UsageError(QStringLiteral("each --cmd needs one --pos: got %1 --cmd and %2 --pos")
                             .arg(symbols.size())
                             .arg(positions.size()));

    CliRecording recording(path);
    recording.switchTo(QStringLiteral("--subfile"), subFile);

    // Check every pair before adding any, so a bad one leaves the file untouched.
    std::vector<std::pair<char16_t, int>> marks;
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        const int pos = parseInt(QStringLiteral("--pos"), positions.at(i));
        recording.checkRow(QStringLiteral("--pos"), pos);
        marks.emplace_back(markSymbol(symbols.at(i)), pos);
    }

    mystdfile &file = recording.file();
    for (const auto &[symbol, pos] : marks)
        file.AddMark(symbol, pos);
    file.SaveStdFile(path, true);

    return QJsonObject{
        {QStringLiteral("path"), path},
        {QStringLiteral("size"), common::fileSize(path)},
        {QStringLiteral("marks"), qint64(marks.size())},
        {QStringLiteral("std_markcount"), jsonInts(file.std_markcount)},
    };
}

} // namespace

CliCommand markCommand()
{
    return {QStringLiteral("mark"),
            QStringLiteral("add replay marks to a sub-file and append them to the recording"),
            QStringLiteral("Usage: ostrelplay-cli mark FILE --subfile K --cmd C --pos P [--cmd C --pos P ...]\n"
                           "Adds the mark C (one character: '?' 一级报警, 'F' 二级报警, '!' 伤损复核确认) at\n"
                           "row P of sub-file K (from 0) for each pair in order, then writes the mark section\n"
                           "and trailer into FILE as closing it in the replay does.\n"),
            run};
}
