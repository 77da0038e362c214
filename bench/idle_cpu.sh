#!/usr/bin/env bash
# The widget's processor use while it sits shown and idle: the program on its
# own Xvfb server with openbox and trayer, quotes from the loopback fake
# services, the mouse away from its windows. After start-up it is left alone
# for a while (60 s by default, three 20-second refreshes included) and the
# processor time it used is reported as a share of one core.
#   bench/idle_cpu.sh [build folder] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

measure() {
  local build=$1 seconds=$2 port=8801 folder
  folder=$(mktemp -d)
  trap 'rm -rf "$folder"' RETURN
  cp "$build/app/qelvo" "$folder/"
  printf '%s\r\n' sh000001 sz399001 sh600519 sh601318 sh600036 sz000858 sz000001 >"$folder/Stocks.cfg"
  "$build/tests/fixtures/qelvo-fake-services" --port "$port" >/dev/null &
  local fakes=$!
  sleep 0.5
  http_proxy=http://127.0.0.1:$port/ QT_QPA_PLATFORM=xcb "$folder/qelvo" 2>/dev/null &
  local program=$!
  sleep 5 # start-up and the first refresh
  xdotool mousemove 0 0
  local hz ticks_before ticks_after
  hz=$(getconf CLK_TCK)
  ticks_before=$(awk '{print $14 + $15}' "/proc/$program/stat")
  sleep "$seconds"
  ticks_after=$(awk '{print $14 + $15}' "/proc/$program/stat")
  local refreshed=no
  [ -s "$folder/Stocks.dat" ] && refreshed=yes
  echo "quotes refreshed from the fake services: $refreshed"
  kill "$program" "$fakes"
  wait "$program" "$fakes" 2>/dev/null || true
  awk -v t=$((ticks_after - ticks_before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle: %.2f s of processor time in %d s = %.3f%% of one core\n", t / hz, s, 100 * t / hz / s }'
}
if [ "${1:-}" = --inside ]; then
  measure "$2" "$3"
  exit
fi
build=${1:-build}
seconds=${2:-60}
cmake --build "$build" --target qelvo qelvo-fake-services >/dev/null
tests/app/with-openbox-trayer.sh "$0" --inside "$build" "$seconds"
