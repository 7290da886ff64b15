#!/usr/bin/env bash
# Measures the CPU the program uses while the pointer stands still: on the menu at start, then on each
# editor page (reached the way a user does: pointer to the bottom edge, click the tab, pointer back to the
# middle of the canvas). Runs on the demo tree beside the built program under a private Xvfb display and
# prints, per state, the program's and the X server's share of one core over the measuring time.
# Usage: scripts/measure-idle-cpu.sh [build-dir] [display] [seconds]
# Needs Xvfb, xdotool, dbus-run-session and python3-pyatspi (the tab positions are read over AT-SPI in a
# first, separate run, so the measured run has accessibility off).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
display="${2:-:72}"
seconds="${3:-5}"
bin="$PWD/$build/bin"
tools="$PWD/tools/measure"
export DISPLAY="$display"

"$bin/make-demo" "$bin" --program "$bin/tarnwick-player" >/dev/null

xvfb=""
started_xvfb=""
if [ ! -e "/tmp/.X11-unix/X${display#:}" ]; then
    Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
    xvfb=$!
    started_xvfb=$xvfb
    sleep 1
else
    xvfb=$(pgrep -f "^Xvfb $display( |\$)" | head -1 || true)
fi
app=""
bus=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$bus" ] && kill "$bus" 2>/dev/null || true
    [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null || true
    # The program was ended by a signal, not closed: the copy it keeps for crash recovery would otherwise
    # be offered back at the next start.
    rm -f "$bin/mzh/data/typ.dll.recover"
}
trap cleanup EXIT

# Waits for the program's window and prints its top-left corner as "x y".
window_origin() {
    local pid=$1 win=""
    for _ in $(seq 50); do
        win=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | tail -1 || true)
        [ -n "$win" ] && break
        sleep 0.2
    done
    [ -n "$win" ] || { echo "no window for $pid" >&2; return 1; }
    xdotool getwindowgeometry --shell "$win" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}

# Pass 1: where the tabs are.
positions=$(dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & bus=$!
    sleep 1
    cd "$1"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ./tarnwick >/dev/null 2>&1 & app=$!
    sleep 3
    xdotool mousemove 500 698; sleep 1
    /usr/bin/python3 "$2/tabpositions.py"
    kill $app $bus' _ "$bin" "$tools" 2>/dev/null)
[ -n "$positions" ] || { echo "could not read the tab positions" >&2; exit 1; }

# Pass 2: the measured run, with a session bus of its own as on a desktop.
eval "$(dbus-launch --sh-syntax)"
bus=$DBUS_SESSION_BUS_PID
cd "$bin"
./tarnwick >/dev/null 2>"${TMPDIR:-/tmp}/measure-idle-cpu.log" &
app=$!
read -r wx wy < <(window_origin "$app")
hz=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
still() { xdotool mousemove $((wx + 500)) $((wy + 300)); }
measure() {
    sleep 1.5
    local a0 x0=0 a1 x1=0 t0 t1
    a0=$(ticks "$app"); [ -n "$xvfb" ] && x0=$(ticks "$xvfb")
    t0=$(date +%s.%N)
    sleep "$seconds"
    a1=$(ticks "$app"); [ -n "$xvfb" ] && x1=$(ticks "$xvfb")
    t1=$(date +%s.%N)
    awk -v l="$1" -v a=$((a1 - a0)) -v x=$((x1 - x0)) -v t0="$t0" -v t1="$t1" -v hz="$hz" \
        'BEGIN { t = t1 - t0; printf "%5.1f%%  (X server %5.1f%%)  %s\n", 100 * a / hz / t, 100 * x / hz / t, l }'
}
captions=("Меню игры" "Аппликатор фона сцены" "Аниматор" "Система" "Проходимость" "Музон" "Редактор сюжета"
          "Герой" "Предметы" "Курсор .ani" "Дверь" "Комикс" "Сборка" "Инфо")

sleep 1
still
measure "menu at start"
while read -r index tx ty; do
    xdotool mousemove $((wx + 500)) $((wy + 698))
    sleep 0.5
    xdotool mousemove "$tx" "$ty"
    sleep 0.3
    xdotool click 1
    sleep 0.3
    still
    measure "${captions[$index]}"
done <<<"$positions"
