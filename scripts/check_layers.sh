#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that includes never run upward through the layers:
#   core (common config timetable search fares pickers inquiry hotel platform datatools): no Qt,
#        nothing of gui/, app/ or cli/;
#   gui/: nothing of app/ or cli/;   cli/: no Qt, nothing of gui/ or app/;   nothing includes app/
#        but app/ itself.
# tests/, bench/ and fuzz/ follow the rules of the folder they exercise (tests/gui like gui/,
# tests/app like app/). Prints every offending line and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

core='common|config|timetable|search|fares|pickers|inquiry|hotel|platform|datatools'
qt='#include <Q|#include <qt'
status=0

# check FILES_PATTERN FORBIDDEN_REGEX WHY
check() {
    local files=$1 forbidden=$2 why=$3 hits
    hits=$(git ls-files -- $files | grep -E '\.(cpp|hpp)$' | xargs -r grep -nE "$forbidden" || true)
    if [ -n "$hits" ]; then
        echo "layer check: $why" >&2
        echo "$hits" | sed 's/^/    /' >&2
        status=1
    fi
}

core_dirs=$(echo "$core" | tr '|' ' ')
for d in $core_dirs; do
    check "src/$d tests/$d bench/$d" "$qt|#include \"(gui|app|cli)/" "the core includes Qt, gui/, app/ or cli/"
done
check "fuzz" "$qt|#include \"(gui|app|cli)/" "a fuzz target includes Qt, gui/, app/ or cli/"
check "src/gui tests/gui" '#include "(app|cli)/' "gui/ includes app/ or cli/"
check "src/cli tests/cli" "$qt|#include \"(gui|app)/" "cli/ includes Qt, gui/ or app/"
exit $status
