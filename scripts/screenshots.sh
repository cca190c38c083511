#!/usr/bin/env bash
# Takes the README's pictures from the real game on a virtual display: the logo, the title,
# a LINE game in play and its results, as docs/logo.png, title.png, game.png, results.png.
# KORVANE_BIN=path uses a game built elsewhere and skips the set-up.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

if [ "${1:-}" != "--on-display" ]; then
    if [ -z "${KORVANE_BIN:-}" ]; then
        scripts/setup.sh
        export KORVANE_BIN="$repo/build/korvane"
    fi
    mkdir -p docs
    export SDL_AUDIODRIVER=dummy
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" --on-display
fi

game_pid=""
work=$(mktemp -d)
cleanup() {
    if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "screenshots: $*" >&2
    exit 1
}

# A fresh folder with every best at 0, so that the game played below is a record.
ln -s "$repo/resource" "$work/resource"
mkdir "$work/replay"
printf '%s\n' "HI_SCORE = 0" "HI_SCORE1 = 0" "HI_SCORE2 = 0" "HI_SCORE3 = 0" "HI_SCORE4 = 0" \
    "HI_SCORE5 = 0" "HI_SCORE6 = 0" "HOSHI = 1" "SELECT_HOSHI = 0" >"$work/config.ini"
cd "$work"
"$KORVANE_BIN" >korvane.out 2>&1 &
game_pid=$!

# Waits until run.log holds the line at least count times.
wait_log() {
    local line=$1 count=${2:-1}
    for _ in $(seq 500); do
        if [ "$(grep -cxF -- "$line" run.log 2>/dev/null || true)" -ge "$count" ]; then return 0; fi
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended early: $(tail -n 1 run.log)"
        sleep 0.02
    done
    fail "run.log never held '$line' $count times"
}

window=""
for _ in $(seq 250); do
    window=$(xdotool search --name '^KORVANE$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.04
done
[ -n "$window" ] || fail "no window captioned KORVANE"

# Buttons are held for several 16 ms frames and released for at least one. There is no
# window manager: keys go to the window under the pointer.
pointer_x=600
pointer_y=20
move() {
    pointer_x=$1 pointer_y=$2
    xdotool mousemove --window "$window" "$1" "$2"
}
click() {
    move "$1" "$2"
    xdotool mousedown 1 sleep 0.08 mouseup 1
    sleep 0.04
}
press() {
    xdotool mousemove --window "$window" "$pointer_x" "$pointer_y" keydown "$1" sleep 0.08 keyup "$1"
}
# LINE lays card i at (50 + 33 (i mod 10), 100 + 33 (i div 10)); card i + 30 matches card i.
click_card() {
    click $((50 + 33 * ($1 % 10) + 16)) $((100 + 33 * ($1 / 10) + 16))
}
take_pair() {
    click_card "$1"
    click_card $(($1 + 30))
}

# F12 writes tolmshot.bmp; its header's size field is filled in last.
shot() {
    rm -f tolmshot.bmp
    press F12
    for _ in $(seq 250); do
        if [ -f tolmshot.bmp ]; then
            local size header
            size=$(stat -c %s tolmshot.bmp)
            header=$(od -An -tu4 -j2 -N4 tolmshot.bmp | tr -d ' ')
            if [ "$size" -gt 54 ] && [ "$size" = "$header" ]; then
                convert tolmshot.bmp "$repo/docs/$1.png"
                echo "docs/$1.png"
                return 0
            fi
        fi
        sleep 0.02
    done
    fail "F12 wrote no tolmshot.bmp for $1"
}

wait_log "Exec loop."
sleep 0.5
shot logo

click 600 20  # skips the logo
wait_log "TitleMain"
move 200 222  # over LINE, which lights up
sleep 0.2
shot title

click 200 222
wait_log "Gamecoer init" 2
sleep 3.7  # READY and GO
# Red 0, red 1, red 2: a colour and a step combo; then one card picked for the preview.
for pair in 0 1 2; do take_pair "$pair"; done
click_card 5
sleep 0.1
shot game

click_card 35
for pair in 3 4 $(seq 6 29); do take_pair "$pair"; done
for _ in $(seq 250); do
    grep -q '^HI_SCORE1 = 0$' config.ini || break
    sleep 0.04
done
grep -q '^HI_SCORE1 = 0$' config.ini && fail "the game did not end"
sleep 2.4  # until the results screen asks for a click
shot results

press Escape
for _ in $(seq 250); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.02
done
wait "$game_pid" || true
game_pid=""
