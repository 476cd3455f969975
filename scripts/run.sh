#!/usr/bin/env bash
# Set up (packages, build) and start the application. Arguments go to the application.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build"
exec "$here/build/src/app/tessavrant" "$@"
