#!/usr/bin/env bash
# End to end, without any X server: both programs answer --help and --version on
# standard output with status 0 (1 if it cannot be written), reject what they do
# not know with status 2, and when Qt cannot start, whatever the spelling of its
# options, say so in one line with status 1 instead of aborting. None of these
# touches the port: nothing else appears on standard output. On a platform
# without a screen a failure ends the program at once, with no box to wait for.
set -euo pipefail

lptseg=$1
sim=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# A display number with no server behind it.
free=59
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done

# program | environment | arguments | status | standard output | standard error
# (grep -E on the text with its newlines as spaces; - for none at all; standard
# output /dev/full goes there, unchecked)
cases="
sim  | -                       | --help          | 0 | ^Uporaba: lptseg-sim .*Delete.*Brisi  | -
sim  | -                       | -h              | 0 | PortOut 0x378 0x51.*--version        | -
lptseg | -                     | --help          | 0 | man lptseg                           | -
sim  | -                       | --version       | 0 | ^lptseg-sim [0-9]+\.[0-9]+ Licenca: GNU GPL, inačica 3 ili novija \(GPL-3\.0-or-later\) | -
lptseg | -                     | -v              | 0 | ^lptseg [0-9]+\.[0-9]+               | -
sim  | -                       | -platform offscreen --version | 0 | ^lptseg-sim [0-9]        | -
sim  | -                       | --bogus         | 2 | - | ^lptseg-sim: nepoznata opcija „--bogus“\..*--help
lptseg | -                     | stray           | 2 | - | ^lptseg: suvišan argument „stray“\..*lptseg --help
sim  | -                       | --help=yes      | 2 | - | ne prima vrijednost
sim  | -                       | -               | 1 | - | X zaslon nije zadan.*DISPLAY
lptseg | DISPLAY=:$free        | -               | 1 | - | ^lptseg: nije moguće spojiti se na X zaslon „:$free“
sim  | -                       | -display :$free | 1 | - | ^lptseg-sim: nije moguće spojiti se na X zaslon „:$free“
sim  | QT_QPA_PLATFORM=offscreen DISPLAY=:$free | -platform xcb | 1 | - | X zaslon „:$free“
sim  | -                       | --platform=offscreen | 1 | - | ^lptseg-sim: Qt ne može pokrenuti grafičku platformu „xcb“\. .*-platform
sim  | QT_QPA_PLATFORM=wayland | -               | 1 | - | ^lptseg-sim: Qt ne može pokrenuti grafičku platformu „wayland“
lptseg | -                     | --help          | 1 | /dev/full | ^lptseg: pomoć nije moguće ispisati na standardni izlaz
sim  | -                       | --version       | 1 | /dev/full | ^lptseg-sim: inačicu nije moguće ispisati
sim  | XDG_RUNTIME_DIR=$work   | -platform offscreen | 1 | /dev/full | Simulirani zapis 0x00 .*nije moguće ispisati
sim  | QT_QPA_PLATFORM=minimal XDG_RUNTIME_DIR=$work | - | 1 | /dev/full | Simulirani zapis 0x00
sim  | XDG_RUNTIME_DIR=$work   | -platform offscreen -style nosuchstyle | 1 | /dev/full | style override .nosuchstyle.*Simulirani zapis 0x00
"

while IFS='|' read -r program environment arguments status out err; do
  program=$(echo $program); environment=$(eval echo $environment); arguments=$(eval echo $arguments)
  status=$(echo $status); out=$(echo $out); err=$(echo $err)
  [ -n "$program" ] || continue
  [ "$environment" = - ] && environment=
  [ "$arguments" = - ] && arguments=
  binary=$sim; [ "$program" = lptseg ] && binary=$lptseg
  case="$program $arguments (${environment:-no DISPLAY})"
  got=0
  target=$work/out
  [ "$out" = /dev/full ] && target=/dev/full
  # shellcheck disable=SC2086
  timeout 10 env -u DISPLAY -u QT_QPA_PLATFORM $environment "$binary" $arguments >"$target" 2>"$work/err" || got=$?
  problem=
  [ "$got" -eq "$status" ] || problem="status $got, not $status"
  for stream in out err; do
    pattern=${!stream}
    if [ "$pattern" = /dev/full ]; then
      continue
    elif [ "$pattern" = - ]; then
      [ ! -s "$work/$stream" ] || problem+=" standard $stream is not empty"
    else
      tr '\n' ' ' <"$work/$stream" | grep -Eq "$pattern" || problem+=" standard $stream does not match /$pattern/"
    fi
  done
  if [ "$status" -ne 0 ] && [ "$(grep -cv $'^QApplication:\\|^\t' "$work/err")" -gt 2 ]; then problem+=" more than two lines on standard error"; fi
  if [ -n "$problem" ]; then
    echo "FAIL: $case:$problem"
    echo "--- standard output:"; cat "$work/out"
    echo "--- standard error:"; cat "$work/err"
    failed=1
  else
    echo "ok: $case"
  fi
done <<<"$cases"
[ "$failed" -eq 0 ] || exit 1
echo "PASS: help, version, misuse and a missing display handled before any port write"
