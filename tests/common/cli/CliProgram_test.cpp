// The batch programs' frame, run in this process on a table of small commands:
// help on both levels, the exit status of each kind of failure with its one
// error line, and the result as one JSON object on standard output.

#include "TestFiles.h"

#include "common/cli/CliArgs.h"
#include "common/cli/CliJson.h"
#include "common/cli/CliProgram.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <stdexcept>

namespace {

using namespace common::cli;

// echo: its options and files as the result.
QJsonObject echo(const QStringList &args)
{
    const CliArgs options(args, {{QStringLiteral("count")}, {QStringLiteral("flag"), false}});
    return QJsonObject{{QStringLiteral("count"), options.requiredInt(QStringLiteral("count"))},
                       {QStringLiteral("flag"), options.has(QStringLiteral("flag"))},
                       {QStringLiteral("file"), options.file()}};
}

QJsonObject damaged(const QStringList &)
{
    throw common::UserError(QStringLiteral("文件已损坏：\n第 3 个记录不完整"));
}

QJsonObject stray(const QStringList &)
{
    throw std::runtime_error("out of range");
}

const CliProgram program{
    QStringLiteral("demo-cli"),
    QStringLiteral("Does what the tests need.\n"),
    {
        {QStringLiteral("echo"), QStringLiteral("its options as the result"),
         QStringLiteral("Usage: demo-cli echo FILE --count N [--flag]\n"), echo},
        {QStringLiteral("broken"), QStringLiteral("a file that cannot be read"),
         QStringLiteral("Usage: demo-cli broken\n"), damaged},
        {QStringLiteral("stray"), QStringLiteral("a failure nobody meant for the user"),
         QStringLiteral("Usage: demo-cli stray\n"), stray},
    },
};

// What one command line printed and how it ended.
struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

QString readBack(FILE *stream)
{
    std::rewind(stream);
    QByteArray bytes;
    char buffer[4096];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, stream))
        bytes.append(buffer, qsizetype(n));
    return QString::fromUtf8(bytes);
}

Outcome execute(const QStringList &args)
{
    const std::unique_ptr<FILE, int (*)(FILE *)> out(std::tmpfile(), std::fclose);
    const std::unique_ptr<FILE, int (*)(FILE *)> err(std::tmpfile(), std::fclose);
    if (!out || !err)
        throw std::runtime_error("no temporary file for the output");
    Outcome outcome;
    outcome.status = common::cli::execute(program, args, out.get(), err.get());
    outcome.out = readBack(out.get());
    outcome.err = readBack(err.get());
    return outcome;
}

TEST(CliProgram, HelpOnTheProgramListsEverySubcommandAndTheExitStatus)
{
    for (const char *help : {"--help", "-h"}) {
        const Outcome outcome = execute({QLatin1String(help)});
        EXPECT_EQ(outcome.status, ExitDone);
        EXPECT_EQ(outcome.err, QString());
        EXPECT_EQ(outcome.out,
                  QStringLiteral("Usage: demo-cli SUBCOMMAND [options] FILE...\n"
                                 "Does what the tests need.\n"
                                 "\n"
                                 "Subcommands:\n"
                                 "  echo    its options as the result\n"
                                 "  broken  a file that cannot be read\n"
                                 "  stray   a failure nobody meant for the user\n"
                                 "\n"
                                 "'demo-cli SUBCOMMAND --help' shows the options of one subcommand.\n"
                                 "Exit status: 0 done, 1 a recording could not be read or written, 2 bad command line.\n"));
    }
}

TEST(CliProgram, HelpOnASubcommandShowsItsUsageWithoutRunningIt)
{
    for (const QStringList &args : {QStringList{"echo", "--help"}, QStringList{"broken", "x.std", "-h"}}) {
        const Outcome outcome = execute(args);
        EXPECT_EQ(outcome.status, ExitDone) << args.join(' ').toStdString();
        EXPECT_EQ(outcome.out, program.commands[args[0] == "echo" ? 0 : 1].usage);
        EXPECT_EQ(outcome.err, QString());
    }
}

struct FailureCase {
    QStringList args;
    int status;
    const char *err;
};

TEST(CliProgram, EachFailureIsOneLineOnStandardErrorWithItsStatus)
{
    const FailureCase cases[] = {
        {{}, ExitUsageError, "demo-cli: missing SUBCOMMAND (see demo-cli --help)\n"},
        {{"play"}, ExitUsageError, "demo-cli: unknown subcommand 'play' (see demo-cli --help)\n"},
        {{"echo", "a.std", "--count", "1", "--colour", "red"}, ExitUsageError, "demo-cli: echo: unknown option --colour\n"},
        {{"echo", "a.std", "--count", "many"}, ExitUsageError, "demo-cli: echo: --count: 'many' is not a whole number\n"},
        {{"echo", "--count", "1"}, ExitUsageError, "demo-cli: echo: missing FILE\n"},
        // A message of several lines still makes one line.
        {{"broken"}, ExitDataError, "demo-cli: 文件已损坏： 第 3 个记录不完整\n"},
        {{"stray"}, ExitDataError, "demo-cli: out of range\n"},
    };
    for (const FailureCase &c : cases) {
        const Outcome outcome = execute(c.args);
        EXPECT_EQ(outcome.status, c.status) << c.err;
        EXPECT_EQ(outcome.err, QString::fromUtf8(c.err));
        EXPECT_EQ(outcome.out, QString()) << c.err;
    }
}

TEST(CliProgram, ResultIsOneJsonObjectOnStandardOutput)
{
    const Outcome outcome = execute({"echo", "--count=3", "上行.std", "--flag"});
    EXPECT_EQ(outcome.status, ExitDone);
    EXPECT_EQ(outcome.err, QString());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(outcome.out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << outcome.out.toStdString();
    EXPECT_EQ(document.object(), (QJsonObject{{"count", 3}, {"flag", true}, {"file", QStringLiteral("上行.std")}}));
}

TEST(CliJson, SinglesKeepTheirShortDecimalAndNonNumbersBecomeNull)
{
    const struct {
        float value;
        QJsonValue json;
    } cases[] = {
        {45.5f, 45.5},
        {0.1f, 0.1},  // widened directly it would be 0.100000001490116...
        {-3.3f, -3.3},
        {40.0f, 40.0},
        {1e-7f, 1e-7},
        {3.4e38f, 3.4e38},
        {-0.0f, 0.0},
        {std::numeric_limits<float>::quiet_NaN(), QJsonValue()},
        {std::numeric_limits<float>::infinity(), QJsonValue()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(jsonFloat(c.value), c.json) << c.value;
    EXPECT_FALSE(std::signbit(jsonFloat(-0.0f).toDouble()));
}

} // namespace
