# Sourced by the scripts that run Windows programs: the project's own Wine prefix and display.
: "${STATS_WIN32_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/win32}"
export WINEPREFIX="${WINEPREFIX:-$STATS_WIN32_BUILD/.wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY="${STATS_DISPLAY:-:91}"

# A new prefix takes about 11 s; afterwards Wine draws window frames itself (no window manager).
wine_prefix_ready() {
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
    # A crash prints its backtrace and ends the process, instead of waiting on a crash dialog
    # that nobody sees until a test times out.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
    wineserver -w
  fi
  # Wine draws the caption buttons with the Marlett font, which it does not find in its own data
  # folder on Debian: without it they show as the letters "0 1 r".
  local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [[ -f "$marlett" && ! -f "$fonts/marlett.ttf" ]]; then
    mkdir -p "$fonts" && cp "$marlett" "$fonts/"
  fi
}

# Xvfb for dialogs and message boxes; a display already served is reused.
start_display() {
  if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    STATS_XVFB_PID=$!
    for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
  fi
}

stop_display() {
  if [[ -n "${STATS_XVFB_PID:-}" ]]; then kill "$STATS_XVFB_PID" 2>/dev/null || true; fi
}

# The first Wine process of a session starts Wine's system services, which would inherit a
# test runner's output pipe and keep it open: start them here, outside the runner.
start_wine_session() {
  wine_prefix_ready
  wineserver -p 2>/dev/null || true  # already running (another script of this prefix): reuse it
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

stop_wine_session() { wineserver -k 2>/dev/null || true; }
