#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless: the test suite, the
# core's tests built for Windows and run under wine, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzzers of the core (about a minute each; ZT_FUZZ_SECONDS
# changes it). Any failure or finding fails the script; its last lines are the main suite's ctest
# summary.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

zt_install_packages "${ZT_BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev
# The end-to-end tests: a real X window under Xvfb, driven by xdotool beside a light window
# manager, the clock held by libfaketime, screenshots by ImageMagick, and a screen reader's
# listener on the accessibility bus; Hamlib's rigctld and rigctl for the radio's run.
zt_install_packages xvfb xdotool x11-utils openbox faketime imagemagick tzdata \
  dbus-daemon dbus-bin at-spi2-core python3-gi gir1.2-atspi-2.0 libhamlib-utils
# cwdaemon for the CW run, keyed without hardware.
zt_install_packages cwdaemon
command -v npm >/dev/null || zt_install_packages nodejs npm
# Third-party readers of the exports: TrustedQSL's library and PyQSO, run by Debian's python3.
zt_install_packages trustedqsl pyqso python3
cd "$ZT_ROOT"
cmake --preset testing >/dev/null
cmake --build --preset testing
# A third-party ADIF reader checks the exported files.
if [ ! -d build/testing/npm/node_modules/adif-parser-ts ]; then
  npm install --silent --no-save --no-audit --no-fund --prefix build/testing/npm adif-parser-ts ||
    echo "npm could not install adif-parser-ts; its check will be skipped"
fi
export QT_QPA_PLATFORM=offscreen
ctest --preset testing 2>&1 | tee build/testing/ctest-summary.log

echo "--- The core built for Windows, under wine"
"$ZT_ROOT/scripts/windows_tests.sh"

echo "--- The test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

echo "--- The fuzzers of the core"
ZT_FUZZ_SECONDS="${ZT_FUZZ_SECONDS:-60}" "$ZT_ROOT/scripts/fuzz.sh"

echo "--- The test suite"
sed -n '/tests passed/,$p' build/testing/ctest-summary.log
