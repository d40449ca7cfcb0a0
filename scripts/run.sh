#!/usr/bin/env bash
# Installs what is missing, builds the program, installs it into its own folder and starts it.
# The log and settings files live beside the installed executable, so rebuilding or deleting
# the build folder never touches a contest log.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ZT_PREFIX="${ZT_PREFIX:-$HOME/ZawodyTeltolmowe}"
zt_install_packages "${ZT_BUILD_PACKAGES[@]}"
cd "$ZT_ROOT"
cmake --preset release >/dev/null
cmake --build --preset release
cmake --install build/release --prefix "$ZT_PREFIX" >/dev/null
echo "Installed in $ZT_PREFIX (the log and settings files are kept there)."
exec "$ZT_PREFIX/zawody_teltolmowe"
