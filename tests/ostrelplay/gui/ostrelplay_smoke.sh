#!/bin/sh
# The real program on a real X server: a synthesized recording opened from the
# command line, played for a few seconds, and a picture of the window whose first
# B-scan pane must show a drawn frame.
# Usage: ostrelplay_smoke.sh CLI PROGRAM CHECKER WORKDIR
set -eu
cli=$1 program=$2 checker=$3 work=$4

command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run is not installed"; exit 77; }

rm -rf "$work"
mkdir -p "$work"
"$cli" synth --out "$work/smoke.std" --subfiles 2 --metres 40 --seed 3 >/dev/null

# The program picks the X server xvfb-run starts, not a platform set for the other tests.
unset QT_QPA_PLATFORM
# A runtime folder of its own: an Ostrelplay the user is running never gets the file.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
OSTRELPLAY_AUTOPLAY=1 OSTRELPLAY_SCREENSHOT="$work/window.png" \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$work/smoke.std" >"$work/result.json"
cat "$work/result.json"
"$checker" "$work/window.png" "$work/result.json"
