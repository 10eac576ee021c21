#pragma once
// A field's rules in one place: the range of every value the field data
// dialog takes with a range, and the checks a field must pass before the run
// computes it. The dialog takes its ranges from here; the run (for a record
// read from a file) refuses a field that breaks a rule, with the rule's
// German reason, so that a file cannot hold what the dialog refuses.

#include "model/Feldsatz.h"

// The values with a range. A stage row's 0 means "unchanged from the row
// before" and passes where `nullErlaubt` is set.
enum class EFeldwert {
    Pi,
    Kopfdruck,
    Referenzdruck,
    Bohrungen,
    Foerderstunden,
    KonsAnteil,
    Wasserinvasion,
    Einflussradius,
    Startjahr,
    Anteil, // each of the 15 mol percentages
    StufeAbJahr,
    StufeFoerderstunden,
    StufeKopfdruck,
    StufeBohrungen,
    StufeKonsAnteil,
};

struct CBereich {
    double min = 0, max = 0;
    bool nullErlaubt = false;
};

// The range of a value, as the dialog takes it.
CBereich Bereich(EFeldwert wert);

// The checks of a field the dialog appends or changes (before the gas
// properties): OGIP, cumulative, permeability, thickness, radius, depth,
// tubing, wellhead pressure below Pi, horizontal length, drilled thickness and
// the project end after the start year. Only 0 is refused in the first six
// presence checks; negative values pass (the OGIP's sign is its own rule).
CErgebnis<> FelddatenPruefen(const CFeldwerte& feld, int projektende);

// A1, B1, C-Wert and the maximum rate, as the dialog takes them.
CErgebnis<> FaktorenPruefen(const CFeldwerte& feld);

// Whether the field may be computed; else the first rule it breaks, as the
// German reason of a field left out of the run ("der Initialdruck (5000 bar)
// liegt nicht zwischen 1 und 1000 bar"). Checks, in order: the composition, OGIP
// and initial pressure greater than 0, water invasion below 100 %, then every
// range of the field values and of the stage rows (stage rows whose year lies
// after the start year, where a 0 is "unchanged").
CErgebnis<> FeldregelnPruefen(const CFeldwerte& feld, const CStufen& stufen);

// Every rule a field must pass wherever it comes from (the dialog, a .kvo
// file, the field table, the ends of a range) before the run computes it:
// FeldregelnPruefen, then the cumulative at start below the OGIP, the
// wellhead pressure below Pi and a maximum rate above 0 (the dialog refuses
// the same with its own messages).
CErgebnis<> FeldPruefen(const CFeldwerte& feld, const CStufen& stufen);

// A complete field of a table or a range: FeldPruefen and the factors.
CErgebnis<> FeldVollstaendigPruefen(const CFeldwerte& feld, const CStufen& stufen);

// A field name as every path takes it: one token, at most 99 characters,
// no control character, only characters a .kvo file can store.
CErgebnis<> FeldnamePruefen(std::string_view name);
