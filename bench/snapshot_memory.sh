#!/usr/bin/env bash
# Peak memory of vorpane-snapshot at 1920x1080: the heap (heaptrack) and the resident set (time).
# The resident set includes Mesa's own floor: its LLVM-based renderer maps ~75 MB for an empty
# 1920x1080 context before Vorpane allocates anything.
# Run: bash bench/snapshot_memory.sh [build/native/snapshot/vorpane-snapshot]
set -euo pipefail
tool=${1:-build/native/snapshot/vorpane-snapshot}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export LP_NUM_THREADS=0

/usr/bin/time -f "peak resident set: %M KB" "$tool" --seed 7 --size 1920x1080 --out "$out/a.png"
if command -v heaptrack >/dev/null; then
    heaptrack -o "$out/trace" "$tool" --seed 7 --size 1920x1080 --out "$out/b.png" >/dev/null 2>&1
    heaptrack_print "$out"/trace.* 2>/dev/null | grep -E 'peak heap memory consumption'
else
    echo "heaptrack is not installed: no heap figure" >&2
fi
