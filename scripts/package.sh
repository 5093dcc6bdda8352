#!/usr/bin/env bash
# Builds the Debian package build/package/karvan-mirk_<version>_<arch>.deb with CPack, from the
# normal build tree: a fresh checkout is configured and built first, a built tree is reused.
# CPack installs into a staging folder of its own and strips the programs there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
rm -f build/package/karvan-mirk_*.deb
(cd build && cpack -G DEB)
ls build/package/karvan-mirk_*.deb
