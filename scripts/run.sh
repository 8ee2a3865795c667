#!/usr/bin/env bash
# Installs what is missing, builds, then starts Velmarin.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Velmarin est un programme graphique : aucun écran n'est disponible (ni DISPLAY ni WAYLAND_DISPLAY)." >&2
  echo "Lancez-le depuis une session de bureau, ou sous un écran virtuel : xvfb-run ./scripts/run.sh" >&2
  exit 1
fi
exec ./build/app/velmarin "$@"
