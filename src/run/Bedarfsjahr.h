#pragma once
// A year of a demand-limited run: every field's rates of the year times one
// common factor, found by bisection (at most 40 steps) so that the fields
// produce the demand within BedarfsGenauigkeit.

#include "forecast/CPrognose.h"
#include "summary/Jahresreihen.h"

#include <vector>

// How close a demand-limited year's fields come to their demand (Mio m³):
// 0.05, or 10⁻⁵ of the demand when that is more (a large portfolio's float
// sum of shares cannot come closer).
double BedarfsGenauigkeit(double bedarf);

// The fields' share production of year y when each runs that year with the
// common factor f from `stand` (into `laeufe`), summed in list order as the
// summary sums it.
float BedarfsjahrVersuchen(const std::vector<CPrognoseLauf>& stand, int y, double f,
                           std::vector<CPrognoseLauf>& laeufe);

// Year y of the fields from `stand` (their states after it into `gewaehlt`)
// against the demand. Every midpoint of the bisection is tried: the fields'
// production need not rise with the factor everywhere (in one draw of a
// Monte Carlo study of the variant sample it falls by 8 Mio m³ between the
// factors 0.922 and 0.926), so bounds from other tries cannot skip one
// without changing the answer.
//
// `Sekante` (a plateau search locating a level, never reported figures):
// the factor by a safeguarded secant to the same accuracy, a few tries;
// `NurLieferbar`: the capacity try alone (the fields' states after it are
// those at capacity).
enum class EBedarfssuche { Genau, Sekante, NurLieferbar };
CBedarfsjahr BedarfsjahrWaehlen(const std::vector<CPrognoseLauf>& stand, int y, float bedarf,
                                std::vector<CPrognoseLauf>& gewaehlt, EBedarfssuche suche = EBedarfssuche::Genau);
