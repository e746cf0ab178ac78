#pragma once
// The view that render and picture draw: one or two files set up as opening them
// does, the surface, the settings and the view switches, all from the command line.

#include "common/cli/CliArgs.h"
#include "recording/BrantSettings.h"
#include "recording/RecordingSlot.h"
#include "viewer/Redraw.h"
#include "viewer/ViewCanvas.h"
#include "viewer/ViewState.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace brantview {

struct ViewArgs {
    common::cli::CliArgs options;
    std::optional<std::pair<int32_t, int32_t>> range;  // "--range A B"
};

// Reads the view options and the command's own `extra` ones.
ViewArgs parseViewArgs(const QStringList &args, const std::vector<common::cli::CliOption> &extra);

struct CliView {
    QString path;
    int width = 0;  // pixels
    int height = 0;
    int dpi = 0;
    bool print = false;  // "--print": the print picture of "打印图形"
    BrantSettings settings;
    ViewState state;
    RecordingSlots panes;
};

// Loads the file (and the second one) and sets the view up as the options say.
CliView loadView(const ViewArgs &args);

// An empty picture of the view's size.
QImage viewImage(const CliView &view);
// Draws the view as the main window redraws it, or with --print in print colours.
RedrawReport drawView(CliView &view, ViewCanvas &canvas);

// The view options in a usage line, and what they mean, for the commands' help texts.
QString viewOptionsUsage();
QString viewOptionsHelp();

} // namespace brantview
