# Shared by the project's scripts: installs what is missing and configures builds.

# Debian packages needed to build Trivisto and run its tests.
TRIVISTO_PACKAGES=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-multimedia-dev libqt6opengl6-dev qt6-qpa-plugins
    libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri
    xvfb xauth fonts-dejavu-core
)

# Installs the given Debian packages that are not installed yet (as root with
# apt-get, otherwise through sudo). Quick when everything is already there.
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
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_jobs() { nproc 2>/dev/null || echo 2; }

# Debian packages for the fuzz targets: clang 14 with libFuzzer and clang's
# sanitizer runtimes (gcc's come with g++).
TRIVISTO_FUZZ_PACKAGES=(clang-14 libfuzzer-14-dev libclang-rt-14-dev)
TRIVISTO_FUZZ_TARGETS=(fuzz_results_reader fuzz_results_writer fuzz_strokes fuzz_scoring)
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

# Configures and builds the fuzz targets (clang, core only, no Qt). CMake
# cannot switch the compiler of a configured folder (it starts over and drops
# the other options), so a folder that is not a clang 14 fuzz build is started
# afresh, and the compiler is only named when the folder is new.
fuzz_build() {
    local dir=$TRIVISTO_FUZZ_BUILD
    local cache="$dir/CMakeCache.txt"
    if [ -f "$cache" ] && ! { grep -q '^TRIVISTO_FUZZ:BOOL=ON$' "$cache" &&
        grep -qE '^CMAKE_CXX_COMPILER:[A-Z]+=(/usr/bin/)?clang\+\+-14$' "$cache"; }; then
        rm -rf "$dir"
    fi
    local compiler=()
    if [ ! -f "$cache" ]; then
        compiler=(-DCMAKE_CXX_COMPILER=clang++-14)
    fi
    cmake -S . -B "$dir" "${compiler[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVISTO_GUI=OFF -DTRIVISTO_FUZZ=ON >/dev/null
    cmake --build "$dir" -j "$(build_jobs)"
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
