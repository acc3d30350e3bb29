#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# One short run of a fuzz target: fuzz/smoke.sh <target> <seconds> <corpus>.
# What it finds new goes to a scratch folder, never into the kept corpus.
set -e
found="${TMPDIR:-/tmp}/found"
mkdir -p "$found"
exec "$1" -max_total_time="$2" -rss_limit_mb=2560 -print_final_stats=1 "$found" "$3"
