#pragma once
// Tables of p/z and gas viscosity over the pressure grid 1, 11, …, 991 bar
// (entry i at 10·i + 1 bar), and the lookups the forecasts make in them.

#include "gas/CGaseigenschaften.h"
#include "model/Feldsatz.h"
#include "model/Grenzen.h"

#include <string>

// Builds p/z (bar) and viscosity (cP) at the reservoir temperature tcel (°C).
void DruckTabellenBauen(const CGaseigenschaften& gas, float tcel, float pzTab[kDruckPunkte],
                        float visTab[kDruckPunkte]);

// z over the pressure grid at the mean tubing temperature tm (°C).
void RohrTabelleBauen(const CGaseigenschaften& gas, float tm, float zTab[kDruckPunkte]);

// The mean tubing temperature (°C): between reservoir and wellhead.
float MittlereRohrtemperatur(const CFeldwerte& feld);

// z at a field's initial pressure and, for pressure-dependent factors, z and
// viscosity at its reference pressure: what a forecast's set-up solves for.
struct CDruckwerte {
    float pi = 0, zi = 0;              // bar, -
    float referenzdruck = 0, zref = 0; // bar, -
    float visref = 0;                  // cP
    bool mitReferenz = false;
};
CDruckwerte Druckwerte(const CGaseigenschaften& gas, const CFeldwerte& feld, bool druckabhaengig);

// A field's gas and its tables over the pressure grid: all that depends only
// on the composition and the two temperatures. A run builds them ahead for
// many fields at once and keeps them while those values stay. With them the
// pressure values of the field they were built for: a study's variation of
// that field at the same pressures takes them instead of solving again.
struct CGastabellen {
    CGaseigenschaften gas;
    CDruckwerte druck;
    float pzTab[kDruckPunkte]{};    // p/z, bar
    float visTab[kDruckPunkte]{};   // viscosity at the reservoir temperature, cP
    float zTabRohr[kDruckPunkte]{}; // z at the mean tubing temperature, when `mitRohr`
    bool mitRohr = false;
};

// Builds them; the tubing table only `mitRohr` (pressure-dependent factors).
CGastabellen GastabellenBauen(const CFeldwerte& feld, bool mitRohr);

// What the tables depend on, as a key: composition, temperatures, `mitRohr`.
std::string GastabellenSchluessel(const CFeldwerte& feld, bool mitRohr);

// The pressure (bar) whose p/z is `pbsz`, interpolated linearly in the table,
// beyond its ends extrapolating the first or the last segment. `segment`
// receives the j of the segment [j − 1, j] used (1 … 99).
float DruckAusPz(const float pzTab[kDruckPunkte], float pbsz, int& segment);

// Linear interpolation of a table over the pressure grid at pressure p (bar).
// Outside the grid (p <= 1 or p > 991) the nearest table value.
float TabelleBeiDruck(const float tab[kDruckPunkte], float p);
