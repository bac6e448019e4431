#!/usr/bin/env bash
# Installs the Debian package on this machine, runs the installed programs as a user with a
# fresh HOME, checks that their databases were seeded in that user's data folder (the
# installation folder is not theirs to write in) and that the report came out, then removes
# the package again. Needs root (or sudo), as installing any package does.
# usage: DebTest.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "$1")
name=$(dpkg-deb -f "$deb" Package)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo -n"
tmp=$(mktemp -d)
remove() { $sudo dpkg -r "$name" >/dev/null 2>&1 || true; }
cleanup() { remove; rm -rf "$tmp"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
# shellcheck source=FreshUser.sh
source "$(dirname "$0")/FreshUser.sh"

# The package says what it needs: the Qt libraries from the programs themselves, and the
# plugins Qt loads at run time.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/(.*//; s/[[:space:]]//g')
for need in libqt6core6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6pdfwidgets6 libqt6multimedia6 \
            libqt6charts6 qt6-qpa-plugins libqt6svg6 libc6 libstdc++6; do
  grep -qxF "$need" <<<"$names" || fail "the package does not depend on $need: $depends"
done

remove
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >/dev/null || fail "apt-get could not install $deb"

for f in /usr/bin/revora /usr/bin/revora-calc /usr/libexec/revora2016/revora-calc-report /usr/share/revora2016/layouts/kwiktep.rpt \
         /usr/share/revora2016/RV2016Help.pdf /usr/share/revora2016/seeds/Settings/Setup.sql \
         /usr/share/applications/za.co.revora.Revora2016.desktop \
         /usr/share/icons/hicolor/scalable/apps/za.co.revora.Revora2016.svg \
         /usr/share/metainfo/za.co.revora.Revora2016.metainfo.xml; do
  [ -f "$f" ] || fail "not installed: $f"
done
for lecture in 2016RVCoCar.wmv 2016RVTA.wmv CarFB.wmv; do
  [ -s "/usr/share/revora2016/$lecture" ] || echo "note: lecture $lecture not in the package (scripts/lectures not run)"
done

# A user with a fresh HOME: revora-calc writes its report and seeds the report database.
home=$tmp/home
data=$(fresh_user_data "$home")
check_quicktax_as_fresh_user revora-calc "$home"

# The program starts, seeds its settings databases and keeps running until it is closed.
status=0
as_fresh_user "$home" timeout 10 revora >"$tmp/revora.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$tmp/revora.log"; fail "the installed program ended by itself with status $status"; }
for db in Settings.db bcdv.db; do
  [ -s "$data/$db" ] || fail "$db not seeded in $data"
done
for db in Crysprin.db Settings.db bcdv.db; do
  [ "$(/usr/bin/python3 -c "import sqlite3,sys; print(sqlite3.connect(sys.argv[1]).execute('PRAGMA integrity_check').fetchone()[0])" "$data/$db")" = ok ] \
    || fail "$db fails its integrity check"
done
check_no_databases_in /usr/share/revora2016 /usr/bin

remove
[ ! -e /usr/bin/revora ] || fail "the package did not remove cleanly"
echo "Debian package $name: installs, runs as a fresh user, removes: OK"
