#!/usr/bin/env bash
# Builds the libFuzzer targets of the parsers (clang, "fuzz" preset) and runs
# each for a fixed number of inputs. Usage: scripts/fuzz.sh [--runs N]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

runs=20000
while [ $# -gt 0 ]; do
    case "$1" in
        --runs)
            [ $# -ge 2 ] || { echo "fuzz.sh: --runs needs a number" >&2; exit 2; }
            runs="$2"
            shift 2
            ;;
        *) echo "usage: $0 [--runs N]" >&2; exit 2 ;;
    esac
done
[[ "$runs" =~ ^[0-9]+$ ]] || { echo "fuzz.sh: --runs needs a number, not \"$runs\"" >&2; exit 2; }

echo "== fuzz build: parsers under libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out="$root/build/fuzz"
mkdir -p "$out/artifacts" "$out/logs"
failed=0
for target in download_name_fuzz incomplete_list_fuzz dummy_header_fuzz folder_file_fuzz settings_number_fuzz; do
    log="$out/logs/$target.log"
    start=$SECONDS
    # Any crash input lands in build/fuzz/artifacts; the log keeps the report.
    if "$out/$target" -runs="$runs" -max_len=4096 -artifact_prefix="$out/artifacts/$target-" >"$log" 2>&1; then
        echo "$target: passed, $runs runs in $((SECONDS - start)) s"
    else
        echo "$target: FAILED after $((SECONDS - start)) s, see $log"
        tail -n 20 "$log" | sed 's/^/    /'
        failed=1
    fi
done
exit "$failed"
