#!/bin/sh
# Runs a command on a private Xvfb server of the given screen size:
#   with_xvfb.sh WIDTHxHEIGHT command [args...]
# The server picks a free display number itself (tests run side by side and
# must never share one) and ends with the command.
set -u
size=$1; shift
ready=$(mktemp)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${size}x24" 3>"$ready" >/dev/null 2>&1 &
server=$!
i=0
while [ ! -s "$ready" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
n=$(cat "$ready")
rm -f "$ready"
if [ -z "$n" ]; then
  echo "with_xvfb.sh: Xvfb did not start" >&2
  kill "$server" 2>/dev/null
  exit 1
fi
DISPLAY=":$n" "$@"
status=$?
# Xvfb has been seen to take a terminate request and sleep on; after five
# seconds it is killed outright rather than waited for for ever.
kill "$server" 2>/dev/null
i=0
while kill -0 "$server" 2>/dev/null && [ $i -lt 100 ]; do sleep 0.05; i=$((i + 1)); done
kill -9 "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
