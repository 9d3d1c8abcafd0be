#!/usr/bin/env bash
# Installs the Debian packages Plenvo needs to build, run and test (clang-format
# checks the sources' format; the desktop test runs the program under Xvfb
# with openbox, drives it with xdotool, reads the table files with sqlite3 and
# takes screenshots with xwd and netpbm; the export tests read the CSV and
# iCalendar files back with Python's csv module and the icalendar package;
# the PostgreSQL store is tested against a private server started from
# PostgreSQL's own binaries, reached through Qt's QPSQL driver).
# Uses apt-get directly as root, through sudo otherwise; without either it
# names the packages and stops.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev
  libgl-dev libgtest-dev googletest
  poppler-utils
  xvfb openbox xdotool x11-utils x11-apps netpbm sqlite3
  python3 python3-icalendar
  postgresql libqt6sql6-psql libpq-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Plenvo needs these Debian packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "Run as root or install sudo, then: apt-get install ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -q
"${run[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
