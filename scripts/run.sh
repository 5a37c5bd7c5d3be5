#!/usr/bin/env bash
# Installs what is needed, builds, and starts the desktop program (on the bundled demo catalogue when no
# host option is given). Arguments are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target morvessa
exec build/bin/morvessa "$@"
