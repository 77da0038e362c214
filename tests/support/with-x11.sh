#!/usr/bin/env bash
# Runs a command on an X server of its own, with the desktop a test asks for:
#
#   with-x11.sh [--wm none|openbox|tray] [--screen WxH] -- command [arguments...]
#
#   none     the bare server (Xvfb)
#   openbox  openbox as window manager, done starting before the command runs
#   tray     openbox and trayer, a notification area at the bottom right
#
# Xvfb picks a free display itself (-displayfd), so runs that start at the same
# time never get the same display. Each run has its own runtime folder
# (XDG_RUNTIME_DIR), removed at the end with everything the run started.
# A GoogleTest listing (--gtest_list_tests) runs headless, without a server.
# Exits 77 (CTest: skipped) when a tool is missing, else with the command's status.
set -u

wm=none
screen=1024x768
while (($#)); do
  case $1 in
    --wm) wm=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
(($#)) || { echo "usage: with-x11.sh [--wm none|openbox|tray] [--screen WxH] -- command..." >&2; exit 2; }

for arg in "$@"; do
  [[ $arg == --gtest_list_tests ]] && QT_QPA_PLATFORM=offscreen exec "$@"
done

tools=(Xvfb xprop)
case $wm in
  none) ;;
  openbox) tools+=(openbox) ;;
  tray) tools+=(openbox trayer xwininfo) ;;
  *) echo "with-x11.sh: unknown desktop '$wm' (none, openbox or tray)" >&2; exit 2 ;;
esac
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed (scripts/install-deps)"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/qelvo-x11.XXXXXX") || exit 1
pids=()
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null
    wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

# Waits up to 10 s for a check to pass.
wait_for() {
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
number=
display_named() { { read -r number <"$work/display"; } 2>/dev/null && [[ -n $number ]]; }
wait_for display_named || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$number
wait_for xprop -root -len 0 _NET_SUPPORTED >/dev/null 2>&1 || { echo "Xvfb on $DISPLAY takes no clients"; exit 1; }

if [[ $wm != none ]]; then
  openbox --sm-disable --startup "touch $work/openbox-ready" >/dev/null 2>&1 &
  pids+=($!)
  wait_for test -e "$work/openbox-ready" || { echo "openbox did not start"; exit 1; }
fi
if [[ $wm == tray ]]; then
  trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 \
    --SetDockType true --SetPartialStrut true >/dev/null 2>&1 &
  pids+=($!)
  tray_shown() { xwininfo -root -tree 2>/dev/null | grep -q '("panel" "trayer")'; }
  wait_for tray_shown || { echo "trayer did not start"; exit 1; }
fi

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$@"
