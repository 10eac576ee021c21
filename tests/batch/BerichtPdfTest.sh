#!/bin/sh
# The printed report loses no line: kalvo-batch writes the detailed report
# of a sample as PDF and as text; every text line must come out of the PDF
# (pdftotext), in order. Blanks are compared as one, empty lines skipped.
# Aufruf: BerichtPdfTest.sh KALVO-BATCH DATEI.kvo [--quer]
set -eu
batch=$1
datei=$2
shift 2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$batch" --detail --bericht-pdf "$tmp/bericht.pdf" "$@" "$datei" > "$tmp/bericht.txt"
pdftotext -layout "$tmp/bericht.pdf" "$tmp/pdf.txt"

normiert() { sed 's/[[:space:]]\{1,\}/ /g; s/^ //; s/ $//' "$1" | grep -v '^$'; }
normiert "$tmp/bericht.txt" > "$tmp/soll"
normiert "$tmp/pdf.txt" > "$tmp/ist"

awk 'BEGIN { n = 0; i = 0 }
     NR == FNR { soll[n++] = $0; next }
     i < n && $0 == soll[i] { i++ }
     END { if (i < n) { print "Im PDF fehlt die Berichtszeile " (i + 1) ": " soll[i]; exit 1 }
           print n " Berichtszeilen im PDF gefunden" }' "$tmp/soll" "$tmp/ist"
