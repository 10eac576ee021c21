#pragma once
// The sustained-rate forecast of one field in half-year steps: material balance
// with water invasion, p/z lookup, deliverability equation, rate cap,
// predictor-corrector on the rate, year-end accounting and report lines.
// With pressure-dependent factors only the rate evaluation differs: C-Wert,
// B1 and A1 follow the pressure in a three-pass fixed-point iteration.
//
// A function of its inputs: it reads no document and returns what it found.

#include "gas/CGaseigenschaften.h"
#include "model/Feldsatz.h"
#include "model/Grenzen.h"

#include <string>
#include <vector>

class IMeldungen;

// What the forecast of one field needs.
struct CPrognoseEingabe {
    CFeldwerte feld;  // the parsed record
    CStufen stufen{}; // its stage rows
    const CGaseigenschaften* gas = nullptr;
    const float* pzTab = nullptr;  // p/z over the pressure grid, bar
    const float* visTab = nullptr; // viscosity over the pressure grid, cP
    int projektstart = 0, projektende = 0;
    bool detail = false;         // year table and stage lines in the report
    bool reserven = false;       // one reserves line in the report
    bool druckabhaengig = false; // pressure-dependent factors
};

// What it returns: the field's consortium share per project year, the
// reserve, the report lines, and the working values at the end.
struct CPrognoseErgebnis {
    int status = 0;                   // 0, or -1 when the field cannot be computed
    float produktion[kMaxJahre]{};    // share of the annual production, Mio m³
    float rate[kMaxJahre]{};          // share of the end rate of the year, m³/h
    float reserve = 0;                // sum of the shares, Mio m³
    std::vector<std::string> bericht; // report lines, in order
    CFeldwerte feld;                  // working values after the stage rows
    float zi = 0;                     // z at the initial pressure
    float zTabRohr[kDruckPunkte]{};   // z at the mean tubing temperature (pressure-dependent)
};

CPrognoseErgebnis Prognose(const CPrognoseEingabe& eingabe, IMeldungen& meldungen);
