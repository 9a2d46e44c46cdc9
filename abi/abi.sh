# Shared by update-baseline.sh and .ci/abi.sh (sourced, not run).
# One baseline per architecture, taken from the release build with debug info
# of that architecture's preset: the host's "package" build, and the cross builds.
abi_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
abi_all_arches=(x86_64 armhf arm64)

abi_preset() {
  case $1 in
    x86_64) echo package ;;
    armhf | arm64) echo "$1" ;;
    *) echo "unknown architecture '$1' (know: ${abi_all_arches[*]})" >&2; return 1 ;;
  esac
}

abi_baseline() { echo "$abi_root/abi/libLocalMgmtProxy.$1.abi"; }

abi_library() { echo "$abi_root/build/$(abi_preset "$1")/src/libLocalMgmtProxy.so"; }

# Configures (when needed) and builds just the library.
abi_build() {
  local preset
  preset=$(abi_preset "$1")
  (cd "$abi_root" &&
    { [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null; } &&
    cmake --build --preset "$preset" --target LocalMgmtProxy >/dev/null)
}

# abi_dump LIBRARY OUT [SOURCE_ROOT]: no build paths or source lines, so the
# dump depends only on the interface, not on where or in which line it was built.
abi_dump() {
  abidw --load-all-types --no-show-locs --no-corpus-path --no-comp-dir-path --out-file "$2" "$1"
  sed -i "s|path='${3:-$abi_root}/|path='|" "$2"
}

# Non-zero on any change but added symbols. -t adds the types abidw marks as
# reached by no export; abi/private.abignore keeps the library's internals
# out of the comparison.
abi_compare() {
  abidiff --no-added-syms --non-reachable-types \
    --suppressions "$abi_root/abi/private.abignore" "$1" "$2"
}
