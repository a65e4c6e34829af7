#!/usr/bin/env bash
# Builds Vornel (installing what is missing) and starts the editor. Arguments go to the editor.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" "$here/build"
exec "$here/build/vornel" "$@"
