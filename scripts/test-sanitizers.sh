#!/usr/bin/env bash
# Builds the logic and its tests under AddressSanitizer+UBSan and under ThreadSanitizer, and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for preset in ${1:-asan tsan}; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset" --label-exclude gui
done
