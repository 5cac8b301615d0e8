#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while (default 60 s):
#   fuzz/build.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja > /dev/null
ninja -C build-fuzz
mkdir -p build-fuzz/corpus/parse_date
ASAN_OPTIONS=detect_leaks=0 build-fuzz/parse_date_fuzzer -max_total_time="$seconds" -max_len=512 \
  build-fuzz/corpus/parse_date fuzz/corpus/parse_date
mkdir -p build-fuzz/corpus/dialog_template
ASAN_OPTIONS=detect_leaks=0 build-fuzz/dialog_template_fuzzer -max_total_time="$seconds" -max_len=4096 \
  build-fuzz/corpus/dialog_template
mkdir -p build-fuzz/corpus/time_text
ASAN_OPTIONS=detect_leaks=0 build-fuzz/time_text_fuzzer -max_total_time="$seconds" -max_len=256 \
  build-fuzz/corpus/time_text fuzz/corpus/time_text
mkdir -p build-fuzz/corpus/menu_template
ASAN_OPTIONS=detect_leaks=0 build-fuzz/menu_template_fuzzer -max_total_time="$seconds" -max_len=512 \
  build-fuzz/corpus/menu_template fuzz/corpus/menu_template
mkdir -p build-fuzz/corpus/tab_label
ASAN_OPTIONS=detect_leaks=0 build-fuzz/tab_label_fuzzer -max_total_time="$seconds" -max_len=256 \
  build-fuzz/corpus/tab_label
mkdir -p build-fuzz/corpus/settings_file
ASAN_OPTIONS=detect_leaks=0 build-fuzz/settings_file_fuzzer -max_total_time="$seconds" -max_len=512 \
  build-fuzz/corpus/settings_file fuzz/corpus/settings_file
build-fuzz/make_image_seeds build-fuzz/corpus/image_seeds
for format in bmp jpeg png; do
  mkdir -p build-fuzz/corpus/$format
  ASAN_OPTIONS=detect_leaks=0 build-fuzz/${format}_decode_fuzzer -max_total_time="$seconds" -max_len=65536 \
    -rss_limit_mb=2048 build-fuzz/corpus/$format build-fuzz/corpus/image_seeds/$format
done
mkdir -p build-fuzz/corpus/http_download
build-fuzz/http_download_fuzzer -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
  build-fuzz/corpus/http_download fuzz/corpus/http_download
mkdir -p build-fuzz/corpus/subscription_file
ASAN_OPTIONS=detect_leaks=0 build-fuzz/subscription_file_fuzzer -max_total_time="$seconds" -max_len=1024 \
  build-fuzz/corpus/subscription_file fuzz/corpus/subscription_file
