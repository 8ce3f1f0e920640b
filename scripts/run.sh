#!/usr/bin/env bash
# Builds Orvane.exe and runs it on the demo download folder. The demo
# program folder (demo/) is made once; what a user changed there stays.
# Without a display, runs it under Xvfb, saves a screenshot and closes it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target Orvane

demo="$root/demo"
python3 "$root/scripts/make_demo.py" "$demo"
cp "$root/build/windows/Orvane.exe" "$root/build/windows/OrvaneHelp.html" "$demo/"

. "$root/scripts/wine-env.sh"
. "$root/scripts/xvfb.sh"
export WINEPREFIX="$(orvane_prefix "$root/build/windows/wine" x11)"
cd "$demo"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    wine "$demo/Orvane.exe"
    wineserver -w
    exit 0
fi

orvane_xvfb 1024x768
trap 'wineserver -k 2>/dev/null || true; orvane_xvfb_stop' EXIT
# A Wine desktop draws window frames, which a bare X server does not.
wine explorer /desktop=OrvaneDemo,1024x768 "$demo/Orvane.exe" &
for _ in $(seq 100); do
    xdotool search --name '^OrvaneDemo' >/dev/null 2>&1 && break
    sleep 0.2
done
sleep 6  # the first paint under Wine takes a few seconds
shot="$root/build/orvane-demo.png"
import -window root "$shot"
# Closes it as a user would (Alt+F4), so that it saves its window state.
desktop=$(xdotool search --name '^OrvaneDemo' | head -n 1)
xdotool windowfocus --sync "$desktop" key alt+F4 2>/dev/null || true
timeout 10 wineserver -w || wineserver -k
echo "No display: ran Orvane under Xvfb; screenshot saved to $shot"
