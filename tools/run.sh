#!/usr/bin/env bash
# Installs what is missing, builds Vorpane and runs it: in a window of its own when an X display is
# there (q or Escape quits), otherwise it says so and renders the finished picture to vorpane.png.
# Arguments go to vorpane, or to vorpane-snapshot without a display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target vorpane vorpane-snapshot

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Vorpane is running in a window on $DISPLAY: q or Escape quits."
    exec build/native/x11/vorpane "$@"
fi
echo "No X display here (DISPLAY is ${DISPLAY:-not set}): rendering the finished picture instead."
build/native/snapshot/vorpane-snapshot --out vorpane.png "$@"
echo "Vorpane's picture is in $(pwd)/vorpane.png"
