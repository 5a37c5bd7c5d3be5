#!/usr/bin/env bash
# Start-up figures of the desktop program on a loopback catalogue of 30 titles with posters:
#   window  launch to the main window shown (mapped and painted)
#   grid    launch to the 30th poster cell drawn
#   rss     resident memory of the morvessa process when the grid is full, and with its WebEngine helper
#           processes added
# Goals on the reference machine: window 1.0 s, grid 2.0 s, rss 300 MB.
# Usage: bench/gui/run.sh [build folder] (default build); RUNS=n for the number of measured runs (5).
# Runs on a private Xvfb of its own; one warm-up run first fills the font and shader caches.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-5}

if [ -z "${MORVESSA_BENCH_INNER:-}" ]; then
  MORVESSA_BENCH_INNER=1 exec "$root/tests/platform/qt/with_display.sh" "$0" "$build"
fi

program="$build/bin/morvessa"
server="$build/bin/morvessa-bench-catalogue"
for f in "$program" "$server"; do
  [ -x "$f" ] || { echo "missing $f: build the default preset first" >&2; exit 1; }
done

work=$(mktemp -d)
mkfifo "$work/server-in"
"$server" <"$work/server-in" >"$work/host" 2>"$work/server.log" &
server_pid=$!
exec 7>"$work/server-in"  # the server serves while this stays open
cleanup() {
  exec 7>&-
  wait "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
until [ -s "$work/host" ]; do
  kill -0 "$server_pid" 2>/dev/null || { cat "$work/server.log" >&2; exit 1; }
  sleep 0.05
done
host=$(head -n1 "$work/host")

now_ms() { date +%s%3N; }

# Resident kB of a process and of all its descendants.
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }
tree_rss_kb() {
  local total=0 pid child
  for pid in "$@"; do
    total=$((total + $(rss_kb "$pid")))
    for child in $(cat /proc/"$pid"/task/*/children 2>/dev/null); do
      total=$((total + $(tree_rss_kb "$child")))
    done
  done
  echo "$total"
}

# One launch: prints "window_ms grid_ms rss_kb tree_rss_kb".
measure() {
  local log="$work/run.log" start pid shown grid deadline
  : >"$log"
  start=$(now_ms)
  MORVESSA_TRACE_STARTUP=1 XDG_CACHE_HOME="$work/cache" "$program" \
    --main-host "$host" --search-host "$host" --line-hosts "$host,$host,$host,$host,$host" \
    --history-file "$work/history.ini" 2>"$log" &
  pid=$!
  deadline=$(($(now_ms) + 60000))
  until grep -q "poster-grid-drawn" "$log"; do
    if [ "$(now_ms)" -gt "$deadline" ] || ! kill -0 "$pid" 2>/dev/null; then
      echo "the grid was not drawn; program output:" >&2
      cat "$log" >&2
      exit 1
    fi
    sleep 0.02
  done
  local rss tree
  rss=$(rss_kb "$pid")
  tree=$(tree_rss_kb "$pid")
  shown=$(awk '/main-window-shown/ { print $3 }' "$log")
  grid=$(awk '/poster-grid-drawn/ { print $3 }' "$log")
  kill -TERM "$pid"
  wait "$pid" || true
  echo "$((shown - start)) $((grid - start)) $rss $tree"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

measure >/dev/null  # warm-up
: >"$work/results"
for _ in $(seq "$runs"); do measure >>"$work/results"; done

printf 'morvessa start-up, %d runs on a loopback catalogue of 30 posters (load average %s)\n' \
  "$runs" "$(cut -d' ' -f1-3 /proc/loadavg)"
col() { awk -v c="$1" '{ print $c }' "$work/results"; }
printf '  window shown   median %5d ms   (min %d, max %d)   goal 1000 ms\n' \
  "$(col 1 | median)" "$(col 1 | sort -n | head -1)" "$(col 1 | sort -n | tail -1)"
printf '  grid drawn     median %5d ms   (min %d, max %d)   goal 2000 ms\n' \
  "$(col 2 | median)" "$(col 2 | sort -n | head -1)" "$(col 2 | sort -n | tail -1)"
printf '  resident       median %5d MB   (morvessa process)   goal 300 MB\n' "$(($(col 3 | median) / 1024))"
printf '  resident       median %5d MB   (with its WebEngine helper processes)\n' "$(($(col 4 | median) / 1024))"
