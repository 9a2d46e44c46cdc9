#!/bin/sh
# The three-terminal session from an installed package, on a private bus:
# the installed mgmtctl serves the telephone and monitors it, and a component
# built against the installed package (find_package, then pkg-config) calls it.
#
# usage: dbus-run-session -- installed_session.sh BUILD_DIR COMPONENT_DIR LIBDIR CXX SCRATCH_DIR [EXTRA_FLAGS]
# EXTRA_FLAGS reach the component's compile and link (a sanitizer build's flags).
set -eu

build=$1 component=$2 libdir=$3 cxx=$4 scratch=$5 flags=${6:-}
prefix=$scratch/prefix

fail() {
    echo "installed session: FAILED: $*" >&2
    [ -f "$scratch/monitor.out" ] && cat "$scratch/monitor.out" >&2
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || { cat "$scratch/install.log"; fail "install"; }

cmake -S "$component" -B "$scratch/component" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
    >"$scratch/component.log" 2>&1 || { cat "$scratch/component.log"; fail "configuring the component"; }
cmake --build "$scratch/component" >>"$scratch/component.log" 2>&1 ||
    { cat "$scratch/component.log"; fail "building the component"; }
pc_flags=$(PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig" pkg-config --cflags --libs LocalMgmtProxyBus) ||
    fail "pkg-config does not know LocalMgmtProxyBus"
# shellcheck disable=SC2086 # the flags are separate words
"$cxx" -std=c++17 $flags "$component/component.cpp" $pc_flags -o "$scratch/component-pc" || fail "building with pkg-config"

# Terminal 1 and 2: the installed tool, nothing on the library search path.
env -u LD_LIBRARY_PATH "$prefix/bin/mgmtctl" serve --bus >"$scratch/serve.out" 2>&1 &
serve=$!
env -u LD_LIBRARY_PATH "$prefix/bin/mgmtctl" monitor --bus >"$scratch/monitor.out" 2>&1 &
monitor=$!
trap 'kill $serve $monitor 2>/dev/null || true' EXIT
tries=0
until grep -q following "$scratch/monitor.out" && grep -q serving "$scratch/serve.out"; do
    tries=$((tries + 1))
    [ $tries -lt 300 ] || fail "serve and monitor did not come up"
    sleep 0.1
done

# Terminal 3: the component, twice.
"$scratch/component/component" || fail "the find_package component"
LD_LIBRARY_PATH="$prefix/$libdir" "$scratch/component-pc" || fail "the pkg-config component"
tries=0
until [ "$(grep -c '^request  getData' "$scratch/monitor.out")" -ge 2 ]; do
    tries=$((tries + 1))
    [ $tries -lt 300 ] || fail "the monitor did not show the component's calls"
    sleep 0.1
done
kill -TERM $serve
wait $serve || fail "serve did not end cleanly on SIGTERM"
rm -rf "$scratch"
echo "installed session: ok"
