#!/usr/bin/env bash
# What clang sees. The proxy and reliability tests built with clang under
# ASan + UBSan: clang checks every load of an enumeration value (GCC does
# not), so a value an enumeration could not hold is reported here. And the
# install test again, now that clang++ is installed, so that a client built
# with clang++ links and runs against the installed library.
set -euo pipefail
cd "$(dirname "$0")/.."

bash .ci/setup.sh build clang

cmake --preset asan -B build/asan-clang -DCMAKE_CXX_COMPILER=clang++ -DMGMT_BUILD_TOOLS=OFF
cmake --build build/asan-clang -j2 --target proxy_tests reliability_tests
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1
build/asan-clang/tests/proxy/proxy_tests
build/asan-clang/tests/reliability/reliability_tests

ctest --preset default --no-tests=error -R '^mgmtctl\.install$'
