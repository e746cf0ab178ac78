#include "CliProgram.h"

#include "CliArgs.h"
#include "CliJson.h"
#include "common/CanvasText.h"
#include "common/NativePaths.h"

#include <QGuiApplication>

#include <algorithm>

namespace common::cli {

namespace {

// The prefix of the toolkit's critical notices, which arrive without context.
QString toolkitNoticePrefix;

// Results and errors are the only output; the toolkit's own notices would break that.
void quietToolkit(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        printText(toolkitNoticePrefix + message + QLatin1Char('\n'), stderr);
}

QString overview(const CliProgram &program)
{
    QString text = QStringLiteral("Usage: %1 SUBCOMMAND [options] FILE...\n").arg(program.name) + program.overview
                   + QStringLiteral("\nSubcommands:\n");
    qsizetype width = 0;
    for (const CliCommand &command : program.commands)
        width = std::max(width, command.name.size());
    for (const CliCommand &command : program.commands)
        text += QStringLiteral("  %1  %2\n").arg(command.name, -int(width)).arg(command.summary);
    text += QStringLiteral("\n"
                           "'%1 SUBCOMMAND --help' shows the options of one subcommand.\n"
                           "Exit status: 0 done, 1 a recording could not be read or written, 2 bad command line.\n")
                .arg(program.name);
    return text;
}

bool asksForHelp(const QStringList &args)
{
    return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

class Session {
public:
    Session(const CliProgram &program, FILE *out, FILE *err) : m_program(program), m_out(out), m_err(err) {}

    int execute(const QStringList &args) const
    {
        if (args.isEmpty())
            return fail(ExitUsageError, QStringLiteral("missing SUBCOMMAND (see %1 --help)").arg(m_program.name));
        if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
            printText(overview(m_program), m_out);
            return ExitDone;
        }
        const auto command = std::find_if(m_program.commands.begin(), m_program.commands.end(),
                                          [&](const CliCommand &c) { return c.name == args.first(); });
        if (command == m_program.commands.end())
            return fail(ExitUsageError,
                        QStringLiteral("unknown subcommand '%1' (see %2 --help)").arg(args.first(), m_program.name));
        const QStringList rest = args.mid(1);
        if (asksForHelp(rest)) {
            printText(command->usage, m_out);
            return ExitDone;
        }
        return runCommand(*command, rest);
    }

private:
    int runCommand(const CliCommand &command, const QStringList &args) const
    {
        try {
            printJson(command.run(args), m_out);
            return ExitDone;
        } catch (const UsageError &e) {
            return fail(ExitUsageError, command.name + QStringLiteral(": ") + e.text());
        } catch (const UserError &e) {
            return fail(ExitDataError, e.text());
        } catch (const std::exception &e) {
            return fail(ExitDataError, QString::fromLocal8Bit(e.what()));
        }
    }

    int fail(int status, QString message) const
    {
        message.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        printText(m_program.name + QStringLiteral(": ") + message + QLatin1Char('\n'), m_err);
        return status;
    }

    const CliProgram &m_program;
    FILE *m_out;
    FILE *m_err;
};

} // namespace

int execute(const CliProgram &program, const QStringList &args, FILE *out, FILE *err)
{
    return Session(program, out, err).execute(args);
}

int run(int argc, char *argv[], const CliProgram &program)
{
    toolkitNoticePrefix = program.name + QStringLiteral(": ");
    qInstallMessageHandler(quietToolkit);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Pictures the batch programs draw name the Windows font too.
    common::installFontSubstitutions();
    return execute(program, common::commandLineArguments(argc, argv).mid(1), stdout, stderr);
}

} // namespace common::cli
