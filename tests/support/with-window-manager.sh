#!/bin/sh
# Runs a command on a private X server (Xvfb, 1280x1024) with a window manager
# (openbox) on it, with QT_QPA_PLATFORM=xcb; the server and the window manager
# end with the command, whose exit status is returned.
set -eu

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
wm=""
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    rm -f "$displayfile"
}
trap cleanup EXIT

waited=0
until [ -s "$displayfile" ]; do
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
done
DISPLAY=":$(cat "$displayfile")"
export DISPLAY

openbox >/dev/null 2>&1 &
wm=$!
waited=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt 100 ] || { echo "openbox did not start" >&2; exit 1; }
done

status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
exit "$status"
