#!/usr/bin/env bash
# Installs, once, the Debian packages the build and the tests need, and only those: apt is told
# to leave recommended packages out, so every package the project uses is named here. A second
# run with everything present asks dpkg once and never touches apt, so it costs well under a
# second.
set -euo pipefail

packages=(
  # Native build, unit tests, benchmarks and the asset generator (Cairo draws the pack).
  cmake ninja-build g++ make pkg-config libgtest-dev googletest libbenchmark-dev libcairo2-dev
  # The Windows builds: the posix thread-model cross compilers (windres comes with them).
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-x86-64-dev mingw-w64-i686-dev
  # Fuzzing with libFuzzer (without llvm-14's symbolizer its reports show bare addresses, no
  # functions or lines), and the formatter every C++ change goes through.
  clang libclang-rt-14-dev llvm-14 clang-format
  # Wine, 64-bit only (wine32 cannot run here), with its own fonts (the dialogs' "MS Sans
  # Serif", Tahoma) and the X libraries its display driver loads at run time rather than
  # linking: without them it draws no anti-aliased text, no alpha cursors and no display modes.
  wine64 libwine fonts-wine
  libxrender1 libxrandr2 libxcursor1 libxi6 libxfixes3 libxcomposite1 libxinerama1 libxxf86vm1
  # A private X server per run and what the tests drive and inspect it with: xdpyinfo, xwd,
  # xdotool, and ImageMagick's import, convert, compare and identify.
  xvfb xauth x11-utils x11-apps xdotool imagemagick
  # Sounds, speech, clips (ffmpeg, ffprobe), the shipped archive, and the lettering font.
  sox espeak-ng ffmpeg zip fonts-comic-neue
  # The shipped photographs.
  mate-backgrounds plasma-workspace-wallpapers
  # Printing to a PDF queue, which Wine reaches through libcups; pdftoppm reads the pages back.
  # (cups-pdf is only a name printer-driver-cups-pdf provides: dpkg knows the real one.)
  cups printer-driver-cups-pdf cups-bsd libcups2 poppler-utils
)

# One dpkg query for the whole list; packages dpkg has never heard of are simply not listed.
declare -A installed=()
while read -r name want flag state; do
  [[ "$want $flag $state" == "install ok installed" ]] && installed[$name]=1
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [[ -n ${installed[$p]:-} ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  # Builds of other checkouts may be installing at the same moment: wait for dpkg's lock.
  apt_opts=(-o DPkg::Lock::Timeout=600)
  "${sudo_cmd[@]}" apt-get "${apt_opts[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get "${apt_opts[@]}" install -y -qq \
    --no-install-recommends "${missing[@]}"
fi
