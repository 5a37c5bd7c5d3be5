#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite (GUI tests under Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DMORVESSA_WERROR=ON)
cmake --preset default "${extra[@]}" >/dev/null
cmake --build --preset default -j "$(nproc)"
ctest --preset default
