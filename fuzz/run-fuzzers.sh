#!/usr/bin/env bash
# Runs every fuzz target for a while and prints, per target, the executions,
# the coverage and the crashes found. Usage: run-fuzzers.sh BUILD_DIR SECONDS
# New inputs go to fuzz/corpus-work/; crashes, leaks, hangs and out-of-memory
# inputs to fuzz/artifacts/ (copy the ones worth keeping into fuzz/corpus/).
set -u
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
shared="$here/../../shared/samples/surf"
[ -d "$shared" ] || shared=/work/shared/samples/surf
failed=0
mkdir -p "$here/artifacts"
for target in ${FUZZ_TARGETS:-surf hx names files vtk nrrd labelmap labeltables off ply stl gltf 3mf dicom rtstruct seg session}; do
    work="$here/corpus-work/$target"
    mkdir -p "$work"
    seeds=("$here/corpus/$target")
    [ "$target" = surf ] && [ -d "$shared" ] && seeds+=("$shared")
    log="$here/artifacts/$target.log"
    "$build/fuzz/fuzz_$target" "$work" "${seeds[@]}" -max_total_time="$seconds" -timeout=5 \
        -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$here/artifacts/$target-" \
        >"$log" 2>&1
    status=$?
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$')
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
    crashes=$(find "$here/artifacts" -name "$target-*" ! -name '*.log' | wc -l)
    echo "FUZZ $target executions=${execs:-0} exec_per_sec=${rate:-0} edges=${cov:-0} crashes=$crashes exit=$status"
    [ "$status" -eq 0 ] && [ "$crashes" -eq 0 ] || failed=1
done
exit $failed
