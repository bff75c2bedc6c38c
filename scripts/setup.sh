#!/usr/bin/env bash
# Installs, once, the Debian packages the build and the tests need. A second run with
# everything present asks dpkg only and never touches apt, so it costs well under a second.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev
  wine64 wine fonts-wine xvfb xauth x11-utils x11-apps xdotool imagemagick zip
  ffmpeg sox espeak-ng fonts-comic-neue libcairo2-dev
  mate-backgrounds plasma-workspace-wallpapers
  clang libclang-rt-14-dev clang-format
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  # wine64 recommends wine32, which cannot run here (no ia32 emulation) and is never asked
  # for: without the i386 architecture apt has no candidate for it and passes it over.
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
