#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the release build, checks it, installs it, runs the installed
# programs as an ordinary user and removes the package again, whatever happens.
# Usage: scripts/package_test.sh [BUILD_DIR]   (default build/release, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/release}")
work=$(mktemp -d)
display=:97
xvfb_pid=""
installed=""

cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    if [ -n "$installed" ]; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quorvel >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "package test: $*" >&2; exit 1; }

# --- build and inspect ----------------------------------------------------------------------------
(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/quorvel_*.deb)
echo "package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --info "$deb" | sed -n 's/^ Depends: /depends: /p'
contents=$(dpkg-deb --contents "$deb" | awk '{print $6 ($7 ? " " $7 " " $8 : "")}')
for wanted in ./usr/lib/quorvel/quorvel ./usr/lib/quorvel/quorvel-cli ./usr/lib/quorvel/timedata.dat \
              ./usr/lib/quorvel/infhotel.dat ./usr/lib/quorvel/quorvel6.ini ./usr/lib/quorvel/quorvel6.hlp \
              ./usr/lib/quorvel/sites.ini "./usr/bin/quorvel -> ../lib/quorvel/quorvel" \
              "./usr/bin/quorvel-cli -> ../lib/quorvel/quorvel-cli" ./usr/share/applications/quorvel.desktop \
              ./usr/share/icons/hicolor/48x48/apps/quorvel.png ./usr/share/icons/hicolor/256x256/apps/quorvel.png \
              ./usr/share/icons/hicolor/scalable/apps/quorvel.svg \
              ./usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml ./usr/share/man/man1/quorvel.1 \
              ./usr/share/man/man1/quorvel-cli.1; do
    grep -qxF "$wanted" <<<"$contents" || fail "the package lacks $wanted"
done
if grep -q -e quorvel-build-tree -e hotelusr.csv <<<"$contents"; then fail "the package holds a build's own files"; fi

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/quorvel.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log"; fail "the metainfo does not validate"; }
grep -qi -e "^W:" -e "^E:" "$work/as.log" && { cat "$work/as.log"; fail "the metainfo has warnings"; }
for page in quorvel quorvel-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page: $warnings"
done
file "$work/root/usr/lib/quorvel/quorvel" | grep -q ", stripped" || fail "the programs are not stripped"

# --- install and run as an ordinary user ----------------------------------------------------------
prefix=/usr
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    dpkg-query -W quorvel >/dev/null 2>&1 && fail "a quorvel package is installed already"
    installed=yes
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
else
    echo "package test: not root, running the unpacked copy" >&2
    prefix=$work/root/usr
fi
user_home=$work/home
mkdir -p "$user_home"
as_user=(env -i PATH=/usr/bin:/bin HOME="$user_home" XDG_CONFIG_HOME="$user_home/config" LANG=C.UTF-8)
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$user_home"
    chmod 755 "$work"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${as_user[@]}")
fi
stamp=$work/stamp
touch "$stamp"
sleep 1

"${as_user[@]}" "$prefix/bin/quorvel-cli" search --from 東京／羽田 --to 福岡 --date 2027/01/15 --today 2027/01/10 \
    >"$work/search.txt"
[ -s "$work/search.txt" ] || fail "the installed quorvel-cli found nothing"

Xvfb "$display" -ac -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
"${as_user[@]}" DISPLAY="$display" "$prefix/bin/quorvel" >"$work/quorvel.log" 2>&1 &
program=$!
# The splash and progress windows carry the title too and come and go: the main window is the
# large one that stays. It ends with Escape, typed as a user would into the focused window.
main_window_seen=""
for _ in $(seq 200); do
    kill -0 "$program" 2>/dev/null || break
    for w in $(DISPLAY=$display xdotool search --onlyvisible --name "ケルバ国内線時刻表" 2>/dev/null); do
        size=$(DISPLAY=$display xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
        read -r width height <<<"${size:-0 0}"
        if [ "$width" -ge 560 ] && [ "$height" -ge 400 ]; then
            main_window_seen=yes
            DISPLAY=$display xdotool windowfocus "$w" key Escape 2>/dev/null || true
        fi
    done
    sleep 0.3
done
[ -n "$main_window_seen" ] || { cat "$work/quorvel.log"; fail "the installed quorvel showed no main window"; }
kill -0 "$program" 2>/dev/null && { kill "$program"; fail "the installed quorvel did not end"; }
wait "$program" || fail "the installed quorvel ended with status $?"

[ -s "$user_home/config/quorvel/quorvel6.ini" ] || fail "the settings did not land in the XDG folder"
written=$(find "$prefix/lib/quorvel" "$prefix/share" -newer "$stamp" -path '*quorvel*' 2>/dev/null | head -5)
[ -z "$written" ] || fail "the installed copy wrote under $prefix: $written"
echo "package test: passed"
