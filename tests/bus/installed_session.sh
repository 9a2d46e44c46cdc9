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

# Terminal 1 and 2: the installed tool, nothing on the library search path,
# each waited for through what it says: serve's ready line, the monitor's
# "following".
mkfifo "$scratch/ready" "$scratch/monitor"
env -u LD_LIBRARY_PATH "$prefix/bin/mgmtctl" serve --bus --ready-fd 3 3>"$scratch/ready" >"$scratch/serve.out" 2>&1 &
serve=$!
exec 3<"$scratch/ready"
env -u LD_LIBRARY_PATH "$prefix/bin/mgmtctl" monitor --bus >"$scratch/monitor" 2>&1 &
monitor=$!
exec 4<"$scratch/monitor"
trap 'kill $serve $monitor 2>/dev/null || true' EXIT
read -r said <&3 && [ "$said" = ready ] || fail "serve did not come up"

# The monitor's lines, kept in monitor.out, up to the first that matches $1.
shown() {
    while IFS= read -r line <&4; do
        printf '%s\n' "$line" >>"$scratch/monitor.out"
        case $line in $1) return 0 ;; esac
    done
    fail "the monitor ended before it showed $2"
}
shown '*following*' "that it follows"

# Terminal 3: the component, twice.
"$scratch/component/component" || fail "the find_package component"
LD_LIBRARY_PATH="$prefix/$libdir" "$scratch/component-pc" || fail "the pkg-config component"
shown 'request  getData*' "the first component's call"
shown 'request  getData*' "the second component's call"
kill -TERM $serve
read -r said <&3 && [ "$said" = stopped ] || fail "serve did not say it stopped"
wait $serve || fail "serve did not end cleanly on SIGTERM"
rm -rf "$scratch"
echo "installed session: ok"
