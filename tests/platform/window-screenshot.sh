#!/usr/bin/env bash
# Opens the platform window's test pattern on a virtual X server and checks the screenshot.
# Usage: tests/platform/window-screenshot.sh <build folder> [output.png] [fullscreen]
exec "$(dirname "$0")/../support/pattern-screenshot.sh" "${1:?build folder}/tests/platform/platform_tests" \
    tests/platform/WindowPatternTest.cpp "${2:-/tmp/orvellan-window.png}" "${3:-}"
