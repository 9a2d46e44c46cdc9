#!/usr/bin/env bash
# Debian packages for the host and both telephone processors (README "Debian
# packages"). For each: cpack builds them; lintian finds no error and no
# warning; the proxy library needs exactly the platform's five libraries; the
# runtime package holds the proxy library alone. The host's are then installed
# for real with apt-get, the worked example is built against /usr and run, the
# tool and its manual page are found, and everything is purged again without
# a trace. The ARM packages are unpacked into a scratch root, and a client
# built against them runs under qemu, as does their mgmtctl.
# Runs after .ci/cross.sh, whose builds it reuses.
set -euo pipefail
cd "$(dirname "$0")/.."
bash .ci/setup.sh build cross packages

platform_libraries=(libGPALAdmin.so libLoggingHandler.so libMemoryInfo.so libProtocols.so libProxyRequest.so)
fail() { echo "packages ($preset): FAILED: $*" >&2; exit 1; }

# NEEDED of the proxy library: the platform's five, beside the C and C++ runtimes.
check_needed() {
  local needed
  needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' |
    grep -vxE 'libc\.so\.6|libm\.so\.6|libstdc\+\+\.so\.6|libgcc_s\.so\.1|ld-linux-[a-z0-9]+\.so\.[0-9]+' | sort | tr '\n' ' ')
  [ "$needed" = "${platform_libraries[*]} " ] || fail "libLocalMgmtProxy.so.1 needs: $needed"
  echo "packages ($preset): libLocalMgmtProxy.so.1 needs ${platform_libraries[*]}"
}

# The host's packages, installed, used and purged through apt-get.
install_for_real() {
  local names=() deb scratch leftovers
  for deb in "$@"; do names+=("$(dpkg-deb -f "$deb" Package)"); done
  scratch=$(mktemp -d)
  for deb in "$@"; do dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' >>"$scratch/files"; done

  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${@/#/./}" >/dev/null
  echo "packages ($preset): installed ${names[*]}"
  cmake -S examples/settings -B "$scratch/example" >/dev/null
  cmake --build "$scratch/example" -j2 >/dev/null
  ctest --test-dir "$scratch/example" --output-on-failure --no-tests=error | grep 'tests passed'
  mgmtctl --version
  man -w mgmtctl

  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "${names[@]}" >/dev/null
  leftovers=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${names[@]}" 2>/dev/null | grep -v '^un ' || true)
  [ -z "$leftovers" ] || fail "still known to dpkg after the purge: $leftovers"
  leftovers=$(while read -r file; do if [ -e "$file" ] || [ -L "$file" ]; then echo "$file"; fi; done <"$scratch/files")
  [ -z "$leftovers" ] || fail "left behind after the purge: $leftovers"
  ! ldconfig -p | grep -E 'libLocalMgmtProxy|libProxyRequest|libProtocols|libLoggingHandler|libGPALAdmin|libMemoryInfo' ||
    fail "the dynamic loader's cache still lists the libraries above"
  echo "packages ($preset): purged ${names[*]}, nothing left behind"
  rm -rf "$scratch"
}

# The ARM packages, unpacked: a client built against them and the packaged tool
# run under the emulator.
run_unpacked() {
  local root toolchain=$1 run package_dir program
  shift
  run=(qemu-"$([ "$toolchain" = armhf ] && echo arm || echo aarch64)" -L "/usr/$(
    [ "$toolchain" = armhf ] && echo arm-linux-gnueabihf || echo aarch64-linux-gnu)")
  root=$(mktemp -d)
  for deb in "$@"; do dpkg-deb -x "$deb" "$root"; done
  package_dir=$(dirname "$(find "$root/usr/lib" -name LocalMgmtProxyConfig.cmake)")
  # The client gets GoogleTest for its target the way our cross builds do.
  rm -rf "$build/client"
  cmake -S examples/settings -B "$build/client" -DLocalMgmtProxy_DIR="$package_dir" \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/$toolchain.cmake" \
    -DCMAKE_PROJECT_TOP_LEVEL_INCLUDES="$PWD/cmake/toolchains/target-googletest.cmake" >/dev/null
  cmake --build "$build/client" -j2 >/dev/null
  for program in "$build"/client/*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    "${run[@]}" "$program" >/dev/null
    echo "packages ($preset): ${program##*/} built against the packages runs"
  done
  # The packaged tool finds the packaged libraries on its own.
  "${run[@]}" "$root/usr/bin/mgmtctl" call setPhoneBusyStatus 3 >/dev/null
  echo "packages ($preset): the packaged mgmtctl runs"
  rm -rf "$root"
}

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

  # No overrides but the stand-in's (its sonames are the platform's); the
  # changelog closes no bug report.
  lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "${debs[@]}"

  runtime=$(ls "$out"/liblocalmgmtproxy1_*.deb)
  extra=$(dpkg-deb -c "$runtime" | awk '{print $6}' | grep -E '\.so' | grep -v '/libLocalMgmtProxy\.so\.1' || true)
  [ -z "$extra" ] || fail "the runtime package holds more than the proxy library: $extra"
  unpacked=$(mktemp -d)
  dpkg-deb -x "$runtime" "$unpacked"
  check_needed "$(find "$unpacked" -name 'libLocalMgmtProxy.so.1')"
  rm -rf "$unpacked"
  dpkg-deb -c "$out"/mgmtctl_*.deb | grep -q '/usr/share/man/man1/mgmtctl\.1\.gz$' || fail "mgmtctl has no manual page"
  # The API reference: built on the host only, where its generator runs.
  if [ "$preset" = package ]; then
    # grep reads the whole listing: -q would cut dpkg-deb off, which pipefail counts.
    dpkg-deb -c "$out"/liblocalmgmtproxy-dev_*.deb | grep '/usr/share/doc/LocalMgmtProxy/html/index\.html$' >/dev/null ||
      fail "liblocalmgmtproxy-dev has no API reference"
    echo "packages ($preset): liblocalmgmtproxy-dev holds the API reference"
  fi

  case $preset in
    package) install_for_real "${debs[@]}" ;;
    *) run_unpacked "$preset" "${debs[@]}" ;;
  esac
  echo "packages ($preset): $((SECONDS - start)) s"
done
