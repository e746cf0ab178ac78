#!/bin/sh
# Review sessions killed at random moments while they write marks into a reviewed
# copy in place: after every kill the copy loads and holds the marks of every
# saving that finished (a session saves twice: its mark, then the browse end), and
# the next session leaves no recovery file behind.
# Usage: kill_during_marks.sh CLI WORKDIR [ROUNDS]
set -eu
cli=$1 work=$2 rounds=${3:-20}

rm -rf "$work"
mkdir -p "$work/runtime" "$work/home" "$work/data"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" XDG_DATA_HOME="$work/home/data"
fail() { echo "$1"; exit 1; }

"$cli" synth --kind qc --out "$work/data/QC0001.D01" --metres 3000 --seed 9 >/dev/null
"$cli" mark "$work/data/QC0001.D01" --post 0 --kind 1 --operator Li --now 2026-12-10T09:00:00 >/dev/null
copy=$(ls "$work/data"/QC0001.Li.*.dat)

marks() {
    "$cli" info "$1" >"$work/info.json" 2>&1 || return 0
    tr -d ' \n' <"$work/info.json" | sed 's/.*"ReviewMarks":\[\[//; s/\]\],".*//; s/\],\[/\n/g' | wc -l
}

before=$(marks "$copy")
i=0
while [ "$i" -lt "$rounds" ]; do
    "$cli" mark "$copy" --post $((i % 5 + 1)) --kind 1 --operator Li --now 2026-12-10T10:00:00 >/dev/null 2>&1 &
    pid=$!
    sleep "0.$(awk -v s="$i" 'BEGIN { srand(s); printf "%03d", int(rand() * 40) }')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    now=$(marks "$copy")
    [ -n "$now" ] || fail "round $i: the copy no longer loads: $(cat "$work/info.json")"
    case $((now - before)) in
        0|2|3) ;;
        *) fail "round $i: $now marks after $before" ;;
    esac
    before=$now
    i=$((i + 1))
done
"$cli" mark "$copy" --post 6 --kind 3 --operator Li --now 2026-12-10T11:00:00 >/dev/null \
    || fail "the session after the kills failed"
[ "$(marks "$copy")" -eq $((before + 3)) ] || fail "the last session's marks are missing"
left=$(ls -A "$work/data" | grep -v -e '^QC0001\.D01$' -e '^QC0001\.Li\..*\.dat$' || true)
[ -z "$left" ] || fail "left behind: $left"
echo "$rounds sessions killed, the copy loads with $before marks"
