#pragma once
// The subcommands of brantview-cli, one factory each, in the order of its overview.

#include "common/cli/CliCommand.h"

common::cli::CliCommand infoCommand();
common::cli::CliCommand atCommand();
common::cli::CliCommand channelsCommand();
common::cli::CliCommand renderCommand();
common::cli::CliCommand pictureCommand();
common::cli::CliCommand stepCommand();
common::cli::CliCommand findMileageCommand();
common::cli::CliCommand findMarkCommand();
common::cli::CliCommand ascanCommand();
common::cli::CliCommand markCommand();
common::cli::CliCommand marklistCommand();
common::cli::CliCommand segmentCommand();
common::cli::CliCommand mgreportCommand();
common::cli::CliCommand speedCommand();
common::cli::CliCommand traceCommand();
common::cli::CliCommand calibrationCommand();
common::cli::CliCommand gpsCommand();
common::cli::CliCommand dbcurveCommand();
common::cli::CliCommand reportCommand();
common::cli::CliCommand synthCommand();
