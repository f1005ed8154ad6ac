#!/bin/sh
# Runs a command on a private Xvfb server of the given screen size:
#   with_xvfb.sh WIDTHxHEIGHT command [args...]
# The server gets the first free display number from 50 up and ends with the command.
set -u
size=$1; shift
n=50
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -noreset -nolisten tcp -screen 0 "${size}x24" >/dev/null 2>&1 &
server=$!
i=0
while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
DISPLAY=":$n" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
