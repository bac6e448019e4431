# Sourced by the installation tests: the installed programs run as a user with a fresh HOME,
# as on a clerk's first start. The sourcing script supplies fail().

# Where the programs keep a user's databases, under that user's HOME.
fresh_user_data() { echo "$1/.local/share/Revora/Revora2016"; }

# Runs a command as a user whose HOME is $1, without the XDG folders of whoever runs the test.
as_fresh_user() {
  local home=$1
  shift
  mkdir -p "$home"
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$@"
}

# The installed revora-calc ($1) prints a quick tax report as a fresh user ($2): the report
# holds the income, and the report database was seeded in that user's data folder.
check_quicktax_as_fresh_user() {
  local calc=$1 home=$2
  local report=$home/q.pdf data
  data=$(fresh_user_data "$home")
  as_fresh_user "$home" "$calc" quicktax --income 500000 --age 40 --report "$report" >/dev/null \
    || fail "the installed revora-calc exited with $?"
  [ -s "$report" ] || fail "no report written"
  pdftotext "$report" - | grep -qF "500 000.00" || fail "the report does not hold 500 000.00"
  [ -s "$data/Crysprin.db" ] || fail "Crysprin.db not seeded in the user's data folder $data"
}

# No database was written among the installed files in the folders given.
check_no_databases_in() {
  local stray
  stray=$(find "$@" -name '*.db' 2>/dev/null || true)
  [ -z "$stray" ] || fail "databases written in the installation: $stray"
}
