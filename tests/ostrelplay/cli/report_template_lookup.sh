#!/bin/sh
# The report command takes its template from beside the program or from an
# installed tree's share/rail-replay/; with neither it fails with status 1 and
# writes no document.
# Usage: report_template_lookup.sh CLI TEMPLATE WORKDIR
set -eu
cli=$1 template=$2 work=$3

rm -rf "$work"
mkdir -p "$work/bin" "$work/share/rail-replay" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
cp "$cli" "$work/bin/ostrelplay-cli"
"$work/bin/ostrelplay-cli" synth --out "$work/run.std" --subfiles 2 --metres 20 --seed 7 >/dev/null

report() {
    "$work/bin/ostrelplay-cli" report "$work/run.std" --subfile 1 --row 3000 --size 400x200 --out "$work/$1.doc"
}
fail() { echo "$1"; exit 1; }

cp "$template" "$work/share/rail-replay/report.dom"
report installed >"$work/installed.json"
grep -q '"warning": null' "$work/installed.json" || fail "installed template: $(cat "$work/installed.json")"
test -s "$work/installed.doc" || fail "installed template: no document"

mv "$work/share/rail-replay/report.dom" "$work/bin/report.dom"
report beside >"$work/beside.json"
grep -q "\"template\": \"$work/bin/report.dom\"" "$work/beside.json" || fail "beside: $(cat "$work/beside.json")"
test -s "$work/beside.doc" || fail "beside: no document"

rm "$work/bin/report.dom"
status=0
report missing >"$work/missing.json" 2>"$work/missing.err" || status=$?
test "$status" -eq 1 || fail "missing template: exit status $status"
grep -q "report.dom" "$work/missing.err" || fail "missing template: $(cat "$work/missing.err")"
test ! -e "$work/missing.doc" || fail "missing template: a document was written"
test ! -s "$work/missing.json" || fail "missing template: a result was printed"
echo "report template lookup: installed, beside the program and missing behave"
