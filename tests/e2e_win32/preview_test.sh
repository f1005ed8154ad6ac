#!/bin/sh
# The preview inside a host's window: a test host (a top-level window holding a
# preview window, as the settings dialog has it) starts the saver with /p and the
# preview's handle. The saver draws in a window of its own inside the preview at
# the preview's client size; destroying the preview, and in another run
# disabling it, ends the saver with exit code 0; a disabled preview survives,
# untouched. (Under Wine on Xvfb GL drawn into a child window does not reach
# the screen, so the preview's pixels cannot be read here.)
. "$(dirname "$0")/wine_harness.sh"
host=${PREVIEW_HOST:?PREVIEW_HOST names preview_host.exe}
start_session 640x480

report=$(mktemp)
run_host() { wine "$host" "$scr" "$1" 2>/dev/null | tr -d '\r' >"$report"; }
says() { grep -qx "$1" "$report"; }

run_host destroy
expect "destroy: a window of the saver's process fills the 152 x 112 preview" says "child 152x112"
expect "destroy: the saver ends with exit code 0 when the preview is destroyed" says "exit 0"
cat "$report"

run_host disable
expect "disable: a window of the saver's process fills the 152 x 112 preview" says "child 152x112"
expect "disable: the saver ends with exit code 0 when the preview is disabled" says "exit 0"
expect "disable: the preview window survives the saver" says "preview alive"
expect "disable: ... with its place, size, text and parent as before" says "preview unchanged"
cat "$report"
rm -f "$report"

finish
