#!/usr/bin/env bash
# Installs what building and testing Quillmarsh needs on Debian 12, skipping what is there.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev
          libcups2-dev libgl-dev fonts-dejavu-core fonts-liberation2 poppler-utils)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
