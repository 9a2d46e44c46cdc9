#!/usr/bin/env bash
# The proxies built against an external copy of the platform (MGMT_PLATFORM_DIR),
# on the host and for armhf: the stand-in is installed as such a copy, a
# directory of headers and libraries, and the whole suite is built and run
# against it with framework/ left out of the build. Runs after .ci/cross.sh
# and README's test command, whose builds it installs the stand-in from.
set -euo pipefail
cd "$(dirname "$0")/.."
bash .ci/setup.sh build cross

# The copy lies outside the source tree, as a platform's would: an installed
# package may not point into the tree.
sdks=$(mktemp -d)
trap 'rm -rf "$sdks"' EXIT

for preset in default armhf; do
  start=$SECONDS
  platform=$sdks/$preset
  build=build/platform/$preset
  rm -rf "$build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target mgmt_ProxyRequest mgmt_LoggingHandler mgmt_Protocols mgmt_MemoryInfo mgmt_GPALAdmin
  cmake --install "build/$preset" --component platform --prefix "$platform" >/dev/null
  echo "platform ($preset): the stand-in installed as $platform:"
  (cd "$platform" && find . -type f | sort | sed 's/^/    /')

  cmake --preset "$preset" -B "$build" -DMGMT_PLATFORM_DIR="$platform" >/dev/null
  cmake --build "$build" -j2
  # Nothing of the stand-in was compiled, and the proxy library needs the copy's libraries.
  if [ -e "$build/framework" ]; then
    echo "platform ($preset): FAILED: the stand-in's sources were built"; exit 1
  fi
  readelf -d "$build/src/libLocalMgmtProxy.so.1" | grep -q "RUNPATH.*$platform" ||
    { echo "platform ($preset): FAILED: libLocalMgmtProxy.so.1 does not look for its libraries in $platform"; exit 1; }
  # All but the two tests of an installation: they run the installed tool with
  # nothing on the library path, which finds the platform's libraries only
  # where an installation of the stand-in puts them, beside its own.
  ctest --test-dir "$build" -j2 --output-on-failure --no-tests=error --timeout 900 \
    -E '^(mgmtctl\.install|bus\.InstalledSession)$'
  echo "platform ($preset): $((SECONDS - start)) s"
done
