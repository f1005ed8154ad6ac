#!/bin/sh
# The real program's steady-state frames allocate nothing in its own code:
#   program_allocations.sh <shim.so> <program> <seconds to skip> <seconds to count>
# Runs the program (full screen, as shipped) with the counting shim preloaded,
# ends it with SIGTERM and checks the shim's report and the frame log.
set -u
shim=$1 program=$2 skip=$3 count=$4
dir=$(mktemp -d)
ALLOCATION_SHIM_FROM=$skip ALLOCATION_SHIM_REPORT=$dir/report CUBESAVER_FRAME_LOG=$dir/frames \
  LD_PRELOAD=$shim "$program" /s >/dev/null 2>&1 &
pid=$!
sleep "$(awk -v a="$skip" -v b="$count" 'BEGIN { print a + b }')"
kill -TERM $pid
wait $pid
status=$?
cat "$dir/report"
# Frames presented inside the counted stretch (the log's clock is the monotonic one).
start=$(awk 'NR == 1 { print $3 }' "$dir/frames")
frames=$(awk -v t="$start" -v s="$skip" '$3 > t + s { n++ } END { print n + 0 }' "$dir/frames")
echo "frames $frames"
own=$(awk '$1 == "own" { print $2 }' "$dir/report")
rm -rf "$dir"
[ "$status" -eq 0 ] && [ "$frames" -gt 0 ] && [ "$own" = 0 ]
