// report: one frame's inspection report, filled from the template as the "报告" export does.

#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "CliFrame.h"
#include "workspace/PlayerSettings.h"

#include "windows/Screenshot.h"
#include "windows/WordReport.h"

#include <QCoreApplication>
#include <QDir>

using common::cli::CliArgs;
using common::cli::CliCommand;

namespace {

// The build and the installation put the template one folder above the program.
QString defaultTemplatePath()
{
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../report.dom"));
}

QJsonObject run(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("subfile")},
                                 {QStringLiteral("row")},
                                 {QStringLiteral("size")},
                                 {QStringLiteral("template")},
                                 {QStringLiteral("out")}});
    const QString path = options.file();
    const int subFile = options.requiredInt(QStringLiteral("subfile"));
    const int row = options.requiredInt(QStringLiteral("row"));
    const QString out = options.required(QStringLiteral("out"));
    const QString templatePath = QDir::cleanPath(options.value(QStringLiteral("template")).value_or(defaultTemplatePath()));
    const QSize pane = parseSize(QStringLiteral("--size"), options.value(QStringLiteral("size")).value_or(QStringLiteral("1600x500")));

    const PlayerSettings settings;
    CliRecording recording(path, settings);
    StdFrame frame;
    const QJsonValue drawError = drawFrame(recording, frame, settings.display, subFile, row, pane, QSize(734, 311));
    const mystdfile &file = recording.file();
    const QString fillError = exportReport(file, frame, pane.width(), pane.height(), templatePath, out);
    return QJsonObject{{QStringLiteral("path"), path},
                       {QStringLiteral("subfile"), subFile},
                       {QStringLiteral("row"), row},
                       {QStringLiteral("defaultName"), exportDefaultName(file, frame.CurPlayPos)},
                       {QStringLiteral("template"), templatePath},
                       {QStringLiteral("out"), out},
                       {QStringLiteral("caption"), reportCaption(out)},
                       {QStringLiteral("warning"), fillError.isEmpty() ? QJsonValue() : QJsonValue(fillError)},
                       {QStringLiteral("error"), drawError}};
}

} // namespace

CliCommand reportCommand()
{
    return {QStringLiteral("report"),
            QStringLiteral("fill the inspection report template for one frame and save it as a Word document"),
            QStringLiteral("Usage: ostrelplay-cli report FILE --subfile K --row R --out NAME.doc [--size WxH]\n"
                           "                              [--template PATH]\n"
                           "Sets up the display as opening the file does (factory settings), switches to\n"
                           "sub-file K (from 0), draws row R on a pane of --size (default 1600x500), fills\n"
                           "table 1 of the template (default: report.dom one folder above this program) and\n"
                           "saves the document under exactly NAME.doc. \"warning\" holds the text of a template\n"
                           "or filling failure (the document is still saved as far as it was filled), \"error\"\n"
                           "the failure text drawn on the picture when the data cannot be drawn; both null\n"
                           "otherwise.\n"),
            run};
}
