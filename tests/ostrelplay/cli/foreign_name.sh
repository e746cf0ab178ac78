#!/bin/sh
# A recording whose name is in the Chinese code page, as copied from Windows media
# (no UTF-8): written, inspected, marked and cut by the batch program.
# Usage: foreign_name.sh CLI WORKDIR
set -eu
cli=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
name="$work/$(printf '\262\342\312\324').std"   # "测试.std"
cut="$work/$(printf '\274\364').std"
fail() { echo "$1"; exit 1; }

"$cli" synth --out "$name" --subfiles 2 --metres 20 --seed 7 >/dev/null || fail "synth"
"$cli" mark "$name" --subfile 0 --cmd F --pos 100 >/dev/null || fail "mark"
"$cli" info "$name" | grep -q '"std_markcount": 1,' || fail "info: the mark is missing"
"$cli" cut "$name" --subfile 0 --from 10 --to 500 --out "$cut" >/dev/null || fail "cut"
"$cli" info "$cut" | grep -q '"std_filecount": 1,' || fail "info of the cut"
[ "$(ls -A "$work" | wc -l)" -eq 2 ] || fail "left behind: $(ls -A "$work")"
echo "a name in the Chinese code page: written, marked, cut"
