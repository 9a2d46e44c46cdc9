#!/usr/bin/env bash
# Installs the Debian packages the project needs that are not installed yet:
# the one list of them. As root, or through sudo where that is set up;
# otherwise prints the apt-get line to run and fails.
#
# usage: .ci/setup.sh [SET...]   (no SET: build)
#   build     README's two commands: the build, its tests, the bus transport and
#             its tests, mgmtctl and its manual page, the docs
#   clang     the clang builds: enumeration checks, the fuzzer
#   cross     the armhf and arm64 builds, tested under qemu-user
#   abi       the ABI check
#   packages  building, checking and installing the Debian packages
set -euo pipefail

packages_of() {
  case $1 in
    build) echo cmake g++ make pkg-config python3 libgtest-dev libgmock-dev libbenchmark-dev \
      libcli11-dev nlohmann-json3-dev libsdbus-c++-dev dbus-daemon python3-dbus help2man groff-base doxygen ;;
    clang) echo clang libclang-rt-14-dev ;;
    # googletest: the source the cross presets compile GoogleTest from.
    cross) echo cmake g++ python3 googletest qemu-user g++-arm-linux-gnueabihf g++-aarch64-linux-gnu ;;
    abi) echo abigail-tools ;;
    packages) echo dpkg-dev lintian xz-utils man-db ;;
    *) echo "setup: unknown set '$1' (build, clang, cross, abi, packages)" >&2; return 1 ;;
  esac
}

[ "$#" -gt 0 ] || set -- build
wanted=()
for set_name in "$@"; do
  read -ra list <<<"$(packages_of "$set_name")"
  wanted+=("${list[@]}")
done

missing=()
for package in "${wanted[@]}"; do
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" = installed ] || missing+=("$package")
done
[ "${#missing[@]}" -gt 0 ] || exit 0
# Each once, in the order first asked for.
read -ra missing <<<"$(printf '%s\n' "${missing[@]}" | awk '!seen[$0]++' | tr '\n' ' ')"

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null && { sudo -n true 2>/dev/null || { [ -t 0 ] && sudo -v; }; }; then
  as_root=(sudo)
else
  echo "setup: missing Debian packages; as root, run:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "setup: installing ${missing[*]}" >&2
"${as_root[@]}" apt-get update -qq >&2
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >&2
