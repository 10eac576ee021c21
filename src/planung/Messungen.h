#pragma once
// Measured static reservoir pressures as a planner brings them: a semicolon
// table from a spreadsheet or a pressure survey, one line per measurement.

#include "planung/Planung.h"
#include "platform/Fehler.h"

#include <string_view>

// "Feld;Jahr;Druck;Kum" (UTF-8 or Windows-1252): the field, a year or a date
// (2019-07-01 or 01.07.2019), the pressure in bar and the cumulative
// production at that time in Mio m³. The file decides once on decimal comma
// or point, as every file a person brings. A refusal names the line and the
// column: "Zeile 3: „Druck“ („1.425“) ist nicht eindeutig …". A field's
// points keep the file's order.
CErgebnis<CMessungen> MessungenLesen(std::string_view bytes);

// A year or a date as the plan file writes it: "2019", "2019-07-01"; a
// German date "01.07.2019" becomes "2019-07-01". Empty when it is neither.
std::string Messzeit(std::string_view text);
