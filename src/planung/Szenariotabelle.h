#pragma once
// The plan's scenarios as the desktop's dialog edits them: a scenario is a
// name and either another document or rows of changes, each four cells as
// typed: what is changed ("Feld", "Anlage", "Verteilung", "Vertrag"), its
// name (the field, plant or contract; the rule for "Verteilung"), a field's
// quantity, and the value (a field's value, a plant's capacity in Mio m³/a,
// a contract's factor). Taking them over reads each value by the number rule
// of a typed value and checks the plan by the plan file's own rules.

#include "planung/Planung.h"

#include <string>
#include <vector>

struct CAenderungszeile {
    std::string art, name, groesse, wert;
    bool operator==(const CAenderungszeile&) const = default;
};

struct CSzenarioeingabe {
    std::string name, datei; // datei: another document instead of changes
    std::vector<CAenderungszeile> aenderungen;
    bool operator==(const CSzenarioeingabe&) const = default;
};

// The kinds of change, as the table's first column names them.
inline constexpr const char* kAenderungsarten[] = {"Feld", "Anlage", "Verteilung", "Vertrag"};

std::vector<CSzenarioeingabe> Szenarieneingabe(const CPlanung& plan);

// The plan with the table's scenarios (its other parts as they are). A
// refusal names the scenario and the row: "Szenario „Später“, Zeile 2:
// „14.000“ ist nicht eindeutig …", or the plan file's rule.
CErgebnis<CPlanung> SzenarienUebernehmen(const CPlanung& plan, const std::vector<CSzenarioeingabe>& tabelle,
                                         int projektstart, int projektende);
