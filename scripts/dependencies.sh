#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages that building, running and testing Lumesca need
# and that are not installed yet. Sourced by scripts/run and scripts/test.
set -euo pipefail

lumesca_packages=(
  g++ cmake make pkg-config
  libgtk-3-dev libwebkit2gtk-4.1-dev libx11-dev libxext-dev libxtst-dev libxfixes-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox x11-utils xdotool imagemagick
  python3 python3-pil fonts-dejavu-core fonts-dejavu-extra fonts-liberation
  desktop-file-utils appstream dpkg-dev file clang-format
)

lumesca_install_dependencies() {
  local missing=()
  for package in "${lumesca_packages[@]}"; do
    if [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) != "install ok installed" ]]; then
      missing+=("$package")
    fi
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

# lumesca_build BUILD_DIR [CMAKE_OPTION]...
lumesca_build() {
  local build_dir=$1
  shift
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$build_dir" -j"$(nproc)"
}
