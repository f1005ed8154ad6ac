#!/bin/sh
# The screensaver full screen under Wine: /s and no switch fill the screen with
# the background and the turning cube; pointer motion does not end it; a key
# press and a mouse click each end it with exit code 0.
. "$(dirname "$0")/wine_harness.sh"
start_session 640x480

# Shows the window at the screen's size, the cube on the background and motion.
shows_the_cube_full_screen() { # <name of the case's screenshots> <switches...>
  name=$1; shift
  start_saver "$@"
  window=$(wait_window "$title" "$saver_pid") || { fail "$name: no window titled \"$title\""; return 1; }
  expect "$name: the window covers the whole screen" [ "$(geometry "$window")" = "640x480+0+0" ]
  first=$(shot_with_cube "${name}_1")
  expect "$name: background in the corners and the sticker colours ($first)" \
    python3 "$here/screen_check.py" cube "$first"
  second=$(shot_with_motion "${name}_2" "$first")
  expect "$name: the picture moves between two screenshots ($second)" \
    python3 "$here/screen_check.py" moved "$first" "$second"
}

shows_the_cube_full_screen win32_saver /s
# The loop has run past the motion once the picture changes after it.
xdotool mousemove 100 100 mousemove 320 240 mousemove 500 400
after_motion=$(shot win32_after_motion)
shot_with_motion win32_after_motion_2 "$after_motion" >/dev/null
expect "/s: pointer motion does not end the saver" alive "$saver_pid"
xdotool key a
expect "/s: a key press ends the saver with exit code 0" ended_with_zero "$saver_pid"

shows_the_cube_full_screen win32_default
xdotool mousemove 200 200
xdotool click 1
expect "no switch: a mouse click ends the saver with exit code 0" ended_with_zero "$saver_pid"

finish
