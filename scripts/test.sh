#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test:
#  1. the full build (desktop program included) with g++, all tests (the slow slices and the real-browser
#     test of the seat-enquiry pages too), GUI tests on the offscreen platform;
#  2. the core and the command-line tool with clang, AddressSanitizer and UndefinedBehaviorSanitizer,
#     the GUI switched off (Qt is not even looked for), and the fuzz targets replaying their corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

jobs=$(nproc)

# Every C++ file keeps the project's format, and includes never run upward through the layers.
git ls-files -- '*.cpp' '*.hpp' | xargs clang-format-14 --dry-run -Werror
scripts/check_layers.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_GUI=ON -DQUORVEL_BENCH=ON
cmake --build build/release -j"$jobs"
# The optimised build also runs the slow slices (the large differential test takes seconds here).
(cd build/release && ctest --output-on-failure -j"$jobs")
# The Debian package of that build: checked, installed, run as an ordinary user, removed.
scripts/package_test.sh build/release

# -O1 as the sanitizers advise: the fuzz targets run several times faster than unoptimised.
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_COMPILER=clang++ \
      -DQUORVEL_GUI=OFF -DQUORVEL_SANITIZE=ON -DQUORVEL_FUZZ=ON
cmake --build build/asan -j"$jobs"
(cd build/asan && ctest --output-on-failure -j"$jobs" -LE slow)
