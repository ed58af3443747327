#!/usr/bin/env bash
# Set-up, build and the whole test suite, headless.
# VELAMO_JOBS limits the parallel jobs of the build and of the tests
# (default: every processor).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build
cd build
ctest -j "${VELAMO_JOBS:-$(nproc)}" --output-on-failure --timeout 300
