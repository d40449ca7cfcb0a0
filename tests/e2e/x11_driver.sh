# shellcheck shell=bash
# Drives the program in a real X window with xdotool: sourced by the end-to-end runs.
# Every step waits for what it causes (a window, the keyboard focus, a file) rather than for a
# fixed time, and gives up after ZT_STEP_TIMEOUT seconds with a screenshot of the screen.

ZT_STEP_TIMEOUT=${ZT_STEP_TIMEOUT:-20}
ZT_KEY_DELAY=${ZT_KEY_DELAY:-25}

step() { echo "--- $*"; }

fail() {
  echo "FAILED: $*" >&2
  if [ -n "${DISPLAY:-}" ] && [ -n "${WORK:-}" ]; then
    import -window root "$WORK/failure.png" 2>/dev/null &&
      echo "screen at the failure: $WORK/failure.png" >&2
    xwininfo -root -tree >"$WORK/windows.txt" 2>&1 || true
    echo "windows: $WORK/windows.txt" >&2
  fi
  exit 1
}

# Repeats a test (a command) every 50 ms until it succeeds or the step times out.
wait_until() {
  local what=$1
  shift
  local tries=$((ZT_STEP_TIMEOUT * 20))
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "timed out waiting for $what"
    sleep 0.05
  done
}

# The server answers (a socket file alone may be left over from an earlier server).
x_server_ready() {
  xwininfo -display ":$1" -root >/dev/null 2>&1 || ! kill -0 "$X_SERVER_PID" 2>/dev/null
}

# Starts Xvfb on a free display number of its own, far above those that desktops and other
# tools pick, so that runs in parallel (and other programs' X clients) do not meet.
start_x_server() {
  local display
  for display in $(seq $((300 + $$ % 500)) 999); do
    [ -e "/tmp/.X$display-lock" ] && continue
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    X_SERVER_PID=$!
    wait_until "the X server" x_server_ready "$display"
    if kill -0 "$X_SERVER_PID" 2>/dev/null; then
      export DISPLAY=":$display"
      echo "X server on $DISPLAY"
      return
    fi
    # Another run took the number first.
    wait "$X_SERVER_PID" 2>/dev/null || true
  done
  fail "no free X display"
}

# True once the program has ended (a zombie counts: it is waiting for the shell to reap it).
program_ended() { ! kill -0 "$PROGRAM_PID" 2>/dev/null || [ "$(ps -o stat= -p "$PROGRAM_PID")" = Z ]; }

# A port nobody listens on now: STREAM (TCP, the default) or DGRAM (UDP).
free_port() {
  python3 -c "import socket; s = socket.socket(socket.AF_INET, socket.SOCK_${1:-STREAM}); s.bind(('127.0.0.1', 0)); print(s.getsockname()[1])"
}

# Removes the run's folder after a passed run and keeps it, saying where, after a failed one.
clear_run_folder() {
  if [ "$1" -eq 0 ]; then
    rm -rf "$WORK"
  else
    echo "The run's files are kept in $WORK" >&2
  fi
}

stop_x_server() {
  if [ -n "${X_SERVER_PID:-}" ]; then
    kill "$X_SERVER_PID" 2>/dev/null || true
    wait "$X_SERVER_PID" 2>/dev/null || true
    X_SERVER_PID=
  fi
}

# Starts openbox and waits until it manages the screen (it runs the startup command once it
# does): it gives a newly shown window the focus and hands it back to the main window when a
# dialog closes, as a desktop does.
start_window_manager() {
  openbox --sm-disable --startup "touch '$WORK/wm-ready'" >"$WORK/openbox.log" 2>&1 &
  # shellcheck disable=SC2034  # the caller ends it
  WM_PID=$!
  wait_until "the window manager" test -e "$WORK/wm-ready"
}

# The id of the shown window whose whole caption is $1 (none: empty).
shown_window() {
  { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; } | head -n 1
}

# Waits until a window with the caption $1 is shown and holds the keyboard focus; prints its id.
wait_window() {
  local caption=$1 id=
  local tries=$((ZT_STEP_TIMEOUT * 20))
  while :; do
    id=$(shown_window "$caption")
    [ -n "$id" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ] && break
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "timed out waiting for the window \"$caption\" with the focus"
    sleep 0.05
  done
  echo "$id"
}

window_gone() { [ -z "$(shown_window "$1")" ]; }

wait_window_gone() { wait_until "the window \"$1\" to close" window_gone "$1"; }

# Presses keys (xdotool names: Return, space, Escape, alt+m, Prior, Next, Menu, Tab...).
press() { xdotool key --delay "$ZT_KEY_DELAY" "$@"; }

type_text() { xdotool type --delay "$ZT_KEY_DELAY" -- "$1"; }

window_closed() { ! xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1"; }

# Answers a message box with the caption $1 by the keys that follow, and waits until that box
# is gone (the next one may have the same caption).
answer_box() {
  local caption=$1 id
  shift
  id=$(wait_window "$caption")
  press "$@"
  wait_until "the window \"$caption\" to close" window_closed "$id"
}

# Clicks at a point of a window, given in the window's own coordinates.
click_at() {
  local window=$1 x=$2 y=$3 button=${4:-1}
  xdotool mousemove --sync --window "$window" "$x" "$y" click "$button" ||
    fail "could not click into the window $window"
}

file_lines() { if [ -f "$1" ]; then wc -l <"$1"; else echo -1; fi; }

has_lines() { [ "$(file_lines "$1")" -eq "$2" ]; }

wait_lines() { wait_until "$1 to hold $2 lines" has_lines "$1" "$2"; }

file_has() { [ -f "$1" ] && grep -qF -- "$2" "$1"; }

# Waits until the file $1 holds the text $2.
wait_text() { wait_until "$1 to hold \"$2\"" file_has "$1" "$2"; }

# The heights of the shown windows that no window manager frames: menus and hints.
popup_heights() {
  local id
  for id in $(xdotool search --onlyvisible --classname . 2>/dev/null || true); do
    xwininfo -id "$id" 2>/dev/null |
      awk '/Height:/ { height = $2 } /Override Redirect State: yes/ { print height }'
  done
}

# A pop-up menu is shown (a hint is a single line, far lower than a menu).
menu_shown() { popup_heights | awk '$1 > 60 { found = 1 } END { exit !found }'; }

wait_menu() { wait_until "the pop-up menu" menu_shown; }

no_popup() { [ -z "$(popup_heights)" ]; }

# A screenshot of one window (or of the root window), as a PNG file. The mouse goes out of the
# way first, so that no hint covers what the picture shows.
screenshot() {
  xdotool mousemove 0 0
  wait_until "the hints to go" no_popup
  import -window "$1" "$2"
}
