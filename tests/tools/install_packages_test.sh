#!/usr/bin/env bash
# tools/install-packages.sh against stand-ins for id, sudo, dpkg-query,
# apt-get and apt-cache: which packages it finds missing, how it installs
# them (as root, through sudo, or not at all with the command named), the
# demo's subset and packages the system does not offer.
#   install_packages_test.sh SCRIPT WORK_DIR
set -uo pipefail
script=$1 work=$2
rm -rf "$work" && mkdir -p "$work/bin" || exit 1
cat >"$work/list" <<'LIST'
# a made-up list
cc demo
gtest
make demo
wine
LIST
# The stand-ins read the case from FAKE_* variables and log what they run.
cat >"$work/bin/id" <<'STUB'
#!/bin/sh
echo "$FAKE_UID"
STUB
cat >"$work/bin/sudo" <<'STUB'
#!/bin/sh
[ "$FAKE_SUDO" = yes ] || exit 1
[ "$1" = -n ] && exit 0
echo "sudo $*" >>"$FAKE_LOG"
exec "$@"
STUB
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
shift 2
for p in "$@"; do
  case " $FAKE_INSTALLED " in *" $p "*) echo "$p installed" ;; *) echo "$p not-installed" ;; esac
done
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "apt-get $*" >>"$FAKE_LOG"
STUB
cat >"$work/bin/apt-cache" <<'STUB'
#!/bin/sh
case " $FAKE_UNOFFERED " in *" $2 "*) echo "  Candidate: (none)" ;; *) echo "  Candidate: 1.0" ;; esac
STUB
chmod +x "$work"/bin/*
export PATH="$work/bin:$PATH" FAKE_LOG="$work/log"

install='apt-get install -y -qq --no-install-recommends'
failures=0
# uid | sudo usable | installed | not offered | options | status | commands run | text on stderr
while IFS='|' read -r uid sudo installed unoffered options status commands text; do
  rm -f "$FAKE_LOG" && touch "$FAKE_LOG"
  got_text=$(FAKE_UID=$uid FAKE_SUDO=$sudo FAKE_INSTALLED=$installed FAKE_UNOFFERED=$unoffered \
    "$script" --list "$work/list" $options 2>&1 </dev/null)
  got_status=$?
  got_commands=$(paste -sd ';' "$FAKE_LOG")
  if [ "$got_status" != "$status" ] || [ "$got_commands" != "$commands" ] ||
    [[ $got_text != *"$text"* ]]; then
    echo "FAIL: uid $uid, sudo $sudo, installed '$installed', options '$options':"
    echo "  status $got_status (want $status), ran '$got_commands' (want '$commands')"
    echo "  said: $got_text"
    failures=$((failures + 1))
  fi
done <<CASES
1000|no|cc gtest make wine|||0||
0|no|cc make|||0|apt-get update -qq;$install gtest wine|missing packages: gtest wine
1000|yes|cc make|||0|sudo apt-get update -qq;apt-get update -qq;sudo $install gtest wine;$install gtest wine|installing them with: sudo apt-get
1000|no|cc make|||1||su -c 'apt-get update && apt-get install -y --no-install-recommends gtest wine'
0|no|cc make||--demo|0||
0|no|gtest||--demo|0|apt-get update -qq;$install cc make|missing packages: cc make
0|no|cc make|wine||0|apt-get update -qq;$install gtest|not offered by this system's package lists: wine
0|no|cc make|wine|--strict|1|apt-get update -qq|not offered by this system's package lists: wine
CASES
[ $failures = 0 ] && echo "ok: 8 cases"
