#!/bin/sh
# Installs the Debian packages Kalvo needs to build, test and run.
# Idempotent: installs only what is missing, and needs no network when all is there.
# Also generates the German locale de_DE.UTF-8 when the system has none.
#   --paket  also the tools that build and check the Debian package (make deb)
set -eu

PACKAGES="cmake ninja-build g++ make pkg-config
qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
libgtest-dev libgmock-dev libbenchmark-dev
clang clang-format libclang-rt-14-dev
fonts-liberation xvfb xauth
locales poppler-utils
cppcheck shellcheck
libxlsxwriter-dev unzip nlohmann-json3-dev"

if [ "${1:-}" = "--paket" ]; then
    PACKAGES="$PACKAGES dpkg-dev fakeroot file lintian appstream desktop-file-utils
debootstrap"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"

if [ -n "$missing" ]; then
    echo "Installiere fehlende Pakete:$missing"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086
    $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# The German locale of our users: the tests run in it as well (.ci/run).
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "Erzeuge die Locale de_DE.UTF-8"
    $SUDO localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
