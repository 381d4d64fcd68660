#!/usr/bin/env bash
# Installs what is missing, builds Vorpane and renders its finished picture to vorpane.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target vorpane-snapshot
build/native/snapshot/vorpane-snapshot --out vorpane.png "$@"
echo "Vorpane's picture is in $(pwd)/vorpane.png"
