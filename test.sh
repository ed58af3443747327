#!/usr/bin/env bash
# Set-up, build and the whole test suite, headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build
cd build
ctest -j "$(nproc)" --output-on-failure --timeout 300
