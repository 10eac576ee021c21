#pragma once
// The results as a spreadsheet workbook (.xlsx, through libxlsxwriter):
// "Zusammenfassung" (one row per year, with a line chart of Ist and Soll),
// "Felder" (each field's share per year), a sheet for each table the run
// printed ("Bedarf", "Energie", "Deckung", "Vergleich", "Unsicherheit",
// "Sensitivitaet") and "Eingaben" (the field table and the two profiles).
// Numbers are numbers with one decimal shown, headers name their units, the
// header rows stay in view. Written atomically like the other exports.

#include "platform/Fehler.h"

#include <string>

class CKalvoDoc;

CErgebnis<> ArbeitsmappeSchreiben(const CKalvoDoc& doc, const std::string& pfad);
