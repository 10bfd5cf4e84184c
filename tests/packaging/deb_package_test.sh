#!/usr/bin/env bash
# The Debian package end to end: CPack builds it from the build tree, its
# contents and computed dependencies are checked, it is unpacked into a
# scratch root (dpkg -x), and the unpacked tarnwick, run from another
# folder, generates an example's scanner byte for byte like the build tree's
# program and places the include beside the output. With Xvfb at hand it
# must also find its window module in lib/tarnwick/: a run asked for the
# window then logs nothing to standard output. The unpacked tarnwick-scan
# tokenises the example like the build tree's. The control data must be
# clean (a one-piece description, a real maintainer address, no ldconfig),
# and lintian must find no error and no warning; without lintian the test
# reports as skipped once everything else has passed.
#
#   deb_package_test.sh BUILD_DIR SCRATCH BUILT_TARNWICK BUILT_SCAN PRIVATE_DISPLAY_WRAPPER
set -euo pipefail
build=$1
scratch=$2
built_tarnwick=$3
built_scan=$4
with_display=$5
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing (dpkg-dev): package test skipped"
    exit 77
  fi
done
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$scratch"
mkdir -p "$scratch/work/out" "$scratch/reference"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$scratch/cpack.log")"
debs=("$scratch"/package/*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}

listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in usr/bin/tarnwick usr/bin/tarnwick-scan usr/bin/korvane-installer \
  usr/share/tarnwick/PBTarnwickInc.pbi usr/share/tarnwick/Yarrowkit.ini \
  usr/share/man/man1/tarnwick.1.gz usr/share/man/man1/tarnwick-scan.1.gz \
  usr/share/man/man1/korvane-installer.1.gz usr/share/doc/tarnwick/examples/calc.lex \
  usr/share/doc/tarnwick/copyright usr/share/doc/tarnwick/changelog.gz; do
  grep -qx "\./$path" <<<"$listing" || fail "the package lacks /$path"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6; do
  [[ $depends == *"$library "* || $depends == *"$library," || $depends == *"$library" ]] ||
    fail "Depends lacks $library: $depends"
done
if grep -q 'tarnwick-window\.so$' <<<"$listing"; then
  [[ $depends == *libfltk* ]] || fail "the window module is packed but Depends lacks FLTK: $depends"
fi

# The control data: the description's lines are text, never a CMake list's
# separator; the maintainer can be written to; no maintainer script runs
# ldconfig for the private window module.
description=$(dpkg-deb -f "$deb" Description)
! grep -q '^ *;' <<<"$description" || fail "the description has lines starting with ';': $description"
grep -q '^ .*tarnwick-scan' <<<"$description" || fail "the description does not name tarnwick-scan"
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ $maintainer =~ ^[^\<]+\ \<[^@\>]+@[^@\>]+\.[a-z]+\>$ && $maintainer != *@localhost* ]] ||
  fail "the maintainer is no address to write to: $maintainer"
dpkg-deb -e "$deb" "$scratch/control"
! grep -rl ldconfig "$scratch/control" || fail "a maintainer script runs ldconfig"

root=$scratch/root
dpkg -x "$deb" "$root"
for page in tarnwick tarnwick-scan korvane-installer; do
  gzip -dc "$root/usr/share/man/man1/$page.1.gz" | grep -q '^\.TH ' ||
    fail "the manual page of $page is not a manual page"
done
[ "$("$root/usr/bin/tarnwick" --version)" = "tarnwick 1.0" ] || fail "tarnwick --version"
[ "$("$root/usr/bin/korvane-installer" --version)" = "korvane-installer 1.0" ] ||
  fail "korvane-installer --version"
"$root/usr/bin/tarnwick" --help | grep -qxF "  $root/usr/share/tarnwick/" ||
  fail "tarnwick --help does not name the installed data folder"

export TARNWICK_UI=console TMPDIR=$scratch
cp "$root/usr/share/doc/tarnwick/examples/calc.lex" "$scratch/work/"
cp "$scratch/work/calc.lex" "$scratch/reference/"
(cd "$scratch/work" && "$root/usr/bin/tarnwick" calc.lex -o out/calc.pbl >../installed.log) ||
  fail "the installed tarnwick failed: $(cat "$scratch/installed.log")"
cmp "$scratch/work/out/PBTarnwickInc.pbi" "$root/usr/share/tarnwick/PBTarnwickInc.pbi" ||
  fail "the include did not land beside the output"
(cd "$scratch/reference" && "$built_tarnwick" calc.lex -o calc.pbl >/dev/null)
cmp "$scratch/work/out/calc.pbl" "$scratch/reference/calc.pbl" ||
  fail "the installed tarnwick's scanner differs from the build tree's"
printf '12 if\n7\n' >"$scratch/calc.txt"
"$root/usr/bin/tarnwick-scan" "$scratch/work/out/calc.pbl" "$scratch/calc.txt" >"$scratch/installed-scan.txt" ||
  fail "the installed tarnwick-scan failed"
"$built_scan" "$scratch/work/out/calc.pbl" "$scratch/calc.txt" >"$scratch/reference-scan.txt"
grep -q '^rule 0  line 1  col 1  "12"$' "$scratch/installed-scan.txt" &&
  cmp -s "$scratch/installed-scan.txt" "$scratch/reference-scan.txt" ||
  fail "the installed tarnwick-scan: $(cat "$scratch/installed-scan.txt")"
if grep -q 'tarnwick-window\.so$' <<<"$listing" && command -v Xvfb >/dev/null; then
  (cd "$scratch/work" && TARNWICK_UI=window "$with_display" "$root/usr/bin/tarnwick" calc.lex \
    -o out/window.pbl >../window.log 2>&1) || fail "the windowed run failed: $(cat "$scratch/window.log")"
  [ ! -s "$scratch/window.log" ] ||
    fail "the installed tarnwick did not load its window module: $(cat "$scratch/window.log")"
fi
if ! command -v lintian >/dev/null; then
  echo "lintian is missing: everything but its check passed, reported as skipped"
  exit 77
fi
lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$scratch/lintian.log")"
echo "ok: $(basename "$deb"), Depends: $depends, lintian clean"
