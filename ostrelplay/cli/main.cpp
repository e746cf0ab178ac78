// ostrelplay-cli: the recording core for scripts. One subcommand per run, its
// result as one JSON object on standard output, errors as one line on standard error.

#include "common/cli/CliArgs.h"
#include "common/cli/CliCommand.h"
#include "CliJson.h"

#include <QGuiApplication>

#include <cstdio>
#include <vector>

namespace {

constexpr int ExitDataError = 1;
constexpr int ExitUsageError = 2;

std::vector<CliCommand> commands()
{
    return {infoCommand(), textCommand(), posCommand(), markCommand(), saveCommand(), cutCommand(), synthCommand(), renderCommand(), stdmCommand(), paraCommand(), gainsCommand(), workTableCommand(), eventsCommand(), marksCommand(), searchCommand(), overspeedCommand(), screenshotCommand(), reportCommand()};
}

void printText(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int fail(int status, QString message)
{
    message.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    printText(stderr, QStringLiteral("ostrelplay-cli: ") + message + QLatin1Char('\n'));
    return status;
}

QString overview()
{
    QString text = QStringLiteral(
        "Usage: ostrelplay-cli SUBCOMMAND [options] FILE...\n"
        "Inspects, marks, saves, cuts and synthesizes .std recordings. The result is one JSON\n"
        "object on standard output; files are written only where an option names them.\n"
        "\n"
        "Subcommands:\n");
    for (const CliCommand &command : commands())
        text += QStringLiteral("  %1  %2\n").arg(command.name, -6).arg(command.summary);
    text += QStringLiteral(
        "\n"
        "'ostrelplay-cli SUBCOMMAND --help' shows the options of one subcommand.\n"
        "Exit status: 0 done, 1 a recording could not be read or written, 2 bad command line.\n");
    return text;
}

bool asksForHelp(const QStringList &args)
{
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

int runCommand(const CliCommand &command, const QStringList &args)
{
    try {
        printJson(command.run(args));
        return 0;
    } catch (const UsageError &e) {
        return fail(ExitUsageError, command.name + QStringLiteral(": ") + e.text());
    } catch (const common::UserError &e) {
        return fail(ExitDataError, e.text());
    } catch (const std::exception &e) {
        return fail(ExitDataError, QString::fromLocal8Bit(e.what()));
    }
}

} // namespace

// Results and errors are the only output; the toolkit's own notices would break that.
void quietToolkit(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        printText(stderr, QStringLiteral("ostrelplay-cli: ") + message + QLatin1Char('\n'));
}

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietToolkit);
    // Drawing needs the font machinery of a GUI application, but no window ever opens.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    if (args.isEmpty())
        return fail(ExitUsageError, QStringLiteral("missing SUBCOMMAND (see ostrelplay-cli --help)"));
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printText(stdout, overview());
        return 0;
    }
    for (const CliCommand &command : commands()) {
        if (command.name != args.first())
            continue;
        const QStringList rest = args.mid(1);
        if (asksForHelp(rest)) {
            printText(stdout, command.usage);
            return 0;
        }
        return runCommand(command, rest);
    }
    return fail(ExitUsageError, QStringLiteral("unknown subcommand '%1' (see ostrelplay-cli --help)").arg(args.first()));
}
