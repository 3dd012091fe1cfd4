#!/usr/bin/env bash
# The private display run: the program gets a framed main window (title bar from the window
# manager, when openbox is installed) and a TERM to the PID of headless-display ends the
# program, the window manager and the X server within two seconds, leaving nothing behind.
#   headless_stop_test.sh PROGRAM SOURCE_DIR
# Exit 77 (skipped) when Xvnc, xwininfo, xprop, ps or setsid is missing.
set -uo pipefail
program="$1"
source_dir="$2"
for tool in Xvnc xwininfo xprop ps setsid; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/install-deps installs it)"
        exit 77
    fi
done
work="$(mktemp -d)"
pid=""
fail() {
    echo "FAIL: $*"
    [[ -n "$pid" ]] && kill -KILL "$pid" 2>/dev/null
    exit 1
}
trap 'rm -rf "$work"' EXIT

# A port of its own, so that parallel runs and a user's display on 5900 do not meet.
port=$((20000 + RANDOM % 20000))
# The program is copied so that its workspace folders land in the scratch folder.
cp "$program" "$work/Quorvantis"
cp -r "$source_dir/LANGUAGE" "$work/" 2>/dev/null
setsid bash "$source_dir/scripts/headless-display" --port "$port" -- "$work/Quorvantis" \
    >"$work/out.log" 2>&1 </dev/null &
pid=$!

display=""
for _ in $(seq 100); do
    display="$(sed -n 's/^Display \(:[0-9]*\):.*/\1/p' "$work/out.log")"
    [[ -n "$display" ]] && break
    kill -0 "$pid" 2>/dev/null || fail "headless-display ended early: $(cat "$work/out.log")"
    sleep 0.1
done
[[ -n "$display" ]] || fail "no display within 10 s: $(cat "$work/out.log")"

# Wait for the main window (its title starts with the maker's name and "- Configurator").
win=""
for _ in $(seq 300); do
    win="$(DISPLAY="$display" xwininfo -root -tree 2>/dev/null | grep -m1 -- '- Configurator' | awk '{print $1}')"
    [[ -n "$win" ]] && break
    sleep 0.1
done
[[ -n "$win" ]] || fail "the main window did not appear within 30 s"

if command -v openbox >/dev/null 2>&1; then
    # The window manager marks a framed window with its frame sizes; the top one is the title bar.
    extents=""
    for _ in $(seq 50); do
        extents="$(DISPLAY="$display" xprop -id "$win" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p')"
        [[ -n "$extents" ]] && break
        sleep 0.1
    done
    top="$(echo "$extents" | awk -F', ' '{print $3}')"
    [[ -n "$top" && "$top" -gt 10 ]] || fail "the main window has no title bar (frame extents: '$extents')"
    echo "title bar: $top pixels high"
else
    echo "openbox is not installed: no window manager, title bar not checked"
fi

# Everything started under the display, by process group (setsid above made one of its own).
pgid="$pid"
# Live processes of the group (an ended one may stay a zombie until its parent reaps it).
alive() { ps -o pid=,stat= -g "$pgid" | awk '$2 !~ /^Z/ {printf "%s ", $1}'; }
children="$(alive)"
echo "processes before: $children"
start=$(date +%s%N)
kill -TERM "$pid"
for _ in $(seq 20); do
    left="$(alive)"
    [[ -z "$left" ]] && break
    sleep 0.1
done
ms=$((($(date +%s%N) - start) / 1000000))
if [[ -n "$left" ]]; then
    ps -o pid,comm -p ${left// /,} || true
    pkill -KILL -g "$pgid"
    fail "still running 2 s after the TERM: $left"
fi
echo "program, window manager and display ended $ms ms after the TERM"
