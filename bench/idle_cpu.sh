#!/usr/bin/env bash
# The CPU of an idle game, in % of one core over 5 s: paused by P in a LINE game,
# iconified by F5 on the title, and the title left alone, on classic SDL 1.2 and on
# sdl12-compat. Each game gets
# an X server of its own (a game that ends can leave the server without a keyboard focus).
# Run from the repository root after the build (bench.sh).
set -euo pipefail
COMPAT=/usr/lib/x86_64-linux-gnu/sdl12-compat
SECONDS_MEASURED=5
GAME="$PWD/build/korvane"

# cpu_of LIBRARY WHAT: prints the game's CPU in % of a core while WHAT (paused, iconified,
# title).
cpu_of() {
    local library=$1 what=$2 scratch display xvfb game window
    scratch=$(mktemp -d)
    ln -s "$PWD/resource" "$scratch/resource"
    mkdir "$scratch/replay"
    # The shell prints the server's pid; -displayfd makes the server print its display.
    exec {fd}< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -noreset -nolisten tcp 2>/dev/null & echo $!)
    read -r -u "$fd" xvfb
    read -r -u "$fd" display
    (
        export DISPLAY=:$display SDL_AUDIODRIVER=dummy
        [ "$library" = sdl12-compat ] && export LD_LIBRARY_PATH=$COMPAT
        cd "$scratch"
        "$GAME" >/dev/null 2>&1 &
        game=$!
        for _ in $(seq 50); do
            window=$(xdotool search --pid "$game" --name '^KORVANE$' 2>/dev/null | head -1 || true)
            [ -n "$window" ] && break
            sleep 0.1
        done
        click() { xdotool mousemove --window "$window" "$1" "$2" mousedown 1 sleep 0.3 mouseup 1 2>/dev/null; }
        key() { xdotool mousemove --window "$window" 600 20 keydown "$1" sleep 0.3 keyup "$1" 2>/dev/null; }
        # Acts again until run.log shows the line, for a start-up slowed by a busy machine.
        until_logged() {
            for _ in $(seq 40); do
                grep -qx "$1" run.log 2>/dev/null && return 0
                sleep 0.25
                [ $((RANDOM % 8)) -eq 0 ] && "${@:2}"
            done
            return 1
        }
        until_logged "Exec loop." true
        click 600 20  # past the logo
        until_logged TitleMain click 600 20
        sleep 0.5
        local idle_key=F5
        [ "$what" = title ] && idle_key=
        if [ "$what" = paused ]; then
            click 200 222  # LINE
            until_logged "Gamecoer init" click 200 222
            sleep 1
            idle_key=p
        fi
        ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
        # A key a busy machine let slip leaves the game drawing (several % of a core in a
        # second; a frame slowed by a busy machine can miss a short press): press it again, up to
        # three times. Presses are held 0.3 s for the same reason.
        local before after
        for _ in 1 2 3; do
            [ -n "$idle_key" ] && key "$idle_key"
            sleep 1
            before=$(ticks)
            sleep 1
            after=$(ticks)
            [ $((after - before)) -lt $(($(getconf CLK_TCK) * 3 / 100)) ] && break
        done
        before=$(ticks)
        sleep $SECONDS_MEASURED
        after=$(ticks)
        echo "$after $before $(getconf CLK_TCK)" | awk -v s=$SECONDS_MEASURED '{printf "%.2f", ($1 - $2) / $3 / s * 100}'
        kill "$game"
        wait "$game" 2>/dev/null || true
    )
    kill "$xvfb" 2>/dev/null || true
    exec {fd}<&-
    rm -rf "$scratch"
}

echo "idle_cpu: game CPU in % of one core over ${SECONDS_MEASURED} s, three runs each"
for what in paused iconified title; do
    for library in classic sdl12-compat; do
        [ "$library" = sdl12-compat ] && [ ! -d "$COMPAT" ] && continue
        runs=()
        for _ in 1 2 3; do runs+=("$(cpu_of "$library" "$what")"); done
        sorted=$(printf '%s\n' "${runs[@]}" | sort -n | paste -sd' ')
        echo "$what, $library: ${runs[*]}"
        low=${sorted%% *}
        high=${sorted##* }
        case $what in
            paused) what_label="LINE paused by P" ;;
            iconified) what_label="iconified by F5, title" ;;
            *) what_label="the title left alone" ;;
        esac
        echo "summary|CPU, $what_label, $library|$low to $high % of a core|at most 1 %"
    done
done
