#!/usr/bin/env bash
# Builds the seven programs for Linux on 64-bit ARM (preset arm64: Debian's cross
# compiler, linked statically) and runs the end-to-end transcript tests of the native
# test binaries against them under qemu-aarch64: the transcript harness starts
# "qemu-aarch64 <program>" instead of the native program, as it starts "wine
# <program>.exe" for the Windows build. The line ends and every byte are Linux's, so
# the expected output is the native one.
#
# Installs the cross compiler and qemu when missing (as root). Debian's qemu-user and
# qemu-user-static exclude each other; either one's qemu-aarch64 does, and it is
# started by name, so no binfmt registration is needed.
#
# Environment (all optional):
#   NATIVE_BUILD  native build folder holding bin/*_test (default build/test,
#                 configured with the "test" preset when it does not exist)
#   ARM64_FILTER  gtest filter of the tests (default *Transcript.*)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
NATIVE_BUILD="${NATIVE_BUILD:-$ROOT/build/test}"
FILTER="${ARM64_FILTER:-*Transcript.*}"

qemu() { command -v qemu-aarch64 || command -v qemu-aarch64-static; }
missing=()
command -v aarch64-linux-gnu-g++ >/dev/null || missing+=(g++-aarch64-linux-gnu)
qemu >/dev/null || missing+=(qemu-user)
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
QEMU="$(qemu)"

cd "$ROOT"
cmake --preset arm64 >/dev/null
cmake --build --preset arm64
if [ ! -f "$NATIVE_BUILD/CMakeCache.txt" ]; then
    if [ "$NATIVE_BUILD" = "$ROOT/build/test" ]; then
        cmake --preset test >/dev/null
    else
        echo "run-tests.sh: $NATIVE_BUILD is not a configured build folder" >&2
        exit 1
    fi
fi
cmake --build "$NATIVE_BUILD" -j2

# The programs are ARM's, and nothing else about their run changes.
export TRANSCRIPT_PROGRAMS="$ROOT/build/arm64/bin"
export TRANSCRIPT_LAUNCHER="$QEMU"
unset TRANSCRIPT_SUFFIX TRANSCRIPT_CRLF
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

ran=0
failed=()
for test in "$NATIVE_BUILD"/bin/*_test; do
    # Only binaries with matching tests; the others would just print "0 tests".
    grep -q '^  ' <<<"$("$test" --gtest_list_tests --gtest_filter="$FILTER")" || continue
    ran=$((ran + 1))
    "$test" --gtest_filter="$FILTER" --gtest_color=no --gtest_brief=1 ||
        failed+=("$(basename "$test")")
done
if [ "$ran" -eq 0 ]; then
    echo "run-tests.sh: no test matches '$FILTER'" >&2
    exit 1
fi
if [ ${#failed[@]} -gt 0 ]; then
    echo "run-tests.sh: failed under $QEMU: ${failed[*]}" >&2
    exit 1
fi
echo "arm64 under $QEMU: every test of '$FILTER' passed in $ran test binaries"
