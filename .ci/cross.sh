#!/usr/bin/env bash
# The library on the telephone's processors (README "Cross builds"): the
# armhf and arm64 workflows, whose tests all run under qemu-user.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/install-missing.sh

# googletest: the source the cross presets compile GoogleTest from.
install_missing cmake python3 googletest qemu-user \
  g++-arm-linux-gnueabihf g++-aarch64-linux-gnu

for arch in armhf arm64; do
  start=$SECONDS
  cmake --workflow --preset "$arch"
  echo "cross: $arch workflow took $((SECONDS - start)) s"
done
