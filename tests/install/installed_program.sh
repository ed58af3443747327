#!/usr/bin/env bash
# Installs a build into a fresh prefix and starts the installed program the
# way the desktop's menu does (the desktop entry's command), on the headless
# backend, from a program folder it cannot write: it must run through the
# splash to the town and end by itself with status 0.
#
#   tests/install/installed_program.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/velamo lib/velamo/Velamo lib/velamo/libvelamo_platform.so lib/velamo/Tisk.so \
         lib/velamo/system/avifil32.so lib/velamo/system/msvfw32.so \
         lib/velamo/mesto.bmp lib/velamo/profese.dat lib/velamo/hl_obr/splash.bmp \
         share/applications/velamo.desktop share/icons/hicolor/scalable/apps/velamo.svg; do
  [ -e "$prefix/$f" ] || fail "the prefix has no $f"
done
# The installed program finds its libraries beside itself, not in the build.
for f in lib/velamo/Velamo lib/velamo/Tisk.so; do
  runpath=$(readelf -d "$prefix/$f" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
  [ "$runpath" = '$ORIGIN' ] || fail "$f has the library path '$runpath'"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/velamo.desktop" || fail "the desktop entry is not valid"
fi
command=$(sed -n 's/^Exec=//p' "$prefix/share/applications/velamo.desktop")
[ "$command" = "$prefix/bin/velamo" ] || fail "the desktop entry starts '$command'"

# A program folder the program cannot write: read-only for everybody, and
# as root (who writes anyway) the program runs as nobody.
chmod -R a-w "$prefix"
home=$work/home
mkdir -p "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
log=$home/notices.log
status=0
timeout 120 "${as_user[@]}" env -u DISPLAY -u WAYLAND_DISPLAY VELAMO_BACKEND=headless VELAMO_NOTICE_LOG="$log" \
  HOME="$home" XDG_RUNTIME_DIR="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
  "$command" >"$home/out.txt" 2>&1 || status=$?
cat "$home/out.txt"
[ "$status" -eq 0 ] || fail "the installed program ended with status $status"
[ -f "$log" ] || fail "the installed program wrote no notices"
cat "$log"
# Virtual milliseconds: the display switched at the start; the splash hides
# itself after 11 s and the town waits for the child; the run then closes and
# the display comes back.
grep -q '^0 display switch ' "$log" || fail "the display never switched at the start"
idle=$(sed -n 's/^\([0-9]*\) headless: nothing more to happen, closing$/\1/p' "$log" | head -n 1)
[ -n "$idle" ] && [ "$idle" -ge 11000 ] || fail "the program never waited in the town"
grep -q ' display restore ' "$log" || fail "the display was not restored at the end"
if grep -q 'message box' "$log"; then fail "a message box showed"; fi
[ -z "$(find "$prefix" -newer "$log" -print -quit)" ] || fail "the program wrote into its folder"
echo "the installed program ran to the town and out"
