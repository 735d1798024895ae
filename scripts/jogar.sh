#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it from data/, the
# folder whose pictures it loads.
set -euo pipefail
RAIZ="$(cd "$(dirname "$0")/.." && pwd)"
bash "$RAIZ/scripts/instalar-dependencias.sh"
cmake -S "$RAIZ" -B "$RAIZ/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$RAIZ/build" -j2 --target ritmuro
cd "$RAIZ/data"
exec "$RAIZ/build/ritmuro"
