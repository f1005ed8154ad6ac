#!/bin/sh
# A full-screen run that another program takes the foreground from ends, with
# exit code 0, and leaves no process behind: minimised, it would run on unseen
# with no key reaching it. Wine's notepad is the other program.
. "$(dirname "$0")/wine_harness.sh"
start_session 640x480

ends_when_another_program_starts() { # <case> <switches...>
  name=$1; shift
  start_saver "$@"
  if wait_window "$title" "$saver_pid" >/dev/null && shot_with_cube "win32_focus_$name" >/dev/null; then
    pass "$name: runs full screen"
  else
    fail "$name: runs full screen"
  fi
  wine notepad >/dev/null 2>&1 &
  notepad_pid=$!
  expect "$name: notepad taking the foreground ends the saver with exit code 0" ended_with_zero "$saver_pid"
  expect "$name: no process of the saver is left" [ -z "$(saver_processes)" ]
  wait_window "Untitled - Notepad" "$notepad_pid" >/dev/null && shot "win32_focus_${name}_after" >/dev/null
  kill "$notepad_pid" 2>/dev/null; wait "$notepad_pid" 2>/dev/null
}

ends_when_another_program_starts saver /s
ends_when_another_program_starts default

finish
