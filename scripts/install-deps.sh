#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the program and its tests need
# and this machine lacks. Usage: scripts/install-deps.sh [build|run|test]
set -euo pipefail
mode=${1:-test}

build_pkgs=(cmake g++ make ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcurl4-openssl-dev libsodium-dev
  libavdevice-dev libavformat-dev libavcodec-dev libswresample-dev libswscale-dev libavutil-dev
  fonts-noto-cjk qt6-translations-l10n)
run_pkgs=(xvfb xauth)
test_pkgs=(xvfb xauth libreoffice-writer-nogui antiword wv python3 python3-olefile poppler-utils
  python3-pyftpdlib ffmpeg sox clang libclang-rt-14-dev imagemagick)

pkgs=("${build_pkgs[@]}")
case "$mode" in
  run) pkgs+=("${run_pkgs[@]}") ;;
  test) pkgs+=("${test_pkgs[@]}") ;;
  build) ;;
  *) echo "usage: $0 [build|run|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
