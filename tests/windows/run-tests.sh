#!/usr/bin/env bash
# Builds the Windows programs and runs the end-to-end transcript tests and the
# console test against the .exe files under Wine, headless. The tests themselves
# are the native test binaries: the transcript harness starts "wine <program>.exe"
# instead of the native program and expects CR LF line ends on standard output.
#
# The 32-bit programs are the target and are always built; the tests run against
# them under 32-bit Wine. Some x86-64 kernels cannot execute 32-bit code at all
# (built without IA32 emulation); there the same sources are built as 64-bit
# programs (preset windows64) and the tests run against those under wine64.
#
# Environment (all optional):
#   WINDOWS_ARCH     32 or 64: the programs the tests run against (default: 32 where
#                    the kernel can execute 32-bit code, else 64)
#   NATIVE_BUILD     native build folder holding bin/*_test (default build/test,
#                    configured with the "test" preset when it does not exist)
#   WINDOWS_BUILD    32-bit cross build folder (default build/windows, "windows" preset)
#   WINDOWS64_BUILD  64-bit cross build folder (default build/windows64, "windows64")
#   WINDOWS_FILTER   gtest filter of the tests (default *Transcript.*:*WindowsConsole*)
#   WINEPREFIX       Wine prefix for the runs (default $HOME/.wine-tests, or
#                    $HOME/.wine-tests64 for the 64-bit programs)
#   WINDOWS_ALLOW_NO_TESTS=1  do not fail when no test matches the filter
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
NATIVE_BUILD="${NATIVE_BUILD:-$ROOT/build/test}"
WINDOWS_BUILD="${WINDOWS_BUILD:-$ROOT/build/windows}"
WINDOWS64_BUILD="${WINDOWS64_BUILD:-$ROOT/build/windows64}"
FILTER="${WINDOWS_FILTER:-*Transcript.*:*WindowsConsole*}"

# ---- 32 or 64 bits ---------------------------------------------------------------
# Decided before Wine is started: a kernel without IA32 emulation fails Wine's 32-bit
# loader with "Exec format error". The probe is the smallest static 32-bit program
# that exits 0; it is written beside the builds, where programs may be executed.

can_run_32bit() {
    local probe status=0
    mkdir -p "$ROOT/build"
    probe="$(mktemp "$ROOT/build/ia32-probe.XXXXXX")"
    {
        # ELF header: 32-bit, little endian, executable for i386, entry 0x08048054,
        # one program header right after it.
        printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
        printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
        printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
        # The one segment: the whole 93-byte file, readable and executable, at 0x08048000.
        printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
        printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
        # mov eax, 1 (exit); xor ebx, ebx (status 0); int 0x80
        printf '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'
    } >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" -eq 0 ]
}

ARCH="${WINDOWS_ARCH:-}"
case "$ARCH" in
32) ;;
64) echo "run-tests.sh: WINDOWS_ARCH=64: the tests run against the 64-bit Windows build under wine64" ;;
"")
    ARCH=32
    if ! can_run_32bit; then
        ARCH=64
        echo "run-tests.sh: this kernel cannot execute 32-bit programs: the tests run against the 64-bit Windows build under wine64"
    fi
    ;;
*)
    echo "run-tests.sh: WINDOWS_ARCH must be 32 or 64, not '$ARCH'" >&2
    exit 2
    ;;
esac

"$ROOT/tests/windows/install.sh" "$ARCH"

# ---- The builds ----------------------------------------------------------------

cd "$ROOT"
# Configures (with the preset, for its own folder) and builds one cross build.
cross_build() {
    local preset="$1" folder="$2" toolchain="$3"
    if [ "$folder" = "$ROOT/build/$preset" ]; then
        cmake --preset "$preset" >/dev/null
    else
        cmake -S "$ROOT" -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DSANITIZE=OFF \
            -DWARNINGS_AS_ERRORS=ON >/dev/null
    fi
    cmake --build "$folder" -j2
}
# The 32-bit programs are the target: they build on every path.
cross_build windows "$WINDOWS_BUILD" mingw-i686.cmake
TESTED_BUILD="$WINDOWS_BUILD"
if [ "$ARCH" = 64 ]; then
    cross_build windows64 "$WINDOWS64_BUILD" mingw-x86_64.cmake
    TESTED_BUILD="$WINDOWS64_BUILD"
fi

if [ ! -f "$NATIVE_BUILD/CMakeCache.txt" ]; then
    if [ "$NATIVE_BUILD" = "$ROOT/build/test" ]; then
        cmake --preset test >/dev/null
    else
        echo "run-tests.sh: $NATIVE_BUILD is not a configured build folder" >&2
        exit 1
    fi
fi
cmake --build "$NATIVE_BUILD" -j2

# ---- Wine, headless ------------------------------------------------------------

if [ "$ARCH" = 32 ]; then
    export WINEPREFIX="${WINEPREFIX:-${HOME:-/tmp}/.wine-tests}"
    export WINEARCH=win32
    WINE=wine
else
    export WINEPREFIX="${WINEPREFIX:-${HOME:-/tmp}/.wine-tests64}"
    export WINEARCH=win64
    # Not "wine": Debian's wine script takes the 32-bit loader whenever wine32 is there.
    WINE="$(command -v wine64 || echo /usr/lib/wine/wine64)"
fi
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and Wine would offer to install them.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX (once)..."
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1 || {
        echo "run-tests.sh: Wine could not set up $WINEPREFIX" >&2
        exit 1
    }
    wineserver -w
fi

# A persistent wineserver, with Wine's helper processes started here once. Else
# the first program of every run starts them, they inherit its standard output,
# and the harness waits seconds for that pipe to close after each program.
# A server already running on this prefix (another run) is used, and left running.
if wineserver -p 2>/dev/null; then
    trap 'wineserver -k 2>/dev/null || true' EXIT
fi
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1

# ---- The tests -----------------------------------------------------------------

export TRANSCRIPT_PROGRAMS="$TESTED_BUILD/bin"
export TRANSCRIPT_SUFFIX=".exe"
export TRANSCRIPT_LAUNCHER="$WINE"
export TRANSCRIPT_CRLF=1
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

passed=0
failed=0
skipped=0
broken=()
shopt -s nullglob
for test in "$NATIVE_BUILD"/bin/*_test; do
    [ -x "$test" ] || continue
    # Only binaries with matching tests; the others would just print "0 tests".
    listing="$("$test" --gtest_list_tests --gtest_filter="$FILTER")"
    if ! grep -q '^  ' <<<"$listing"; then continue; fi
    log="$(mktemp)"
    set +e
    "$test" --gtest_filter="$FILTER" --gtest_color=no >"$log" 2>&1
    status=$?
    set -e
    cat "$log"
    ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)
    bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
    skip=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
    passed=$((passed + ${ok:-0}))
    failed=$((failed + ${bad:-0}))
    skipped=$((skipped + ${skip:-0}))
    if [ "$status" -ne 0 ] && [ -z "$bad" ]; then broken+=("$(basename "$test")"); fi
    rm -f "$log"
done

# ---- The database file across the two builds ------------------------------------
# "fh-datenbank.txt" is the same bytes on both platforms: records typed into either
# build save identically, and a file saved by one build loads in the other.

# Runs one build of datenbank ("native-..." or "wine-...") in a fresh folder holding
# the given file (or none), with the file's mode set when one is given. Leaves
# standard output in $work/<name>.out, the exit status in $work/<name>.status, the
# saved file (if any) in $work/<name>.txt and the names of any other files left in
# the folder in $work/<name>.rest.
datenbank() {
    local name="$1" file="$2" keys="$3" mode="${4:-}" dir
    dir="$(mktemp -d)"
    if [ -n "$file" ]; then cp "$file" "$dir/fh-datenbank.txt"; fi
    if [ -n "$mode" ]; then chmod "$mode" "$dir/fh-datenbank.txt"; fi
    local run=("$NATIVE_BUILD/bin/datenbank")
    if [ "${name%%-*}" = wine ]; then run=("$WINE" "$TESTED_BUILD/bin/datenbank.exe"); fi
    set +e
    (cd "$dir" && printf '%b' "$keys" | timeout 60 "${run[@]}" >"$work/$name.out" 2>/dev/null)
    echo "$?" >"$work/$name.status"
    set -e
    rm -f "$work/$name.txt"
    if [ -f "$dir/fh-datenbank.txt" ]; then cp "$dir/fh-datenbank.txt" "$work/$name.txt"; fi
    ls -A "$dir" | grep -vx 'fh-datenbank.txt' >"$work/$name.rest" || true
    rm -rf "$dir"
}

check() {
    if "${@:2}"; then
        passed=$((passed + 1))
        echo "[       OK ] DatenbankCrossBuild.$1"
    else
        failed=$((failed + 1))
        echo "[  FAILED  ] DatenbankCrossBuild.$1"
    fi
}

same() { cmp -s "$1" "$2"; }
# The file holds exactly these bytes (printf escapes).
holds() { [ -f "$1" ] && cmp -s "$1" <(printf '%b' "$2"); }
# Windows output is the native output with CR LF for every LF, and not empty.
sameButLineEnds() { [ -s "$1" ] && cmp -s <(sed -z 's/\n/\r\n/g' "$1") "$2"; }
loaded() { grep -q 'Datenbank eingelesen\.' "$1" && ! grep -q 'Fehler' "$1"; }
endedWell() {
    local name
    for name in "$@"; do [ "$(cat "$work/$name.status")" = 0 ] || return 1; done
}

if [ -x "$NATIVE_BUILD/bin/datenbank" ] && [ -f "$TESTED_BUILD/bin/datenbank.exe" ]; then
    work="$(mktemp -d)"
    # Two new students; the first logs in and registers for exam 2, so the file
    # carries a count and a slot besides the defaults. Then save and quit.
    enter='n123 Anna Meier anna.meier 555\nn7 Bob Ko b@x 1\nbl123\nn2\n00s0'
    newest='7 Ko Bob b@x 1 0 -1 -1 -1 -1 \r\n'
    anna='123 Meier Anna anna.meier 555 1 -1 1 -1 -1 \r\n'
    datenbank native-new "" "$enter"
    datenbank wine-new "" "$enter"
    check NewRecordsSaveTheExpectedBytes holds "$work/native-new.txt" "$newest$anna"
    check NewRecordsSaveTheSameBytes same "$work/native-new.txt" "$work/wine-new.txt"
    check DialogueIsTheSameButForLineEnds sameButLineEnds "$work/native-new.out" "$work/wine-new.out"
    # Load, list, save: a file from the other build must load whole and save alike.
    reload='lp s0'
    datenbank native-own "$work/native-new.txt" "$reload"
    datenbank wine-native "$work/native-new.txt" "$reload"
    datenbank wine-own "$work/wine-new.txt" "$reload"
    datenbank native-wine "$work/wine-new.txt" "$reload"
    check WindowsLoadsTheNativeFile loaded "$work/wine-native.out"
    check NativeLoadsTheWindowsFile loaded "$work/native-wine.out"
    check WindowsListsTheNativeFileAlike sameButLineEnds "$work/native-own.out" "$work/wine-native.out"
    check NativeListsTheWindowsFileAlike sameButLineEnds "$work/native-wine.out" "$work/wine-own.out"
    # Loading reverses the order, so the saved file does too.
    check WindowsResavesTheNativeFile holds "$work/wine-native.txt" "$anna$newest"
    check NativeResavesTheWindowsFile holds "$work/native-wine.txt" "$anna$newest"
    # A file without write permission is read-only to Windows: never replaced.
    datenbank wine-readonly "$work/native-new.txt" 'n9 X Y z w\ns0' 0444
    check WindowsRefusesToReplaceAReadOnlyFile grep -q 'Fehler beim Speichern!' "$work/wine-readonly.out"
    check WindowsLeavesTheReadOnlyFileWhole same "$work/wine-readonly.txt" "$work/native-new.txt"
    check NoSaveLeavesATemporaryFile eval '! cat "$work"/*.rest | grep -q .'
    check EveryRunEndedWithStatusZero endedWell native-new wine-new native-own wine-native \
        wine-own native-wine wine-readonly
    rm -rf "$work"
else
    failed=$((failed + 1))
    echo "[  FAILED  ] DatenbankCrossBuild: a build of datenbank is missing" >&2
fi

echo "Wine ($ARCH-bit programs): $passed passed, $failed failed, $skipped skipped"
if [ "${#broken[@]}" -gt 0 ]; then
    echo "run-tests.sh: test binaries that did not finish normally: ${broken[*]}" >&2
    exit 1
fi
if [ "$failed" -gt 0 ]; then exit 1; fi
if [ "$passed" -eq 0 ] && [ "${WINDOWS_ALLOW_NO_TESTS:-0}" != 1 ]; then
    echo "run-tests.sh: no test matches '$FILTER'" >&2
    exit 1
fi
