#!/usr/bin/env bash
# Runs a Windows program of a cross build tree under Wine:
#   wine-run.sh <build tree> <wine loader> <program> [args]
# Uses the tree's own prefix and the display of the running test fixture (else $DISPLAY).
build=$1 loader=$2; shift 2
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
# winemenubuilder would turn Start-menu links into menu entries under the Linux home.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
if [ -s "$build/wine.display" ]; then
  DISPLAY=$(cat "$build/wine.display"); export DISPLAY
fi
# Wine's own background processes (services, the desktop window) outlive the program and
# inherit its standard handles; they must not hold the test runner's pipe open. So the
# program writes into a file that is copied out once it has ended.
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
"$loader" "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
