#!/usr/bin/env bash
# Runs a Windows program of a cross build tree under Wine: wine-run.sh <build tree> <program> [args]
# Uses the tree's own prefix and the display of the running test fixture (else $DISPLAY).
build=$1; shift
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ -s "$build/wine.display" ]; then
  DISPLAY=$(cat "$build/wine.display"); export DISPLAY
fi
exec /usr/lib/wine/wine "$@"
