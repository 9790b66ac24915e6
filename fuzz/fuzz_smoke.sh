#!/usr/bin/env bash
# A short run of each fuzz target: builds them with clang in a build folder of their own and
# runs each for a fixed number of inputs from its seeds. Exits 77 (skipped) without clang.
#   fuzz_smoke.sh <source folder> <build folder> <runs> <fuzzer>...
set -euo pipefail
source_dir=$1
build_dir=$2
runs=$3
shift 3

if ! command -v clang++ >/dev/null || ! command -v clang >/dev/null; then
    echo "clang is not installed: the fuzz targets are not built"
    exit 77
fi

if [ ! -f "$build_dir/build.ninja" ]; then
    launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    fi
    # -O1 without debug information: the shortest build that still fuzzes at a useful speed.
    cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS=-O1 \
        -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DVANTREL_FUZZ=ON \
        -DVANTREL_BUILD_TESTS=OFF -DVANTREL_BUILD_BENCH=OFF -DVANTREL_JEMALLOC=OFF \
        "${launcher[@]}" >"$build_dir.configure.log" 2>&1 ||
        { cat "$build_dir.configure.log"; exit 1; }
fi
cmake --build "$build_dir" --target vantrel_fuzzers

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
seeds=$build_dir/fuzz/seeds
status=0
for name in "$@"; do
    # A fresh corpus each time: the run is the same for the same sources.
    corpus=$build_dir/fuzz/smoke-corpus/$name
    rm -rf "$corpus"
    mkdir -p "$corpus"
    inputs=("$corpus")
    if [ -d "$seeds/$name" ]; then
        inputs+=("$seeds/$name")
    fi
    log=$build_dir/fuzz/smoke-$name.log
    if (cd "$build_dir/fuzz" && "./vantrel_${name}_fuzz" -runs="$runs" -seed=1 -max_len=8192 \
        -artifact_prefix="$build_dir/fuzz/smoke-$name-" "${inputs[@]}") >"$log" 2>&1; then
        echo "$name: $(grep -E '^Done [0-9]+ runs' "$log" || tail -1 "$log")"
    else
        echo "$name: FAILED"
        tail -40 "$log"
        status=1
    fi
done
exit $status
