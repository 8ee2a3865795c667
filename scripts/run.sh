#!/usr/bin/env bash
# Installs what is missing, builds, then starts Velmarin.
set -euo pipefail
cd "$(dirname "$0")/.."
# A screen first: without one, nothing is worth installing or building.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Velmarin est un programme graphique : aucun écran n'est disponible (ni DISPLAY ni WAYLAND_DISPLAY)." >&2
  echo "Lancez-le depuis une session de bureau, ou sous un écran virtuel : xvfb-run -a ./scripts/run.sh" >&2
  if ! command -v xvfb-run >/dev/null; then
    echo "(xvfb-run n'est pas encore installé : ./scripts/setup.sh l'installe, avec le reste)" >&2
  fi
  exit 1
fi
./scripts/setup.sh
./scripts/build.sh
# Qt wants a private runtime folder; a session that has none (ssh, container) gets one while
# the program runs.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  prive="$(mktemp -d)"
  trap 'rm -rf "$prive"' EXIT
  export XDG_RUNTIME_DIR="$prive"
  ./build/app/velmarin "$@"
  exit
fi
exec ./build/app/velmarin "$@"
