#pragma once
// The year series of a run: as a CSV table for a German spreadsheet
// (semicolon separated, decimal comma, header row, UTF-8 with byte order
// mark), and in the chart quantity for the planning tables.

#include "model/Grenzen.h"
#include "platform/Csv.h"

#include <string>
#include <vector>

// One field's share of the portfolio, year by year (entry i: year projektstart + i).
struct CFeldreihe {
    std::string name;
    int feld = -1;                 // position in the field list: a name may stand twice in a file
    float produktion[kMaxJahre]{}; // Mio m³, production × consortium share
    float rate[kMaxJahre]{};       // m³/h, rate × consortium share
    float reserve = 0;             // Mio m³, the shares summed over the project years
};

// One year of a demand-limited run, Mio m³: the demand on the fields (Soll
// less the rest fields, not below 0), their share production at capacity,
// what they produced, and the common factor on their rates.
struct CBedarfsjahr {
    int jahr = 0;
    float bedarf = 0, lieferbar = 0, gefoerdert = 0;
    double faktor = 1;
    float lieferbarRate = 0; // m³/h, the fields' share rate at capacity
};

// One year of the fields' sales gas: their share production (raw gas), the
// sales gas (less H2S, CO2 and the plant's own use), Mio m³ at 0 °C, and its
// energy at the gross calorific value Hs,n, GWh.
struct CEnergiejahr {
    int jahr = 0;
    double rohgas = 0, verkaufsgas = 0, energie = 0;
};

// A Monte Carlo study of the portfolio Ist in the chart quantity, per
// project year: P90 (exceeded in 90 % of the runs), P50, P10 and the base run.
struct CUnsicherheitsjahr {
    int jahr = 0;
    double p90 = 0, p50 = 0, p10 = 0, basis = 0;
};
struct CUnsicherheit {
    int laeufe = 0;
    bool rate = false; // rate (m³/h) instead of production (Mio m³)
    std::vector<CUnsicherheitsjahr> jahre;
};

// The year series of a run: entry i belongs to year projektstart + i.
struct CJahresreihen {
    int projektstart = 0, projektende = 0;
    const float* restProduktion = nullptr;              // Mio m³
    const float* restRate = nullptr;                    // m³/h
    const float* sollProduktion = nullptr;              // Mio m³
    const float* sollRate = nullptr;                    // m³/h
    const float* produktionFelder = nullptr;            // Mio m³, the fields' shares
    const float* rateFelder = nullptr;                  // m³/h
    const std::vector<CFeldreihe>* felder = nullptr;    // each field's share, in list order
    bool rate = false;                                  // chart quantity: rate instead of production
    const std::vector<CBedarfsjahr>* bedarf = nullptr;  // a demand-limited run's years, else none
    const std::vector<CEnergiejahr>* energie = nullptr; // the energy table's years, else none
    const CUnsicherheit* unsicherheit = nullptr;        // a Monte Carlo study's percentiles, else none
};

// Semicolon separated table; one more column per field (its share production,
// or its share rate in rate mode), headed by the field's name; a
// demand-limited run adds its four columns before the fields', the energy
// table its three.
std::string JahresreihenCsv(const CJahresreihen& reihen);

// (A text cell of the CSV table: CsvText of platform/Csv.h.)

// Ist and Soll of a run in the chart quantity (production in Mio m³/year or
// rate in m³/h), year by year from `start`. Ist is summed as the summary
// prints it: rest fields plus the fields' shares in double precision.
struct CJahreswerte {
    int start = 0;
    int anzahl = 0; // project years, 0 … 33
    double ist[kMaxJahre]{};
    double soll[kMaxJahre]{};
    // A demand-limited run produces the demand to 0.05 Mio m³: short of that
    // is no shortfall (production only; 0 otherwise).
    double toleranz = 0;
    // The Ist value of a calendar year; false when the run has no such year.
    bool IstImJahr(int jahr, double& wert) const;
};
CJahreswerte Jahreswerte(const CJahresreihen& reihen);
// The same for the coverage of the sales profile: in rate mode a
// demand-limited run's Ist is the rate the fields could deliver.
CJahreswerte Deckungswerte(const CJahresreihen& reihen);
