#!/usr/bin/env bash
# Builds Sorvane and runs it: for now the command-line companion's scan of the account's
# junk categories and their sizes (pass --items, --json or --home DIR through).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build
exec build/cli/sorvane-cli scan "$@"
