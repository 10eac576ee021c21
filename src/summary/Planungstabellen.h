#pragma once
// The planning tables appended to the report: the comparison of two variants
// and the coverage of the sales profile, both in the chart quantity.

#include "summary/Jahresreihen.h"

#include <string>
#include <vector>

// Ist of variant A and B and Soll of A for every project year of A; B's value
// is that of the same calendar year, 0 where B's run has no such year.
std::vector<std::string> VergleichTabelle(const std::string& nameA, const CJahreswerte& a, const std::string& nameB,
                                          const CJahreswerte& b);

// Ist, Soll, their difference and the cumulative shortfall (the running sum
// of Soll − Ist over the years where Soll exceeds Ist), then the first year
// of shortfall. Rates (m³/h) summed over years mean nothing: for the rate the
// table has no cumulative column.
std::vector<std::string> DeckungTabelle(const CJahreswerte& werte, bool rate = false);

// A demand-limited run's plateau ends before the first shortfall: the first
// year short in volume and the first short in rate, side by side.
std::string UnterdeckungMengeUndRate(const CJahreswerte& menge, const CJahreswerte& rate);

// Whether year i of the run falls short of the sales profile.
inline bool Unterdeckung(const CJahreswerte& werte, int i)
{
    return werte.ist[i] < werte.soll[i] - werte.toleranz;
}
