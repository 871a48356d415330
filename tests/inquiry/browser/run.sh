#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the seat enquiry pages in Debian's Chromium: installs the pinned playwright-core into WORK_DIR
# (npm ci, only when the lock file changed; never a browser download) and runs the test there.
# Usage: run.sh WORK_DIR BIN_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$1
bin=$2

for tool in node npm /usr/bin/chromium; do
    command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing (scripts/deps.sh test installs chromium)" >&2; exit 1; }
done

mkdir -p "$work"
if ! cmp -s "$here/package-lock.json" "$work/installed-lock.json" || [ ! -d "$work/node_modules/playwright-core" ]; then
    cp "$here/package.json" "$here/package-lock.json" "$work/"
    (cd "$work" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
    cp "$here/package-lock.json" "$work/installed-lock.json"
fi

export NODE_PATH="$work/node_modules"
exec node "$here/inquiry_browser_test.js" "$bin" "$work"
