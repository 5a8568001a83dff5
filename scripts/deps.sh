#!/usr/bin/env bash
# Installs the Debian packages Tavorine needs to build, run and test.
set -euo pipefail

PACKAGES=(
  build-essential
  cmake
  clang-format
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  pkg-config
  portaudio19-dev
  libasound2-dev
  libjack-jackd2-dev
  libsndfile1-dev
  librubberband-dev
  libresample1-dev
  qt6-base-dev
  fonts-liberation
)

if [ "${TAVORINE_SKIP_DEPS:-0}" = 1 ]; then
  exit 0
fi

sudo=()
if [ "$(id -u)" != 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${PACKAGES[@]}" >/dev/null
