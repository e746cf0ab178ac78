#pragma once
// The frame of a batch program: "PROGRAM SUBCOMMAND [options] FILE...", --help on
// both levels, the result as one JSON object on standard output, an error as one
// line on standard error, and the exit status telling what went wrong.

#include "CliCommand.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <vector>

namespace common::cli {

enum ExitStatus {
    ExitDone = 0,
    ExitDataError = 1,   // a common::UserError, or any other failure of the command
    ExitUsageError = 2,  // the command line cannot be carried out as written
};

struct CliProgram {
    QString name;      // names the program in its help and starts every error line
    QString overview;  // what the program does, shown above the list of subcommands
    std::vector<CliCommand> commands;
};

// Carries out one command line (the arguments after the program's own name),
// writing the result to `out` and errors to `err`; returns the exit status.
int execute(const CliProgram &program, const QStringList &args, FILE *out, FILE *err);

// A batch program's whole main: a GUI application on the offscreen platform
// (drawing needs its fonts, but no window ever opens), the toolkit's own notices
// kept out of the output, then execute() on the process's command line.
int run(int argc, char *argv[], const CliProgram &program);

} // namespace common::cli
