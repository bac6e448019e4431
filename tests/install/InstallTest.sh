#!/usr/bin/env bash
# Installs the build into a temporary prefix, validates the desktop entry and the AppStream
# metainfo, and runs the installed revora-calc as a user would: with a fresh HOME and a
# read-only bin folder, so its databases must go to the user's data folder.
# usage: InstallTest.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
id=$2

for tool in desktop-file-validate appstreamcli pdftotext; do
  command -v "$tool" >/dev/null || { echo "missing $tool (run scripts/deps)"; exit 1; }
done

tmp=$(mktemp -d)
prefix=$tmp/prefix
cleanup() {
  chmod -R u+w "$tmp" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }
# shellcheck source=FreshUser.sh
source "$(dirname "$0")/FreshUser.sh"

cmake --install "$build" --prefix "$prefix" >/dev/null

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

for f in bin/revora bin/revora-calc libexec/revora2016/revora-calc-report \
         share/revora2016/layouts/kwiktep.rpt share/revora2016/Revx.jpg \
         share/revora2016/seeds/Settings/Setup.sql share/revora2016/seeds/bcdv/Startup.sql \
         share/revora2016/seeds/Crysprin/kwiktax.sql share/revora2016/RV2016Help.pdf \
         share/revora2016/tax-years/2016.json \
         "share/icons/hicolor/scalable/apps/$id.svg"; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
[ -x "$prefix/bin/revora" ] && [ -x "$prefix/bin/revora-calc" ] || fail "programs not executable"
years=$("$prefix/bin/revora-calc" years) && grep -q '^2016  2015/16  ' <<<"$years" || fail "the installed tax years are not found"

# revora-calc as a user with a fresh HOME ($1): its databases go to that user's data folder,
# not beside the program.
quicktax() {
  check_quicktax_as_fresh_user "$prefix/bin/revora-calc" "$1"
  check_no_databases_in "$prefix"
}

# As on a system-wide installation the program folder is not the user's to write in.
chmod a-w "$prefix/bin"
quicktax "$tmp/home"
# A prefix of the user's own (~/.local) leaves bin writable; the databases still go to the
# user's data folder rather than among the programs.
chmod u+w "$prefix/bin"
quicktax "$tmp/home2"
echo "install layout, desktop entry, metainfo and installed revora-calc: OK"
