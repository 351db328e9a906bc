#!/usr/bin/env bash
# Installs the Debian packages the build, the tools and the tests need, when any is missing.
set -euo pipefail

# libclang-rt-14-dev: the libFuzzer runtime for the fuzz targets; valgrind: the load/unload check;
# libcli11-dev: reaper-sim's command-line parser;
# the cross compilers, Wine, qemu-user and GoogleTest's sources: scripts/cross.
packages=(cmake ninja-build g++ clang clang-format pkg-config binutils libclang-rt-14-dev valgrind
          libgtest-dev libgmock-dev libbenchmark-dev liblua5.4-dev libsndfile1-dev
          lua5.4 lua-check libxml2-utils libcli11-dev
          g++-mingw-w64-x86-64-posix wine64 qemu-user g++-aarch64-linux-gnu g++-arm-linux-gnueabihf
          googletest)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
