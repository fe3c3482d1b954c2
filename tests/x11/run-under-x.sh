#!/usr/bin/env bash
# Runs the given test program on a virtual X server of its own with a window
# manager, as a user's desktop has one: mapping, activation and the close
# button are the window manager's, and the offscreen platform hides them.
# Exits 77 (skipped), naming what is missing, where the server, the window
# manager or a tool the tests drive it with is not installed: without them
# a test would not fail, it would not try.
set -uo pipefail
missing=""
for tool in Xvfb:xvfb openbox:openbox xdotool:xdotool xwininfo:x11-utils xprop:x11-utils; do
  command -v "${tool%%:*}" >/dev/null || missing+="${missing:+, }${tool%%:*} (Debian package ${tool#*:})"
done
[ -z "$missing" ] || { echo "X window tests skipped: missing $missing"; exit 77; }
dir=$(mktemp -d)
trap 'kill $wm $server 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT
# -displayfd picks a free display and says which once it listens.
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
server=$!
for _ in $(seq 1200); do [ -s "$dir/display" ] && break; kill -0 $server 2>/dev/null || break; sleep 0.05; done
[ -s "$dir/display" ] || { cat "$dir/xvfb.log"; echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$dir/display")"
HOME="$dir" openbox --sm-disable >"$dir/openbox.log" 2>&1 &
wm=$!
# Until the window manager manages the screen, a window is neither framed
# nor given the focus and its keys go nowhere: a cold machine takes seconds,
# a loaded one longer (the minute only ends a hang).
for _ in $(seq 1200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  kill -0 $wm 2>/dev/null || break
  sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  { cat "$dir/openbox.log"; echo "openbox did not start managing the screen"; exit 1; }
# Under the sanitizers: what the desktop's libraries keep is not ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/lsan.supp"
QT_QPA_PLATFORM=xcb "$@"
