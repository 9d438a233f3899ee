#!/usr/bin/env bash
# Builds the INI reader's libFuzzer target with clang and runs it for the
# given number of seconds (default 60) on a seed corpus of settings files.
set -euo pipefail
seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
src=$here/../src/util
work=${FUZZ_WORK:-$(mktemp -d)}
mkdir -p "$work/corpus"
cp "$here"/seeds/* "$work/corpus/" 2>/dev/null || true
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fPIC \
  $(pkg-config --cflags Qt6Core) -I"$src" \
  "$here/ini_file_fuzz.cpp" "$src/ini_file.cpp" "$src/gbk.cpp" "$src/atomic_file.cpp" \
  $(pkg-config --libs Qt6Core) -o "$work/ini_file_fuzz"
"$work/ini_file_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 "$work/corpus"
