#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one test binary with private HOME, XDG and TMPDIR folders so that no
# test sees the user's settings or another test's files. With --desktop the
# test runs on the desktop rig's X display (scripts/desktop-rig); without the
# rig it is skipped (exit 77), so a plain ctest still passes.
platform=offscreen
if [ "$1" = "--desktop" ]; then
  shift
  if [ -z "$LUMENFOLIO_RIG_DISPLAY" ]; then
    echo "skipped: needs the desktop rig (scripts/desktop-rig ctest -L desktop)"
    exit 77
  fi
  platform=xcb
  DISPLAY=$LUMENFOLIO_RIG_DISPLAY
  export DISPLAY
  unset WAYLAND_DISPLAY
fi
root=$(mktemp -d "${TMPDIR:-/tmp}/lf-test.XXXXXX") || exit 1
mkdir -p "$root/home" "$root/config" "$root/data" "$root/cache" "$root/tmp" "$root/run"
chmod 700 "$root/run"
HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" \
XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/run" TMPDIR="$root/tmp" \
QT_QPA_PLATFORM=$platform "$@"
rc=$?
rm -rf "$root"
exit $rc
