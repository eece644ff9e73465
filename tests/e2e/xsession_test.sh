#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The program itself on a real X server. It starts with a start file of its own
# naming a prepared scene; Enter starts a run, Escape stops it, Ctrl+S saves
# and Alt+X quits. The saved scene must be the prepared one advanced by some
# number of steps, exactly as zarvitone-cli run computes them. A second start
# must reopen the saved scene: Ctrl+S rewrites it unchanged, and a further run
# continues from it; Ctrl+Z then takes the run back, and Ctrl+S writes the bytes
# saved before Go.
#
# Usage: xsession_test.sh ZARVITONE ZARVITONE-CLI
# Exit status 77 (a skipped test) when Xvfb or xdotool is missing.
set -euo pipefail
source "$(dirname "$0")/../support/shelltest.sh"

program=$1
cli=$2

if [ "${3:-}" != --inside ]; then
  require_tools "xvfb, xauth and xdotool" xvfb-run Xvfb xauth xdotool
  make_work e2e
  # No window manager runs there: the script gives the window the focus itself.
  timeout --kill-after=5 150 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$program" "$cli" --inside "$work"
  exit
fi

work=$4
config=$work/config
scene=$work/scene.ato
pid=

# To standard error, so that it is seen from inside $(...) as well.
fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/program.log" ]; then sed 's/^/  program: /' "$work/program.log" >&2; fi
  exit 1
}

stop_program() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
}
trap stop_program EXIT
trap 'exit 1' TERM INT

# 100 present points at distinct places, all at rest, dt 0.001: the window
# runs with dt 0.001 after start-up whatever the scene says, so the file and
# the headless run agree. Every step moves every point.
make_scene() {
  {
    echo "dt 0.001"
    for group in 1 2 3; do
      echo "A$group 1"; echo "B$group 1"; echo "C$group 2"; echo "D$group 3"; echo "F$group 4"; echo "G$group 5"
    done
    awk 'BEGIN { for (i = 1; i <= 100; i++)
                   printf "slot %d 1 %.2f %.1f %.2f 0 0 0\n", i, 0.3 * i + 1, 0.2 * (i % 5) + 0.5, -0.25 * (i % 7) - 0.5 }'
  } >"$work/scene.scene"
  "$cli" make "$work/scene.scene" "$scene"
}

# Starts the program under its own configuration folder and focuses its window.
start_program() {
  : >"$work/program.log"
  mkdir -p -m 700 "$work/runtime"
  XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$work/runtime env -u QT_QPA_PLATFORM -u QT_QPA_PLATFORMTHEME "$program" >>"$work/program.log" 2>&1 &
  pid=$!
  local window=
  for _ in $(seq 150); do
    kill -0 "$pid" 2>/dev/null || fail "the program ended at start-up"
    window=$(xdotool search --onlyvisible --name '^Zarvitone$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window titled Zarvitone within 15 s"
  # Keys sent to a window directly are marked synthetic and Qt ignores them:
  # focus it and type as the keyboard would.
  xdotool windowfocus --sync "$window"
  sleep 0.5
}

press() {
  kill -0 "$pid" 2>/dev/null || fail "the program ended before the key $1"
  xdotool key "$1"
  sleep "${2:-0.4}"
}

quit_program() {
  press alt+x 0
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "Alt+X did not end the program within 10 s"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Enter runs, Escape stops, Ctrl+S saves over the current scene.
run_and_save() {
  press Return 0.6
  press Escape 0.3
  press ctrl+s 0.5
}

# The number of steps n >= 1 for which `zarvitone-cli run from --steps n` gives
# the scene `to`, found one step at a time, and checked with one run of n steps.
steps_between() {
  local from=$1 to=$2 chain=$work/chain.ato predicted=$work/predicted.ato n
  cp "$from" "$chain"
  for ((n = 1; n <= 5000; n++)); do
    "$cli" run "$chain" --steps 1 --out "$chain"
    if cmp -s "$chain" "$to"; then
      "$cli" run "$from" --steps "$n" --out "$predicted"
      diff <("$cli" show "$predicted") <("$cli" show "$to") >/dev/null ||
        fail "$n steps at once differ from $n single steps"
      echo "$n"
      return 0
    fi
  done
  return 1
}

mkdir -p "$config/zarvitone"
make_scene
cp "$scene" "$work/original.ato"
printf '%s\n' "$scene" >"$config/zarvitone/Start.zarv"

# First session: run, stop, save, quit.
start_program
run_and_save
quit_program
cmp -s "$scene" "$work/original.ato" && fail "the saved scene did not move (no run, or no save)"
first=$(steps_between "$work/original.ato" "$scene") ||
  fail "the saved scene is no state zarvitone-cli run reaches within 5000 steps:
$(diff <("$cli" show "$work/original.ato") <("$cli" show "$scene") | head -n 8)"
echo "first session: Enter, Escape, Ctrl+S saved the scene after $first steps"
[ "$(head -n 1 "$config/zarvitone/Start.zarv")" = "$scene" ] || fail "the start file no longer names the scene"

# Second session: the same scene comes back.
cp "$scene" "$work/saved.ato"
inode=$(stat -c %i "$scene")
start_program
press ctrl+s 0.5
[ "$(stat -c %i "$scene")" != "$inode" ] || fail "Ctrl+S after the restart wrote nothing"
cmp -s "$scene" "$work/saved.ato" || fail "the restarted program saved another scene than the one it was to reopen"
run_and_save
cp "$scene" "$work/advanced.ato"
press ctrl+z 0.3
press ctrl+s 0.5
cmp -s "$scene" "$work/saved.ato" || fail "Ctrl+Z after the run and Ctrl+S did not write the scene of before Go"
quit_program
second=$(steps_between "$work/saved.ato" "$work/advanced.ato") || fail "the second run did not continue from the saved scene"
echo "second session: reopened the saved scene, then ran $second more steps; Ctrl+Z took them back"
echo "PASS"
