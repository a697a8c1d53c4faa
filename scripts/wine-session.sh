# Sourced by the run and test scripts: a virtual X display with a compositing manager (layered
# windows need one), a Wine prefix of the build, and one persistent Wine server.
# Usage: source scripts/wine-session.sh; wine_session_start [--own-display]; ...; wine_session_stop

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
_session_pids=()
_session_display_owned=0

_free_display() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo ":$n"
}

wine_session_start() {
  local root=${INKVANE_ROOT:?}
  if [ "${1:-}" = --own-display ] || [ -z "${DISPLAY:-}" ]; then
    DISPLAY=$(_free_display)
    export DISPLAY
    Xvfb "$DISPLAY" -screen 0 "${INKVANE_SCREEN:-1024x768x24}" -nolisten tcp </dev/null >/dev/null 2>&1 &
    _session_pids+=($!)
    _session_display_owned=1
    local i
    for i in $(seq 1 100); do
      xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
      sleep 0.1
    done
    xcompmgr -d "$DISPLAY" </dev/null >/dev/null 2>&1 &
    _session_pids+=($!)
  fi

  # A build of its own (a second build folder) may use a prefix of its own.
  export WINEPREFIX=${INKVANE_WINEPREFIX:-$root/build/x86_64/wineprefix}
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko installers: nothing here needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  # No window manager runs on the virtual display: unmanaged windows keep Wine from waiting for
  # one (two seconds at every hide).
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  # No Windows fonts here: the product's Arial text is drawn with DejaVu Sans instead.
  if ! grep -q '"Arial"="DejaVu Sans"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "DejaVu Sans" /f </dev/null >/dev/null 2>&1
    "$WINESERVER" -w
  fi
  # A persistent server makes each program start take well under a second. It keeps inherited
  # pipes open, so its output goes to a file.
  # Already running (another session on this prefix) is fine too.
  mkdir -p "$WINEPREFIX"
  "$WINESERVER" -p </dev/null >"$WINEPREFIX/../wineserver.log" 2>&1 || true
  # Wine's own background processes (services, the desktop) start with the first program and
  # keep its output pipes open; started here, they hold nothing a caller waits on.
  "$WINE" wineboot </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
  local pid
  for pid in "${_session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${_session_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  _session_pids=()
}
