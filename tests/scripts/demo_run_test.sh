#!/usr/bin/env bash
# scripts/run --demo on the build that is there, headless: the editor connects
# to the simulator within 20 s (the simulator receives the whole connect
# sequence: names, system items, the program read, then status polls), and
# closing the editor leaves no simulator running.
set -euo pipefail
source_dir=$1
build_dir=$2

work=$(mktemp -d)
run_pid=
cleanup() {
    [ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    echo "--- scripts/run said:" >&2
    cat "$work/run.out" >&2 || true
    echo "--- the simulator logged (last lines):" >&2
    tail -n 20 "$work/devsim.log" >&2 || true
    exit 1
}

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export SONAVEL_BUILD_DIR=$build_dir SONAVEL_DEMO_LOG=$work/devsim.log
"$source_dir/scripts/run" --demo --no-build --language en >"$work/run.out" 2>&1 &
run_pid=$!

# A frame's command byte is its sixth byte: "recv 5A 5A 5A xx xx CC ...".
connected() {
    awk '{ command = $7 " " $8 }
         $1 == "recv" && command == "A2 05" { names++ }
         $1 == "recv" && command == "A2 06" { items++ }
         $1 == "recv" && $7 == "A8" { program = 1 }
         $1 == "recv" && $7 == "A9" && program { polled = 1 }
         END { exit !(names >= 21 && items >= 9 && polled) }' "$work/devsim.log" 2>/dev/null
}
deadline=$((SECONDS + 20))
until connected; do
    kill -0 "$run_pid" 2>/dev/null || fail "scripts/run ended before the editor connected"
    [ "$SECONDS" -lt "$deadline" ] || fail "the editor did not connect within 20 s"
    sleep 0.2
done

grep -q "offscreen" "$work/run.out" || fail "scripts/run did not say it starts offscreen"
editor_pid=$(sed -n 's/^scripts\/run: editor (pid \([0-9]*\)).*/\1/p' "$work/run.out")
simulator_pid=$(sed -n 's/^scripts\/run: simulator (pid \([0-9]*\)).*/\1/p' "$work/run.out")
[ -n "$editor_pid" ] && [ -n "$simulator_pid" ] || fail "scripts/run did not name its processes"

# Closing the editor: the script stops the simulator and ends.
kill -TERM "$editor_pid"
deadline=$((SECONDS + 10))
while kill -0 "$run_pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "scripts/run did not end after the editor closed"
    sleep 0.1
done
run_pid=
if kill -0 "$simulator_pid" 2>/dev/null; then
    kill "$simulator_pid"
    fail "the simulator was left running"
fi
echo "demo: connected, and no simulator left after the editor closed"
