#!/usr/bin/env bash
# Builds the core and its tests for Windows with mingw-w64 (the `windows` preset) and runs them
# under wine. The wine prefix is the build's own (build/windows/wine), the temporary folder, in
# which every test makes its data folder, is named with Polish letters, and the zone is Warsaw's.
# GoogleTest's own output follows the build; a failing test fails the script.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zt_install_packages cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine64
cd "$ZT_ROOT"
cmake --preset windows >/dev/null
cmake --build --preset windows

wine=/usr/lib/wine/wine64
export WINEPREFIX="$ZT_ROOT/build/windows/wine" WINEDEBUG=-all LC_ALL=C.UTF-8
# Console programs only: without a display wine opens no window and asks nothing.
unset DISPLAY
# The prefix's server would linger for a few seconds after the last program.
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
[ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot --init >/dev/null 2>&1

temporary="$ZT_ROOT/build/windows/dane zawodów ąęłóśżźćń"
rm -rf "$temporary"
mkdir -p "$temporary"
# Wine gives its programs TMP and TEMP from the prefix's registry, not from this environment.
# Drive Z: is the machine's root.
windows_temporary="Z:${temporary//\//\\}"
for name in TMP TEMP; do
  "$wine" reg add 'HKCU\Environment' /v "$name" /t REG_SZ /d "$windows_temporary" /f >/dev/null
done
# A program under wine must find a file of that folder through its own TMP.
echo "TMP" >"$temporary/probe"
if ! "$wine" cmd /c 'cd /d %TMP% && type probe' >/dev/null 2>&1; then
  echo "wine does not give its programs the temporary folder $temporary"
  exit 1
fi
rm "$temporary/probe"

TZ=Europe/Warsaw "$wine" build/windows/tests/core_tests.exe
