#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the Windows cross build (under Wine
# on a virtual X display, which its tests start and stop themselves), the ThreadSanitizer and
# AddressSanitizer builds, and last the native build, whose CTest summary ends the output.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/install-deps.sh
cmake --workflow --preset mingw
cmake --workflow --preset tsan
cmake --workflow --preset sanitize
cmake --workflow --preset native
