#!/usr/bin/env bash
# Sets up, builds and starts Vantorel.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
echo
echo "Starting build/vantorel (the menu window is not built yet: this runs the newest piece, the file and settings layer)."
exec build/vantorel "$@"
