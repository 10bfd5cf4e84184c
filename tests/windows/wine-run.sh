#!/bin/sh
# Runs one command (usually `wine prog.exe ...`) in the environment of the
# shared wine test fixture.
#
#   wine-run.sh STATE_DIR COMMAND [ARG...]
set -eu
WINE_STATE=$1
shift
. "$(cd "$(dirname "$0")" && pwd)/wine-env.sh"
exec "$@"
