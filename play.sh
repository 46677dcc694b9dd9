#!/usr/bin/env bash
# Sets up, builds and starts Vantorel (its menu window).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
exec build/vantorel
