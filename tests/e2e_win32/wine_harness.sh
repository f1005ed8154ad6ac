# Shared by the Windows end-to-end tests (sourced): a private X server (Xvfb, or
# Xorg for two monitors) and a private Wine prefix per test script, the
# screensaver started under Wine, real input through xdotool and pixels read
# from screenshots (screen_check.py).
#
# Environment: CUBESAVER_SCR (the .scr), WINDOW_PROBE (tests' window_probe.exe),
# SCREENSHOT_DIR (where screenshots are left for a person to look at).
# Waits are bounded only so that a broken run ends; nothing asserts on time.
set -u
scr=${CUBESAVER_SCR:?CUBESAVER_SCR names the screensaver}
shots=${SCREENSHOT_DIR:-.}
here=$(cd "$(dirname "$0")" && pwd)
title="3D Tamsel's Screensaver"
failures=0
mkdir -p "$shots"

fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
expect() { # expect <what it proves> <command...>
  proves=$1; shift
  if "$@"; then pass "$proves"; else fail "$proves"; fi
}
finish() {
  [ "$failures" -eq 0 ] && echo "all cases passed" && exit 0
  echo "$failures case(s) failed"; exit 1
}

# The server and the prefix live until the script ends.
start_session() { # start_session WIDTHxHEIGHT
  screen_size=$1
  ready=$(mktemp)
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${screen_size}x24" 3>"$ready" >/dev/null 2>&1 &
  server_pid=$!
  wait_display "$ready" Xvfb
  start_prefix
}

# Xorg with two 800 x 600 monitors side by side (two_monitors.conf). Wine asks
# XVidMode first, which sees the first screen only, with its two refresh rates;
# use_xinerama_monitors makes it read both monitors from Xinerama.
start_two_monitor_session() {
  ready=$(mktemp)
  config_dir=$(mktemp -d)
  Xorg -config "$here/two_monitors.conf" -configdir "$config_dir" -noreset -nolisten tcp \
    -novtswitch -sharevts -logfile "$config_dir/Xorg.log" -displayfd 3 3>"$ready" >/dev/null 2>&1 &
  server_pid=$!
  wait_display "$ready" Xorg
  start_prefix
}

use_xinerama_monitors() {
  for option in UseXRandR UseXVidMode; do
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v $option /t REG_SZ /d N /f >/dev/null 2>&1
  done
  # The desktop process reads the monitors when it starts.
  wineserver -k >/dev/null 2>&1; wineserver -w
}

wait_display() { # wait_display FILE NAME: the display number the server wrote
  i=0
  while [ ! -s "$1" ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i + 1)); done
  DISPLAY=":$(cat "$1")"
  rm -f "$1"
  [ "$DISPLAY" = ":" ] && { echo "$2 did not start"; exit 1; }
  return 0
}

start_prefix() {
  WINEPREFIX=$(mktemp -d)
  # No Mono or Gecko: the saver needs neither, and their installers would ask.
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
  trap end_session EXIT INT TERM
  wineboot -i >/dev/null 2>&1
}

end_session() {
  trap - EXIT INT TERM
  wineserver -k >/dev/null 2>&1
  kill "$server_pid" 2>/dev/null
  wait "$server_pid" 2>/dev/null
  rm -rf "$WINEPREFIX" ${config_dir:+"$config_dir"}
}

# Starts the saver in the background: start_saver [switches...]; sets saver_pid.
start_saver() {
  wine "$scr" "$@" >/dev/null 2>&1 &
  saver_pid=$!
}

alive() { kill -0 "$1" 2>/dev/null; }

# Processes of the screensaver in this test's prefix (others may run beside it).
saver_processes() {
  for pid in $(pgrep -f "$(basename "$scr")"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}

# Waits for process $1 to end and stores its exit code in ended_with; false when
# it has not ended after a long while (then it is killed).
wait_exit() {
  i=0
  while alive "$1" && [ $i -lt 1200 ]; do sleep 0.1; i=$((i + 1)); done
  if alive "$1"; then kill -9 "$1" 2>/dev/null; wait "$1" 2>/dev/null; ended_with=none; return 1; fi
  wait "$1"
  ended_with=$?
  return 0
}

# Says what it ended with otherwise, so that a failure shows a crash's code.
ended_with_zero() {
  wait_exit "$1" && [ "$ended_with" = 0 ] && return 0
  echo "  (the process ended with: $ended_with)"
  return 1
}

# The X windows titled exactly $1, one id per line.
windows_titled() { xdotool search --name "^$1\$" 2>/dev/null; }

# Waits until a window titled $1 is mapped while process $2 lives; prints its id.
wait_window() {
  i=0
  while [ $i -lt 1200 ]; do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    alive "$2" || return 1
    sleep 0.1; i=$((i + 1))
  done
  return 1
}

# Width x height +x +y of a window, e.g. "640x480+0+0".
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^  Width:/ {w=$NF} /^  Height:/ {h=$NF} END {print w "x" h "+" x "+" y}'
}

shot() { import -window root "$shots/$1.png"; echo "$shots/$1.png"; }

# Screenshots until the cube shows (screen_check.py cube); prints the file.
shot_with_cube() { # shot_with_cube NAME
  i=0
  while [ $i -lt 60 ]; do
    f=$(shot "$1")
    python3 "$here/screen_check.py" cube "$f" >/dev/null && { echo "$f"; return 0; }
    sleep 0.5; i=$((i + 1))
  done
  echo "$f"; return 1
}

# Screenshots until the picture differs from $2; prints the file.
shot_with_motion() { # shot_with_motion NAME EARLIER
  i=0
  while [ $i -lt 60 ]; do
    f=$(shot "$1")
    python3 "$here/screen_check.py" moved "$2" "$f" >/dev/null && { echo "$f"; return 0; }
    sleep 0.2; i=$((i + 1))
  done
  echo "$f"; return 1
}

# /p runs that cannot open a window: the "Failed to open window" box, caption
# "Debug" (its text read by window_probe), no saver window, and exit code 0 once
# the box is closed with Return. expect_failure_box <what> <switches...>
expect_failure_box() {
  case_name=$1; shift
  start_saver "$@"
  box=$(wait_window Debug "$saver_pid") || { fail "$case_name: no box titled \"Debug\""; return 1; }
  shot "win32_$(echo "$case_name" | tr -c 'a-z0-9\n' _)" >/dev/null
  expect "$case_name: the box says \"Failed to open window\"" \
    sh -c 'wine "$1" texts Debug 2>/dev/null | tr -d "\r" | grep -qx "Failed to open window"' - "${WINDOW_PROBE:?}"
  expect "$case_name: the saver shows no window of its own" [ -z "$(windows_titled "$title")" ]
  xdotool windowfocus --sync "$box" key Return
  expect "$case_name: closing the box ends the run with exit code 0" ended_with_zero "$saver_pid"
}

# A full-screen run that a key ends with exit code 0: expect_key_ends <what> <switches...>
expect_key_ends() {
  case_name=$1; shift
  start_saver "$@"
  # The cube on the screen shows that the loop runs and will see the key.
  if wait_window "$title" "$saver_pid" >/dev/null && shot_with_cube "win32_$(echo "$case_name" | tr -c 'a-z0-9\n' _ | cut -c1-40)" >/dev/null; then
    pass "$case_name: runs full screen"
  else
    fail "$case_name: runs full screen"
  fi
  xdotool key a
  expect "$case_name: a key ends it with exit code 0" ended_with_zero "$saver_pid"
}
