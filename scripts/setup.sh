#!/usr/bin/env bash
# Installs what building and testing the suite needs, where it is missing:
# CMake, Ninja, a C++ compiler, GoogleTest and ccache (Debian packages), and
# man to check the manual pages.
set -euo pipefail

missing=()
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v ninja >/dev/null 2>&1 || missing+=(ninja-build)
command -v g++ >/dev/null 2>&1 || missing+=(g++)
[ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev googletest)
command -v python3 >/dev/null 2>&1 || missing+=(python3)
command -v man >/dev/null 2>&1 || missing+=(man-db)
# Caches compilations across builds (scripts/test.sh uses it when present).
command -v ccache >/dev/null 2>&1 || missing+=(ccache)

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

# The finite-element tools the exported model is checked with: Gmsh, meshio
# (for the system's python3) and CalculiX.
tools=()
command -v gmsh >/dev/null 2>&1 || tools+=(gmsh)
command -v ccx >/dev/null 2>&1 || tools+=(calculix-ccx)
[ -d /usr/lib/python3/dist-packages/meshio ] || tools+=(python3-meshio)
if [ ${#tools[@]} -gt 0 ]; then
  echo "installing: ${tools[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${tools[@]}"
fi
