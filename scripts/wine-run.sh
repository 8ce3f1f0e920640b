#!/usr/bin/env bash
# Runs a Windows program under Wine in one of the build's private prefixes.
# Usage: wine-run.sh ROOT MODE PROGRAM [ARGS...]   (MODE: null or x11)
set -euo pipefail
root="$1"; mode="$2"; shift 2
. "$(dirname "$0")/wine-env.sh"
WINEPREFIX="$(orvane_prefix "$root" "$mode")"
export WINEPREFIX
exec wine "$@"
