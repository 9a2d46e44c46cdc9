#!/usr/bin/env bash
# The library on the telephone's processors (README "Cross builds"): the
# armhf and arm64 workflows, whose tests all run under qemu-user.
set -euo pipefail
cd "$(dirname "$0")/.."
bash .ci/setup.sh build cross

for arch in armhf arm64; do
  start=$SECONDS
  cmake --workflow --preset "$arch"
  echo "cross: $arch workflow took $((SECONDS - start)) s"
done
