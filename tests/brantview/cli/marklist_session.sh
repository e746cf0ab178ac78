#!/bin/sh
# The review-mark list through the batch program: deletes touch the file only with
# --save, which leaves the trailer one mark shorter; browse marks stay; the export
# writes the workbook named.
# Usage: marklist_session.sh CLI WORKDIR
set -eu
cli=$1 work=$2

rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; exit 1; }
# The pretty-printed "lines" array holds one line of the list per line.
lines() { awk '/"lines": \[/ { on = 1; next } on && /^    \]/ { on = 0 } on { n++ } END { print n + 0 }' "$1"; }

"$cli" synth --kind qc --out "$work/QC0001.D01" --metres 120 --seed 3 --firmware 720 --reviewed Li >/dev/null
cp "$work/QC0001.D01" "$work/original"
"$cli" marklist "$work/QC0001.D01" >"$work/all.json"
all=$(lines "$work/all.json")
[ "$all" -gt 3 ] || fail "too few lines: $(cat "$work/all.json")"

# Row 1 is the browse-start mark: kept; row 2 an operator's mark: removed, in memory only.
"$cli" marklist "$work/QC0001.D01" --delete 1 --delete 2 --export "$work/marks.xls" >"$work/deleted.json"
tr -d ' \n' <"$work/deleted.json" | grep -q '"deleted":\[false,true\]' || fail "deletes: $(cat "$work/deleted.json")"
[ "$(lines "$work/deleted.json")" -eq $((all - 1)) ] || fail "list after the delete: $(cat "$work/deleted.json")"
cmp -s "$work/QC0001.D01" "$work/original" || fail "the file changed without --save"
[ -s "$work/marks.xls" ] || fail "no workbook written"

"$cli" marklist "$work/QC0001.D01" --delete 2 --save >"$work/saved.json"
tr -d ' \n' <"$work/saved.json" | grep -q '"saved":true' || fail "not saved: $(cat "$work/saved.json")"
before=$(wc -c <"$work/original")
after=$(wc -c <"$work/QC0001.D01")
[ "$after" -eq $((before - 27)) ] || fail "file of $after bytes after the saving, $before before"
# The records, the marker, the name and the browse-start mark, then the marks after the one deleted.
parsed=$("$cli" info "$work/original" | sed -n 's/^    "ParsedBytes": \([0-9]*\),*$/\1/p')
kept=$((parsed + 3 + 8 + 27))
{ head -c "$kept" "$work/original"; tail -c "+$((kept + 27 + 1))" "$work/original"; } >"$work/expected"
cmp -s "$work/QC0001.D01" "$work/expected" || fail "the saved file is not the original without that mark"
"$cli" marklist "$work/QC0001.D01" >"$work/reread.json"
[ "$(lines "$work/reread.json")" -eq $((all - 1)) ] || fail "read back: $(cat "$work/reread.json")"
echo "mark list: $all lines, one mark deleted and saved"
