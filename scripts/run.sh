#!/usr/bin/env bash
# Builds the editor and the player, lays the demo project out beside them (never over an existing tree),
# keeps the tree's copy of the player (mzh/data/Comp, what a game build copies) up to date, and starts
# the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
bin="$PWD/build/bin"
"$bin/make-demo" "$bin" --program "$bin/tarnwick-player"
# A tree laid out by an earlier build holds that build's player (or, from before the player existed, the
# editor): a game built from it must get the player just built.
if ! cmp -s "$bin/tarnwick-player" "$bin/mzh/data/Comp"; then
    cp "$bin/tarnwick-player" "$bin/mzh/data/Comp.new" && mv -f "$bin/mzh/data/Comp.new" "$bin/mzh/data/Comp"
fi
exec "$bin/tarnwick"
