#!/bin/sh
# Checks the Debian package as a user receives it:
#  1. lintian reports no error; the AppStream and desktop files are valid;
#  2. every file the package promises is in it, no library is bundled, and
#     its dependencies are Debian's runtime packages;
#  3. installed with apt into a fresh Debian 12 root (debootstrap), both
#     programs name their version and kalvo-batch prints the sample's report
#     byte for byte as the golden output holds it.
# Step 3 needs the Debian mirror and chroot; where the machine allows neither
# it is skipped with a message (steps 1 and 2 always run).
#   scripts/paket-pruefen.sh PAKET.deb
set -eu
paket=$(realpath "$1")
quelle=$(cd "$(dirname "$0")/.." && pwd)

fehler() {
    echo "Paketprüfung: $*" >&2
    exit 1
}

echo "== lintian $(basename "$paket")"
lintian --fail-on error --tag-display-limit 0 "$paket" || fehler "lintian meldet einen Fehler"
echo "== AppStream und Menüeintrag"
appstreamcli validate --no-net "$quelle/share/de.kalvo.Kalvo.metainfo.xml"
desktop-file-validate "$quelle/share/kalvo.desktop"

echo "== Handbuchseiten"
for seite in kalvo kalvo-batch; do
    meldungen=$(dpkg-deb --fsys-tarfile "$paket" | tar -xOf - "./usr/share/man/man1/$seite.1.gz" |
        zcat | LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z 2>&1)
    [ -z "$meldungen" ] || fehler "groff zu $seite.1: $meldungen"
done

echo "== Inhalt"
inhalt=$(dpkg-deb -c "$paket" | awk '{print $6}')
for datei in ./usr/bin/kalvo ./usr/bin/kalvo-batch ./usr/share/kalvo/KALVO.html \
    ./usr/share/kalvo/examples/Beispiel.kvo ./usr/share/kalvo/examples/Grenzfaelle.kvo \
    ./usr/share/applications/kalvo.desktop ./usr/share/mime/packages/kalvo.xml \
    ./usr/share/icons/hicolor/scalable/apps/kalvo.svg ./usr/share/metainfo/de.kalvo.Kalvo.metainfo.xml \
    ./usr/share/man/man1/kalvo.1.gz ./usr/share/man/man1/kalvo-batch.1.gz \
    ./usr/share/doc/kalvo/copyright ./usr/share/doc/kalvo/changelog.Debian.gz; do
    echo "$inhalt" | grep -qxF "$datei" || fehler "$datei fehlt im Paket"
done
if echo "$inhalt" | grep -q '\.so'; then
    fehler "das Paket bündelt eine Bibliothek"
fi
abhaengig=$(dpkg-deb -f "$paket" Depends)
echo "Depends: $abhaengig"
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins; do
    echo "$abhaengig" | tr ',' '\n' | grep -q "^ *$p\( \|$\)" || fehler "Abhängigkeit $p fehlt"
done

echo "== Installation in ein frisches Debian 12"
if [ "$(id -u)" -ne 0 ] || ! command -v debootstrap >/dev/null; then
    echo "Installationstest übersprungen: braucht root und debootstrap."
    exit 0
fi
wurzel=$(mktemp -d "${TMPDIR:-/tmp}/kalvo-wurzel.XXXXXX")
trap 'umount "$wurzel/proc" 2>/dev/null || true; rm -rf "$wurzel"' EXIT
if ! debootstrap --variant=minbase bookworm "$wurzel" http://deb.debian.org/debian >"$wurzel.log" 2>&1; then
    echo "Installationstest übersprungen: debootstrap gelang nicht (Netz?):"
    tail -3 "$wurzel.log"
    rm -f "$wurzel.log"
    exit 0
fi
rm -f "$wurzel.log"
cp /etc/resolv.conf "$wurzel/etc/resolv.conf"
mount -t proc proc "$wurzel/proc" 2>/dev/null || true
cp "$paket" "$wurzel/tmp/"
im() { chroot "$wurzel" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }
im apt-get update -qq || fehler "apt-get update in der Wurzel gelang nicht"
if ! DEBIAN_FRONTEND=noninteractive im apt-get install -y -qq --no-install-recommends \
    "/tmp/$(basename "$paket")" >"$wurzel/apt.log" 2>&1; then
    tail -20 "$wurzel/apt.log"
    fehler "apt install des Pakets gelang nicht"
fi
# shellcheck disable=SC2016 # dpkg-query's own format, not the shell's
echo "installiert: $(im dpkg-query -W -f '${Package} ${Version}' kalvo)"
im kalvo --version
im kalvo-batch --version
im kalvo-batch /usr/share/kalvo/examples/Beispiel.kvo >"$wurzel/bericht.txt" 2>/dev/null ||
    fehler "kalvo-batch auf dem Beispiel endete mit $?"
tail -n +2 "$quelle/tests/golden/Beispiel/zusammenfassung.txt" | cmp - "$wurzel/bericht.txt" ||
    fehler "der Bericht des installierten kalvo-batch weicht vom Goldstandard ab"
head -3 "$wurzel/bericht.txt"
for seite in kalvo kalvo-batch; do
    [ -f "$wurzel/usr/share/man/man1/$seite.1.gz" ] || fehler "Handbuchseite $seite fehlt"
done
echo "Paket installiert und geprüft."
