#!/usr/bin/env bash
# Builds Sorvane and runs it: for now the command-line companion's report of the account's
# well-known folders and their sizes.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build
exec build/cli/sorvane-cli folders "$@"
