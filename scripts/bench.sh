#!/usr/bin/env bash
# Builds and runs the benchmarks on a generated folder of N files (default
# 100000) under Wine: the listing against bare enumerations of the folder,
# what one update of the list following that folder costs, how long the
# window takes to answer while it lists the folder, and the first listing
# as a user meets it, timed from outside the real program (under Xvfb).
# With --real the folder holds names, sizes and dates taken from this
# machine's own files instead of made-up ones.
# Usage: scripts/bench.sh [N] [RUNS] [--real]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
real=""
args=()
for arg in "$@"; do
    if [ "$arg" = "--real" ]; then real="--real"; else args+=("$arg"); fi
done
count="${args[0]:-100000}"
runs="${args[1]:-5}"
"$root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target orvane_bench orvane_update_bench orvane_answer_bench orvane_startup_bench
folder="$root/build/bench-${real:+real-}$count"
echo "making $folder (once)"
python3 "$root/scripts/make_bench_folder.py" "$count" "$folder" $real
wine_folder="Z:${folder//\//\\}"
for bench in orvane_bench orvane_update_bench orvane_answer_bench; do
    "$root/scripts/wine-run.sh" "$root/build/windows/wine" null "$root/build/windows/$bench.exe" "$wine_folder" "$runs"
done
. "$root/scripts/xvfb.sh"
orvane_xvfb 1280x1024 >/dev/null
trap orvane_xvfb_stop EXIT
"$root/scripts/wine-run.sh" "$root/build/windows/wine" x11 "$root/build/windows/orvane_startup_bench.exe" "$wine_folder" 3
