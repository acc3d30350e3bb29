#!/bin/sh
# Runs one test binary with private HOME, XDG and TMPDIR folders so that no
# test sees the user's settings or another test's files.
root=$(mktemp -d "${TMPDIR:-/tmp}/lf-test.XXXXXX") || exit 1
mkdir -p "$root/home" "$root/config" "$root/data" "$root/cache" "$root/tmp" "$root/run"
chmod 700 "$root/run"
HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" \
XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/run" TMPDIR="$root/tmp" \
QT_QPA_PLATFORM=offscreen "$@"
rc=$?
rm -rf "$root"
exit $rc
