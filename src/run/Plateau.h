#pragma once
// The highest plateau: the highest constant sales quantity the portfolio
// (rest fields and fields, production limited to the demand) delivers in each
// of the first years of the project, and how long it holds.

#include "run/CLauf.h"

struct CPlateau {
    double menge = 0;   // Mio m³ per year, to 0.1, rounded down
    int erstesJahr = 0; // the years it must hold
    int letztesJahr = 0;
    int gehaltenBis = 0; // the last year it is still delivered, from the start on
};

// Ist of project year y of a run, Mio m³, as the summary adds it.
double IstProduktion(const CLaufErgebnis& r, int y);

// The plateau over the first `jahre` project years (1 … the project's years).
// A year delivers L when its Ist is at least L − 0.05.
CPlateau HoechstesPlateau(CLaufEingabe eingabe, int jahre);
