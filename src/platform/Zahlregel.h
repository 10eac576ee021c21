#pragma once
// The one rule for a number a person types or a file from a person brings
// (a dialog's box, a profile line, a pasted block, the ranges file, the field
// table). Files Kalvo writes itself (.kvo) are read with LiesFloat.
//
// A single typed value: "2,5" and "2.5" are 2.5; "14.000" and "1.250.000"
// look like a German thousands point and are refused, never read as 14.
//
// A file or a pasted block decides once for all its numbers: when any of
// them carries a decimal comma, the block is German and a point in a number
// is a thousands point (refused); when none does, the point is the decimal
// point, so that "28.000" of a spreadsheet saved with points is 28.

#include "platform/Fehler.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

enum class EZahlschreibung {
    Einzeln,      // one value typed into a box
    Dezimalkomma, // a block in which some number carries a decimal comma
    Dezimalpunkt, // a block in which no number does
};

// Whether a cell is a number written with a decimal comma ("2,5", "-0,125").
bool HatDezimalkomma(std::string_view zelle);

// How a block writes its numbers, from all its cells (or tokens).
EZahlschreibung Zahlschreibung(const std::vector<std::string_view>& zellen);

// Whether a typed text looks like a number with German thousands points
// ("14.000", "-1.250.000"); "0.125" and "2.5" do not.
bool SiehtNachTausenderpunktAus(std::string_view text);

// The number of a cell or typed text (blanks around it are ignored). On
// failure the reason, to follow the quoted cell: "ist keine Zahl." or, for a
// thousands point, "ist nicht eindeutig: …".
CErgebnis<float> ZahlLesen(std::string_view text, EZahlschreibung schreibung = EZahlschreibung::Einzeln);

// The same in double, for a value kept as written (a measured pressure
// saved again as "142.3", not as the float's 142.300003).
CErgebnis<double> GenaueZahlLesen(std::string_view text, EZahlschreibung schreibung = EZahlschreibung::Einzeln);

// A whole number (a year, a count): digits only, no point, no comma.
CErgebnis<int> GanzeZahlLesen(std::string_view text);

// The field dialog's message for a typed thousands point.
std::string MeldungTausenderpunkt(std::string_view text);

// A cell quoted in a message: at most 40 characters (a longer one is cut
// with "…"), control characters shown as '?'.
std::string Zitat(std::string_view zelle);

// A value typed into one of the small number boxes (own use, a quantity, a
// number of runs, years), checked against its range. `ganz` asks for a whole
// number, `obenOffen` leaves `max` itself out ("0 bis unter 100").
struct CZahlbereich {
    double min = 0, max = 0;
    bool ganz = false;
    bool obenOffen = false;
    // A value the range takes (a whole number where it asks for one).
    bool Enthaelt(double wert) const
    {
        return wert >= min && (obenOffen ? wert < max : wert <= max) && (!ganz || wert == std::floor(wert));
    }
};
CErgebnis<double> ZahlImBereich(std::string_view text, const CZahlbereich& bereich);

// The range as the message words it: "zwischen 1 und 33", "von 0 bis unter 100".
std::string BereichText(const CZahlbereich& bereich);
