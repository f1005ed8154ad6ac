#!/bin/sh
# Reruns every generator into a temporary folder and compares its output with
# the committed files: a generated file edited by hand, or a generator changed
# without regenerating, fails here. The About logo needs a GL context (run on
# Xvfb by the caller).
#   check_generated.sh <source dir> <render_logo program>
set -u
src=$1
render_logo=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0

same() {  # same <committed file> <generated file>
  if ! cmp -s "$1" "$2"; then
    echo "differs from its generator's output: ${1#"$src"/}"
    failed=1
  fi
}

mkdir -p "$out/resources" "$out/common"
python3 "$src/tools/gen_assets/gen_assets.py" "$out/resources" >/dev/null || failed=1
for f in "$out"/resources/*; do same "$src/resources/${f##*/}" "$f"; done

python3 "$src/tools/gen_gl_entry_points/gen_gl_entry_points.py" /usr/include/GL/glcorearb.h "$out/common" >/dev/null ||
  failed=1
for f in "$out"/common/*; do same "$src/common/${f##*/}" "$f"; done

python3 "$src/tools/gen_window_icon/gen_window_icon.py" >"$out/window_icon.cpp" || failed=1
same "$src/frame/window_icon.cpp" "$out/window_icon.cpp"
python3 "$src/tools/gen_window_icon/gen_window_icon.py" --ico "$out/cubesaver.ico" || failed=1
same "$src/resources/cubesaver.ico" "$out/cubesaver.ico"

"$render_logo" "$out/about_logo.bmp" >/dev/null || failed=1
same "$src/resources/about_logo.bmp" "$out/about_logo.bmp"

[ "$failed" -eq 0 ] && echo "every generated file equals its generator's output"
exit "$failed"
