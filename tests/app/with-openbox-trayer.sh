#!/bin/sh
# Runs a test program on its own Xvfb server with openbox as window manager
# and trayer as notification area. Exits 77 (the test is skipped) when one of
# the tools is missing.
for tool in xvfb-run openbox xprop xdotool trayer; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
ready=$(mktemp -u "${TMPDIR:-/tmp}/qelvo-openbox.XXXXXX")
trap 'rm -f "$ready"' EXIT
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  ready=$1; shift
  openbox --sm-disable --startup "touch $ready" >/dev/null 2>&1 &
  manager=$!
  tries=0
  while [ ! -e "$ready" ]; do
    tries=$((tries + 1))
    [ "$tries" -gt 100 ] && { echo "openbox did not start"; kill "$manager"; exit 1; }
    sleep 0.1
  done
  trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 --SetDockType true --SetPartialStrut true >/dev/null 2>&1 &
  tray=$!
  "$@"
  status=$?
  kill "$tray" "$manager" 2>/dev/null
  exit $status' with-openbox-trayer "$ready" "$@"
