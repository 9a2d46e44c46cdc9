#!/usr/bin/env bash
# The bus transport's tests, each on a private bus of its own (dbus-run-session),
# with the transport's packages installed when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(libsdbus-c++-dev dbus-daemon)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

cmake --preset default
cmake --build --preset default --target mgmtctl bus_channel_tests
ctest --preset default --no-tests=error -R '^bus\.'
