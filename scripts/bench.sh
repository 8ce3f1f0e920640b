#!/usr/bin/env bash
# Builds and runs the listing benchmark on a generated folder of N files
# (default 100000) under Wine, what one update of the list following that
# folder costs, and how long the window takes to answer while it lists the
# folder. Usage: scripts/bench.sh [N] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
count="${1:-100000}"
runs="${2:-5}"
"$root/scripts/setup.sh"
cmake --preset windows >/dev/null
cmake --build --preset windows --target orvane_bench orvane_update_bench orvane_answer_bench
folder="$root/build/bench-$count"
echo "making $folder (once)"
python3 "$root/scripts/make_bench_folder.py" "$count" "$folder"
"$root/scripts/wine-run.sh" "$root/build/windows/wine" null "$root/build/windows/orvane_bench.exe" "Z:${folder//\//\\}" "$runs"
"$root/scripts/wine-run.sh" "$root/build/windows/wine" null "$root/build/windows/orvane_update_bench.exe" "Z:${folder//\//\\}" "$runs"
"$root/scripts/wine-run.sh" "$root/build/windows/wine" null "$root/build/windows/orvane_answer_bench.exe" "Z:${folder//\//\\}" "$runs"
