#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the plugin reader fuzzer with clang in BUILD_DIR and runs it for SECONDS (default 60)
# on a copy of the test fixtures. Fails on any crash, sanitizer report or round-trip mismatch;
# the inputs that caused one are kept in BUILD_DIR/fuzz-artifacts.
set -euo pipefail

build_dir=$1 seconds=${2:-60}
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DVORMO_FUZZ=ON -DVORMO_FUZZ_TEST=OFF
cmake --build "$build_dir" --target fuzz_plugin_reader -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# libFuzzer adds what it finds to the corpus folder, so it gets a copy.
cp -r "$source_dir/tests/data" "$work/corpus"
artifacts=$(cd "$build_dir" && pwd)/fuzz-artifacts
mkdir -p "$artifacts"

"$build_dir/tests/fuzz/fuzz_plugin_reader" -max_total_time="$seconds" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$work/corpus" 2>&1 | tee "$work/log" &&
    ! grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|round trip mismatch' \
        "$work/log" || { echo "fuzzing failed; inputs kept in $artifacts" >&2; exit 1; }
