# Source this file for a hand-driven end-to-end environment: a private Xvfb and Wine prefix
# that the e2e tests, xdriver_cli and wine then share.
#
#   source scripts/e2e-env.sh   start (or find again) Xvfb and the prefix; export DISPLAY,
#                               WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES and TINTSPOT_E2E_DISPLAY /
#                               TINTSPOT_E2E_WINEPREFIX (so e2e_tests reuse both)
#   e2e_wine ARGS...            wine without root's permission overrides, as the tests run it
#                               (so read-only folders stay read-only)
#   e2e_env_stop                end the prefix's Wine processes and the Xvfb
#
# Everything lives in ${TINTSPOT_E2E_HOME:-/tmp/tintspot-e2e-manual}; the screen is 1280x1024x24.

. "$(dirname "${BASH_SOURCE[0]}")/utf8-locale.sh"
e2e_home="${TINTSPOT_E2E_HOME:-/tmp/tintspot-e2e-manual}"
mkdir -p "$e2e_home"

e2e_wine() {
  if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
    setpriv --bounding-set=-dac_override,-dac_read_search,-fowner wine "$@"
  else
    wine "$@"
  fi
}

e2e_env_stop() {
  WINEPREFIX="$e2e_home/prefix" wineserver -k 2>/dev/null
  if [ -f "$e2e_home/xvfb.pid" ]; then
    kill "$(cat "$e2e_home/xvfb.pid")" 2>/dev/null
    rm -f "$e2e_home/xvfb.pid" "$e2e_home/display"
  fi
}

e2e_env_start() {
  if ! { [ -f "$e2e_home/xvfb.pid" ] && kill -0 "$(cat "$e2e_home/xvfb.pid")" 2>/dev/null; }; then
    rm -f "$e2e_home/display"
    # -displayfd: Xvfb takes the first free display number and writes it once it is ready.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$e2e_home/display" \
      >"$e2e_home/xvfb.log" 2>&1 &
    echo $! >"$e2e_home/xvfb.pid"
    local tries=0
    until [ -s "$e2e_home/display" ]; do
      tries=$((tries + 1))
      if [ $tries -gt 200 ]; then
        echo "e2e-env: Xvfb did not start, see $e2e_home/xvfb.log" >&2
        return 1
      fi
      sleep 0.1
    done
  fi
  export DISPLAY=":$(head -n1 "$e2e_home/display")"
  export WINEPREFIX="$e2e_home/prefix"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  export TINTSPOT_E2E_DISPLAY="$DISPLAY" TINTSPOT_E2E_WINEPREFIX="$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    e2e_wine wineboot --init >"$e2e_home/wineboot.log" 2>&1 || return 1
    "$(dirname "${BASH_SOURCE[0]}")/wine-fonts.sh" "$WINEPREFIX"
    e2e_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    e2e_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >/dev/null 2>&1
  fi
  echo "e2e-env: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

e2e_env_start
