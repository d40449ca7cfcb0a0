#!/usr/bin/env bash
# A whole contest as an operator meets it: the installed program in a real X window, driven
# with xdotool from the keyboard (and with the mouse where an operator reaches for it). The
# files it leaves are compared byte for byte with the golden files beside this script.
#
#   run_contest.sh shortwave|vhf
#
# ZT_BUILD_DIR        the configured build to install (required)
# ZT_AT_SPI_BUS_LAUNCHER, ZT_PYTHON  what the screen reader's listener needs (screen_reader.sh)
# ZT_SCREENSHOT_DIR   where the screenshots of the windows go (default: the run's folder)
# ZT_UPDATE_GOLDEN=1  writes the files of this run as the new golden files
set -euo pipefail

ROUND=${1:-}
case $ROUND in
  shortwave | vhf) ;;
  *)
    echo "usage: $0 shortwave|vhf" >&2
    exit 2
    ;;
esac
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
GOLDEN=$HERE/golden/$ROUND
BUILD_DIR=${ZT_BUILD_DIR:?ZT_BUILD_DIR names the build to install}
FAKETIME_LIB=${ZT_FAKETIME_LIB:-/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1}
# source-path: SCRIPTDIR
source "$HERE/x11_driver.sh"
# source-path: SCRIPTDIR
source "$HERE/screen_reader.sh"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/zt-e2e-$ROUND.XXXXXX")
# A blank and a Polish letter in the folder name, as an operator may well choose.
PREFIX="$WORK/Zawody Teltólmowe"
SHOTS=${ZT_SCREENSHOT_DIR:-$WORK/screenshots}
LOG="$PREFIX/zawody_teltolmowe.zlg"
PROGRAM_PID=
WM_PID=
mkdir -p "$SHOTS" "$WORK/home" "$WORK/runtime" "$WORK/applications"
chmod 700 "$WORK/runtime"

finish() {
  local status=$?
  if [ -n "$PROGRAM_PID" ]; then
    if program_ended; then
      wait "$PROGRAM_PID" && echo "The program had ended." >&2 ||
        echo "The program had ended with status $?." >&2
    else
      if [ "$status" -ne 0 ] && command -v gdb >/dev/null; then
        gdb -p "$PROGRAM_PID" -batch -ex 'thread apply all bt' >"$WORK/program-stack.txt" 2>&1 ||
          true
        echo "The program's threads: $WORK/program-stack.txt" >&2
      fi
      kill "$PROGRAM_PID" 2>/dev/null || true
    fi
  fi
  if [ -n "$WM_PID" ]; then kill "$WM_PID" 2>/dev/null || true; fi
  stop_screen_reader_listener
  stop_x_server
  clear_run_folder "$status"
}
trap finish EXIT

# --- Installation ------------------------------------------------------------------------

install_program() {
  step "install into $PREFIX"
  ZT_APPLICATIONS_DIR="$WORK/applications" cmake --install "$BUILD_DIR" --prefix "$PREFIX" \
    >"$WORK/install.log"
  [ -x "$PREFIX/zawody_teltolmowe" ] || fail "no executable in the installed folder"
  [ -f "$PREFIX/zawody-teltolmowe.svg" ] || fail "no icon in the installed folder"
  local entry="$WORK/applications/zawody-teltolmowe.desktop"
  [ -f "$entry" ] || fail "no menu entry written"
  grep -qxF "Exec=\"$PREFIX/zawody_teltolmowe\"" "$entry" || fail "menu entry runs another program"
  grep -qxF "Icon=$PREFIX/zawody-teltolmowe.svg" "$entry" || fail "menu entry shows another icon"
  grep -qxF "Path=$PREFIX" "$entry" || fail "menu entry starts in another folder"
}

# --- The program -------------------------------------------------------------------------

# Starts the installed program as the menu entry does. The clock stands still at 12:05 UTC on
# the contest day (the timers still run), so every QSO time is known in advance.
start_program() {
  (
    cd "$PREFIX"
    exec env HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb \
      TZ="$ZONE" FAKETIME="$LOCAL_START" FAKETIME_DONT_FAKE_MONOTONIC=1 \
      LD_PRELOAD="$FAKETIME_LIB" "$PREFIX/zawody_teltolmowe"
  ) >>"$WORK/program.log" 2>&1 &
  PROGRAM_PID=$!
}


# "Koniec": the program ends at once, without a question.
end_program() {
  step "Koniec"
  click_at "$MAIN" 624 404
  wait_until "the program to end" program_ended
  wait "$PROGRAM_PID" || fail "the program ended with status $?"
  PROGRAM_PID=
}

MAIN_CAPTION='Zawody Teltólmowe .*'

# Waits for the main window to hold the focus again and remembers its id.
wait_main() { MAIN=$(wait_window "$MAIN_CAPTION"); }

# --- The clock ---------------------------------------------------------------------------

# The time field as the main window draws it.
crop_time_field() { import -window "$MAIN" -crop 73x23+16+128 +repage "$1"; }

clock_shows_start_time() {
  crop_time_field "$WORK/time-now.png" && same_picture "$WORK/time-at-start.png" "$WORK/time-now.png"
}

# Remembers the running clock's face: the clock stands at the start time.
remember_clock() { crop_time_field "$WORK/time-at-start.png"; }

# After a QSO at a stepped time the clock runs again and shows the start time at its next tick
# (within half a second); the next QSO must not be typed before.
wait_clock() { wait_until "the clock to show the time again" clock_shows_start_time; }

# --- The two banners over the list's headings --------------------------------------------

# Pixels of a picture whose three channels are all dark: the black text of a heading.
dark_pixels() {
  convert "$1" -channel RGB -separate -evaluate-sequence max +channel -threshold 25% -negate \
    -format '%[fx:round(mean*w*h)]' info:
}

# Pixels of a picture in the pure colour $2 (red or blue) or a blend of it with white text.
colour_pixels() {
  local test
  case $2 in
    red) test='r>0.7&&g<0.3&&b<0.3' ;;
    blue) test='b>0.7&&r<0.3&&g<0.3' ;;
  esac
  convert "$1" -fx "$test" -format '%[fx:round(mean*w*h)]' info:
}

# The banner at $1 (WxH+X+Y in the main window) is shown in colour $2, and no heading's text is
# drawn over it.
banner_readable() {
  import -window "$MAIN" -crop "$1" +repage "$WORK/banner.png" 2>/dev/null || return 1
  [ "$(colour_pixels "$WORK/banner.png" "$2")" -gt 1500 ] &&
    [ "$(dark_pixels "$WORK/banner.png")" -eq 0 ]
}

RED_PANEL=193x22+120+154
BLUE_PANEL=89x22+16+154

wait_red_panel() { wait_until "the red panel, readable" banner_readable "$RED_PANEL" red; }

# PageUp stops the clock and shows the blue panel; a click at its centre starts the clock again.
restart_clock_from_the_blue_panel() {
  step "PageUp, then a click on the blue panel: the clock runs again"
  press Prior
  wait_until "the blue panel, readable" banner_readable "$BLUE_PANEL" blue
  click_at "$MAIN" 60 165
  wait_clock
}

# Types a worked callsign: the red panel shows it whole, over the list's headings, and a screen
# reader is told of it. The callsign must land in the callsign field, wherever the last command
# left the focus.
type_repeated_callsign() {
  local from
  from=$(next_heard_line)
  type_text "$1"
  wait_red_panel
  wait_repeated_callsign_heard "$from" "$1"
}

# --- The status line under the buttons ----------------------------------------------------

crop_status() { import -window "$MAIN" -crop 649x48+16+426 +repage "$1"; }
remember_status() { crop_status "$WORK/status-before.png"; }
status_changed() {
  crop_status "$WORK/status-now.png" && ! same_picture "$WORK/status-before.png" "$WORK/status-now.png"
}
# Waits until the status line shows something new ($1 says what), then remembers it.
wait_status_change() {
  wait_until "the status line to show $1" status_changed
  remember_status
}

# --- Entering QSOs -----------------------------------------------------------------------

LOGGED=0

# Types a callsign, moves to the group with $2 (space or Return), types the group and adds the
# QSO with Enter; waits until the log file holds it. The status line changes at each stage: the
# partial check, what the QSO would score, then the counts, on the screen and to a screen reader.
qso() {
  local callsign=$1 move=$2 group=$3 from
  from=$(next_heard_line)
  remember_status
  type_text "$callsign"
  wait_status_change "the partial check of $callsign"
  wait_status_heard "$from" "Podobne: " "the partial check of $callsign"
  press "$move"
  type_text "$group"
  wait_status_change "what $callsign would score"
  wait_status_heard "$from" "To QSO: " "what $callsign would score"
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
  wait_status_change "the counts after $callsign"
  wait_status_heard "$from" "QSO: $LOGGED, " "the counts after $callsign"
}

# A QSO whose group is questioned; $3 answers the question ("alt+t" Tak, "Return" Nie).
questioned_qso() {
  local callsign=$1 group=$2 answer=$3
  type_text "$callsign"
  press space
  type_text "$group"
  press Return
  answer_box 'Ostrzeżenie' "$answer"
  wait_main
  if [ "$answer" != Return ]; then
    LOGGED=$((LOGGED + 1))
    wait_lines "$LOG" "$LOGGED"
  fi
}

# --- The log list's pop-up menu ----------------------------------------------------------

# The first line of the log list in the main window's coordinates (rows are 18 pixels high).
LIST_X=100
FIRST_ROW_Y=186

# Selects line $1 (from 0) of the log list from the keyboard.
select_line() {
  click_at "$MAIN" "$LIST_X" "$FIRST_ROW_Y"
  press Home
  [ "$1" -gt 0 ] && press --repeat "$1" Down
  return 0
}

# A correction through an input box: $1 caption, $2 the new text.
answer_input_box() {
  wait_window "$1" >/dev/null
  press ctrl+a
  type_text "$2"
  press Return
  wait_window_gone "$1"
  wait_main
}

# "Usuń QSO" on line $1 (from 0) through the context-menu key, the deletion confirmed.
delete_line_with_menu_key() {
  select_line "$1"
  press Menu
  wait_menu
  press Up Return
  answer_box 'Potwierdzenie' Return
  wait_main
  LOGGED=$((LOGGED - 1))
  wait_lines "$LOG" "$LOGGED"
}

# --- Buttons of the main window (centres, in the window's coordinates) -------------------

click_recalculate() { click_at "$MAIN" 365 404; }
click_cabrillo() { click_at "$MAIN" 64 404; }
click_adif() { click_at "$MAIN" 168 404; }

export_cabrillo() {
  step "Zapisz plik Cabrillo"
  rm -f "$PREFIX/$EXPORT_BASE.cbr"
  click_cabrillo
  answer_box 'Informacja' Return
  wait_until "the Cabrillo file" test -f "$PREFIX/$EXPORT_BASE.cbr"
  answer_box 'Informacja' Return
  wait_main
}

export_adif() {
  step "Zapisz plik ADIF"
  click_adif
  local dialog
  dialog=$(wait_window 'Zapis pliku ADIF')
  type_text "$ADIF_COMMENT"
  screenshot "$dialog" "$SHOTS/adif-dialog-$ROUND.png"
  # Zapisz with Enter, Powrót with Space.
  press Tab Return
  answer_box 'Informacja' Return
  wait_until "the ADIF file" test -f "$PREFIX/$EXPORT_BASE.adi"
  wait_window 'Zapis pliku ADIF' >/dev/null
  press Tab space
  wait_window_gone 'Zapis pliku ADIF'
  wait_main
}

# --- The station dialog at the first start -----------------------------------------------

# Tab order: callsign, category, name, e-mail, claimed score, address (three lines), contest
# name, OK, Powrót, operators, remarks, locator.
fill_station_dialog() {
  step "first start: the station dialog"
  local dialog
  dialog=$(wait_window 'Nagłówek pliku Cabrillo')
  type_text "$STATION_CALL"
  press Tab
  choose_category
  type_text "Jan Kowalski"
  press Tab
  type_text "jan@example.com"
  press Tab Tab
  type_text "ul. Polna 1"
  press Tab
  type_text "00-950 Warszawa"
  # On past the third address line, the contest name, OK and Powrót to the operators.
  press Tab Tab Tab Tab Tab
  type_text "QQ2XYZ QQ3ABC"
  press Tab
  type_text "Pierwszy start"
  press Return
  type_text "Antena dipol"
  press Tab
  type_text "$OWN_LOCATOR"
  screenshot "$dialog" "$SHOTS/station-dialog-$ROUND.png"
  # Back from the locator to OK: remarks, operators, Powrót, OK.
  press shift+Tab shift+Tab shift+Tab shift+Tab Return
  wait_window_gone 'Nagłówek pliku Cabrillo'
  wait_main
}

# --- Checks ------------------------------------------------------------------------------

# Compares a file of the run with its golden file byte for byte.
check_file() {
  local name=$1 actual=$2
  if [ "${ZT_UPDATE_GOLDEN:-}" = 1 ]; then
    mkdir -p "$GOLDEN"
    cp "$actual" "$GOLDEN/$name"
    return
  fi
  cmp "$GOLDEN/$name" "$actual" >/dev/null || {
    diff <(cat -A "$GOLDEN/$name") <(cat -A "$actual") >&2 || true
    fail "$name differs from its golden file"
  }
}

check_files() {
  step "compare the files with the golden ones"
  check_file zawody_teltolmowe.zlg "$LOG"
  check_file zawody_teltolmowe.ini "$PREFIX/zawody_teltolmowe.ini"
  check_file "$EXPORT_BASE.cbr" "$PREFIX/$EXPORT_BASE.cbr"
  check_file "$EXPORT_BASE.adi" "$PREFIX/$EXPORT_BASE.adi"
}

# The log list and the score as the main window draws them.
crop_log_and_score() {
  convert "$1" \( -clone 0 -crop 645x197+18+178 \) \( -clone 0 -crop 80x20+264+396 \) \
    -delete 0 -append "$2"
}

same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# --- The rounds --------------------------------------------------------------------------

shortwave_settings() {
  WORKED_CALLSIGN=QQ9FFF
  ZONE=UTC
  LOCAL_START="2026-12-06 12:05:00"
  STATION_CALL=qq2xyz
  EXPORT_BASE=qq2xyz
  OWN_LOCATOR=ko02md
  ADIF_COMMENT="Zawody KF"
  CATEGORY_CAPTION='Zawody Teltólmowe          KF - grupa D - stacje indyw. SSB i CW'
}

# "KF - grupa D - stacje indyw. SSB i CW", the fifth entry: Down picks the next one.
choose_category_shortwave() { press Down Down Down Down Down Tab; }

shortwave_contest() {
  restart_clock_from_the_blue_panel
  step "short-wave QSOs"
  qso QQ1ABC space 5
  qso QQ3EFT Return o
  # Esc in the callsign field discards what was typed.
  type_text QQ9Z
  press Escape
  step "Alt keys that are no shortcut type nothing"
  type_text QQ4G
  press shift+alt+b alt+c
  type_text HE
  press space alt+c
  type_text b
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
  step "Alt+M: SSB"
  press alt+m
  qso QQ5KLL space dg
  qso QQ1ABC space 0
  step "Alt+M: CW, and a repeated QSO: the red panel over the list"
  press alt+m
  type_repeated_callsign QQ1ABC
  press space
  type_text 7
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
  step "PageUp twice: 12:07"
  press Prior Prior
  qso QQ6MNO space 12
  wait_clock
  step "an invalid group confirmed"
  questioned_qso QQ7PQR 12a alt+t
  step "an invalid group declined, then mended"
  questioned_qso QQ8STU xyz Return
  press BackSpace BackSpace BackSpace
  type_text 9
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
  step "PageDown: 12:04"
  press Next
  qso QQ2VWM space o
  wait_clock
  step "no group, logged on Tak"
  type_text QQ3XYZ
  press Return Return
  answer_box 'Ostrzeżenie' alt+t
  wait_main
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
  qso QQ4AAT space B
  qso QQ5BBE space 15
  step "Alt+M: SSB"
  press alt+m
  qso QQ6CCK space O
  qso QQ7DDD space b
  qso QQ3EFT space dg
  qso QQ8EEE/P space 21
  step "Alt+M: CW"
  press alt+m
  qso QQ9FFF space O
  qso QQ0GGG space -5
  qso QQ1HHH space "\$1F"
  qso QQ2III space DG
}

shortwave_corrections() {
  step "right click on the first line: Zmień znak korespondenta"
  select_line 0
  click_at "$MAIN" "$LIST_X" "$FIRST_ROW_Y" 3
  wait_menu
  # Zmień datę QSO, Zmień czas QSO, (Zmień pasmo is disabled), Zmień emisję, Zmień znak...
  press Down Down Down Down Return
  answer_input_box 'Zmiana znaku korespondenta' QQ1ABD
  wait_text "$LOG" "QQ1ABD"

  step "context-menu key on QQ5BBE: Zmień emisję to SSB"
  select_line 12
  press Menu
  wait_menu
  press Down Down Down Return
  local choice
  choice=$(wait_window 'Wybór emisji')
  screenshot "$choice" "$SHOTS/mode-choice.png"
  press Down Return
  wait_window_gone 'Wybór emisji'
  wait_main
  wait_text "$LOG" "80M PH 59      13 QQ5BBE"

  step "context-menu key on QQ7DDD: Usuń QSO"
  delete_line_with_menu_key 14
}

vhf_settings() {
  WORKED_CALLSIGN=QQ2BBE
  # A station in Poland: the program must take an hour off the local time for UTC.
  ZONE=Europe/Warsaw
  LOCAL_START="2026-12-06 13:05:00"
  STATION_CALL=qq2xyz/p
  EXPORT_BASE=qq2xyz_p
  OWN_LOCATOR=ko02md
  ADIF_COMMENT="Zawody UKF"
  CATEGORY_CAPTION='Zawody Teltólmowe          UKF - stacje indyw. i klubowe FM'
}

# "UKF - stacje indyw. i klubowe FM", the last entry (End); a VHF category takes the focus to
# the locator field, whose Tab wraps round to the callsign.
choose_category_vhf() {
  press End
  type_text "$OWN_LOCATOR"
  press Tab Tab Tab
}

vhf_contest() {
  restart_clock_from_the_blue_panel
  step "VHF QSOs"
  qso QQ1AAT space 1ko02md
  qso QQ2BBE space 2ko01hu
  qso QQ3CCL Return 3jo91cd
  qso QQ9AAA space 4ko12ab
  type_text QQ4D
  press Escape
  step "PageUp: 12:06"
  press Prior
  qso QQ4DDO space 5kn09xx
  wait_clock
  qso QQ5EEM space 6ko02me
  step "a repeated QSO: the red panel over the list"
  type_repeated_callsign QQ2BBE
  press space
  type_text 7ko01hu
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
  step "a bad locator confirmed"
  questioned_qso QQ6FFF 8ko00zz alt+t
  step "a group without a serial number declined, then mended"
  questioned_qso QQ7GGG ko01hu Return
  press Home
  type_text 9
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
  step "Alt+M twice: no mode, then FM again"
  press alt+m alt+m
  qso QQ8HHT space 10jo90ab
  qso QQ0IIE space 11ko22cc
  step "PageDown: 12:04; the eighth letter, +20"
  press Next
  qso QQ1JJL space 12ko03md
  wait_clock
  step "a bonus station typed: the status line gives its distance, bearing and points"
  remember_status
  type_text QQ9BBB/P
  press space
  type_text 13ko02aa
  wait_status_change "what QQ9BBB/P would score"
  screenshot "$MAIN" "$SHOTS/status-line-$ROUND.png"
  press Return
  LOGGED=$((LOGGED + 1))
  wait_lines "$LOG" "$LOGGED"
  qso QQ2KKT space 14jo81xx
  qso QQ3LLA space 15ko11ll
  qso QQ4MMB space 16kn19aa
  qso QQ5NNC space 17ko04md
  qso QQ6OOD space 18jo82ll
  qso QQ7PPF space 19ko02md
}

vhf_corrections() {
  step "right click on the first line: Zmień odebraną grupę kontrolną"
  select_line 0
  click_at "$MAIN" "$LIST_X" "$FIRST_ROW_Y" 3
  wait_menu
  # Zmień datę QSO, Zmień czas QSO, Zmień znak..., Zmień nadaną..., Zmień odebraną...
  press Down Down Down Down Down Return
  answer_input_box 'Zmiana odebranej grupy kontrolnej' '1 ko02ma'
  wait_text "$LOG" "1KO02MA"

  step "context-menu key on QQ3LLA: Usuń QSO"
  delete_line_with_menu_key 14
}

choose_category() { "choose_category_$ROUND"; }

# --- The run -----------------------------------------------------------------------------

"${ROUND}_settings"
start_x_server
start_window_manager
start_screen_reader_listener
install_program

step "first start"
start_program
fill_station_dialog
[ "$(xdotool getwindowname "$MAIN")" = "$CATEGORY_CAPTION" ] || fail "wrong main window caption"
remember_clock
"${ROUND}_contest"
"${ROUND}_corrections"

step "Przelicz, with the last line selected; the focus back in the callsign field"
select_line 0
press End
click_recalculate
type_repeated_callsign "$WORKED_CALLSIGN"
press Escape
export_cabrillo
export_adif
step "a worked callsign typed after the exports: the red panel over the list"
type_repeated_callsign "$WORKED_CALLSIGN"
screenshot "$MAIN" "$SHOTS/main-window-$ROUND.png"
press Escape
crop_log_and_score "$SHOTS/main-window-$ROUND.png" "$WORK/before-restart.png"
end_program
check_files

step "restart: the same log and score"
start_program
wait_main
[ "$(xdotool getwindowname "$MAIN")" = "$CATEGORY_CAPTION" ] || fail "wrong caption after restart"
screenshot "$MAIN" "$WORK/restarted.png"
crop_log_and_score "$WORK/restarted.png" "$WORK/after-restart.png"
same_picture "$WORK/before-restart.png" "$WORK/after-restart.png" ||
  fail "the log list or the score looks different after the restart"
# The claimed score of a fresh export is the score the start-up recalculated.
export_cabrillo
check_file "$EXPORT_BASE.cbr" "$PREFIX/$EXPORT_BASE.cbr"
end_program
step "passed"
