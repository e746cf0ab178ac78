#!/bin/sh
# The real program on a real X server shows its start-up message ("工作目录不存在，
# 请重新设置！", the work folder of its settings is missing) over the main window;
# the server's own frame buffer, dumped while the message is up, must show it painted.
# Usage: ostrelplay_dialog_smoke.sh PROGRAM CHECKER WORKDIR
set -eu
program=$1 checker=$2 work=$3

command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run is not installed"; exit 77; }

rm -rf "$work"
mkdir -p "$work/bin" "$work/fb" "$work/runtime"
chmod 700 "$work/runtime"
# The settings live beside the program: a copy of it, with a work folder that is missing.
cp "$program" "$work/bin/ostrelplay"
printf '[workplace]\nworkdir=%s/no-such-folder\n' "$work" >"$work/bin/setting.ini"

unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/runtime"
# Waits (up to 20 s) for the window, gives the message a second to come up over it,
# then judges the dump.
xvfb-run -a -s "-screen 0 1280x1024x24 -fbdir $work/fb" sh -c '
    "$1/bin/ostrelplay" & pid=$!
    tries=40
    while [ "$tries" -gt 0 ]; do
        cp "$1/fb/Xvfb_screen0" "$1/screen.xwd"
        status=0
        "$2" "$1/screen.xwd" >/dev/null 2>&1 || status=$?
        [ "$status" -ne 2 ] && break
        sleep 0.5
        tries=$((tries - 1))
    done
    sleep 1
    cp "$1/fb/Xvfb_screen0" "$1/screen.xwd"
    kill "$pid"
' sh "$work" "$checker"
"$checker" "$work/screen.xwd"
