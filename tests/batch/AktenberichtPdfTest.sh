#!/bin/sh
# The report for the file as PDF (pdftotext): the first page carries the
# date line, every page "Seite n von m", the last page the units.
# Aufruf: AktenberichtPdfTest.sh KALVO-BATCH DATEI.kvo
set -eu
batch=$1
datei=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$batch" --detail --bericht-pdf "$tmp/akte.pdf" --aktenbericht "$datei" > /dev/null
seiten=$(pdfinfo "$tmp/akte.pdf" | sed -n 's/^Pages: *//p')
pdftotext -f 1 -l 1 "$tmp/akte.pdf" - | grep -q "gedruckt am [0-9][0-9]\.[0-9][0-9]\.[0-9][0-9][0-9][0-9]" ||
    { echo "Seite 1 ohne Druckdatum"; exit 1; }
n=1
while [ "$n" -le "$seiten" ]; do
    pdftotext -f "$n" -l "$n" "$tmp/akte.pdf" - | grep -q "Seite $n von $seiten" ||
        { echo "Seite $n ohne \"Seite $n von $seiten\""; exit 1; }
    n=$((n + 1))
done
pdftotext -f "$seiten" -l "$seiten" "$tmp/akte.pdf" - | grep -q "EINHEITEN, BEZUGSZUSTAND UND OPTIONEN" ||
    { echo "Letzte Seite ohne Einheiten"; exit 1; }
echo "$seiten Seiten mit Datum, Seitenzahl und Einheiten"
