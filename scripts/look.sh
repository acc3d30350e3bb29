#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program under Xvfb with openbox frames, waits, and saves a
# screenshot: scripts/look.sh OUT.png SECONDS [ARGS...]
out=$1; secs=$2; shift 2
disp=:$((90 + $$ % 9))
Xvfb $disp -screen 0 1280x1024x24 >/dev/null 2>&1 &
xpid=$!
sleep 1
DISPLAY=$disp openbox >/dev/null 2>&1 &
opid=$!
sleep 1
DISPLAY=$disp "$(dirname "$0")/../build/lumenfolio" "$@" &
apid=$!
sleep "$secs"
DISPLAY=$disp import -window root "$out"
echo "app still running: $(kill -0 $apid 2>/dev/null && echo yes || echo no)"
kill $apid $opid $xpid 2>/dev/null
wait 2>/dev/null
