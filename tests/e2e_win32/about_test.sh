#!/bin/sh
# The About window of /c (and /c:1234, the form Windows uses) in plain Win32: its
# place and size, its colours, logo and texts read from a screenshot; the button
# opens the maker's site (caught by a recording xdg-open on the Linux side, where
# Wine's browser hand-off ends), the notice opens nothing, and closing the window
# ends the run with exit code 0.
. "$(dirname "$0")/wine_harness.sh"
probe=${WINDOW_PROBE:?WINDOW_PROBE names window_probe.exe}
start_session 1366x768

bin=$(mktemp -d)
opened=$bin/opened
cat >"$bin/xdg-open" <<RECORD
#!/bin/sh
echo "\$@" >>"$opened"
RECORD
chmod +x "$bin/xdg-open"
: >"$opened"

shows_about() { # <case name> <switches...>
  name=$1; shift
  PATH="$bin:$PATH" start_saver "$@"
  window=$(wait_window About "$saver_pid") || { fail "$name: no window titled \"About\""; return 1; }
  # On a 1366 x 768 screen the centred 400 x 300 window starts at (483, 234).
  expect "$name: the window is 400 x 300 at the centred place" \
    [ "$(wine "$probe" rect About 2>/dev/null | tr -d '\r')" = "483 234 400 300" ]
  client=$(wine "$probe" client About 2>/dev/null | tr -d '\r')
  logo=$here/../../resources/about_logo.bmp
  # Painting may still be on its way to the server: look again a few times.
  i=0
  while [ $i -lt 20 ]; do
    picture=$(shot "win32_about_$name")
    python3 "$here/screen_check.py" about "$picture" $client "$logo" >/dev/null && break
    sleep 0.5; i=$((i + 1))
  done
  expect "$name: light-green ground, the logo at (142, 55), the blue notice and the dark heading" \
    python3 "$here/screen_check.py" about "$picture" $client "$logo"
}

click_client() { # <x> <y> in the About window's client area
  set -- $(echo "$client" | awk -v x="$1" -v y="$2" '{print $1 + x, $2 + y}')
  xdotool mousemove "$1" "$2" click 1
}

shows_about slash_c /c
# The notice first: had it opened anything, that would come before the button's.
click_client 40 160
click_client 200 226
i=0
while [ ! -s "$opened" ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
expect "a click on the button opens the site with ?utm_source=About" grep -qx "https://tamsel.example/?utm_source=About" "$opened"
expect "a click on the notice opens nothing (one link opened, the button's)" [ "$(wc -l <"$opened")" = 1 ]
expect "the window stays open after the button" alive "$saver_pid"
xdotool windowfocus --sync "$window" key alt+F4
expect "closing the window ends the run with exit code 0" ended_with_zero "$saver_pid"

shows_about slash_c_colon /c:1234
xdotool windowfocus --sync "$window" key alt+F4
expect "/c:1234: closing the window ends the run with exit code 0" ended_with_zero "$saver_pid"

rm -rf "$bin"
finish
