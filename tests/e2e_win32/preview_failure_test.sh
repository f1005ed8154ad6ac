#!/bin/sh
# /p with a handle that names no window: the "Failed to open window" box with the
# caption "Debug", and closing it ends the run with exit code 0.
. "$(dirname "$0")/wine_harness.sh"
texts=${WINDOW_TEXTS:?WINDOW_TEXTS names window_texts.exe}
start_session 640x480

fails_to_open() { # <what> <switches...>
  what=$1; shift
  start_saver "$@"
  box=$(wait_window Debug "$saver_pid") || { fail "$what: no box titled \"Debug\""; return 1; }
  shot "win32_$(echo "$what" | tr -c 'a-z0-9\n' _)" >/dev/null
  expect "$what: the box says \"Failed to open window\"" \
    sh -c 'wine "$1" Debug 2>/dev/null | tr -d "\r" | grep -qx "Failed to open window"' - "$texts"
  expect "$what: the saver shows no window of its own" [ -z "$(windows_titled "$title")" ]
  xdotool windowfocus --sync "$box" key Return
  expect "$what: closing the box ends the run with exit code 0" ended_with_zero "$saver_pid"
}

fails_to_open "/p 1234567" /p 1234567
fails_to_open "/p alone" /p

finish
