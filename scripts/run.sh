#!/usr/bin/env bash
# Builds the editor, lays the demo project out beside it (never over an existing tree) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
bin="$PWD/build/bin"
"$bin/make-demo" "$bin" --program "$bin/tarnwick"
exec "$bin/tarnwick"
