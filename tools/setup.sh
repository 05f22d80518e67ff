#!/usr/bin/env bash
# Installs the Debian packages Tavrel needs that are not installed yet, then configures
# and builds build/. Sourced by ./run and ./test.
set -euo pipefail

TAVREL_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libcli11-dev nlohmann-json3-dev
  ngspice
  python3 python3-numpy python3-scipy python3-mpmath
  fonts-liberation2
)

tavrel_install_missing() {
  local missing=()
  for p in "${TAVREL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

tavrel_build() {  # tavrel_build DIR [cmake options...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  ninja -C "$dir"
}
