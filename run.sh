#!/usr/bin/env bash
# Installs what is missing, builds, and starts the wine guide.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)"
exec build/vinaria "$@"
