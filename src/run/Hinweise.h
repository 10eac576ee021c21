#pragma once
// Inputs that are legal but implausible: the run computes them as they
// stand and names them afterwards, so that a slip (a share typed as a
// fraction, a stage row before the start) does not pass unseen. The plain
// report stays as it is; kalvo-batch prints the hints on stderr, the desktop
// shows them after the run and the report for the file lists them.

#include "run/CLauf.h"

#include <string>
#include <vector>

// The plausibility limits of the hints.
constexpr double kAnteilHinweis = 1.0;                          // %: a smaller share looks like a fraction
constexpr double kTemperaturVon = 20.0, kTemperaturBis = 250.0; // °C, reservoir

// The hints of one run, in the order of the fields, then the profiles.
std::vector<std::string> Eingabehinweise(const CLaufEingabe& eingabe, const CLaufErgebnis& ergebnis);

// The hints about the field named `name` (those that begin with its name).
std::vector<std::string> Feldhinweise(const std::vector<std::string>& hinweise, std::string_view name);
