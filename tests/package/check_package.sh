#!/bin/sh
# Builds the Debian package from a finished build and checks what it holds:
#   check_package.sh BUILD_DIR VERSION
# its control fields (dependencies computed from the binary, never empty), the
# exact list of files under /usr, the desktop entry's path and the manual page,
# which must render without a single warning.
set -u
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack could not build the package"
  exit 1
fi
arch=$(dpkg --print-architecture)
deb="$work/cubesaver_${version}_${arch}.deb"
[ -f "$deb" ] || { ls "$work"; fail "no $(basename "$deb")"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = cubesaver ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
echo "Depends: $depends"
# dpkg-shlibdeps writes the versions the binary's symbols need; a list written
# by hand, or one computed from nothing, would lack them.
for library in libc6 libglfw3 libgl1 libx11-6 libxft2 libstdc++6; do
  echo "$depends" | grep -q "\(^\|, \)$library\( (\|,\|$\)" || fail "Depends lacks $library"
done
echo "$depends" | grep -q 'libc6 (>= 2\.[0-9]*)' || fail "Depends carries no computed libc6 version"

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
sort >"$work/expected" <<'LIST'
./usr/libexec/xscreensaver/cubesaver
./usr/share/applications/screensavers/cubesaver.desktop
./usr/share/doc/cubesaver/changelog.gz
./usr/share/doc/cubesaver/copyright
./usr/share/man/man6/cubesaver.6.gz
./usr/share/xscreensaver/config/cubesaver.xml
LIST
if ! diff -u "$work/expected" "$work/files"; then fail "the package's files differ from the list above"; fi
dpkg-deb -c "$deb" | grep -q '^-rwxr-xr-x root/root .* \./usr/libexec/xscreensaver/cubesaver$' ||
  fail "the hack is not an executable owned by root"
dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '^\./usr/' | grep -v '^\./$' | grep . &&
  fail "files outside /usr"

mkdir "$work/tree"
dpkg-deb -x "$deb" "$work/tree"
grep -qx 'Exec=/usr/libexec/xscreensaver/cubesaver --root' \
  "$work/tree/usr/share/applications/screensavers/cubesaver.desktop" || fail "desktop entry names another path"
file_type=$(od -An -c -N4 "$work/tree/usr/libexec/xscreensaver/cubesaver" | tr -d ' ')
[ "$file_type" = '177ELF' ] || fail "the hack is not an ELF program"

# The manual page: every section a hack's page has, and no warning from groff.
page="$work/tree/usr/share/man/man6/cubesaver.6.gz"
for section in NAME SYNOPSIS DESCRIPTION ENVIRONMENT 'EXIT STATUS' 'SEE ALSO'; do
  zcat "$page" | grep -q "^\.SH \"\?$section\"\?\$" || fail "manual page lacks $section"
done
warnings=$(zcat "$page" | LC_ALL=C.UTF-8 groff -ww -b -man -Tutf8 -z 2>&1)
[ -z "$warnings" ] || { echo "$warnings"; fail "groff warns about the manual page"; }
if command -v man >/dev/null 2>&1; then
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "$warnings"; fail "man warns about the manual page"; }
fi

if [ "$failures" -eq 0 ]; then echo "package: all checks passed"; exit 0; fi
echo "package: $failures check(s) failed"
exit 1
