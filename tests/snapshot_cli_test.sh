#!/usr/bin/env bash
# End-to-end checks of vorpane-snapshot: exit codes, messages, which files appear, and the PNG.
# Usage: snapshot_cli_test.sh PATH-TO-vorpane-snapshot
set -u

if [ $# -ne 1 ] || [ ! -x "$1" ]; then
    echo "usage: $0 PATH-TO-vorpane-snapshot" >&2
    exit 2
fi
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 2

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run ARGS...: runs the tool, leaving its exit code in $rc and its output in out.txt and err.txt.
run() {
    "$tool" "$@" >out.txt 2>err.txt
    rc=$?
}

expect_rc() { # WHAT EXPECTED
    [ "$rc" -eq "$2" ] || fail "$1: expected exit code $2, got $rc; stderr: $(head -c 400 err.txt)"
}

expect_err_contains() { # WHAT TEXT
    grep -qF -- "$2" err.txt || fail "$1: expected stderr to contain '$2', got: $(head -c 400 err.txt)"
}

# Nothing but the test's own bookkeeping may be left in the directory: no picture, no temporary.
expect_no_new_files() { # WHAT
    local left
    left=$(find . -mindepth 1 ! -name out.txt ! -name err.txt ! -name blocker ! -name keep | sort | tr '\n' ' ')
    [ -z "$left" ] || fail "$1: expected no files written, found: $left"
}

png_dimension() { # FILE OFFSET -> the big-endian 32-bit number at OFFSET
    od -An -tu1 -j "$2" -N4 "$1" | awk '{ print ($1 * 16777216) + ($2 * 65536) + ($3 * 256) + $4 }'
}

expect_png() { # WHAT FILE WIDTH HEIGHT
    if [ ! -s "$2" ]; then
        fail "$1: expected PNG $2, found none"
        return
    fi
    local signature width height
    signature=$(od -An -tx1 -N16 "$2" | tr -d ' \n')
    [ "$signature" = "89504e470d0a1a0a0000000d49484452" ] ||
        fail "$1: expected a PNG signature and IHDR chunk, got bytes $signature"
    width=$(png_dimension "$2" 16)
    height=$(png_dimension "$2" 20)
    [ "$width" = "$3" ] && [ "$height" = "$4" ] || fail "$1: expected a $3x$4 PNG, got ${width}x${height}"
}

# --help: usage on stdout, nothing else happens.
for help in --help -h; do
    run "$help"
    expect_rc "$help" 0
    grep -qF -- "usage: vorpane-snapshot" out.txt || fail "$help: expected the usage on stdout, got: $(cat out.txt)"
    for option in --size --steps --seed --out --help; do
        grep -qF -- "$option" out.txt || fail "$help: expected the usage to mention $option"
    done
    [ ! -s err.txt ] || fail "$help: expected an empty stderr, got: $(cat err.txt)"
    expect_no_new_files "$help"
done

# Usage errors: exit 2, a message naming the culprit, then the usage, and no file.
# Each case: the text stderr must name, then the arguments. Every case also asks for a file of
# its own, so a stray write would be seen.
usage_cases=(
    "--bogus|--bogus"
    "--size|--steps 0 --out u.png --size"
    "--out|--steps 0 --out"
    "0x5|--size 0x5 --steps 0 --out u.png"
    "12|--size 12 --steps 0 --out u.png"
    "10x10x|--size=10x10x --steps 0 --out u.png"
    "-1|--steps -1 --out u.png"
    "99999999999|--steps 99999999999 --out u.png"
    "4294967296|--seed 4294967296 --steps 0 --out u.png"
    "abc|--seed=abc --steps 0 --out u.png"
    "--out|--steps 0 --out="
    "--help|--help=x --out u.png"
    "40000x40000|--size 40000x40000 --steps 0 --out u.png"
)
for case in "${usage_cases[@]}"; do
    culprit=${case%%|*}
    read -r -a args <<<"${case#*|}"
    what="vorpane-snapshot ${args[*]}"
    run "${args[@]}"
    expect_rc "$what" 2
    first=$(head -n 1 err.txt)
    case "$first" in
        *"$culprit"*) ;;
        *) fail "$what: expected the first stderr line to name '$culprit', got: $first" ;;
    esac
    expect_err_contains "$what" "usage: vorpane-snapshot"
    [ ! -s out.txt ] || fail "$what: expected an empty stdout, got: $(cat out.txt)"
    expect_no_new_files "$what"
done

# A bad command line must not touch a picture that is already there.
printf 'keep me' >keep
run --size 0x5 --out keep
expect_rc "--out keep with a bad size" 2
[ "$(cat keep)" = "keep me" ] || fail "--out keep with a bad size: expected keep unchanged, got: $(head -c 40 keep)"
rm -f keep

# Unwritable destinations: an error naming the path, a failing exit code, and nothing left behind.
# The tests may run as root, which ignores directory permissions, so a regular file stands in
# the way of the directory instead.
: >blocker
for out in blocker/x.png "$work/nonexistent-dir/x.png"; do
    what="--out $out"
    run --size 16x16 --steps 0 --seed 1 --out "$out"
    [ "$rc" -ne 0 ] || fail "$what: expected a non-zero exit code, got 0"
    expect_err_contains "$what" "$out"
    [ ! -e "$out" ] || fail "$what: expected no file at $out"
    expect_no_new_files "$what"
done
rm -f blocker

# A directory in the way of the file itself: the rename fails after the temporary was written.
mkdir taken
run --size 16x16 --steps 0 --seed 1 --out taken
[ "$rc" -ne 0 ] || fail "--out taken (a directory): expected a non-zero exit code, got 0"
expect_err_contains "--out taken (a directory)" "taken"
[ -d taken ] && [ -z "$(ls -A taken)" ] || fail "--out taken (a directory): expected the directory left alone"
rmdir taken
expect_no_new_files "--out taken (a directory)"

# Pictures: the requested size, the same bytes for the same seed, a different picture otherwise.
run --seed 11 --steps 60 --size 160x120 --out a.png
expect_rc "--seed 11 (first run)" 0
expect_png "--seed 11 (first run)" a.png 160 120
run --seed=11 --steps=60 --size=160x120 --out=b.png
expect_rc "--seed 11 (second run)" 0
expect_png "--seed 11 (second run)" b.png 160 120
cmp -s a.png b.png || fail "--seed 11: expected two runs to give identical files, they differ: $(cmp a.png b.png 2>&1)"
run --seed 12 --steps 60 --size 160x120 --out c.png
expect_rc "--seed 12" 0
expect_png "--seed 12" c.png 160 120
if cmp -s a.png c.png; then
    fail "--seed 12: expected a picture different from --seed 11, got the same bytes"
fi

# A finished write replaces what was there, and leaves no temporary beside it.
run --seed 12 --steps 0 --size 90x50 --out a.png
expect_rc "--out over an existing file" 0
expect_png "--out over an existing file" a.png 90 50
leftovers=$(find . -name '*.tmp-*' | tr '\n' ' ')
[ -z "$leftovers" ] || fail "after successful runs: expected no temporary files, found: $leftovers"

# No --out: the default name in the working directory.
run --seed 3 --steps 0 --size 33x21
expect_rc "default --out" 0
expect_png "default --out" vorpane.png 33 21

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all vorpane-snapshot checks passed"
