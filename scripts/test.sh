#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
#   scripts/test.sh             the normal build (build/)
#   scripts/test.sh --sanitize  the same tests under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

# The core must never see a widget: only the app, the editor pages and the widget seams may include one.
if grep -rnE '#include <(QtWidgets/)?Q(Widget|Application|MainWindow|Dialog|MessageBox|FileDialog|Label|PushButton|TabWidget|SpinBox|LineEdit|CheckBox|RadioButton)>' \
       src/project src/canvas src/runtime src/check src/platform/*.h src/platform/*.cpp src/editor/*.*; then
    echo "A core source includes a widget header (above)." >&2
    exit 1
fi
# The game core is standard C++ alone: no toolkit header in the record, the pictures, the engine or the
# seams' interfaces, so that the same code can play a game wherever a C++20 compiler runs.
if grep -rnE '#include <(Qt[A-Za-z]*/)?Q[A-Za-z]*(\.h)?>' \
       src/project src/canvas src/runtime src/core-alone src/platform/*.h src/platform/*.cpp; then
    echo "A source of the game core includes a toolkit header (above)." >&2
    exit 1
fi
# The engine knows nothing of the editor or of either program's window: the player links the core alone.
if grep -rnE '#include "(editor|app|player)/' src/project src/canvas src/runtime src/check src/platform; then
    echo "A core source includes an editor or window header (above)." >&2
    exit 1
fi

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
if [ "${1:-}" = "--sanitize" ]; then
    # Set before the build too: the build lists the tests by running the instrumented binary.
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    TW_BUILD_TYPE=Debug scripts/build.sh build-asan -DTW_SANITIZE=ON -DTW_BUILD_BENCH=OFF
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
else
    scripts/build.sh build
    ctest --test-dir build --output-on-failure -j "$(nproc)"
    # The core built on its own, with no toolkit looked for, plays the demo.
    scripts/build.sh build-core -DTW_CORE_ONLY=ON -DTW_WERROR=ON
    demo="$(mktemp -d)"
    trap 'rm -rf "$demo"' EXIT
    build/bin/make-demo "$demo" --program build/bin/tarnwick-player >/dev/null
    native="$(build-core/bin/tw_core_alone "$demo")"
    # The same core compiled to WebAssembly (the build above makes it, in build/web/) plays it exactly as
    # the native one does: the same state and the same frame, pixel for pixel. Node's own fetch is kept
    # out of the way of the older Emscripten's loader.
    web="$(NODE_PATH=/usr/share/nodejs node --no-experimental-fetch build/web/bin/tw_core_alone.js "$demo")"
    if [ "$native" != "$web" ]; then
        printf 'The WebAssembly core played the demo otherwise than the native one:\n%s\n%s\n' "$native" "$web" >&2
        exit 1
    fi
    # The demo built for the browser and played in headless Chromium; screenshots and figures in
    # build/web-test/.
    webgame="$(mktemp -d)"
    trap 'rm -rf "$demo" "$webgame"' EXIT
    rmdir "$webgame"
    build/bin/tarnwick --build-web DemoQuest "$webgame" "$demo" >/dev/null
    python3 tests/web/e2e.py "$webgame" build/web-test
fi
