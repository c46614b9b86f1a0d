#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (only they and the libraries they read
# with; PLIM_FUZZ_BUILD_ALL=1 builds the whole project with clang too). Then runs every fuzz
# target at once, each for PLIM_FUZZ_SECONDS (60 by default) on its corpus. The corpora stay as they are: new inputs go
# to build-fuzz/fuzz-run/<target>/, and an input that fails is kept there as
# <target>-crash-... (or -timeout-, -oom-) beside the target's log.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLIM_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${PLIM_FUZZ_SECONDS:-60}"
fuzz_programs=(fuzz_questionnaire_zoz fuzz_questionnaire_dimensions fuzz_questionnaire_triples
    plim_xml_fuzz)
[ "${PLIM_FUZZ_BUILD_ALL:-0}" = 1 ] && fuzz_programs=()
PLIM_BUILD_DIR="$build" PLIM_BUILD_TYPE=None \
    PLIM_CMAKE_ARGS="-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPLIM_FUZZ=ON -DPLIM_BUILD_BENCH=OFF" \
    "$root/scripts/build.sh" "${fuzz_programs[@]}"

# name, program under the build folder, corpus under the source folder
targets=(
    "zoz tests/questionnaire/fuzz/fuzz_questionnaire_zoz tests/questionnaire/fuzz/corpus/zoz"
    "dimensions tests/questionnaire/fuzz/fuzz_questionnaire_dimensions tests/questionnaire/fuzz/corpus/mdd"
    "triples tests/questionnaire/fuzz/fuzz_questionnaire_triples tests/questionnaire/fuzz/corpus/sss"
    "xml tests/app/fuzz/plim_xml_fuzz tests/app/data/xml-corpus"
)
run="$build/fuzz-run"
rm -rf "$run"
mkdir -p "$run"
pids=()
for target in "${targets[@]}"; do
    read -r name program corpus <<<"$target"
    mkdir -p "$run/$name"
    # A single input that takes 20 seconds counts as a hang.
    "$build/$program" -max_total_time="$seconds" -max_len=65536 -timeout=20 \
        -print_final_stats=1 -artifact_prefix="$run/$name-" "$run/$name" "$root/$corpus" \
        >"$run/$name.log" 2>&1 &
    pids+=("$!")
done
failed=0
for i in "${!targets[@]}"; do
    read -r name _ <<<"${targets[$i]}"
    if wait "${pids[$i]}"; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/$name.log")
        echo "fuzz $name: ${runs:-?} inputs in ${seconds} s, no failure"
    else
        echo "fuzz $name FAILED (log: $run/$name.log):"
        tail -n 40 "$run/$name.log"
        failed=1
    fi
done
exit "$failed"
