#pragma once
// The subcommands of ostrelplay-cli, one factory each, in the order of its overview.

#include "common/cli/CliCommand.h"

common::cli::CliCommand infoCommand();
common::cli::CliCommand textCommand();
common::cli::CliCommand posCommand();
common::cli::CliCommand markCommand();
common::cli::CliCommand saveCommand();
common::cli::CliCommand cutCommand();
common::cli::CliCommand synthCommand();
common::cli::CliCommand renderCommand();
common::cli::CliCommand stdmCommand();
common::cli::CliCommand paraCommand();
common::cli::CliCommand gainsCommand();
common::cli::CliCommand workTableCommand();
common::cli::CliCommand eventsCommand();
common::cli::CliCommand marksCommand();
common::cli::CliCommand searchCommand();
common::cli::CliCommand overspeedCommand();
common::cli::CliCommand screenshotCommand();
common::cli::CliCommand reportCommand();
