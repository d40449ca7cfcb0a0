#!/usr/bin/env bash
# CW from the function keys as an operator meets it: the installed program in a real X window,
# driven with xdotool, keying through the real daemons without hardware. cwdaemon logs each
# request and each character it queues; rigctld's dummy radio logs each b command.
#
# ZT_BUILD_DIR        the configured build to install (required)
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD_DIR=${ZT_BUILD_DIR:?ZT_BUILD_DIR names the build to install}
FAKETIME_LIB=${ZT_FAKETIME_LIB:-/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1}
# source-path: SCRIPTDIR
source "$HERE/x11_driver.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zt-e2e-cw.XXXXXX")
PREFIX="$WORK/Zawody Teltólmowe"
LOG="$PREFIX/zawody_teltolmowe.zlg"
RADIO="$PREFIX/zawody_teltolmowe_radio.ini"
PROGRAM_PID=
WM_PID=
DAEMON_PID=
mkdir -p "$WORK/home" "$WORK/runtime"
chmod 700 "$WORK/runtime"

stop_daemon() {
  if [ -n "$DAEMON_PID" ]; then
    kill "$DAEMON_PID" 2>/dev/null || true
    wait "$DAEMON_PID" 2>/dev/null || true
    DAEMON_PID=
  fi
}

finish() {
  local status=$?
  [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  stop_daemon
  stop_x_server
  clear_run_folder "$status"
}
trap finish EXIT

start_program() {
  (
    cd "$PREFIX"
    exec env HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb TZ=UTC \
      FAKETIME="2026-12-06 12:05:00" FAKETIME_DONT_FAKE_MONOTONIC=1 LD_PRELOAD="$FAKETIME_LIB" \
      "$PREFIX/zawody_teltolmowe"
  ) >>"$WORK/program.log" 2>&1 &
  PROGRAM_PID=$!
  MAIN=$(wait_window 'Zawody Teltólmowe          KF - grupa D - stacje indyw. SSB i CW')
}


end_program() {
  click_at "$MAIN" 624 404
  wait_until "the program to end" program_ended
  wait "$PROGRAM_PID" || fail "the program ended with status $?"
  PROGRAM_PID=
}

# The radio file: the keyer $1 and its port $2; a long F1 to be stopped.
write_radio_file() {
  cat >"$RADIO" <<INI
[cw]
keyer=$1
port=$2
wpm=40
F1=CQ TEST {MYCALL} TEST CQ TEST {MYCALL} TEST CQ TEST {MYCALL} TEST
[rigctld]
host=127.0.0.1
port=$2
INI
}

# What cwdaemon queued for the request $1, character by character.
queued_for() {
  awk -v request="cwdaemon:II: request: \"$1\"" '
    $0 == request { taking = 1; next }
    taking && /request|-------/ { exit }
    taking && /Morse character "/ { sub(/.*Morse character "/, ""); sub(/" to be queued.*/, ""); printf "%s", $0 }
  ' "$WORK/cwdaemon.log"
}

count_in() { grep -cF -- "$2" "$1" 2>/dev/null || true; }
has_count() { [ "$(count_in "$1" "$2")" -ge "$3" ]; }
LOGGED=1

log_qso_from_group_field() {
  type_text "$1"
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
}

start_x_server
start_window_manager
step "install into $PREFIX"
ZT_APPLICATIONS_DIR="$WORK/applications" cmake --install "$BUILD_DIR" --prefix "$PREFIX" \
  >"$WORK/install.log"
# A station of the short-wave round with one QSO logged: the next sent group is 12.
printf '%s\r\n' QQ2XYZ "Jan Kowalski" jan@example.com "ul. Polna 1" "00-950 Warszawa" "" 0 \
  "" "ZAWODY TELTOLMOWE" KO02MD "" 4 >"$PREFIX/zawody_teltolmowe.ini"
printf '2026-12-06 1200 80M CW 599     11 QQ5XYZ          599           3  2\r\n' >"$LOG"

step "the rig's keyer: F2 goes to rigctld as a b command"
RIG_PORT=$(free_port STREAM)
rigctld -m 1 -T 127.0.0.1 -t "$RIG_PORT" -vvvvv >"$WORK/rigctld.log" 2>&1 &
DAEMON_PID=$!
write_radio_file rigctld "$RIG_PORT"
start_program
type_text QQ1ABC
press F2
wait_text "$WORK/rigctld.log" "rigctl(d): b 'currVFO' ' QQ1ABC 5NN 12'"
wait_text "$WORK/rigctld.log" "rigctl(d): L 'currVFO' 'KEYSPD' '40'"
step "Esc stops the rig's message: the dummy radio has no stop"
press F1
wait_text "$WORK/rigctld.log" "rigctl(d): b 'currVFO' ' CQ TEST QQ2XYZ TEST"
press Escape
wait_until "the stop" grep -q 'rig_stop_morse returning(-11)' "$WORK/rigctld.log"
end_program
stop_daemon

step "cwdaemon: F2 keys the exchange with the cut report"
CW_PORT=$(free_port DGRAM)
cwdaemon -n -d null -x n -p "$CW_PORT" -y i -f stdout >"$WORK/cwdaemon.log" 2>&1 &
DAEMON_PID=$!
wait_text "$WORK/cwdaemon.log" "Press ^C to quit"
write_radio_file cwdaemon "$CW_PORT"
start_program
wait_text "$WORK/cwdaemon.log" 'requested morse speed [wpm]: "40"'
type_text QQ1ABC
press F2
wait_text "$WORK/cwdaemon.log" 'request: "QQ1ABC 5NN 12"'
wait_until "the exchange to be keyed" has_count "$WORK/cwdaemon.log" 'echoing "hzt1" back' 1
[ "$(queued_for 'QQ1ABC 5NN 12')" = "QQ1ABC 5NN 12" ] ||
  fail "cwdaemon keyed \"$(queued_for 'QQ1ABC 5NN 12')\", not \"QQ1ABC 5NN 12\""
[ "$(count_in "$WORK/cwdaemon.log" 'II: request: "')" -eq 1 ] || fail "more than one message keyed"

step "a long F1 stopped by Esc: the fields keep their text"
F1_TEXT="CQ TEST QQ2XYZ TEST CQ TEST QQ2XYZ TEST CQ TEST QQ2XYZ TEST"
press F1
wait_text "$WORK/cwdaemon.log" "request: \"$F1_TEXT\""
press Escape
wait_until "cwdaemon's abort" has_count "$WORK/cwdaemon.log" 'requested aborting of message' 1
# Space moves on to the group: the callsign was kept.
press space
log_qso_from_group_field 12
grep -q "QQ1ABC" "$LOG" || fail "the callsign was not kept after Esc stopped the message"

step "the next Esc empties the fields"
type_text QQ9Z
press F1
wait_until "the second F1" has_count "$WORK/cwdaemon.log" "request: \"$F1_TEXT\"" 2
press Escape
wait_until "the second abort" has_count "$WORK/cwdaemon.log" 'requested aborting of message' 2
press Escape
type_text QQ3ABC
press space
log_qso_from_group_field 5
end_program
stop_daemon

step "the keyer not running: F-keys and typing stay responsive, the QSO is logged"
start_program
type_text QQ4ABC
press F2 F1 F3
press space
log_qso_from_group_field 7
press F2
type_text QQ6ABC
press space
log_qso_from_group_field 8
end_program

step "the log byte for byte"
printf '%s\r\n' \
  '2026-12-06 1200 80M CW 599     11 QQ5XYZ          599           3  2' \
  '2026-12-06 1205 80M CW 599     12 QQ1ABC          599          12  2' \
  '2026-12-06 1205 80M CW 599     13 QQ3ABC          599           5  2' \
  '2026-12-06 1205 80M CW 599     14 QQ4ABC          599           7  2' \
  '2026-12-06 1205 80M CW 599     15 QQ6ABC          599           8  2' >"$WORK/expected.zlg"
cmp "$WORK/expected.zlg" "$LOG" || {
  diff <(cat -A "$WORK/expected.zlg") <(cat -A "$LOG") >&2 || true
  fail "the log differs"
}
step "passed"
