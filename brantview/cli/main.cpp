// brantview-cli: the Brantel recording core for scripts. One subcommand per run, its
// result as one JSON object on standard output, errors as one line on standard error.

#include "Commands.h"

#include "common/cli/CliProgram.h"

int main(int argc, char *argv[])
{
    return common::cli::run(
        argc, argv,
        {QStringLiteral("brantview-cli"),
         QStringLiteral("Inspects, draws, marks, cuts and synthesizes Brantel stream and A-scan records. The result\n"
                        "is one JSON object on standard output; files are written only where an option names them.\n"),
         {infoCommand(), atCommand(), channelsCommand(), renderCommand(), pictureCommand(), stepCommand(), ascanCommand(),
          markCommand(), segmentCommand(), speedCommand(), synthCommand()}});
}
