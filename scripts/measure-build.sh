#!/usr/bin/env bash
# Measures what a build costs: a cold build of the default target (what ./test.sh builds) without
# ccache, then the rebuilds after touching a runtime header every file sees and the grid's header.
#
#   scripts/measure-build.sh <source folder> <new build folder> [jobs] [cmake options...]
#
# Prints one line per step: CPU seconds (user, system), wall seconds, build steps, and the peak of
# the summed resident memory of all the build's processes at once (sampled every 0.2 s;
# /usr/bin/time's own figure is only the largest single process). Give the same jobs and cores (e.g.
# under `taskset -c 0-3`) to both trees being compared, in one sitting, and say what else ran.
# The touch steps change the time stamps of two headers in the source folder.
set -euo pipefail
src="$(cd "$1" && pwd)"; build="$2"; jobs="${3:-4}"; shift 2; [ $# -gt 0 ] && shift
export CCACHE_DISABLE=1
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null

# step <name> <command...>: runs the command in a session of its own under /usr/bin/time, sums
# the resident memory of all processes of that session every 0.2 s, and prints the figures.
step() {
  local name="$1"; shift
  local out="$build/measure-$name"
  setsid /usr/bin/time -f '%U %S %e' -o "$out.time" "$@" > "$out.log" 2>&1 &
  local session=$! peak=0 sum
  while kill -0 "$session" 2>/dev/null; do
    sum=$(ps -o rss= -s "$session" 2>/dev/null | awk '{s+=$1} END {print s+0}')
    [ "$sum" -gt "$peak" ] && peak=$sum
    sleep 0.2
  done
  wait "$session"
  local user sys wall steps
  read -r user sys wall < "$out.time"
  steps=$(grep -c '^\[' "$out.log" || true)
  printf '%-11s user %6.0f s  system %5.0f s  wall %5.0f s  steps %4d  peak memory %5.2f GB\n' \
    "$name" "$user" "$sys" "$wall" "$steps" "$(awk "BEGIN {print $peak / 1048576}")"
}

step cold ninja -C "$build" -j "$jobs"
touch "$src/platform/rtl/Types.h"
step Types.h ninja -C "$build" -j "$jobs"
touch "$src/grid/DBGridGx.h"
step DBGridGx.h ninja -C "$build" -j "$jobs"
