#!/usr/bin/env bash
# wine-fixture.sh start|stop <build tree> [wine loader]
# start: an Xvfb on a free display, the tree's Wine prefix (made once), a persistent wineserver.
# stop:  ends both again.
set -u
cmd=$1 build=$(cd "$2" && pwd) loader=${3:-/usr/lib/wine/wine}
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineserver=/usr/lib/wine/wineserver

stop() {
  "$wineserver" -k 2>/dev/null
  if [ -s "$build/xvfb.pid" ]; then kill "$(cat "$build/xvfb.pid")" 2>/dev/null; fi
  rm -f "$build/xvfb.pid" "$build/wine.display" "$build/xvfb.num"
}

case $cmd in
start)
  stop
  rm -f "$build/xvfb.num"
  # Xvfb picks a free display itself and writes its number once it accepts clients.
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$build/xvfb.num" \
    </dev/null >"$build/xvfb.log" 2>&1 &
  echo $! >"$build/xvfb.pid"
  for _ in $(seq 100); do [ -s "$build/xvfb.num" ] && break; sleep 0.1; done
  [ -s "$build/xvfb.num" ] || { echo "Xvfb did not start:"; cat "$build/xvfb.log"; exit 1; }
  echo ":$(tr -d '[:space:]' <"$build/xvfb.num")" >"$build/wine.display"
  DISPLAY=$(cat "$build/wine.display"); export DISPLAY
  if [ ! -f "$WINEPREFIX/.velmora-ready" ]; then
    echo "creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    "$loader" wineboot -i </dev/null >"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log"; exit 1; }
    "$wineserver" -w
    touch "$WINEPREFIX/.velmora-ready"
  fi
  # The prefix's user folders link to the Linux home: a desktop shortcut would land there.
  # Real folders in their place keep every test inside the prefix.
  for link in "$WINEPREFIX"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
    if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
  done
  "$wineserver" -p </dev/null >/dev/null 2>&1
  # Windows not managed by the (absent) window manager: a closing top-level window then costs
  # no wait for the window manager's answer.
  if [ ! -f "$WINEPREFIX/.velmora-unmanaged" ]; then
    "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 \
      && touch "$WINEPREFIX/.velmora-unmanaged"
  fi
  # Wine ends its desktop a moment after the last program on it has ended; a test program
  # starting just then dies with an X error. A program of our own holds the desktop until
  # the wineserver ends.
  keeper="$build/bin/wine_desktop_keeper.exe"
  if [ -f "$keeper" ]; then
    setsid "$loader" "$keeper" </dev/null >/dev/null 2>&1 &
  fi
  echo "Xvfb on $DISPLAY, wineserver persistent for $WINEPREFIX"
  ;;
stop) stop ;;
*) echo "usage: $0 start|stop <build tree> [wine loader]" >&2; exit 2 ;;
esac
