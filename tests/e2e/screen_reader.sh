#!/usr/bin/env bash
# What a screen reader meets in the real lptseg-sim (screen_reader.py) on an
# Xvfb display and a session bus of its own.
#   screen_reader.sh LPTSEG-SIM
set -euo pipefail
source "$(dirname "$0")/../need_tools.sh"
need_tools dbus-run-session=dbus-daemon /usr/libexec/at-spi-bus-launcher=at-spi2-core xprop=x11-utils \
  /usr/bin/python3=python3-minimal
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
  { echo "FAIL: not installed: pyatspi (package python3-pyatspi); run scripts/setup.sh test" >&2; exit 1; }
[ -n "${SCREEN_READER_BUS:-}" ] || SCREEN_READER_BUS=1 exec dbus-run-session -- bash "$0" "$@"
source "$(dirname "$0")/xvfb_session.sh"
# As in a desktop session, the accessibility bus is up before the program and
# its address is on the root window (AT_SPI_BUS), where Qt 5 looks for it.
/usr/libexec/at-spi-bus-launcher --launch-immediately & helpers+=" $!"
wait_for eval 'xprop -root AT_SPI_BUS | grep -q unix:' || fail "the accessibility bus did not start"
# Qt exposes itself on the bus without waiting for a screen reader to ask.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/bin/python3 "$(dirname "$0")/screen_reader.py" "$1" "$work" || fail "screen_reader.py"
