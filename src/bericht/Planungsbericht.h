#pragma once
// The planning answers after the run's report, each a table of numbers with
// its lines: the coverage of the sales profile, the comparison of two
// variants, the sensitivities, the Monte Carlo percentiles and the highest
// plateau. Each appends to a report; the …Tabelle forms give its lines.

#include "bandbreiten/Bandbreiten.h"
#include "bericht/Bericht.h"
#include "studie/Plateau.h"
#include "summary/Jahresreihen.h"
#include "szenarien/Szenarien.h"

#include <string>
#include <vector>

// Ist, Soll, their difference and the cumulative shortfall (the running sum
// of Soll − Ist over the years where Soll exceeds Ist), then the first year
// of shortfall. Rates (m³/h) summed over years mean nothing: for the rate the
// table has no cumulative column.
void DeckungBericht(CBericht& b, const CJahreswerte& werte, bool rate = false);
std::vector<std::string> DeckungTabelle(const CJahreswerte& werte, bool rate = false);

// A demand-limited run's plateau ends before the first shortfall: the first
// year short in volume and the first short in rate, side by side.
std::string UnterdeckungMengeUndRate(const CJahreswerte& menge, const CJahreswerte& rate);

// Ist of variant A and B and Soll of A for every project year of A; B's value
// is that of the same calendar year, 0 where B's run has no such year.
void VergleichBericht(CBericht& b, const std::string& nameA, const CJahreswerte& a, const std::string& nameB,
                      const CJahreswerte& werteB, bool rate = false);
std::vector<std::string> VergleichTabelle(const std::string& nameA, const CJahreswerte& a, const std::string& nameB,
                                          const CJahreswerte& b, bool rate = false);

void SensitivitaetBericht(CBericht& b, const CSensitivitaetsErgebnis& s);
std::vector<std::string> SensitivitaetsTabelle(const CSensitivitaetsErgebnis& s);

void UnsicherheitBericht(CBericht& b, const CUnsicherheit& u);
std::vector<std::string> UnsicherheitsTabelle(const CUnsicherheit& u);

// "  Hoechstes Plateau 2002-2011: 956.3 Mio m*3/a" and the last year it holds.
void PlateauBericht(CBericht& b, const CPlateau& p);

// One row per scenario and one for the base ("Basis"): cumulative Ist, the
// plateau (when asked), energy, reserves, each with its difference to the
// base, and the first year of shortfall (per contract with contracts).
void SzenarienBericht(CBericht& b, const CSzenarienergebnis& s);
std::vector<std::string> SzenarienTabelle(const CSzenarienergebnis& s);
