#!/usr/bin/env bash
# Installs what is needed, builds the recorder and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
exec build/default/src/sondex "$@"
