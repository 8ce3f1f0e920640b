#!/usr/bin/env bash
# Installs what building, testing and running Orvane needs on Debian 12,
# only what is missing, without questions.
set -euo pipefail

packages=(
    cmake ninja-build g++ make            # native build
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64  # the Windows build
    googletest                            # test framework sources
    clang libclang-rt-14-dev              # fuzzing
    wine wine64                           # running Orvane.exe and its tests
    xvfb xdotool imagemagick x11-utils    # a display for end-to-end tests and screenshots
    fonts-vlgothic                        # Japanese captions
    locales python3 procps                # ja_JP.UTF-8, the demo generator, pgrep
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page (932) from this locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "setup: generating the ja_JP.UTF-8 locale"
    as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
