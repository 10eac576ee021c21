#pragma once
// A variation of a study: a field's quantity set to a value. The quantities
// a ranges file, a sensitivity or a Monte Carlo run may change, their names,
// the document's value of each, and the record a set of them makes.

#include "model/Feldsatz.h"

#include <string_view>
#include <utility>
#include <vector>

enum class EGroesse { OGIP, CWert, A1, Wasserinvasion, Kopfdruck, Bohrungen, Startverzoegerung };

// The name the file and the tables use ("OGIP", "C-Wert", …).
const char* GroessenName(EGroesse g);

// A quantity by the name a file gives it (either spelling, any case), with
// the form a message names it in ("der C-Wert"); nullptr for none.
struct CGroessenName {
    EGroesse groesse;
    const char* name;    // as the file and the tables write it
    const char* anderer; // the same with umlaut
    const char* genitiv; // for a message: "der C-Wert"
};
const CGroessenName* GroesseNamens(std::string_view name);

// One change of a study: field (position in the field list), quantity, value
// (Startverzoegerung: years).
struct CVariation {
    int feld = 0;
    EGroesse groesse = EGroesse::OGIP;
    double wert = 0;
};

// The document's value of a quantity (Startverzoegerung: 0 years).
double Grundwert(const CFeldsatz& satz, EGroesse g);

// The field's record with the quantities set to the given values. Stage rows
// follow: a start delayed by d years delays the stage rows by d years; the
// C-Werte, wellhead pressures and well counts of the stage rows change by the
// same factor as the head value (well counts rounded, at least 1). The
// record's changes key it in a field store.
CFeldsatz Abgewandelt(const CFeldsatz& satz, const std::vector<std::pair<EGroesse, double>>& werte);

// The fields with the variations made (several of one field together).
CFeldsaetze Variiert(const CFeldsaetze& felder, const std::vector<CVariation>& variationen);
