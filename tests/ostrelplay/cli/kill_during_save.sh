#!/bin/sh
# Saves of marks killed at random moments, into a recording that is replaced by a
# new file and into one with a second name (written in place): after every kill
# the recording loads, holds every mark of the saves that finished and perhaps
# the one that was cut off, and the next save leaves no helper file behind.
# Usage: kill_during_save.sh CLI WORKDIR [ROUNDS]
set -eu
cli=$1 work=$2 rounds=${3:-20}

rm -rf "$work"
mkdir -p "$work/runtime" "$work/replaced" "$work/linked" "$work/home"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" XDG_DATA_HOME="$work/home/data"
fail() { echo "$1"; exit 1; }

"$cli" synth --out "$work/replaced/run.std" --subfiles 2 --metres 1500 --seed 5 >/dev/null
cp "$work/replaced/run.std" "$work/linked/run.std"
ln "$work/linked/run.std" "$work/linked/second-name.std"

# The marks of every sub-file together; empty when the recording does not load.
marks() {
    "$cli" info "$1" >"$work/info.json" 2>&1 || return 0
    sed -n 's/^ *"std_markcount": \([0-9][0-9]*\),*$/\1/p' "$work/info.json" | awk '{ n += $1 } END { print n + 0 }'
}

for folder in replaced linked; do
    file="$work/$folder/run.std"
    done_marks=0
    i=0
    while [ "$i" -lt "$rounds" ]; do
        "$cli" mark "$file" --subfile 0 --cmd F --pos "$i" >/dev/null 2>&1 &
        pid=$!
        # 0 to 250 ms: while loading, copying, syncing and after.
        sleep "0.$(awk -v s="$i" 'BEGIN { srand(s); printf "%03d", int(rand() * 250) }')"
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        now=$(marks "$file")
        [ -n "$now" ] || fail "$folder round $i: the recording no longer loads: $(cat "$work/info.json")"
        [ "$now" -eq "$done_marks" ] || [ "$now" -eq $((done_marks + 1)) ] \
            || fail "$folder round $i: $now marks after $done_marks"
        done_marks=$now
        i=$((i + 1))
    done
    "$cli" mark "$file" --subfile 0 --cmd '?' --pos 1 >/dev/null || fail "$folder: the save after the kills failed"
    [ "$(marks "$file")" -eq $((done_marks + 1)) ] || fail "$folder: the last mark is missing"
    left=$(ls -A "$work/$folder" | grep -v -e '^run.std$' -e '^second-name.std$' || true)
    [ -z "$left" ] || fail "$folder: left behind: $left"
    echo "$folder: $rounds saves killed, $done_marks finished, the recording loads"
done
[ "$(stat -c %i "$work/linked/run.std")" = "$(stat -c %i "$work/linked/second-name.std")" ] \
    || fail "linked: the two names no longer share the file"
