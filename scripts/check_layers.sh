#!/usr/bin/env bash
# Checks the layers of the program's code and prints every file that breaks one:
#   - only the windows (app/ and the ui/ folders) include Qt or a header of the windows;
#   - no include climbs from a lower library to a higher one, nor across to a sibling:
#       core <- rules <- corrections, settings, export, station <- session <- the windows.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

floor() {
  case "$1" in
    core) echo 0 ;;
    rules) echo 1 ;;
    corrections | settings | export | station) echo 2 ;;
    session) echo 3 ;;
    *) echo -1 ;;
  esac
}

broken=0
while IFS= read -r file; do
  case "$file" in */ui/*) continue ;; esac
  folder="${file%%/*}"
  if grep -Hn '^#include <Q' "$file"; then
    echo "$file: Qt outside the windows"
    broken=1
  fi
  while IFS= read -r included; do
    case "$included" in
      app/* | */ui/*)
        echo "$file: includes $included, a header of the windows"
        broken=1
        continue
        ;;
    esac
    target="${included%%/*}"
    [ "$(floor "$target")" -lt 0 ] && continue
    if [ "$target" != "$folder" ] && [ "$(floor "$target")" -ge "$(floor "$folder")" ]; then
      echo "$file: includes $included from the floor of $target, not below $folder"
      broken=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find core rules corrections settings export station session -name '*.h' -o -name '*.cpp' | sort)

if [ "$broken" -ne 0 ]; then
  echo "The layers are broken: see the includes above."
  exit 1
fi
echo "The layers hold: no Qt outside the windows, no include climbs a floor."
