// report: one frame's inspection report, filled from the template as the "报告" export does.

#include "common/Resources.h"
#include "common/cli/CliArgs.h"
#include "Commands.h"
#include "CliFrame.h"
#include "workspace/PlayerSettings.h"

#include "recording/StdErrors.h"
#include "windows/Screenshot.h"
#include "windows/WordReport.h"

#include <QDir>
#include <QFileInfo>

using common::cli::CliArgs;
using common::cli::CliCommand;
using common::cli::UsageError;

namespace {

// The template named on the command line, or the one shipped with the program.
QString templatePath(const CliArgs &options)
{
    if (const auto given = options.value(QStringLiteral("template"))) {
        if (!QFileInfo(*given).isFile())
            throw UsageError(QStringLiteral("--template: %1 does not exist").arg(*given));
        return QDir::cleanPath(*given);
    }
    const QString shipped = common::findResource(QStringLiteral("report.dom"));
    if (shipped.isEmpty())
        throw StdFileError(QStringLiteral("the report template report.dom is neither beside this program nor in "
                                          "../share/rail-replay/; no report written"));
    return shipped;
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
    const QString reportTemplate = templatePath(options);
    const QSize pane = options.size(QStringLiteral("size"), {1600, 500}, MaxPictureSide);

    const PlayerSettings settings;
    CliRecording recording(path, settings);
    StdFrame frame;
    const QJsonValue drawError = drawFrame(recording, frame, settings.display, subFile, row, pane, QSize(734, 311));
    const mystdfile &file = recording.file();
    const QString fillError = exportReport(file, frame, pane.width(), pane.height(), reportTemplate, out);
    return QJsonObject{{QStringLiteral("path"), path},
                       {QStringLiteral("subfile"), subFile},
                       {QStringLiteral("row"), row},
                       {QStringLiteral("defaultName"), exportDefaultName(file, frame.CurPlayPos)},
                       {QStringLiteral("template"), reportTemplate},
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
                           "table 1 of the template (default: report.dom beside this program, else in\n"
                           "../share/rail-replay/) and saves the document under exactly NAME.doc. Without a\n"
                           "template nothing is written. \"warning\" holds the text of a template or filling\n"
                           "failure (the document is still saved as far as it was filled), \"error\" the\n"
                           "failure text drawn on the picture when the data cannot be drawn; both null\n"
                           "otherwise.\n"),
            run};
}
