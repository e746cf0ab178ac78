#!/bin/sh
# A review end to end through the batch program: a sample record, its first marks
# (a reviewed copy beside it, the record itself untouched), more marks in place in
# the copy, the copy read back, a segment cut out of it and read back.
# Usage: review_session.sh CLI WORKDIR
set -eu
cli=$1 work=$2

rm -rf "$work"
mkdir -p "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" XDG_DATA_HOME="$work/home/data"
fail() { echo "$1"; exit 1; }
field() { sed -n "s/^    \"$1\": \(.*\),*$/\1/p" | sed 's/,$//' | head -n 1; }

"$cli" synth --kind qc --out "$work/QC0001.D01" --metres 120 --seed 3 >/dev/null
cp "$work/QC0001.D01" "$work/original"

"$cli" mark "$work/QC0001.D01" --post 2 --kind 2 --kind 5 --operator Li \
    --now 2026-12-10T09:20:00 --opened 2026-12-10T09:05:07 >"$work/first.json"
copy="$work/QC0001.Li.2026年12月10日.090507.dat"
[ "$(field created <"$work/first.json")" = true ] || fail "no reviewed copy: $(cat "$work/first.json")"
[ -f "$copy" ] || fail "the copy is not where its name says: $(ls "$work")"
cmp -s "$work/QC0001.D01" "$work/original" || fail "the record itself changed"

# The same post takes no third mark; another post does, in place.
"$cli" mark "$copy" --post 2 --kind 1 --operator Wang --now 2026-12-10T10:00:00 >"$work/second.json"
grep -q '"refused": \[' "$work/second.json" || fail "refusal not reported: $(cat "$work/second.json")"
[ "$(field created <"$work/second.json")" = false ] || fail "a second copy was made"
[ "$(tr -d ' \n' <"$work/second.json" | sed -n 's/.*"refused":\[\([0-9]*\)\].*/\1/p')" = 1 ] \
    || fail "the third mark at one post was not refused"
"$cli" mark "$copy" --post 3 --kind 4 --operator Wang --now 2026-12-10T10:01:00 >/dev/null

"$cli" info "$copy" >"$work/info.json"
[ "$(field ReplayerName <"$work/info.json")" = '"Li      "' ] || fail "name: $(field ReplayerName <"$work/info.json")"
[ "$(field HasTrailer <"$work/info.json")" = true ] || fail "no trailer read back"
# Sessions: start, 怀疑, 关注1, end; start, end; start, 鱼鳞纹终点, end.
kinds=$(tr -d ' \n' <"$work/info.json" | sed 's/.*"ReviewMarks":\[\[//; s/\]\],".*//; s/\],\[/\n/g' | cut -d, -f1 | tr '\n' ' ')
[ "$kinds" = "200 2 5 201 200 201 200 4 201 " ] || fail "marks read back: $kinds"

"$cli" segment "$copy" --from 3000 --to 1000 --view-start 1500 --out "$work/SEG.DAT" >"$work/segment.json"
bytes=$(field bytes <"$work/segment.json")
[ "$bytes" -gt 1000 ] || fail "segment: $(cat "$work/segment.json")"
"$cli" info "$work/SEG.DAT" --columns >"$work/seg-info.json"
[ "$(field ParsedBytes <"$work/seg-info.json")" = "$bytes" ] || fail "segment read back: $(head -c 400 "$work/seg-info.json")"
if "$cli" segment "$copy" --from 1 --to 2 --view-start 0 --out "$copy" 2>"$work/refused.txt"; then
    fail "the record itself took a segment"
fi
grep -q "文件记录格式不对" "$work/refused.txt" || fail "refusal: $(cat "$work/refused.txt")"
echo "review session: copy made, marks in place, segment of $bytes bytes read back"
