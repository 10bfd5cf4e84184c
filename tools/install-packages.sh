#!/usr/bin/env bash
# Installs the Debian or Ubuntu packages of .ci/packages that this machine
# lacks: as root with apt-get, otherwise through sudo; where neither can be
# used, prints the one command that installs them and exits 1.
#
#   tools/install-packages.sh [--demo] [--strict] [--list FILE]
#
# --demo:   only the packages marked `demo` (what tools/demo.sh needs).
# --strict: a package this system's package lists do not offer is an error
#           (CI); otherwise it is named and left out, and the tests that need
#           it report as skipped.
# --list:   another list than .ci/packages (the tests give made-up ones).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
list=$root/.ci/packages
demo=false
strict=false
while [ $# -gt 0 ]; do
  case $1 in
    --demo) demo=true ;;
    --strict) strict=true ;;
    --list)
      list=$2
      shift
      ;;
    *)
      echo "usage: $0 [--demo] [--strict] [--list FILE]" >&2
      exit 2
      ;;
  esac
  shift
done
say() { echo "install-packages: $*" >&2; }

if $demo; then
  wanted=$(awk '!/^#/ && $2 == "demo" { print $1 }' "$list")
else
  wanted=$(awk '!/^#/ && NF { print $1 }' "$list")
fi
if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
  say "not a Debian or Ubuntu system: make sure these (Debian names) are installed:" $wanted
  exit 0
fi
# dpkg-query names every package it knows; the unknown ones are missing too.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' $wanted 2>/dev/null |
  awk '$2 == "installed" { print $1 }' || true)
missing=$(comm -23 <(tr ' ' '\n' <<<"$wanted" | sort -u) <(sort -u <<<"$installed") | xargs)
[ -z "$missing" ] && exit 0

if [ "$(id -u)" = 0 ]; then
  run=()
elif command -v sudo >/dev/null && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
  run=(sudo)
else
  say "missing packages: $missing"
  say "install them as root with:"
  echo "  su -c 'apt-get update && apt-get install -y --no-install-recommends $missing'" >&2
  exit 1
fi
say "missing packages: $missing"
say "installing them with: ${run[*]:+${run[*]} }apt-get install -y --no-install-recommends $missing"
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
# A package another release no longer offers is named, not a reason to give
# up on all the others.
available=
unavailable=
for package in $missing; do
  if [ -n "$(apt-cache policy "$package" 2>/dev/null | awk '/Candidate:/ && $2 != "(none)"')" ]; then
    available+=" $package"
  else
    unavailable+=" $package"
  fi
done
if [ -n "$unavailable" ]; then
  say "not offered by this system's package lists:$unavailable"
  $strict && exit 1
  say "the tests that need them report as skipped"
fi
[ -z "$available" ] && exit 0
"${run[@]}" apt-get install -y -qq --no-install-recommends $available
