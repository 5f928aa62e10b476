#!/usr/bin/env bash
# Builds the fuzz targets (preset `fuzz`: clang, libFuzzer, ASan + UBSan) and runs each
# for the given seconds (default 60) on a copy of its seed corpus in
# <program folder>/fuzz/corpus/<target>/, so the repository's corpus stays as it is. Prints the executions each target reached;
# exits non-zero when a target finds a crash, a leak, a timeout or a broken invariant.
# The inputs that did it are kept in build/fuzz/findings/<target>/.
#
#   fuzz/run.sh          # one minute per target
#   fuzz/run.sh 3600     # an hour per target
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if ! command -v clang++ >/dev/null ||
    ! compgen -G "/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends clang libclang-rt-14-dev
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Every save syncs its file to the disk; in memory (tmpfs) that costs nothing, so the
# targets that save run many times more inputs there.
scratch=${TMPDIR:-/tmp}
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then scratch=/dev/shm; fi
work=$(mktemp -d "$scratch/fuzz-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
findings="$root/build/fuzz/findings"
status=0
for seeds in */fuzz/corpus/*/; do
    name=$(basename "$seeds")
    target="build/fuzz/bin/${name}_fuzz"
    if [ ! -x "$target" ]; then
        echo "fuzz: $name not built (its program folder is not part of the build)"
        continue
    fi
    mkdir -p "$work/$name/corpus" "$work/$name/artifacts" "$work/$name/tmp"
    cp "$seeds"* "$work/$name/corpus/"
    log="$work/$name/log"
    # Standard input from /dev/null: the programs must never wait on a terminal here.
    # -timeout catches an input that makes a program loop without reading.
    # The harness's own folder goes under TMPDIR; libFuzzer ends without exit handlers.
    if TMPDIR="$work/$name/tmp" "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/$name/artifacts/" \
        "$work/$name/corpus" </dev/null >"$log" 2>&1; then
        result=ok
    else
        result=FAILED
        status=1
        mkdir -p "$findings/$name"
        cp "$work/$name/artifacts/"* "$findings/$name/" 2>/dev/null || true
        tail -n 60 "$log"
    fi
    executions=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    corpus=$(ls "$work/$name/corpus" | wc -l)
    if [ "$result" = ok ]; then
        printf 'fuzz: %-12s %12s executions in %ss, corpus %s inputs: ok\n' \
            "$name" "${executions:-?}" "$seconds" "$corpus"
    else
        printf 'fuzz: %-12s FAILED after %s executions\n' "$name" "${executions:-?}"
    fi
done
[ "$status" -eq 0 ] || echo "fuzz: findings kept in $findings"
exit "$status"
