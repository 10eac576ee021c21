#pragma once
// The fields of a document as a spreadsheet table: one row per field, a
// German header row with the dialog's labels and units (the 41 values, then
// the 4 stage rows), semicolon separated, decimal comma, UTF-8 with byte
// order mark. A row holds the record's own values, so a table written and
// read back gives the same records' values, and the same report.
//
// Reading takes what a spreadsheet saves as well: Windows-1252, decimal point
// or comma, columns in any order (found by their header). Every row goes
// through the field rules; one bad row refuses the whole table.

#include "model/Feldsatz.h"
#include "platform/Fehler.h"

#include <string>
#include <string_view>
#include <vector>

std::string FeldtabelleCsv(const CFeldsaetze& felder);

// The table's header cells, the name's first.
std::vector<std::string> FeldtabellenKopf();

// A readable record's values in the table's columns after the name: the 40
// values, then the 4 stage rows' 6 each.
std::vector<double> FeldtabellenWerte(const CFeldsatz& satz);

// The records of the table's rows, or "Zeile N: <Feld>: <Grund>" (N counts
// the file's lines, the header is line 1).
CErgebnis<CFeldsaetze> FeldtabelleLesen(std::string_view bytes);
