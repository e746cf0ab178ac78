// ostrelplay-cli: the recording core for scripts. One subcommand per run, its
// result as one JSON object on standard output, errors as one line on standard error.

#include "Commands.h"

#include "common/cli/CliProgram.h"

int main(int argc, char *argv[])
{
    return common::cli::run(
        argc, argv,
        {QStringLiteral("ostrelplay-cli"),
         QStringLiteral("Inspects, marks, saves, cuts and synthesizes .std recordings. The result is one JSON\n"
                        "object on standard output; files are written only where an option names them.\n"),
         {infoCommand(), textCommand(), posCommand(), markCommand(), saveCommand(), cutCommand(), synthCommand(),
          renderCommand(), stdmCommand(), paraCommand(), gainsCommand(), workTableCommand(), eventsCommand(),
          marksCommand(), searchCommand(), overspeedCommand(), screenshotCommand(), reportCommand()}});
}
