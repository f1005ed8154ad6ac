#!/bin/sh
# The Windows simtrace replays the Linux build's traces exactly: the same moves
# and the same floats in every line. The traces in traces/ come from the Linux
# build; regenerate them there after a change to the simulation with
#   build/tools/simtrace/simtrace <arguments from the file name> > tests/e2e_win32/traces/<name>.txt
# e.g. t0_3.7_fps_144_300s_1920x1080 is --t0 3.7 --fps 144 --seconds 300 --width 1920 --height 1080.
set -u
simtrace=${SIMTRACE:?SIMTRACE names simtrace.exe}
traces=$(dirname "$0")/traces
failures=0
compare() { # compare <trace file> <simtrace arguments...>
  expected=$traces/$1; shift
  actual=$(mktemp)
  wine "$simtrace" "$@" 2>/dev/null | tr -d '\r' >"$actual"
  if cmp -s "$expected" "$actual"; then
    echo "ok: simtrace $* gives the Linux trace ($(wc -l <"$expected") lines)"
  else
    echo "FAILED: simtrace $* differs from $expected:"
    diff "$expected" "$actual" | head -n 10
    failures=$((failures + 1))
  fi
  rm -f "$actual"
}
compare t0_0.01234_fps_60_600s.txt --t0 0.01234 --fps 60 --seconds 600
compare t0_3.7_fps_144_300s_1920x1080.txt --t0 3.7 --fps 144 --seconds 300 --width 1920 --height 1080
[ "$failures" -eq 0 ]
