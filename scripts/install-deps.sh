#!/usr/bin/env bash
# Installs what the build, the tests and the program need on Debian 12; skips what is there.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl1-mesa-dev
  libsqlite3-dev sqlite3 libxlsxwriter-dev zlib1g-dev
  googletest libgtest-dev libbenchmark-dev
  xdg-utils fonts-dejavu-core fonts-liberation
  poppler-utils unzip xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
