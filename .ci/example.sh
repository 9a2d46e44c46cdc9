#!/usr/bin/env bash
# The worked example against the INSTALLED package: the default build goes
# into a scratch prefix, and examples/settings is built from it and its tests
# run twice, once through find_package and once through pkg-config.
set -euo pipefail
cd "$(dirname "$0")/.."

bash .ci/setup.sh build

cmake --preset default >/dev/null
cmake --build --preset default

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
cmake --install build/default --prefix "$prefix" >/dev/null
pcdir=$(dirname "$(find "$prefix" -name LocalMgmtProxy.pc -print -quit)")

echo "== example through find_package"
cmake -S examples/settings -B "$scratch/cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$scratch/cmake" -j2
ctest --test-dir "$scratch/cmake" --output-on-failure --no-tests=error

echo "== example through pkg-config"
mkdir "$scratch/pkg-config"
PKG_CONFIG_PATH=$pcdir make -s -j2 -C "$scratch/pkg-config" -f "$PWD/examples/settings/Makefile"
# No LD_LIBRARY_PATH: the rpath the Makefile sets must find the libraries.
env -u LD_LIBRARY_PATH "$scratch/pkg-config/phone_settings_tests" --gtest_brief=1
echo "example: ok"
