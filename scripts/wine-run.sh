#!/usr/bin/env bash
# Runs a Windows program under Wine in one of the build's private prefixes.
# Usage: wine-run.sh ROOT MODE PROGRAM [ARGS...]   (MODE: null or x11)
set -euo pipefail
root="$1"; mode="$2"; shift 2
. "$(dirname "$0")/wine-env.sh"
WINEPREFIX="$(orvane_prefix "$root" "$mode")"
export WINEPREFIX
# Wine starts helper processes of its own on demand (the desktop, the COM
# service) from whichever program first needs them; they inherit its output
# and live on. Through a file, they never keep a caller that reads the
# program's output to its end waiting after the program has ended.
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
rc=0
wine "$@" >"$out" 2>&1 </dev/null || rc=$?
cat "$out"
exit "$rc"
