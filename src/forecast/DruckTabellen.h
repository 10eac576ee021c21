#pragma once
// Tables of p/z and gas viscosity over the pressure grid 1, 11, …, 991 bar
// (entry i at 10·i + 1 bar), and the lookups the forecasts make in them.

#include "gas/CGaseigenschaften.h"
#include "model/Grenzen.h"

// Builds p/z (bar) and viscosity (cP) at the reservoir temperature tcel (°C).
void DruckTabellenBauen(const CGaseigenschaften& gas, float tcel, float pzTab[kDruckPunkte],
                        float visTab[kDruckPunkte]);

// The pressure (bar) whose p/z is `pbsz`, interpolated linearly in the table,
// beyond its ends extrapolating the first or the last segment. `segment`
// receives the j of the segment [j − 1, j] used (1 … 99).
float DruckAusPz(const float pzTab[kDruckPunkte], float pbsz, int& segment);

// Linear interpolation of a table over the pressure grid at pressure p (bar).
// Outside the grid (p <= 1 or p > 991) the nearest table value.
float TabelleBeiDruck(const float tab[kDruckPunkte], float p);
