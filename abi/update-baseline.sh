#!/usr/bin/env bash
# Rebuilds the release library for each architecture (or those named) and
# writes its ABI dump as the new baseline. Commit the dumps with the change
# that made them necessary; see README "The ABI check".
#
# usage: abi/update-baseline.sh [x86_64] [armhf] [arm64]
set -euo pipefail
source "$(dirname "$0")/abi.sh"

arches=("$@")
[ "${#arches[@]}" -gt 0 ] || arches=("${abi_all_arches[@]}")
for arch in "${arches[@]}"; do
  echo "== $arch: building the release library ($(abi_preset "$arch") preset)"
  abi_build "$arch"
  baseline=$(abi_baseline "$arch")
  fresh=$(mktemp)
  abi_dump "$(abi_library "$arch")" "$fresh"
  if [ -f "$baseline" ] && ! report=$(abi_compare "$baseline" "$fresh"); then
    echo "$report"
    echo "== $arch: the ABI changed (above); if it breaks existing clients, raise the soname too"
  fi
  mv "$fresh" "$baseline"
  chmod 644 "$baseline"
  echo "== $arch: wrote ${baseline#"$abi_root"/}"
done
