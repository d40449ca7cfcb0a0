# shellcheck shell=bash
# What a screen reader hears of the program, through AT-SPI as Orca hears it: sourced by
# run_contest.sh. The run has a session bus of its own with the accessibility bus on it, switched
# on as a screen reader switches it on, and a listener that writes each event to a file.
#
# ZT_AT_SPI_BUS_LAUNCHER  at-spi-bus-launcher (Debian: at-spi2-core)
# ZT_PYTHON               a python3 that has gi with Atspi (Debian: python3-gi gir1.2-atspi-2.0)

HEARD=
SESSION_BUS_PID=
AT_SPI_PID=
LISTENER_PID=

accessibility_bus_ready() {
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1
}

listener_ready() { [ "$(head -n 1 "$HEARD" 2>/dev/null)" = listening ]; }

start_screen_reader_listener() {
  HEARD=$WORK/heard.tsv
  dbus-daemon --session --fork --print-address=3 --print-pid=4 \
    3>"$WORK/session-bus.address" 4>"$WORK/session-bus.pid" 2>>"$WORK/session-bus.log" ||
    fail "no session bus"
  SESSION_BUS_PID=$(cat "$WORK/session-bus.pid")
  DBUS_SESSION_BUS_ADDRESS=$(cat "$WORK/session-bus.address")
  export DBUS_SESSION_BUS_ADDRESS
  HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" "${ZT_AT_SPI_BUS_LAUNCHER:?}" \
    --launch-immediately >"$WORK/at-spi.log" 2>&1 &
  AT_SPI_PID=$!
  wait_until "the accessibility bus" accessibility_bus_ready
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:true >/dev/null || fail "the accessibility bus would not switch on"
  PYTHONDONTWRITEBYTECODE=1 "${ZT_PYTHON:?}" "$HERE/accessibility_events.py" >"$HEARD" \
    2>"$WORK/listener.log" &
  LISTENER_PID=$!
  wait_until "the screen reader's listener" listener_ready
}

stop_screen_reader_listener() {
  local pid
  for pid in $LISTENER_PID $AT_SPI_PID $SESSION_BUS_PID; do
    # The launcher's own bus goes with it.
    pkill -P "$pid" 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
  done
  LISTENER_PID=''
  AT_SPI_PID=''
  SESSION_BUS_PID=''
}

# The number of the next line the listener will write.
next_heard_line() { echo $(($(wc -l <"$HEARD") + 1)); }

# The number of the first line from line $1 on that begins with $2 (nothing: none yet).
heard_line() {
  awk -v from="$1" -v start="$2" 'NR >= from && index($0, start) == 1 { print NR; exit }' "$HEARD"
}

heard_since() { [ -n "$(heard_line "$1" "$2")" ]; }

# Waits until the listener has heard, from line $1 on, a line that begins with $3 ($2 says what).
wait_heard() { wait_until "a screen reader to hear $2" heard_since "$1" "$3"; }

# The role and name of the object that held the focus when line $1 was heard.
focus_at_line() {
  awk -F '\t' -v line="$1" 'NR >= line { exit }
    $1 == "object:state-changed:focused" && $2 == 1 { focus = $3 "\t" $4 }
    END { print focus }' "$HEARD"
}

TAB=$'\t'

# From line $1 on, a status line read "$2..." ($3 says what).
wait_status_heard() {
  wait_heard "$1" "$3" "object:property-change:accessible-name${TAB}0${TAB}label${TAB}$2"
}

# From line $1 on, the repeated-QSO panel was shown as a notification that reads
# "$2 - QSO zaliczone!" (Orca speaks a notification as it is shown) while the focus stayed in
# the callsign field ("Znak"), and the partial check named the worked callsign first.
wait_repeated_callsign_heard() {
  local from=$1 callsign=$2 line focus
  local shown="object:state-changed:showing${TAB}1${TAB}notification${TAB}$callsign - QSO zaliczone!"
  wait_heard "$from" "the red panel for $callsign" "$shown"
  line=$(heard_line "$from" "$shown")
  focus=$(focus_at_line "$line")
  [ "$focus" = "text${TAB}Znak" ] ||
    fail "the red panel was shown with the focus on \"$focus\", not in the callsign field"
  wait_status_heard "$from" "Podobne: $callsign (" "the partial check of $callsign"
}
