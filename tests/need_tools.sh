# Sourced by the test scripts. need_tools TOOL=PACKAGE ...: a test whose tool
# is missing fails at once, naming each missing tool and the Debian package
# that brings it; scripts/setup.sh test installs them all.
need_tools() {
  local pair missing=()
  for pair in "$@"; do
    command -v "${pair%%=*}" >/dev/null 2>&1 || missing+=("${pair%%=*} (package ${pair#*=})")
  done
  [ ${#missing[@]} -eq 0 ] && return
  echo "FAIL: not installed: ${missing[*]}; run scripts/setup.sh test" >&2
  exit 1
}
