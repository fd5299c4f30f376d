# Shared by the project's scripts: installs what is missing and configures builds.

# Debian packages needed to build Trivisto, run its tests and make its
# release files: the toolchain, Qt 6 with its charts, SVG and translation
# tools (and its private GUI headers, which the screen reader's test needs),
# SQLite, nlohmann-json and OpenSSL's libcrypto for the classroom files, the
# virtual X server the GUI tests run in and xdotool to drive it,
# poppler's PDF tools that read the printed worksheets back, and the checkers
# of the desktop entry, metadata, manual page and Debian package (lintian).
TRIVISTO_PACKAGES=(
    cmake g++ make pkg-config file
    qt6-base-dev qt6-base-private-dev qt6-multimedia-dev libqt6opengl6-dev qt6-qpa-plugins
    qt6-charts-dev qt6-svg-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    libsqlite3-dev nlohmann-json3-dev libssl-dev
    libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
    xvfb xauth xdotool fonts-dejavu-core librsvg2-bin poppler-utils
    desktop-file-utils appstream shared-mime-info man-db groff-base dpkg-dev lintian
)

# Only scripts/bench needs these: Google Benchmark, and jq for its JSON output.
TRIVISTO_BENCH_PACKAGES=(libbenchmark-dev jq)

# Installs the given Debian packages that are not installed yet (as root with
# apt-get, otherwise through sudo), saying so in one line. Does nothing, and
# prints nothing, when everything is already there.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    # apt's own output is shown only when it fails.
    local log
    log="$(mktemp)"
    if ! { "${sudo[@]}" apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; } \
        >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "Could not install: ${missing[*]}" >&2
        return 1
    fi
    rm -f "$log"
}

# Parallel build jobs for a build run without a preset (the presets say 2).
build_jobs() { nproc 2>/dev/null || echo 2; }

# Debian packages for the fuzz targets: clang 14 with libFuzzer and clang's
# sanitizer runtimes (gcc's come with g++).
TRIVISTO_FUZZ_PACKAGES=(clang-14 libfuzzer-14-dev libclang-rt-14-dev)
TRIVISTO_FUZZ_TARGETS=(fuzz_results_reader fuzz_results_writer fuzz_strokes fuzz_scoring fuzz_puzzle_code fuzz_turn fuzz_build fuzz_assignment_reader fuzz_result_reader)
TRIVISTO_FUZZ_BUILD=build-fuzz

# Sanitizer settings for build-asan and the fuzz targets: stop at the first
# report, and keep leak reports of third-party libraries (named in
# tests/sanitizers/lsan.supp, never our code) out of the verdict. The link
# order check is off because the GUI tests get Mesa's driver preloaded.
# intercept_tls_get_addr=0: with gcc 12's runtime on Debian 12's glibc the
# leak checker records a bogus dynamic TLS block in GUI tests (seen as
# "DTLS 16 at 0x000000000d1a-0x000800001e1c") and its tracer crashes reading
# it at exit ("Tracer caught signal 11"), in about half of the runs.
export_sanitizer_options() {
    local supp
    supp="$(pwd)/tests/sanitizers"
    export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:verify_asan_link_order=0:intercept_tls_get_addr=0"
    export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
}

# Mesa's software rasteriser, which the GUI tests draw with under Xvfb. Mesa
# unloads it when the display closes, before the leak check runs at exit, and
# the leaks it leaves then belong to no library that a suppression could name;
# preloaded it stays mapped. Prints nothing when it is not installed.
mesa_swrast_driver() {
    local multiarch
    multiarch="$(gcc -print-multiarch 2>/dev/null || true)"
    local f="/usr/lib/${multiarch:-x86_64-linux-gnu}/dri/swrast_dri.so"
    if [ -f "$f" ]; then
        echo "$f"
    fi
}

# Configures and builds the fuzz targets (the fuzz preset: clang 14, core only,
# no Qt). CMake cannot switch the compiler of a configured folder: it starts
# the cache over and drops the other options, and says so. A folder configured
# with another compiler, or one that fails to configure, is deleted and
# configured afresh.
fuzz_build() {
    local log
    if ! log="$(cmake --preset fuzz 2>&1)" || grep -q "require your cache to be deleted" <<<"$log"; then
        echo "$TRIVISTO_FUZZ_BUILD was configured otherwise: configuring it afresh" >&2
        rm -rf "$TRIVISTO_FUZZ_BUILD"
        if ! log="$(cmake --preset fuzz 2>&1)"; then
            echo "$log" >&2
            return 1
        fi
    fi
    cmake --build --preset fuzz
}

# Fuzzes one target for SECONDS: fuzz_run TARGET SECONDS [libFuzzer options].
# New inputs go to the target's working corpus in the build folder, which
# starts from fuzz/corpus/TARGET and fuzz/regressions/TARGET and never writes
# to them; a crashing input is saved in the build folder's artifacts/TARGET/.
# Prints libFuzzer's final figures; on a crash the report and how to replay it.
fuzz_run() {
    local target=$1 seconds=$2
    shift 2
    local bin="$TRIVISTO_FUZZ_BUILD/fuzz/$target"
    local work="$TRIVISTO_FUZZ_BUILD/corpus/$target"
    local artifacts="$TRIVISTO_FUZZ_BUILD/artifacts/$target"
    local log="$TRIVISTO_FUZZ_BUILD/logs/$target.log"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    local seeds=()
    local d
    for d in "fuzz/corpus/$target" "fuzz/regressions/$target"; do
        if [ -d "$d" ]; then
            seeds+=("$d")
        fi
    done
    if "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$@" "$work" "${seeds[@]}" >"$log" 2>&1; then
        local done_line execs rate
        done_line="$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)"
        execs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
        rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")"
        echo "$target: ${execs:-?} runs, ${rate:-?}/s in ${seconds} s; ${done_line#*DONE   }"
    else
        echo "$target: FAILED (full log: $log)" >&2
        grep -E -A 12 'PROPERTY BROKEN|runtime error|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)' "$log" | head -n 40 >&2
        grep -E 'Test unit written to' "$log" | sed 's/.*Test unit written to /Replay with: '"${bin//\//\\/}"' /' >&2
        return 1
    fi
}
