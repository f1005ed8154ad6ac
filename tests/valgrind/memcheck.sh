#!/bin/sh
# A short full-screen session of the real program under valgrind's memcheck, on
# a private Xvfb server, ended by SIGTERM so that the orderly shutdown runs.
#   memcheck.sh PROGRAM [SECONDS] [LOG]
# Fails on any invalid read or write, use of uninitialised memory, bad free, or
# a definite leak that the suppression file (the GL driver's and the windowing
# libraries' own allocations) does not cover, and on an exit code other than 0.
set -u
program=$1
seconds=${2:-20}
log=${3:-memcheck.log}
here=$(cd "$(dirname "$0")" && pwd)

# On a private server of its own: run again under one.
if [ -z "${MEMCHECK_ON_PRIVATE_SERVER:-}" ]; then
  MEMCHECK_ON_PRIVATE_SERVER=1 exec "$here/../support/with_xvfb.sh" 320x240 sh "$0" "$@"
fi

# The driver's JIT rewrites code in place; memcheck must notice.
LP_NUM_THREADS=1 valgrind --tool=memcheck --error-exitcode=99 \
  --smc-check=all-non-file --leak-check=full --show-leak-kinds=definite \
  --errors-for-leak-kinds=definite --num-callers=40 --gen-suppressions=all \
  --suppressions="$here/cubesaver.supp" --log-file="$log" "$program" /s >/dev/null &
saver=$!
sleep "$seconds"
kill -TERM "$saver" 2>/dev/null
wait "$saver"
status=$?

grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost" "$log"
if [ "$status" -ne 0 ]; then
  echo "memcheck: the program ended with $status (99: memcheck found errors); see $log"
  # CI keeps only what is printed: show the first report whole.
  awk '/== (Invalid|Conditional|Use of uninit|Syscall param|Mismatched|[0-9,]+ bytes in)/ { on = 1 }
       on && n++ < 60' "$log"
  exit 1
fi
echo "memcheck: clean"
