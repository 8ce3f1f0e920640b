#!/usr/bin/env bash
# Builds and runs every test: the platform-free core natively under the
# sanitizers, then the Windows build's unit and end-to-end tests under Wine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
"$root/scripts/setup.sh"

echo "== layers: no include runs upward, no cycle"
python3 "$root/scripts/include_graph.py" "$root/src"

echo "== native build: platform-free core with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== fuzzing the parsers of outside data (short runs)"
"$root/scripts/fuzz.sh" --runs 20000

echo "== Windows build, tested under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows

. "$root/scripts/wine-env.sh"
. "$root/scripts/xvfb.sh"
wine_root="$root/build/windows/wine"
null_prefix="$(orvane_prefix "$wine_root" null)"
x11_prefix="$(orvane_prefix "$wine_root" x11)"

cleanup() {
    for p in "$null_prefix" "$x11_prefix"; do
        WINEPREFIX="$p" wineserver -k 2>/dev/null || true
        WINEPREFIX="$p" wineserver -w 2>/dev/null || true
    done
    orvane_xvfb_stop
}
trap cleanup EXIT

# The end-to-end tests need a display; a persistent wineserver per prefix
# makes every test process start quickly.
orvane_xvfb 1280x1024
for p in "$null_prefix" "$x11_prefix"; do
    WINEPREFIX="$p" wineserver -p </dev/null >/dev/null 2>&1 || true  # one may run already
    WINEPREFIX="$p" wine cmd /c exit </dev/null >/dev/null 2>&1 || true
done

# A private HOME: the recycle bin of Wine lives below it.
export HOME="$root/build/windows/home"
mkdir -p "$HOME"
ctest --preset windows
