#!/usr/bin/env bash
# Runs the tests of a test file that show the four-colour pattern in a real
# window on a virtual X server, takes a screenshot and checks that each colour
# fills a good part of the screen.
# Usage: tests/support/pattern-screenshot.sh <program> <test file> <output.png> [fullscreen]
# ORVELLAN_SCREEN picks the virtual screen size (default 1280x1024).
# Skips (exit 0) when no virtual X server can be started.
set -uo pipefail
binary="${1:?program}"
file="${2:?test file}"
out="${3:?output png}"
[ -x "$binary" ] || { echo "screenshot: $binary not built" >&2; exit 1; }
if ! command -v xvfb-run >/dev/null || ! command -v xwd >/dev/null || ! command -v convert >/dev/null; then
    echo "screenshot: skipped (xvfb-run, xwd or convert missing)"
    exit 0
fi
fullscreen=""
[ "${4:-}" = "fullscreen" ] && fullscreen=1

xvfb-run -a -s "-screen 0 ${ORVELLAN_SCREEN:-1280x1024}x24" bash -c '
    set -u
    export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ORVELLAN_SHOW_MS=3000
    [ -n "$4" ] && export ORVELLAN_SHOW_FULLSCREEN=1
    unset ORVELLAN_TEST
    "$1" --test-file="$2" --gtest_brief=1 & pid=$!
    sleep 2
    xwd -root -silent | convert xwd:- "$3"
    wait $pid
' _ "$binary" "$file" "$out" "$fullscreen"
status=$?
if [ $status -ne 0 ] || [ ! -s "$out" ]; then
    echo "screenshot: skipped (no virtual X server)"
    exit 0
fi
histogram=$(convert "$out" -format %c histogram:info:)
missing=0
# Each colour fills a quarter of the pattern, so it covers many thousand pixels;
# a channel may come out one below full through the blend.
for colour in "#F[EF]0000" "#00F[EF]00" "#0000F[EF]" "#F[EF]F[EF]F[EF]"; do
    if ! grep -E "^ *[0-9]{5,}:.*${colour}" <<<"$histogram" >/dev/null; then
        echo "screenshot: colour $colour not on the screen" >&2
        missing=1
    fi
done
[ $missing -eq 0 ] && echo "screenshot: pattern shown ($out)"
exit $missing
