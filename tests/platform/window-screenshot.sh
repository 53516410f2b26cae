#!/usr/bin/env bash
# Opens the test pattern in a real window on a virtual X server, takes a
# screenshot and checks that the pattern's colours are on the screen.
# Usage: tests/platform/window-screenshot.sh <build folder> [output.png] [fullscreen]
# ORVELLAN_SCREEN picks the virtual screen size (default 1280x1024).
# Skips (exit 0) when no virtual X server can be started.
set -uo pipefail
build="${1:?build folder}"
out="${2:-/tmp/orvellan-window.png}"
binary="$build/tests/platform/platform_WindowPatternTest"
[ -x "$binary" ] || { echo "screenshot: $binary not built" >&2; exit 1; }
if ! command -v xvfb-run >/dev/null || ! command -v xwd >/dev/null || ! command -v convert >/dev/null; then
    echo "screenshot: skipped (xvfb-run, xwd or convert missing)"
    exit 0
fi
fullscreen=""
[ "${3:-}" = "fullscreen" ] && fullscreen=1

xvfb-run -a -s "-screen 0 ${ORVELLAN_SCREEN:-1280x1024}x24" bash -c '
    set -u
    export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ORVELLAN_SHOW_MS=2500
    [ -n "$3" ] && export ORVELLAN_SHOW_FULLSCREEN=1
    unset ORVELLAN_TEST
    "$1" --gtest_brief=1 & pid=$!
    sleep 1.5
    xwd -root -silent | convert xwd:- "$2"
    wait $pid
' _ "$binary" "$out" "$fullscreen"
status=$?
if [ $status -ne 0 ] || [ ! -s "$out" ]; then
    echo "screenshot: skipped (no virtual X server)"
    exit 0
fi
histogram=$(convert "$out" -format %c histogram:info:)
missing=0
for colour in "#FF0000" "#00FF00" "#0000FF" "#FFFFFF"; do
    if ! grep -q "$colour" <<<"$histogram"; then
        echo "screenshot: colour $colour not on the screen" >&2
        missing=1
    fi
done
[ $missing -eq 0 ] && echo "screenshot: pattern shown ($out)"
exit $missing
