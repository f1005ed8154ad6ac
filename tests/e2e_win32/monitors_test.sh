#!/bin/sh
# The full-screen saver on a desktop of two monitors (Xorg, two 800 x 600 screens
# side by side): the primary shows the cube, the other is covered in the
# background colour, and no bit of the desktop (painted a marker colour) shows
# on either. Pointer motion across both does not end it; a key does, and so does
# a click on the second monitor, each with exit code 0. And no run switches the
# display's mode.
. "$(dirname "$0")/wine_harness.sh"
start_two_monitor_session
marker=ff00ff

# Splits a screenshot into one file per monitor: <name>_primary.png, <name>_second.png.
split_monitors() { # split_monitors SHOT
  /usr/bin/convert "$1" -crop 800x600+0+0 +repage "${1%.png}_primary.png"
  /usr/bin/convert "$1" -crop 800x600+800+0 +repage "${1%.png}_second.png"
}

# Screenshots until the primary monitor shows the cube; prints the whole shot.
shot_with_cube_on_primary() { # shot_with_cube_on_primary NAME
  i=0
  while [ $i -lt 60 ]; do
    whole=$(shot "$1")
    split_monitors "$whole"
    python3 "$here/screen_check.py" cube "${whole%.png}_primary.png" >/dev/null && break
    sleep 0.5; i=$((i + 1))
  done
  echo "$whole"
}

# No display-mode change. Here Wine sees the primary alone, at 60 Hz, offering
# 75 Hz too: a window that left the rate to the library would be switched to
# 75 Hz (GLFW takes the highest). Asking for the current mode's rate and colour
# bits, the saver makes no full-screen mode change at all (Wine's trace).
rates=$(wine "${WINDOW_PROBE:?}" rates 2>/dev/null | tr -d '\r')
expect "the primary runs at 60 Hz and offers 75 Hz ($(echo "$rates" | tr '\n' ' '))" \
  sh -c 'echo "$1" | grep -qx "current 60" && echo "$1" | grep -qx 75' - "$rates"
trace=$(mktemp)
WINEDEBUG=+system wine "$scr" /s >/dev/null 2>"$trace" &
saver_pid=$!
wait_window "$title" "$saver_pid" >/dev/null && shot_with_cube_on_primary win32_mode_traced >/dev/null
xdotool key a
expect "traced /s: a key ends it with exit code 0" ended_with_zero "$saver_pid"
expect "traced /s: the trace holds the display calls" grep -q "trace:system:" "$trace"
expect "traced /s: no display-mode change with the full-screen flag" \
  sh -c '! grep "NtUserChangeDisplaySettings flags=" "$1" | grep -q FULLSCREEN' - "$trace"
rm -f "$trace"

use_xinerama_monitors
monitors=$(wine "${WINDOW_PROBE:?}" monitors 2>/dev/null | tr -d '\r')
expect "Wine reports the two monitors ($(echo "$monitors" | tr '\n' ';'))" \
  [ "$monitors" = "$(printf '0 0 800 600 primary\n800 0 800 600')" ]
xsetroot -solid "#$marker"

# Every monitor covered: the cube on the primary, the background on the other.
covers_both_monitors() { # covers_both_monitors <case> <switches...>
  name=$1; shift
  start_saver "$@"
  wait_window "$title" "$saver_pid" >/dev/null || { fail "$name: no window titled \"$title\""; return 1; }
  whole=$(shot_with_cube_on_primary "$name")
  expect "$name: the primary monitor shows the cube on the background (${whole%.png}_primary.png)" \
    python3 "$here/screen_check.py" cube "${whole%.png}_primary.png"
  expect "$name: the second monitor shows the background only (${whole%.png}_second.png)" \
    python3 "$here/screen_check.py" ground "${whole%.png}_second.png"
  expect "$name: the desktop shows nowhere ($whole)" python3 "$here/screen_check.py" absent "$whole" "$marker"
}

covers_both_monitors win32_two_monitors_saver /s
xdotool mousemove 100 100 mousemove 1200 300 mousemove 1590 590 mousemove 400 300 mousemove 900 50
after_motion=$(shot win32_two_monitors_after_motion)
shot_with_motion win32_two_monitors_after_motion_2 "$after_motion" >/dev/null
expect "/s: pointer motion across both monitors does not end it" alive "$saver_pid"
xdotool key a
expect "/s: a key ends it with exit code 0" ended_with_zero "$saver_pid"

covers_both_monitors win32_two_monitors_default
xdotool mousemove 1200 300 sleep 0.5 click 1
expect "no switch: a click on the second monitor ends it with exit code 0" ended_with_zero "$saver_pid"
uncovered=$(shot win32_two_monitors_after)
expect "the desktop shows again afterwards ($uncovered)" \
  sh -c '! python3 "$1" absent "$2" "$3" >/dev/null' - "$here/screen_check.py" "$uncovered" "$marker"

finish
