#!/usr/bin/env bash
# The real program on a virtual X server at 1024x768, driven from outside
# with timed mouse input (bench/xvfb_town.py, over XTest): mouse move to
# presented frame, presents of unchanged frames, processor share while the
# mouse moves and idle, resident memory at the town, black frames after the
# splash, and the mouse mapping at the picture's edges. Screenshots go into
# the output folder. With --screens it measures every screen instead, each
# from its menu (bench/xvfb_screens.py): hover and carried moves, presents
# per move, processor share idle and moving, resident memory; --only NAME
# keeps the screens whose name contains NAME.
#
#   bench/xvfb_town.sh [--wm openbox|none] [--seconds N] [--splash-wait S] [--out DIR] [BUILD_DIR]
#   bench/xvfb_town.sh --screens [--only NAME] [--wm openbox|none] [--seconds N] [BUILD_DIR]
#
# --splash-wait 0 clicks the splash away as soon as the window shows, while
# the town is still being made.
#
# Needs Xvfb, python3 and libXtst (Debian: xvfb libxtst6); --wm openbox needs
# openbox; screenshots need xwd and ImageMagick (x11-apps imagemagick).
# SDL_RENDER_DRIVER=software or =opengl picks a renderer instead of the
# program's own choice.
set -euo pipefail
cd "$(dirname "$0")/.."

wm=none
seconds=10
seconds_given=
splash_wait=1.5
out=
build=build
screens=
only=
while [ $# -gt 0 ]; do
  case $1 in
    --wm) wm=$2; shift 2 ;;
    --seconds) seconds=$2; seconds_given=$2; shift 2 ;;
    --splash-wait) splash_wait=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --screens) screens=1; shift ;;
    --only) only=$2; shift 2 ;;
    -h|--help) sed -n '2,23p' "$0"; exit 0 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) build=$1; shift ;;
  esac
done
[ -x "$build/app/Velamo" ] || { echo "no program at $build/app/Velamo: build first" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is missing (apt-get install xvfb)" >&2; exit 1; }
[ "$wm" = none ] || command -v "$wm" >/dev/null || { echo "$wm is missing (apt-get install $wm)" >&2; exit 1; }

work=$(mktemp -d)
out=${out:-$work/shots}
mkdir -p "$out"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work/run"
}
trap cleanup EXIT

# A free display number.
n=50
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
export DISPLAY=:$n
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
if [ "$wm" != none ]; then
  "$wm" >"$work/wm.log" 2>&1 &
  pids+=($!)
  sleep 1
fi

mkdir -p "$work/run" "$work/data"
export XDG_RUNTIME_DIR=$work/run
export XDG_DATA_HOME=$work/data

if [ -n "$screens" ]; then
  python3 bench/xvfb_screens.py --display "$DISPLAY" --program "$build/app/Velamo" --work "$work" \
    --seconds "${seconds_given:-3}" ${only:+--only "$only"}
  echo "window manager: $wm"
  exit 0
fi
export VELAMO_PRESENT_LOG=$work/presents.log
"$build/app/Velamo" >"$work/program.log" 2>&1 &
program=$!
pids=("$program" "${pids[@]}")

shot="true"
if command -v xwd >/dev/null && command -v convert >/dev/null && convert -version 2>/dev/null | grep -q ImageMagick; then
  shot="sh -c 'xwd -root -silent | convert xwd:- \"$out/\$0.png\"'"
fi

python3 bench/xvfb_town.py --display "$DISPLAY" --pid "$program" --log "$VELAMO_PRESENT_LOG" \
  --seconds "$seconds" --splash-wait "$splash_wait" --shot "$shot"
echo "window manager: $wm; screenshots: $out"
