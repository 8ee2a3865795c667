#!/usr/bin/env bash
# Installs the Debian packages Velmarin needs to build, run and test, when they are missing.
set -euo pipefail

PAQUETS=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-multimedia-dev
  libgl-dev
  fonts-dejavu-core
  fonts-liberation2
  xvfb xauth socat poppler-utils gstreamer1.0-plugins-good
  openbox xdotool x11-utils
  clang libclang-rt-14-dev
)

manquants=()
for p in "${PAQUETS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    manquants+=("$p")
  fi
done

if [ ${#manquants[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "Installation des paquets manquants : ${manquants[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${manquants[@]}"
