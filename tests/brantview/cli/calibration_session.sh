#!/bin/sh
# The calibration waveform of the sample's calibration point: found through the
# listed records, its run ends with the echo record after it, the picture is written;
# a record that is no calibration point is refused and writes nothing.
# Usage: calibration_session.sh CLI WORKDIR
set -eu
cli=$1 work=$2

rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; exit 1; }

"$cli" synth --kind qc --out "$work/QC0001.D01" --metres 40 --seed 7 --firmware 720 >/dev/null
# Records are listed as [code, data, step], one number a line: the index of the first code 73.
point=$("$cli" info "$work/QC0001.D01" --records | tr -d ' \n' | sed 's/.*"Records":\[\[//; s/\]\].*//' |
    awk 'BEGIN { RS = "\\],\\[" } { split($0, f, ","); if (f[1] == 73) { print NR - 1; exit } }')
[ -n "$point" ] || fail "no calibration point in the sample"

"$cli" calibration "$work/QC0001.D01" --record "$point" --out "$work/run.png" >"$work/run.json"
flat=$(tr -d ' \n' <"$work/run.json")
echo "$flat" | grep -q "\"entries\":\[\[$((point + 1)),9[0-9]," || fail "run start: $flat"
echo "$flat" | grep -q '"S":-340' || fail "scroll: $flat"
echo "$flat" | grep -Eq ',1[01],[0-9]+\]\],"firstEntry"' || fail "the run does not end with an echo record: $flat"
[ -s "$work/run.png" ] || fail "no picture written"

if "$cli" calibration "$work/QC0001.D01" --record $((point - 1)) --out "$work/refused.png" 2>/dev/null; then
    fail "a record before the point was taken"
fi
[ ! -e "$work/refused.png" ] || fail "a refused command wrote its picture"
