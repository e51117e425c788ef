#!/usr/bin/env bash
# Sets up the machine, builds Tabulon and starts it. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default
cmake --build --preset default -j "$(nproc 2>/dev/null || echo 2)" --target Tabulon tabulon-cli
exec build/program/Tabulon "$@"
