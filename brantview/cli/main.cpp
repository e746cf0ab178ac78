// brantview-cli: the Brantel recording core for scripts. One subcommand per run, its
// result as one JSON object on standard output, errors as one line on standard error.

#include "Commands.h"

#include "common/cli/CliProgram.h"

int main(int argc, char *argv[])
{
    return common::cli::run(
        argc, argv,
        {QStringLiteral("brantview-cli"),
         QStringLiteral("Inspects, draws, marks, cuts and synthesizes Brantel stream and A-scan records, and reports on\n"
                        "management files. The result is one JSON object on standard output; files are written only\n"
                        "where an option names them, and a management file's dump beside it.\n"),
         {infoCommand(), atCommand(), channelsCommand(), renderCommand(), pictureCommand(), stepCommand(), findMileageCommand(),
          findMarkCommand(), ascanCommand(), markCommand(), marklistCommand(), segmentCommand(), mgreportCommand(), speedCommand(),
          traceCommand(), calibrationCommand(), gpsCommand(), dbcurveCommand(), reportCommand(), synthCommand()}});
}
