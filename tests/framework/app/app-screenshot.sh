#!/usr/bin/env bash
# Runs a framework application showing its pattern on a virtual X server and checks the screenshot.
# Usage: tests/framework/app/app-screenshot.sh <build folder> [output.png] [fullscreen]
exec "$(dirname "$0")/../../support/pattern-screenshot.sh" \
    "${1:?build folder}/tests/framework/app/app_tests" tests/framework/app/AppLifeShowTest.cpp \
    "${2:-/tmp/orvellan-app.png}" "${3:-}"
