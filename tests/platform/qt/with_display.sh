#!/usr/bin/env bash
# Runs a GUI test program on a private Xvfb of its own (1920x1080, 24 bits), so that tests need no display
# and never collide: Xvfb picks a free display number itself (-displayfd). Without Xvfb, the display in
# DISPLAY is used.
set -euo pipefail

if ! command -v Xvfb >/dev/null; then
  if [ -z "${DISPLAY:-}" ]; then
    echo "with_display.sh: neither Xvfb nor a DISPLAY" >&2
    exit 1
  fi
  exec "$@"
fi

work=$(mktemp -d)
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
cleanup() {
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Blocks until Xvfb is ready and has written its display number (or has died, which ends the read).
number=""
read -r number <"$work/display" || true
if [ -z "$number" ]; then
  echo "with_display.sh: Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$number"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work/runtime}"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
status=0
"$@" || status=$?
exit "$status"
