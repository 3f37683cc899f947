#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine, and creates the Wine prefix
# the tests run in. Safe to run again: each step checks whether it is already done.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/env.sh"

packages=(
  cmake make g++ googletest libgtest-dev dpkg-dev nasm clang libclang-rt-14-dev libjpeg62-turbo-dev libpng-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  wine wine32:i386 wine64 fonts-wine
  xvfb xauth imagemagick x11-utils python3
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386 sox lame
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

add_source_entries() {
  # apt-get source needs deb-src lines for the same archive as the binary packages.
  local list=/etc/apt/sources.list.d/quoxel-src.sources
  [ -f "$list" ] && return 0
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | as_root tee "$list" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      as_root tee /etc/apt/sources.list.d/quoxel-src.list >/dev/null
    as_root touch "$list"
  fi
  echo "stale" >"$apt_stamp"
}

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

# A mirror caught mid-sync fails one index now and then: try again, and else go on with what was
# fetched, taking the release's own versions first (install_from_release), since a suite whose i386
# index is missing would offer its amd64 updates without the i386 packages of the same version, which
# multiarch needs (an install that still lacks a package fails on its own, naming it).
install_from_release=()
update_package_lists() {
  local try
  for try in 1 2 3; do
    as_root apt-get update -q && return 0
    echo "setup.sh: apt-get update failed (try $try of 3)" >&2
    [ "$try" -lt 3 ] && sleep $((try * 15))
  done
  echo "setup.sh: going on with the package lists as fetched, preferring the release's versions" >&2
  install_from_release=(-t "$(. /etc/os-release && echo "$VERSION_CODENAME")")
}

apt_stamp=$(mktemp)
trap 'rm -f "$apt_stamp"' EXIT
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  echo "stale" >"$apt_stamp"
fi
add_source_entries
if [ -n "$(missing_packages)" ] || [ -s "$apt_stamp" ] || [ ! -d /var/lib/apt/lists/partial ] ||
   ! ls /var/lib/apt/lists/*Sources* >/dev/null 2>&1; then
  update_package_lists
fi
missing=$(missing_packages)
if [ -n "$missing" ]; then
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "${install_from_release[@]}" $missing
fi

"$here/wine-prefix.sh"
