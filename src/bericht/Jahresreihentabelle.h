#pragma once
// The year series of a run as a table for a German spreadsheet: Jahr, the
// rest fields, Ist, Soll, the fields' shares; a demand-limited run adds its
// four columns, the energy table its three, a Monte Carlo study its
// percentiles, then one column per field (its share in the chart quantity),
// headed by the field's name. Production to 3 decimals (Mio m³), rates to 1
// (m³/h). The CSV writes it with TabellenCsv (bericht/Bericht.h).

#include "bericht/Bericht.h"
#include "summary/Jahresreihen.h"

CTabelle Jahresreihentabelle(const CJahresreihen& reihen);

// The CSV table of the year series.
std::string JahresreihenCsv(const CJahresreihen& reihen);
