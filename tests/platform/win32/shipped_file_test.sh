#!/bin/sh
# The shipped screensaver file: at most 2.5 MB, and no debug section in it.
set -u
file=$1
size=$(stat -c %s "$file")
sections=$(x86_64-w64-mingw32-objdump -h "$file" | awk '$2 ~ /^\.(debug|zdebug)/ {print $2}')
echo "$file: $size bytes; debug sections: ${sections:-none}"
status=0
[ "$size" -le 2621440 ] || { echo "FAILED: larger than 2.5 MB"; status=1; }
[ -z "$sections" ] || { echo "FAILED: debug sections"; status=1; }
exit $status
