#!/usr/bin/env bash
# The logic must not include Qt or curl: only the platform edges may.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -rnE '#\s*include\s*[<"](Q[A-Za-z]+|qt[A-Za-z/]*|curl/[a-z.]+)[>"]' src \
         --include='*.h' --include='*.cpp' |
       grep -v -E '^src/platform/qt/|^src/net/curl/' || true)
if [ -n "$hits" ]; then
  echo "platform headers included by the logic:"
  echo "$hits"
  exit 1
fi
echo "the logic includes no platform headers"
