#!/usr/bin/env bash
# Projects survive a clean build: on a clone of this checkout, starts the program the README's
# way (bash scripts/run, on the private display), makes a project through its New
# Configuration window (keys sent over X with xdotool), stops it through the PID scripts/run
# prints (checking that program and display end within 2 s), deletes build/, runs
# scripts/run again (a full rebuild) and checks that the project and the settings file are
# still in the workspace and the program started again from there.
#
#   bash tests/scripts/workspace_survives_clean_build.sh [SCRATCH_DIR]
#
# Builds the program twice: minutes, so it is not part of ctest. Needs Xvnc, openbox, xdotool
# and x11-utils (scripts/install-deps installs them). Leaves nothing running; the scratch
# clone is deleted unless KEEP=1.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
scratch="${1:-$(mktemp -d)}"
clone="$scratch/clone"
name="SurvivesCleanBuild"
port=$((20000 + RANDOM % 20000))
run_pid=""

say() { echo "== $*"; }
fail() { echo "FAIL: $*"; exit 1; }
alive() { ps -o pid=,stat= -g "$1" 2>/dev/null | awk '$2 !~ /^Z/ {printf "%s ", $1}'; }
finish() {
    if [[ -n "$run_pid" && -n "$(alive "$run_pid")" ]]; then
        kill -TERM "$run_pid" 2>/dev/null || true
        sleep 2
        [[ -n "$(alive "$run_pid")" ]] && kill -KILL -- "-$run_pid" 2>/dev/null
    fi
    [[ "${KEEP:-0}" == 1 ]] || rm -rf "$scratch"
}
trap finish EXIT

for tool in Xvnc openbox xdotool xwininfo; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (scripts/install-deps installs it)"
done

# Starts scripts/run in the clone (a process group of its own) and waits for the main window.
start_program() {
    local log="$scratch/run$1.log"
    (cd "$clone" && unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM && VNC_PORT=$port \
        exec setsid bash scripts/run >"$log" 2>&1 </dev/null) &
    local shell=$!
    local printed=""
    for _ in $(seq 3000); do
        printed="$(sed -n 's/^PID \([0-9]*\):.*/\1/p' "$log")"
        [[ -n "$printed" ]] && break
        kill -0 "$shell" 2>/dev/null || fail "scripts/run ended: $(tail -n 20 "$log")"
        sleep 0.2
    done
    [[ -n "$printed" ]] || fail "scripts/run printed no PID within 10 minutes"
    run_pid="$printed"
    display=""
    for _ in $(seq 300); do
        display="$(sed -n 's/^Display \(:[0-9]*\):.*/\1/p' "$log")"
        [[ -n "$display" ]] && break
        sleep 0.1
    done
    [[ -n "$display" ]] || fail "no private display: $(tail -n 5 "$log")"
    main=""
    for _ in $(seq 300); do
        main="$(DISPLAY="$display" xdotool search --name -- '- Configurator' 2>/dev/null | head -n 1 || true)"
        [[ -n "$main" ]] && break
        sleep 0.1
    done
    [[ -n "$main" ]] || fail "the main window did not appear"
    say "run $1: PID $run_pid, display $display, main window $main"
}

stop_program() {
    local start
    start=$(date +%s%N)
    kill -TERM "$run_pid"
    for _ in $(seq 40); do
        [[ -z "$(alive "$run_pid")" ]] && break
        sleep 0.05
    done
    local ms=$((($(date +%s%N) - start) / 1000000))
    [[ -z "$(alive "$run_pid")" ]] || fail "still running after the TERM: $(alive "$run_pid")"
    ((ms <= 2000)) || fail "ending took $ms ms"
    say "kill $run_pid ended the program and its display in $ms ms"
    run_pid=""
}

say "cloning $root into $clone"
git clone -q "$root" "$clone"
workspace="$clone/workspace"

start_program 1
# New Configuration has the focus at start: Space opens the window, whose name box takes the
# typed name, Enter is its OK.
x() { DISPLAY="$display" xdotool "$@"; }
x windowactivate --sync "$main" 2>/dev/null || x windowfocus --sync "$main"
x key space
sleep 2
x type --delay 30 "$name"
x key Return
for _ in $(seq 50); do
    [[ -d "$workspace/PROJECTS/$name" ]] && break
    sleep 0.1
done
[[ -d "$workspace/PROJECTS/$name" ]] || fail "the program made no project (PROJECTS: $(ls "$workspace/PROJECTS" 2>/dev/null))"
say "the program made $workspace/PROJECTS/$name"
# Closing the main window (Alt+F4 to the window manager) writes the settings file, naming
# the open project; a program still running after that is stopped through the PID.
x windowactivate --sync "$main" 2>/dev/null || true
x key alt+F4 2>/dev/null || true
for _ in $(seq 30); do
    [[ -z "$(alive "$run_pid")" ]] && break
    sleep 0.1
done
if [[ -n "$(alive "$run_pid")" ]]; then
    stop_program
else
    say "the program ended on Alt+F4"
    run_pid=""
fi

say "removing $clone/build"
rm -rf "$clone/build"
start_program 2
[[ -d "$workspace/PROJECTS/$name/bin" ]] || fail "the project is gone after the clean build"
[[ -x "$workspace/Quorvantis" ]] || fail "the program is not in the workspace"
if [[ -f "$workspace/Quorvantis.xml" ]]; then
    grep -q "<projectname>$name</projectname>" "$workspace/Quorvantis.xml" \
        || fail "the settings file does not name the project: $(cat "$workspace/Quorvantis.xml")"
    say "the settings file names the project"
fi
stop_program
say "PASS: the project made by the program survived rm -rf build"
