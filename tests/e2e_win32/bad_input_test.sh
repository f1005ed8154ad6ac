#!/bin/sh
# Bad command lines on Windows each get their defined reaction, never a crash,
# and exit code 0 every time: numbers that name no window show the failure box,
# the desktop's handle gives a run in a window of our own over the desktop, the
# last switch of many wins, and the longest command line Windows passes on
# (32767 characters; a longer one never reaches a program) is read like a short one.
. "$(dirname "$0")/wine_harness.sh"
probe=${WINDOW_PROBE:?WINDOW_PROBE names window_probe.exe}
start_session 640x480

expect_failure_box "/p with 20 digits" /p 12345678901234567890
expect_failure_box "/p with a negative number" /p -5
expect_failure_box "/p with garbage" /p garbage

desktop=$(wine "$probe" desktop 2>/dev/null | tr -d '\r')
start_saver /p "$desktop"
desktop_run=$(shot_with_cube win32_preview_on_the_desktop)
expect "/p with the desktop's handle ($desktop): a run that shows the cube over the desktop" \
  python3 "$here/screen_check.py" cube "$desktop_run"
xdotool mousemove 320 240 click 1
expect "/p with the desktop's handle: a click ends it with exit code 0" ended_with_zero "$saver_pid"

expect_key_ends "many switches ending in /s" /c /p 5 /x /S -s /s
long=$(python3 -c "print(' '.join(['x' * 99] * 327) + ' /s')")
expect_key_ends "a command line of $(printf %s "$long" | wc -c) characters ending in /s" $long

finish
