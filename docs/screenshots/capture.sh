#!/usr/bin/env bash
# Photographs the desktop program into this folder: main-window.png (the filled poster grid) and
# play-page.png (the player after a line change and a history entry played again), on a private Xvfb, against a
# loopback catalogue and parse service. Usage: docs/screenshots/capture.sh [build folder]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
exec "$root/tests/platform/qt/with_display.sh" "$build/bin/morvessa-screenshots" "$here"
