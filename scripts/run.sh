#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on the sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_TESTS=OFF
cmake --build build/run -j"$(nproc)"
if [ -x build/run/bin/quorvel ]; then
    exec build/run/bin/quorvel "$@"
fi
# Until the desktop program exists, show a search on the sample data.
exec build/run/bin/quorvel-cli search --from 東京／羽田 --to 福岡 --date "$(date +%Y/%m/%d)" "$@"
