#pragma once
// The year series of a run, and Ist and Soll in the chart quantity for the
// planning tables. (Their CSV table: bericht/Jahresreihentabelle.h.)

#include "model/Grenzen.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

// One field's share of the portfolio, year by year (entry i: year projektstart + i).
struct CFeldreihe {
    std::string name;
    int feld = -1;                 // position in the field list: a name may stand twice in a file
    float produktion[kMaxJahre]{}; // Mio m³, production × consortium share
    float rate[kMaxJahre]{};       // m³/h, rate × consortium share
    // What the field could deliver in the year's first half: its share of the
    // rate at the end of June, m³/h, at the year's producing hours.
    float rateMitte[kMaxJahre]{};
    int stunden[kMaxJahre]{};
    float reserve = 0; // Mio m³, the shares summed over the project years
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
// With the plateau asked: the P90, P50 and P10 of the runs' highest
// plateaus, the portfolio's in Mio m³ a year or each contract's in its unit.
struct CPlateauperzentile {
    std::string vertrag; // "" for the portfolio's
    bool gwh = false;
    double p90 = 0, p50 = 0, p10 = 0;
};
// P90, P50 and P10 of one figure of the runs (a field's reserve: its name).
struct CPerzentile {
    std::string name;
    double p90 = 0, p50 = 0, p10 = 0;
};
struct CUnsicherheit {
    int laeufe = 0;
    bool rate = false; // rate (m³/h) instead of production (Mio m³)
    std::vector<CUnsicherheitsjahr> jahre;
    std::vector<CPlateauperzentile> plateaus;
    // Asked for (--p-soll): the share of runs (0 … 1) whose Ist meets the
    // Soll, one column per contract with contracts (its name), else one ("");
    // pSoll[column][project year]; -1 where a contract has no quantity.
    std::vector<std::string> sollSpalten;
    std::vector<std::vector<double>> pSoll;
    // Asked for with it: the cumulative Ist over the project (Mio m³) and
    // each field's reserve (its share summed over the project).
    std::optional<CPerzentile> kumuliert;
    std::vector<CPerzentile> reserven;
};

// A project year of the portfolio: the rest fields, the fields' shares, Ist
// (their sum, added once here in double precision) and Soll.
struct CZusammenfassungsjahr {
    int jahr = 0;
    float restProduktion = 0, restRate = 0;     // Mio m³, m³/h
    float felderProduktion = 0, felderRate = 0; // Mio m³, m³/h: the fields' shares
    double istProduktion = 0;                   // Mio m³
    double istRate = 0;                         // m³/h
    float sollProduktion = 0, sollRate = 0;     // Mio m³, m³/h
};
CZusammenfassungsjahr Zusammenfassungsjahr(int jahr, float restProduktion, float restRate, float felderProduktion,
                                           float felderRate, float sollProduktion, float sollRate);

// The summary: its years and the running totals, each addition rounded to float.
struct CZusammenfassung {
    std::vector<CZusammenfassungsjahr> jahre;
    float summeRest = 0, summeIst = 0, summeSoll = 0; // Mio m³
};

// The year series of a run: entry i belongs to year projektstart + i.
struct CJahresreihen {
    int projektstart = 0;
    const std::vector<CZusammenfassungsjahr>* jahre = nullptr; // the project years, from projektstart
    const std::vector<CFeldreihe>* felder = nullptr;           // each field's share, in list order
    bool rate = false;                                         // chart quantity: rate instead of production
    const std::vector<CBedarfsjahr>* bedarf = nullptr;         // a demand-limited run's years, else none
    const std::vector<CEnergiejahr>* energie = nullptr;        // the energy table's years, else none
    const CUnsicherheit* unsicherheit = nullptr;               // a Monte Carlo study's percentiles, else none
};

// Ist and Soll of a run in the chart quantity (production in Mio m³/year or
// rate in m³/h), year by year from `start`: Ist as the summary year holds it.
struct CJahreswerte {
    int start = 0;
    int anzahl = 0; // project years, 0 … 33
    double ist[kMaxJahre]{};
    double soll[kMaxJahre]{};
    // A demand-limited run produces the demand to 0.05 Mio m³: short of that
    // is no shortfall (production only; 0 otherwise).
    double toleranz = 0;
    // Year i's: the run's accuracy, 0.05 Mio m³ or for a large demand 10⁻⁵
    // of it (the bisection's own, run/Bedarfsjahr).
    double Toleranz(int i) const { return toleranz > 0 ? std::max(toleranz, 1e-5 * soll[i]) : 0.0; }
    // The Ist value of a calendar year; false when the run has no such year.
    bool IstImJahr(int jahr, double& wert) const;
};
CJahreswerte Jahreswerte(const CJahresreihen& reihen);
// The same for the coverage of the sales profile: in rate mode a
// demand-limited run's Ist is the rate the fields could deliver.
CJahreswerte Deckungswerte(const CJahresreihen& reihen);
