#!/bin/sh
# /p with a handle that names no window: the "Failed to open window" box with the
# caption "Debug", and closing it ends the run with exit code 0.
. "$(dirname "$0")/wine_harness.sh"
start_session 640x480

expect_failure_box "/p 1234567" /p 1234567
expect_failure_box "/p alone" /p

finish
