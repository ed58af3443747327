#!/usr/bin/env bash
# Set-up, build, the placeholder data tree when missing or stale, and the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build
if [ ! -x build/app/Velamo ]; then
  echo "Built the platform layer; the program itself is not part of this build yet."
  exit 0
fi
exec build/app/Velamo
