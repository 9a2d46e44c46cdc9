#!/usr/bin/env bash
# The binary interface against the committed baselines (README "The ABI
# check"), then proof that the check bites: a copy of the tree with one
# export removed, then with two virtual operations swapped, must each fail it.
# Runs after .ci/cross.sh, whose builds it reuses.
set -euo pipefail
cd "$(dirname "$0")/.."
bash .ci/setup.sh build cross abi
source abi/abi.sh

work=build/abi-check
rm -rf "$work"
mkdir -p "$work"

status=0
for arch in "${abi_all_arches[@]}"; do
  abi_build "$arch"
  abi_dump "$(abi_library "$arch")" "$work/$arch.abi"
  if abi_compare "$(abi_baseline "$arch")" "$work/$arch.abi" >"$work/$arch.diff"; then
    echo "abi: $arch matches its baseline"
  else
    cat "$work/$arch.diff"
    echo "abi: $arch differs from abi/$(basename "$(abi_baseline "$arch")") (above)."
    echo "     Deliberate? Run abi/update-baseline.sh and commit the dumps; raise the soname if clients break."
    status=1
  fi
done
[ "$status" -eq 0 ] || exit 1

# --- the check must fail on a breaking change ------------------------------
probe=$work/probe
mkdir -p "$probe"
tar -c --exclude=./build --exclude=./.git . | tar -x -C "$probe"
baseline=$(abi_baseline x86_64)

probe_dump() {
  (cd "$probe" && cmake --preset package >/dev/null && cmake --build --preset package --target LocalMgmtProxy >/dev/null)
  abi_dump "$probe/build/package/src/libLocalMgmtProxy.so" "$work/probe.abi" "$PWD/$probe"
}

expect_failure() {
  probe_dump
  if abi_compare "$baseline" "$work/probe.abi" >"$work/probe-$1.diff"; then
    echo "abi: FAILED: the check passed a library with $2"
    exit 1
  fi
  echo "abi: a library with $2 fails the check, as it must:"
  sed 's/^/    /' "$work/probe-$1.diff" | head -20
}

# The untouched copy passes: what follows fails for its change alone.
probe_dump
abi_compare "$baseline" "$work/probe.abi" >/dev/null || { echo "abi: FAILED: an unchanged copy fails the check"; exit 1; }

cp "$probe/src/exports.map" "$work/exports.map"
sed -i '/^ *createLocationDeliveryRequestProxy;/d' "$probe/src/exports.map"
cmp -s "$work/exports.map" "$probe/src/exports.map" && { echo "abi: cannot remove an export from src/exports.map"; exit 1; }
expect_failure export "an export removed"
cp "$work/exports.map" "$probe/src/exports.map"

# Swap the first two virtual operations of a class the exported functions
# reach. The factories hand out Proxy*, so its base Executable is reachable
# today; include/LocalMgmtIfc.h LocalMgmtIfc joins the list once the proxy
# classes are exported, which makes the interfaces reachable too.
virtual_swaps=("framework/Framework.h Executable" "include/LocalMgmtIfc.h LocalMgmtIfc")
for swap in "${virtual_swaps[@]}"; do
  read -r header class <<<"$swap"
  cp "$probe/$header" "$work/header"
  python3 - "$probe/$header" "$class" <<'PY' || { echo "abi: cannot swap two virtuals of $class in $header"; exit 1; }
import re, sys
path, name = sys.argv[1:]
lines = open(path).read().split("\n")
start = next(i for i, line in enumerate(lines) if re.match(rf"(class|struct)\s+(\w+\s+)?{name}\b[^;]*$", line))
found = []
for i in range(start + 1, len(lines)):
    if lines[i].startswith("};"):
        break
    if re.match(r"\s*virtual [^~(]+\([^;]*\)[^;]*;\s*$", lines[i]):
        found.append(i)
if len(found) < 2:
    sys.exit(1)
a, b = found[:2]
lines[a], lines[b] = lines[b], lines[a]
open(path, "w").write("\n".join(lines))
PY
  expect_failure "$class" "two virtual operations of $class swapped"
  cp "$work/header" "$probe/$header"
done
