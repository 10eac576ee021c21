#pragma once
// The report of a calculation run, made from its numbers: each field's gas
// property block and year table (detailed report) or its reserve, the
// summary, the fields left out, the demand table and the sales gas and
// energy table.

#include "bericht/Bericht.h"
#include "run/CLauf.h"

CBericht Laufbericht(const CLaufErgebnis& ergebnis);

// The run's report as fixed-width lines.
std::vector<std::string> LaufberichtText(const CLaufErgebnis& ergebnis);

// The year table of a field's forecast (detailed report).
CTabelle Jahrestabelle(const std::string& feld, const CPrognosetabelle& prognose);

// The part of a stage row a stage line prints: its values above 0.
std::string StufenText(const CStufenzeile& stufe);
