#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running or testing needs.
# Usage: scripts/deps.sh run|test
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl-dev fonts-ipafont-gothic)
test_packages=("${run_packages[@]}" clang clang-format-14 libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
               xvfb xauth poppler-utils chromium
               desktop-file-utils appstream dpkg-dev file man-db xdotool)

# The browser test runs under Node.js; a machine that has none gets Debian's.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    test_packages+=(nodejs npm)
fi

case "${1:-test}" in
    run) wanted=("${run_packages[@]}") ;;
    test) wanted=("${test_packages[@]}") ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
