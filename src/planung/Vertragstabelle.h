#pragma once
// The plan's contracts as the desktop's table edits them: a row per
// contract (name, gas family, unit, peak factor, the twelve monthly shares)
// and a row per project year with a quantity cell per contract. Cells are
// texts as typed; taking the table over reads each number by the number rule
// of a typed value ("2,5" and "2.5", never "14.000") and then checks the plan
// by the plan file's own rules, so that the table takes no plan the file
// would refuse. A block pasted from a spreadsheet decides once how it writes
// its numbers.

#include "planung/Planung.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CVertragszeile {
    std::string name, gasart, einheit, spitzenfaktor;
    std::array<std::string, 12> monate; // all empty: shares by days
    bool operator==(const CVertragszeile&) const = default;
};

struct CVertragseingabe {
    std::vector<CVertragszeile> vertraege;
    int projektstart = 0;
    std::vector<std::vector<std::string>> mengen; // [project year][contract]; "" for none
    bool operator==(const CVertragseingabe&) const = default;
};

// A number as the table shows it: decimal comma, no thousands point, the
// fewest digits that read back as the value ("2500", "12,5").
std::string Tabellenzahl(double wert);

// The plan file's rules on a plan a table made: its refusal in the table's
// words ("Vertrag „Nord“: …", "Szenario „Später“: …") rather than the file's key.
CErgebnis<CPlanung> NachDenRegeln(const CPlanung& plan, int projektstart, int projektende);

// The table of a plan's contracts over the project years.
CVertragseingabe Vertragseingabe(const CPlanung& plan, int projektstart, int projektende);

// The plan with the table's contracts (the plan's other parts as they are).
// A refusal names the contract and what is wrong: "Vertrag „Nord“, 2028:
// „14.000“ ist nicht eindeutig …", or the plan file's rule.
CErgebnis<CPlanung> VertraegeUebernehmen(const CPlanung& plan, const CVertragseingabe& tabelle, int projektstart,
                                         int projektende);

// A block pasted into the quantities: lines of cells between tabs or
// semicolons; a first line that holds no number is its heading; an empty
// cell is no quantity. Its numbers are read once for the block (any decimal
// comma: a point is a thousands point and refused). The refusal names the
// block's line and column: "Zeile 2, Spalte 1: „1.250“ …".
CErgebnis<std::vector<std::vector<std::optional<double>>>> MengenblockLesen(std::string_view text);

// The rest fields' energy as its table edits it: a row per gas family (L,
// H) with its share of the rest-field profile in % and its Hs,n in kWh/m³;
// a row with both cells empty carries none.
struct CRestfeldzeile {
    std::string anteil, brennwert;
    bool operator==(const CRestfeldzeile&) const = default;
};
std::array<CRestfeldzeile, 2> Restfeldeingabe(const CPlanung& plan);
CErgebnis<CPlanung> RestfelderUebernehmen(const CPlanung& plan, const std::array<CRestfeldzeile, 2>& tabelle,
                                          int projektstart, int projektende);
