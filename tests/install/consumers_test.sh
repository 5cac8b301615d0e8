#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it as a program outside this
# tree would: every public header is there and compiles on its own with only
# the prefix's include folder; examples/hello builds with find_package(NbUI)
# and paints; a one-file program builds with pkg-config and runs.
#   consumers_test.sh <source dir> <build dir>
set -euo pipefail
src=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" > /dev/null
include=$prefix/include/nbui

# Public headers: all of the platform's, and the host's and the library's but
# those named *_internal.h and the resource catalogue.
missing=0
while read -r header; do
  if [ ! -f "$include/$header" ]; then
    echo "not installed: $header"
    missing=1
  fi
done < <(cd "$src/platform/include" && find . -name '*.h' | sed 's|^\./||'
         for root in host nbui; do
           (cd "$src/$root" && find . -name '*.h' ! -name '*_internal.h' ! -path './resources/*' | sed 's|^\./||')
         done)
[ "$missing" = 0 ] || exit 1

export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
cflags=$(pkg-config --cflags nbui)
echo "checking $(cd "$include" && find . -name '*.h' | wc -l) installed headers"
(cd "$include" && find . -name '*.h' | sed 's|^\./||') |
  xargs -P 2 -I{} sh -c 'printf "#include \"%s\"\n" "$1" | c++ -std=c++20 -fsyntax-only -x c++ $2 - 2>&1 || { echo "does not compile alone: $1"; exit 255; }' _ {} "$cflags"

cmake -S "$src/examples/hello" -B "$work/hello" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" > /dev/null
cmake --build "$work/hello" > /dev/null
"$work/hello/nbui-hello" --snapshot "$work/hello.png"
test -s "$work/hello.png"
echo "examples/hello built with find_package(NbUI) and painted"

c++ -std=c++20 -o "$work/pkgconfig_program" "$src/tests/install/pkgconfig_program.cpp" $(pkg-config --cflags --libs nbui)
LD_LIBRARY_PATH=$prefix/lib "$work/pkgconfig_program"
echo "a program built with pkg-config ran"
