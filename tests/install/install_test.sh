#!/bin/sh
# Installs the build into a scratch prefix, checks what landed there, builds
# the client (consumer/) against it (find_package, plain c++ with
# pkg-config, and clang++ where there is one), runs each, and runs the
# installed mgmtctl.
#
# usage: install_test.sh BUILD_DIR CONSUMER_DIR LIBDIR CXX SCRATCH_DIR [EXTRA_FLAGS]
# EXTRA_FLAGS reach the client's compile and link (a sanitizer build's flags).
set -eu

build=$1 consumer=$2 libdir=$3 cxx=$4 scratch=$5 flags=${6:-}
prefix=$scratch/prefix

fail() {
    echo "install test: FAILED: $*" >&2
    exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch"

echo "== cmake --install into $prefix"
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || { cat "$scratch/install.log"; fail "install"; }

echo "== installed files"
for file in \
    include/LocalMgmtProxy/LocalMgmtIfc.h include/LocalMgmtProxy/ActionEventRequestIfc.h \
    include/LocalMgmtProxy/LocationDeliveryRequestIfc.h include/LocalMgmtProxy/MgmtInterfaceExport.h \
    include/LocalMgmtProxy/LocalMgmtProxy.h include/LocalMgmtProxy/ActionEventRequestProxy.h \
    include/LocalMgmtProxy/LocationDeliveryRequestProxy.h include/LocalMgmtProxy/ProxyFactory.h \
    include/LocalMgmtProxy/Framework.h \
    "$libdir/cmake/LocalMgmtProxy/LocalMgmtProxyConfig.cmake" \
    "$libdir/cmake/LocalMgmtProxy/LocalMgmtProxyConfigVersion.cmake" \
    "$libdir/cmake/LocalMgmtProxy/LocalMgmtProxyTargets.cmake" \
    "$libdir/pkgconfig/LocalMgmtProxy.pc" bin/mgmtctl \
    include/LocalMgmtProxy/testing/SimulatedPhone.h include/LocalMgmtProxy/testing/FileStore.h \
    include/LocalMgmtProxy/testing/UserAccounts.h include/LocalMgmtProxy/description/ServiceDescription.h \
    "$libdir/libmgmt_testkit.a" "$libdir/cmake/LocalMgmtProxy/LocalMgmtProxyTestingTargets.cmake" \
    "$libdir/pkgconfig/LocalMgmtProxy-testing.pc"; do
    [ -e "$prefix/$file" ] || fail "missing $file"
done
# The proxy library: the soname link, the development link, and one real file behind them.
[ -L "$prefix/$libdir/libLocalMgmtProxy.so" ] || fail "libLocalMgmtProxy.so is not a link"
soname=$(ls "$prefix/$libdir/" | grep -E "^libLocalMgmtProxy\.so\.[0-9]+\$") || fail "no soname link for LocalMgmtProxy"
[ -L "$prefix/$libdir/$soname" ] || fail "$soname is not a link"
[ -f "$(readlink -f "$prefix/$libdir/libLocalMgmtProxy.so")" ] || fail "libLocalMgmtProxy.so leads nowhere"
# The platform's libraries (the stand-in's): their unversioned names are their sonames.
for library in ProxyRequest LoggingHandler Protocols MemoryInfo GPALAdmin; do
    [ -f "$prefix/$libdir/lib$library.so" ] && [ ! -L "$prefix/$libdir/lib$library.so" ] || fail "lib$library.so missing"
done

# The API reference goes in once the docs target has built it, and only then.
if [ -f "$build/docs/html/index.html" ]; then
    [ -f "$prefix/share/doc/LocalMgmtProxy/html/index.html" ] || fail "the API reference was built but not installed"
elif [ -e "$prefix/share/doc/LocalMgmtProxy/html" ]; then
    fail "an API reference was installed that was not built"
fi

# Debian's files (copyright, changelog.Debian.gz) are the packages' alone.
debian_files=$(find "$prefix" -name changelog.Debian.gz -o -name copyright -o -path '*/lintian/*')
[ -z "$debian_files" ] || fail "a plain install wrote Debian files: $debian_files"

echo "== client built with find_package"
cmake -S "$consumer" -B "$scratch/client" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >"$scratch/client.log" 2>&1 ||
    { cat "$scratch/client.log"; fail "configuring the client"; }
cmake --build "$scratch/client" >>"$scratch/client.log" 2>&1 || { cat "$scratch/client.log"; fail "building the client"; }
"$scratch/client/consumer" || fail "the find_package client"

echo "== client built with pkg-config"
command -v pkg-config >/dev/null || fail "pkg-config is not installed"
pc_flags=$(PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig" pkg-config --cflags --libs LocalMgmtProxy) ||
    fail "pkg-config does not know LocalMgmtProxy"
# shellcheck disable=SC2086 # the flags are separate words
"$cxx" -std=c++17 $flags "$consumer/consumer.cpp" $pc_flags -o "$scratch/client-pc" || fail "building with pkg-config"
LD_LIBRARY_PATH="$prefix/$libdir" "$scratch/client-pc" || fail "the pkg-config client"

# Clients on the device are not always built by the library's compiler. Not in
# a sanitizer build: the two compilers' sanitizer runtimes do not mix.
if command -v clang++ >/dev/null && [ -z "$flags" ]; then
    echo "== client built with clang++"
    # shellcheck disable=SC2086
    clang++ -std=c++17 "$consumer/consumer.cpp" $pc_flags -o "$scratch/client-clang" || fail "building with clang++"
    LD_LIBRARY_PATH="$prefix/$libdir" "$scratch/client-clang" || fail "the clang++ client"
else
    echo "== client built with clang++: skipped (no clang++, or a sanitizer build)"
fi

echo "== installed mgmtctl"
# Nothing on the search path: the tool finds its libraries through its RPATH
# and the proxy library beside its own prefix.
tour=$(env -u LD_LIBRARY_PATH "$prefix/bin/mgmtctl" demo) || fail "mgmtctl demo"
loaded=$(echo "$tour" | sed -n 's/^  library *//p')
case "$loaded" in
    "$prefix"/*) ;;
    *) fail "mgmtctl loaded '$loaded', not the installed library" ;;
esac
env -u LD_LIBRARY_PATH "$prefix/bin/mgmtctl" call setPhoneBusyStatus 3 >/dev/null || fail "mgmtctl call"

rm -rf "$scratch"
echo "install test: ok"
