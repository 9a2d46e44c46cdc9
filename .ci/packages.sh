#!/usr/bin/env bash
# Debian packages for the host and both telephone processors (README "Debian
# packages"): cpack builds them, lintian must find no error, and a client is
# built against the unpacked runtime and development packages and run, as is
# the packaged mgmtctl. Runs after .ci/cross.sh, whose builds it reuses.
set -euo pipefail
cd "$(dirname "$0")/.."
bash .ci/setup.sh build cross packages

# The client: the worked example once it is there, else the install test's.
client=tests/install
[ -f examples/settings/CMakeLists.txt ] && client=examples/settings

for preset in package armhf arm64; do
  start=$SECONDS
  build=build/$preset
  out=$build/packages
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  rm -rf "$out"
  (cd "$build" && cpack -G DEB -B "$PWD/packages" >/dev/null)
  debs=("$out"/*.deb)
  echo "packages ($preset): ${debs[*]##*/}"

  # Errors fail; warnings are shown. Overrides, if any, are in the packages.
  lintian --fail-on error --no-tag-display-limit "${debs[@]}"

  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$root"; done
  arch=$(dpkg-deb -f "${debs[0]}" Architecture)
  case $arch in
    armhf) toolchain=armhf; run=(qemu-arm -L /usr/arm-linux-gnueabihf) ;;
    arm64) toolchain=arm64; run=(qemu-aarch64 -L /usr/aarch64-linux-gnu) ;;
    *) toolchain=; run=() ;;
  esac
  package_dir=$(dirname "$(find "$root/usr/lib" -name LocalMgmtProxyConfig.cmake)")
  # A cross client gets GoogleTest for its target the way our cross builds do.
  rm -rf "$build/client"
  cmake -S "$client" -B "$build/client" -DLocalMgmtProxy_DIR="$package_dir" \
    ${toolchain:+-DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/$toolchain.cmake"} \
    ${toolchain:+-DCMAKE_PROJECT_TOP_LEVEL_INCLUDES="$PWD/cmake/toolchains/target-googletest.cmake"} >/dev/null
  cmake --build "$build/client" -j2 >/dev/null
  for program in "$build"/client/*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    "${run[@]}" "$program" >/dev/null
    echo "packages ($preset): ${program##*/} built against the packages runs"
  done
  # The packaged tool finds the packaged library on its own.
  "${run[@]}" "$root/usr/bin/mgmtctl" call setPhoneBusyStatus 3 >/dev/null
  rm -rf "$root"
  trap - EXIT
  echo "packages ($preset): $((SECONDS - start)) s"
done
