#!/usr/bin/env bash
# The radio followed through Hamlib's real rigctld (its dummy radio): the installed program in
# a real X window, the rig changed by a second client, the daemon killed, started again and
# stopped with SIGSTOP while a QSO is typed through real X keys. What the status line says is
# heard through AT-SPI; the log is compared byte for byte with its golden file.
#
# ZT_BUILD_DIR        the configured build to install (required)
# ZT_AT_SPI_BUS_LAUNCHER, ZT_PYTHON  what the screen reader's listener needs (screen_reader.sh)
# ZT_UPDATE_GOLDEN=1  writes the log of this run as the new golden file
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
GOLDEN=$HERE/golden/radio
BUILD_DIR=${ZT_BUILD_DIR:?ZT_BUILD_DIR names the build to install}
FAKETIME_LIB=${ZT_FAKETIME_LIB:-/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1}
# source-path: SCRIPTDIR
source "$HERE/x11_driver.sh"
# source-path: SCRIPTDIR
source "$HERE/screen_reader.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zt-e2e-radio.XXXXXX")
PREFIX="$WORK/Zawody Teltólmowe"
LOG="$PREFIX/zawody_teltolmowe.zlg"
PROGRAM_PID=
RIG_PID=
WM_PID=
mkdir -p "$WORK/home" "$WORK/runtime" "$WORK/applications"
chmod 700 "$WORK/runtime"

finish() {
  local status=$?
  if [ -n "$RIG_PID" ]; then
    kill -CONT "$RIG_PID" 2>/dev/null || true
    kill "$RIG_PID" 2>/dev/null || true
  fi
  if [ -n "$PROGRAM_PID" ]; then kill "$PROGRAM_PID" 2>/dev/null || true; fi
  if [ -n "$WM_PID" ]; then kill "$WM_PID" 2>/dev/null || true; fi
  stop_screen_reader_listener
  stop_x_server
  clear_run_folder "$status"
}
trap finish EXIT

rig_answers() { rigctl -m 2 -r "localhost:$PORT" f >/dev/null 2>&1; }

start_rigctld() {
  rigctld -m 1 -t "$PORT" >>"$WORK/rigctld.log" 2>&1 &
  RIG_PID=$!
  wait_until "rigctld to answer" rig_answers
}

rig() { rigctl -m 2 -r "localhost:$PORT" "$@" >/dev/null || fail "rigctl $* failed"; }

# From now on, the radio line is heard reading "$1...".
wait_radio_heard() { wait_status_heard "$FROM" "$1" "the radio line \"$1\""; }


start_program() {
  (
    cd "$PREFIX"
    exec env HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb TZ=UTC \
      FAKETIME="2026-12-06 12:05:00" FAKETIME_DONT_FAKE_MONOTONIC=1 \
      LD_PRELOAD="$FAKETIME_LIB" "$PREFIX/zawody_teltolmowe"
  ) >>"$WORK/program.log" 2>&1 &
  PROGRAM_PID=$!
}

# Types a QSO in the callsign and group fields, adds it with Enter and waits for the log line.
LOGGED=0
qso() {
  type_text "$1"
  press space
  type_text "$2"
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
}

start_x_server
start_window_manager
start_screen_reader_listener
step "install into $PREFIX"
ZT_APPLICATIONS_DIR="$WORK/applications" cmake --install "$BUILD_DIR" --prefix "$PREFIX" \
  >"$WORK/install.log"
PORT=$(free_port)
# A station of "KF - grupa D" (CW and SSB), and the radio on.
printf '%s\r\n' QQ2XYZ "Jan Kowalski" jan@example.com "ul. Polna 1" "00-950 Warszawa" "" 0 "" \
  "ZAWODY" KO02MD "" 4 >"$PREFIX/zawody_teltolmowe.ini"
printf '[rigctld]\nenabled=true\nhost=localhost\nport=%s\n' "$PORT" \
  >"$PREFIX/zawody_teltolmowe_radio.ini"

step "rigctld's dummy radio on port $PORT, then the program"
start_rigctld
FROM=$(next_heard_line)
start_program
MAIN=$(wait_window 'Zawody Teltólmowe .*')
# The dummy radio starts on 145 MHz FM: out of the 80 m band, and no mode of this round.
wait_radio_heard "Radio: 145000,0 kHz FM · UWAGA: poza pasmem 80 m"

step "the rig to USB on 3545 kHz: the window follows to SSB"
FROM=$(next_heard_line)
rig F 3545000
rig M USB 2400
wait_radio_heard "Radio: 3545,0 kHz USB"
qso QQ1ABC 5

step "the rig to CW: the window follows to CW"
FROM=$(next_heard_line)
rig M CW 500
wait_radio_heard "Radio: 3545,0 kHz CW"
qso QQ3EFT 7

step "rigctld killed: not connected"
FROM=$(next_heard_line)
kill "$RIG_PID"
wait "$RIG_PID" 2>/dev/null || true
RIG_PID=
wait_radio_heard "Radio: brak połączenia z rigctld na localhost:$PORT"

step "rigctld started again: connected without a keystroke"
FROM=$(next_heard_line)
start_rigctld
wait_radio_heard "Radio: 145000,0 kHz FM"
FROM=$(next_heard_line)
rig F 3560000
rig M LSB 2400
wait_radio_heard "Radio: 3560,0 kHz LSB"

step "rigctld stopped with SIGSTOP: a whole QSO typed and logged"
FROM=$(next_heard_line)
kill -STOP "$RIG_PID"
wait_radio_heard "Radio: brak połączenia, rigctld na localhost:$PORT nie odpowiada"
qso QQ5KLL dg
qso QQ6MNO 12
import -window "$MAIN" "$WORK/stopped.png"
kill -CONT "$RIG_PID"

step "Koniec"
click_at "$MAIN" 624 404
wait_until "the program to end" program_ended
PROGRAM_PID=

step "the log, byte for byte"
if [ "${ZT_UPDATE_GOLDEN:-}" = 1 ]; then
  mkdir -p "$GOLDEN"
  cp "$LOG" "$GOLDEN/zawody_teltolmowe.zlg"
fi
cmp "$GOLDEN/zawody_teltolmowe.zlg" "$LOG" || {
  diff <(cat -A "$GOLDEN/zawody_teltolmowe.zlg") <(cat -A "$LOG") >&2 || true
  fail "the log differs from its golden file"
}
# The radio file is the program's to write only: it was never rewritten.
[ "$(cat "$PREFIX/zawody_teltolmowe_radio.ini")" = "$(printf '[rigctld]\nenabled=true\nhost=localhost\nport=%s' "$PORT")" ] ||
  fail "the radio file changed"
step "passed"
