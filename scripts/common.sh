# Shared by the quick-start scripts: installs the Debian packages that are missing.
set -euo pipefail

ZT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

zt_install_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the program needs.
ZT_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl-dev)
