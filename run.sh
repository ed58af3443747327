#!/usr/bin/env bash
# Set-up, build, the placeholder data tree when missing or stale, and the program.
# VELAMO_JOBS limits the build's parallel jobs (default: every processor).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build
exec build/app/Velamo
