#!/bin/sh
# On a fresh Debian 12 (as root): installs the package with apt, which must pull
# every runtime dependency itself, runs the installed hack as XScreenSaver does
# (-root) on a virtual X server, checks the screenshot, ends the hack with
# SIGTERM (exit code 0), removes the package and checks that nothing is left.
#   check_installed.sh PACKAGE.deb SCREENSHOT.png
# with tests/support/with_xvfb.sh in the same folder.
set -u
deb=$(realpath "$1")
screenshot=$2
hack=/usr/libexec/xscreensaver/cubesaver
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=600 "$@"; }

apt_get update >/dev/null || { echo "apt-get update failed"; exit 1; }
# Without recommends: what the package depends on must be enough to run.
apt_get install --no-install-recommends "$deb" >/tmp/install.log 2>&1 ||
  { tail -20 /tmp/install.log; echo "FAIL: apt could not install the package"; exit 1; }
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' >/tmp/package-files
while read -r f; do [ -e "$f" ] || fail "not installed: $f"; done </tmp/package-files
missing=$(ldd "$hack" | grep 'not found')
[ -z "$missing" ] || fail "libraries not installed: $missing"
# The GL driver is loaded at run time, so no library names it; a dependency must.
dpkg-query -W -f='${Status}\n' libgl1-mesa-dri 2>/dev/null | grep -q 'install ok installed' ||
  fail "no GL driver came with the package"

# The tools of this check only; they come after the package has been judged.
apt_get install --no-install-recommends xvfb imagemagick >/tmp/tools.log 2>&1 ||
  { tail -20 /tmp/tools.log; echo "FAIL: could not install the check's tools"; exit 1; }
export hack screenshot
sh "$(dirname "$0")/with_xvfb.sh" 640x480 sh -c '
  env -u XSCREENSAVER_WINDOW "$hack" -root >/tmp/hack.log 2>&1 &
  saver=$!
  sleep 6
  import -window root "$screenshot"
  kill -TERM "$saver"
  wait "$saver"'
status=$?
[ "$status" -eq 0 ] || fail "the hack ended with exit code $status after SIGTERM"

# The cube on its ground: the top-left corner shows the background, which has
# no red and no blue, while lit cubies, which have some of each, cover part of
# the screen.
cube() { convert "$screenshot" "$@" -fx 'r >= 20/255 && b >= 20/255' -format '%[fx:mean]' info:; }
corners=$(cube -crop 2x2+0+0 +repage)
share=$(cube)
echo "share of the screen the cube covers: $share"
awk "BEGIN { exit !($corners == 0) }" || fail "the top-left corner is not background"
awk "BEGIN { exit !($share > 0.005 && $share < 0.9) }" || fail "no cube on the screen (cube share $share)"
# Seconds after the scramble, the faces in view show stickers of several
# colours: count the hue classes of saturated, lit pixels (red, orange, yellow,
# green, blue; the ground is too dark to count).
classes=0
for hue in 'hue < 0.035 || hue > 0.945' 'hue > 0.04 && hue < 0.11' 'hue > 0.125 && hue < 0.195' \
           'hue > 0.28 && hue < 0.47' 'hue > 0.58 && hue < 0.72'; do
  pixels=$(convert "$screenshot" -fx "saturation > 0.4 && lightness > 0.2 && ($hue)" \
             -format '%[fx:round(mean * w * h)]' info:)
  [ "$pixels" -ge 20 ] && classes=$((classes + 1))
done
echo "sticker colours in view: $classes of 5"
[ "$classes" -ge 3 ] || fail "the cube shows fewer than three sticker colours"

apt_get remove cubesaver >/tmp/remove.log 2>&1 || { tail -20 /tmp/remove.log; fail "apt could not remove it"; }
state=$(dpkg-query -W -f='${db:Status-Status}' cubesaver 2>/dev/null)
[ "$state" = not-installed ] || [ -z "$state" ] || fail "after removal the package is '$state'"
while read -r f; do [ ! -e "$f" ] || fail "left behind: $f"; done </tmp/package-files

if [ "$failures" -eq 0 ]; then echo "installed package: all checks passed"; exit 0; fi
echo "installed package: $failures check(s) failed"
exit 1
