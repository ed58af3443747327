#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# As root it installs what is missing; otherwise it prints the command.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  libsdl2-dev libasound2-dev libx11-dev libfreetype-dev libfontconfig-dev zlib1g-dev libcups2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra
  poppler-utils espeak-ng xvfb
  # the tests of a lost X display and of the focus run the program under a
  # window manager; the focus tests press the mouse through XTest
  openbox libxtst-dev
  # the printing tests start a print server of their own with PDF queues
  cups-daemon cups-client cups-filters
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

if [ "$(id -u)" -ne 0 ]; then
  echo "These packages are missing. Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}"
