#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exits non-zero on any failure.
#   BUILD_DIR   build folder (default: build)
#   CMAKE_ARGS  extra configure arguments, e.g. -DVINARIA_SANITIZE=ON
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
build_dir=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" ${CMAKE_ARGS:-} >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
cd "$build_dir"
ctest --output-on-failure -j"$(nproc)" --timeout 600
