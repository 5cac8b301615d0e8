#!/usr/bin/env bash
# The gallery in a real window: start it on a virtual X display, click and
# type into it with real X input, and check that the screen shows what the
# headless pictures show for the same states.
# Usage: xvfb_gallery_test.sh <nbui-gallery>
set -u
gallery=$1
skip() { echo "SKIP: $*"; exit 77; }
command -v Xvfb > /dev/null || skip "Xvfb is not installed"
command -v xdotool > /dev/null || skip "xdotool is not installed"
command -v import > /dev/null || skip "ImageMagick is not installed"

work=$(mktemp -d)
# Both runs keep their data and settings in the work folder, never the user's.
export XDG_DATA_HOME="$work/data" NBUI_SETTINGS_FILE="$work/settings.ini"
display=""
for d in $(seq 91 140); do
  if [ ! -e "/tmp/.X$d-lock" ] && [ ! -e "/tmp/.X11-unix/X$d" ]; then display=":$d"; break; fi
done
[ -n "$display" ] || skip "no free X display number"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb=$!
gallery_pid=""
running() {
  local state
  state=$(awk '{print $3}' "/proc/$1/stat" 2> /dev/null) && [ -n "$state" ] && [ "$state" != Z ]
}
# Asks a process to end and, should it still run after 5 s (a loaded
# machine, or a program busy in a loop of its own), ends it: the test must
# never wait on its helpers after it has passed or failed.
stop() {
  kill "$1" 2> /dev/null || return 0
  for _ in $(seq 50); do running "$1" || return 0; sleep 0.1; done
  kill -KILL "$1" 2> /dev/null
}
cleanup() {
  [ -n "$gallery_pid" ] && stop "$gallery_pid"
  stop "$xvfb"
  wait 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 100); do
  xdotool getdisplaygeometry > /dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry > /dev/null 2>&1 || skip "Xvfb could not start: $(cat "$work/xvfb.log")"

# The pictures the headless desktop draws for the same states.
"$gallery" --snapshot "$work/pictures" > /dev/null || { echo "FAIL: snapshots"; exit 1; }

"$gallery" --layout --measure --picture-date > "$work/layout.txt" 2>&1 &
gallery_pid=$!
for _ in $(seq 100); do
  grep -q '^control' "$work/layout.txt" 2> /dev/null && break
  sleep 0.1
done
grep -q '^control' "$work/layout.txt" || { echo "FAIL: the gallery did not open a window"; cat "$work/layout.txt"; exit 1; }
grep '^first frame' "$work/layout.txt"
read -r _ cx cy cw ch < <(grep '^client ' "$work/layout.txt")
read -r _ px py < <(grep '^client-in-picture ' "$work/layout.txt")
# The Basics page's tab, and its "Show week numbers" check box.
read -r _ basics tx ty _ < <(grep ' Basics$' "$work/layout.txt")
read -r _ _ _ bx by < <(grep "^control $basics 1003 " "$work/layout.txt")

# Compares the window's client area on the screen with a picture's.
same_as() {
  local name=$1
  sleep 0.7
  import -window root -crop "${cw}x${ch}+${cx}+${cy}" +repage "$work/screen-$name.png"
  convert "$work/pictures/$name.png" -crop "${cw}x${ch}+${px}+${py}" +repage "$work/expected-$name.png"
  local differing
  differing=$(compare -metric AE "$work/screen-$name.png" "$work/expected-$name.png" null: 2>&1)
  echo "$name: $differing pixels differ"
  if [ "${differing%%.*}" -gt 0 ] 2> /dev/null || ! [[ "$differing" =~ ^[0-9.e+]+$ ]]; then
    cp "$work/screen-$name.png" "$work/expected-$name.png" /tmp/ 2> /dev/null
    echo "FAIL: the screen differs from the picture $name (copies in /tmp)"
    exit 1
  fi
}

same_as calendar
# The window does nothing while nobody touches it: report its CPU use.
ticks() { awk '{print $14 + $15}' "/proc/$gallery_pid/stat"; }
before=$(ticks); sleep 2; after=$(ticks)
echo "idle CPU: $(( (after - before) * 100 / ($(getconf CLK_TCK) * 2) ))% over 2 s"
xdotool mousemove "$tx" "$ty" click 1
same_as basics-opened-by-tab
xdotool mousemove "$bx" "$by" click 1
same_as basics-week-numbers
xdotool key space
same_as basics-week-numbers-key
echo "PASS"
