#!/bin/sh
# The real program on a real X server: two synthesized recordings opened from the
# command line, stepped, played a moment, a picture of the window whose B-scan must
# show a drawn view, and a clean exit.
# Usage: brantview_smoke.sh CLI PROGRAM CHECKER WORKDIR
set -eu
cli=$1 program=$2 checker=$3 work=$4

command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run is not installed"; exit 77; }

rm -rf "$work"
mkdir -p "$work/bin" "$work/home"
"$cli" synth --kind qc --out "$work/QC0001.D01" --metres 300 --seed 5 >/dev/null
"$cli" synth --kind qc --out "$work/QC0002.D01" --metres 200 --seed 6 >/dev/null
# A copy of its own keeps "parm.dat" and the side files out of the build tree, and
# a home of its own keeps the window position out of the user's settings.
cp "$program" "$work/bin/brantview"

unset QT_QPA_PLATFORM
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime" HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
BRANTVIEW_SCREENSHOT="$work/window.png" \
    xvfb-run -a -s "-screen 0 1600x1000x24" "$work/bin/brantview" "$work/QC0001.D01" "$work/QC0002.D01" \
    >"$work/result.json"
cat "$work/result.json"
"$checker" "$work/window.png" "$work/result.json"
