#!/bin/sh
# The single-instance guard between Windows processes (one prefix, so one
# wineserver): a second guarded run ends at once with exit code 0 while the
# first lives, /s ignores the guard, and once the first is killed a new guarded
# run starts.
. "$(dirname "$0")/wine_harness.sh"
start_session 320x240

start_saver
first=$saver_pid
wait_window "$title" "$first" >/dev/null || fail "the first guarded run shows no window"

wine "$scr" >/dev/null 2>&1
second_status=$?
expect "a second run without a switch ends with exit code 0" [ "$second_status" = 0 ]
expect "... while the first still runs" alive "$first"
expect "... and shows no window of its own" [ "$(windows_titled "$title" | wc -l)" = 1 ]

start_saver /s
saver=$saver_pid
i=0
while [ "$(windows_titled "$title" | wc -l)" -lt 2 ] && alive "$saver" && [ $i -lt 1200 ]; do sleep 0.1; i=$((i + 1)); done
expect "/s ignores the guard: it runs beside the first" alive "$saver"
expect "... with a window of its own" [ "$(windows_titled "$title" | wc -l)" = 2 ]
kill "$saver"; wait_exit "$saver"

kill -9 "$first"; wait_exit "$first"
start_saver
third=$saver_pid
window=$(wait_window "$title" "$third")
expect "after the first is killed, a new guarded run starts" [ -n "$window" ]
expect "... and keeps running" alive "$third"
shot_with_cube win32_guard_new_run >/dev/null
xdotool key a
expect "... until a key ends it with exit code 0" ended_with_zero "$third"

finish
