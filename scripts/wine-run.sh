#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix, through the loader
# that fits it (scripts/wine-env.sh). The display and the long-lived wineserver come
# from wine-session.sh.
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
loader=$(wine_loader_for "$1")
export WINELOADER=$loader
exec "$loader" "$@"
