#pragma once
// The checks the field data dialog makes before a field is appended or
// changed, and before the deliverability proposal: the field's rules
// (model/Feldregeln) and its gas properties. A refusal shows its German
// message through the message interface; the result says whether the field
// was accepted.

#include "gas/CGaseigenschaften.h"
#include "gas/Lieferfaehigkeit.h"
#include "model/Feldsatz.h"

class IMeldungen;

// Reservoir and well data, the project end, and the gas properties (computed
// into `gas`, with their own messages).
bool FelddatenAnnehmen(const CFeldwerte& feld, int projektende, IMeldungen& meldungen, CGaseigenschaften& gas);

// A1, B1, C-Wert and the maximum rate.
bool FaktorenAnnehmen(const CFeldwerte& feld, IMeldungen& meldungen);

// True when the 15 percentages, added in float, sum to 0.
bool ZusammensetzungFehlt(const CFeldwerte& feld);

// "A1,B1,C-Wert berechnen": composition, field data, gas properties, z at the
// reference pressure, proposal, negative C-Wert. Returns false when no
// proposal was made (the checks have shown their messages).
bool OnComputeAbc(const CFeldwerte& feld, int projektende, IMeldungen& meldungen, CVorschlag& vorschlag,
                  CGaseigenschaften& gas);
