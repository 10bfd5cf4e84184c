#!/usr/bin/env bash
# Builds the releases: for Windows one folder with tarnwick.exe,
# tarnwick-scan.exe, korvane-installer.exe, the runtime include
# PBTarnwickInc.pbi, a commented Yarrowkit.ini, the README, the engine's
# guide and the examples, and a zip of it, ready to copy onto Windows
# (tools/pack-windows.sh); for Debian and Ubuntu the package
# tarnwick_VERSION_ARCH.deb beside it.
#
#   tools/make-release.sh [CROSS_BUILD_DIR [NATIVE_BUILD_DIR]]
#                         (defaults: build-win, build-deb)
#
# Cross-compiles with mingw-w64 (static runtime; the GUI subsystem for the
# two windowed programs), then checks that the programs import nothing but
# system DLLs, so the folder is all a Windows machine needs. The package comes from a native Release build
# through CPack (its dependencies computed by dpkg-shlibdeps, from
# dpkg-dev). Output: release/tarnwick-VERSION-windows/,
# release/tarnwick-VERSION-windows.zip and release/tarnwick_VERSION_ARCH.deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-win}
case $build in /*) ;; *) build=$PWD/$build ;; esac
native=${2:-$root/build-deb}
case $native in /*) ;; *) native=$PWD/$native ;; esac

cmake -S "$root" -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DBUILD_TESTING=OFF \
  -DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$build/bin" >/dev/null
cmake --build "$build" -j"${JOBS:-2}" --target tarnwick tarnwick-scan korvane-installer

zip=$("$root/tools/pack-windows.sh" "$build/bin" "$root/release")
out=${zip%.zip}

# The Debian package: everything `cmake --install` puts under /usr.
# -O2 as in the cross build: GCC 12 reports false -Wrestrict overlaps inside
# std::string at -O3.
cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DBUILD_TESTING=OFF -DTARNWICK_WINE_TESTS=OFF >/dev/null
cmake --build "$native" -j"${JOBS:-2}"
rm -f "$root"/release/tarnwick_*.deb "$native"/package/tarnwick_*.deb
(cd "$native" && cpack -G DEB -B "$native/package" >/dev/null)
cp "$native"/package/tarnwick_*.deb "$root/release/"
deb=$(ls "$root"/release/tarnwick_*.deb)

echo "release: $out"
echo "zip:     $out.zip"
echo "deb:     $deb"
ls -l "$out" "$out.zip" "$deb"
