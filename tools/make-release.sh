#!/usr/bin/env bash
# Builds the releases: for Windows one folder with tarnwick.exe,
# korvane-installer.exe, the runtime include PBTarnwickInc.pbi and a
# commented Yarrowkit.ini, and a zip of it, ready to copy onto Windows; for
# Debian and Ubuntu the package tarnwick_VERSION_ARCH.deb beside it.
#
#   tools/make-release.sh [CROSS_BUILD_DIR [NATIVE_BUILD_DIR]]
#                         (defaults: build-win, build-deb)
#
# Cross-compiles with mingw-w64 (static runtime, GUI subsystem), then checks
# that the programs import nothing but system DLLs, so the folder is all a
# Windows machine needs. The package comes from a native Release build
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
cmake --build "$build" -j"${JOBS:-2}" --target tarnwick korvane-installer

version=$(sed -n 's/^project(tarnwick VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=tarnwick-${version:-0}-windows
out=$root/release/$name
rm -rf "$out" "$out.zip"
mkdir -p "$out"
for exe in tarnwick.exe korvane-installer.exe; do
  x86_64-w64-mingw32-strip -o "$out/$exe" "$build/bin/$exe"
done
cp "$root/runtime/PBTarnwickInc.pbi" "$out/"
# The settings file is the commented template: with no Graphviz path set,
# "-pdf" renders nothing until the user names the program.
# Windows line ends, for editors that know no other.
sed 's/\r*$/\r/' "$root/generator/driver/Yarrowkit.ini.template" >"$out/Yarrowkit.ini"

# Anything beyond the system DLLs would have to travel with the programs.
allowed='^(kernel32|user32|gdi32|comdlg32|msvcrt|advapi32|shell32|comctl32)\.dll$'
for exe in "$out"/*.exe; do
  x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' |
    while read -r dll; do
      if ! [[ ${dll,,} =~ $allowed ]]; then
        echo "$(basename "$exe") needs $dll, which Windows does not provide" >&2
        exit 1
      fi
    done
done

(cd "$root/release" && zip -q -r -X "$name.zip" "$name")

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
