#!/bin/sh
# Installs the Debian packages Kalvo needs to build, test and run.
# Idempotent: installs only what is missing, and needs no network when all is there.
set -eu

PACKAGES="cmake ninja-build g++ make pkg-config
qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
libgtest-dev libgmock-dev libbenchmark-dev
clang libclang-rt-14-dev
fonts-liberation xvfb xauth"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installiere fehlende Pakete:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
