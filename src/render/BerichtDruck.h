#pragma once
// The report printed on paper or into a PDF file: one code path for the
// desktop's printer and for kalvo-batch --bericht-pdf.

#include "platform/Fehler.h"

#include <string>

class CKalvoDoc;
class QPagedPaintDevice;

// Pages the report takes on the device's page layout.
int BerichtSeitenzahl(const CKalvoDoc& doc, QPagedPaintDevice& geraet);

// Prints pages von … bis (from 1; 0 and 0 = all) on a device that has no
// painter yet; returns the number of pages printed.
int BerichtDrucken(const CKalvoDoc& doc, QPagedPaintDevice& geraet, int von = 0, int bis = 0);

// The report as a PDF file on A4, upright or across, written atomically.
CErgebnis<> BerichtPdfSchreiben(const CKalvoDoc& doc, const std::string& pfad, bool quer);
