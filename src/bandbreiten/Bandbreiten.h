#pragma once
// Ranges of uncertain field values, and what they make of the forecast:
// sensitivities (one run at the low and one at the high value of each range,
// all else as in the document) and Monte Carlo (many runs with every ranged
// value drawn from a triangular distribution between low, the document's
// value and high), with the P90, P50 and P10 of the portfolio Ist per year.
//
// The ranges file is a semicolon table a planner writes by hand or in a
// spreadsheet (UTF-8 or Windows-1252, decimal comma or point):
//
//     Feld;Groesse;Tief;Hoch
//     *;OGIP;80 %;120 %
//     Heidemoor;C-Wert;0,7;1,3
//
// Feld is a field's name or * for every field; Tief and Hoch are values, or
// percent of the field's own value with "%". A ranged value changes the
// field's values only: the gas properties and pressure tables, which depend
// on composition and temperatures, are built once and shared by all runs.

#include "planung/Planung.h"
#include "platform/Fehler.h"
#include "run/CLauf.h"
#include "studie/Studie.h"
#include "studie/Variation.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

// One ranged value of one field: a line of the file, resolved for the field.
struct CSpanne {
    int zeile = 0; // line of the file (1 = the heading)
    int feld = 0;  // position in the field list
    EGroesse groesse = EGroesse::OGIP;
    double tief = 0, basis = 0, hoch = 0; // Startverzoegerung: years, basis 0
    // "Messung": the OGIP drawn from its fit to the measured pressures, a
    // normal distribution (mean, standard error) cut below at `untergrenze`;
    // tief and hoch are then its P90 and P10.
    bool messung = false;
    double mittel = 0, sigma = 0, untergrenze = 0; // Mio m³
    double wasser = -1;                            // >= 0: the fit's water invasion (%), set in every run of this range
    // > 0: the line of an "Art" gemeinsam: one draw per run for all its fields.
    int gemeinsam = 0;
};

// Reads a ranges file against the document's fields. A line that names an
// unknown field or quantity, holds no number, has Tief above Hoch, leaves the
// document's value outside Tief–Hoch, or would give a field value the field
// rules refuse, is refused with "Zeile N: …" and nothing is returned.
//
// "Feld;OGIP;Messung;Messung" takes the field's OGIP from the fit to the
// plan's measured pressures (the field or, for *, every field with a fit).
// A fifth column headed "Art" may say "gemeinsam" on a line of *: the
// fields of that line then move together (one draw per run for all).
CErgebnis<std::vector<CSpanne>> BandbreitenLesen(std::string_view bytes, const CFeldsaetze& felder,
                                                 const CPlanung* planung = nullptr);

// The ranges file beside a document: "Beispiel.kvo" → "Beispiel.bandbreiten.csv".
std::string BandbreitenPfad(const std::string& dokument);

// The file's lines after the heading as the table dialog edits them (the
// four cells and Art, as written), and such lines as a file (UTF-8, with
// heading; the column Art only when a line has one).
using CBandbreitenZeile = std::array<std::string, 5>;
std::vector<CBandbreitenZeile> BandbreitenZeilen(std::string_view bytes);
std::string BandbreitenDatei(const std::vector<CBandbreitenZeile>& zeilen);

// ---- sensitivities ----
struct CSensitivitaet {
    std::string feld;
    EGroesse groesse = EGroesse::OGIP;
    double tief = 0, basis = 0, hoch = 0; // the result at Tief, in the document, at Hoch
};

// The result of one run: the cumulative Ist production over the project
// (the summary's sum, Mio m³), or the highest plateau over `plateauJahre`.
struct CSensitivitaetsErgebnis {
    int erstesJahr = 0, letztesJahr = 0;
    bool plateau = false;
    std::vector<CSensitivitaet> zeilen; // widest |Hoch − Tief| first
};

// Every run of a study is on the base run's calendar: a start moved earlier
// lets that field enter the base run's first year as it stands then.
// An allocation failure (or another failed run) ends the study with the
// German message as the error.
// `weiter` is asked after each run; false cancels (the result has no rows).
CErgebnis<CSensitivitaetsErgebnis> Sensitivitaeten(const CLaufEingabe& basis, const std::vector<CSpanne>& spannen,
                                                   std::optional<int> plateauJahre, int threads = 0,
                                                   const CWeiter& weiter = {});
// The table's order: widest |Hoch − Tief| first; rows of equal width keep
// the order of the ranges file.
void SensitivitaetenOrdnen(std::vector<CSensitivitaet>& zeilen);

// ---- Monte Carlo ----
// (CUnsicherheit, the result, is a year series: summary/Jahresreihen.h.)
// The percentile rule: nearest rank on the values sorted ascending. P90 (the
// value exceeded in 90 % of runs) is the ⌈0.1·N⌉-th smallest, P50 the
// ⌈0.5·N⌉-th, P10 the ⌈0.9·N⌉-th.
double Perzentil(std::vector<double> werte, double anteil);

// N runs on `threads` threads (0 = one per core). Each run draws its values
// inside its own job, in the order of the ranges, from its own stream: a
// std::mt19937_64 seeded by LaufZufall from `seed` and the run's number
// (0 … N−1). The same seed gives the same table on any number of threads,
// memory does not grow with runs × ranges, and a study could be split over
// processes by run numbers. A uniform number is the generator's top 53 bits
// × 2⁻⁵³. `weiter` is asked after each run with the number of runs done;
// false cancels (the result is then empty). An allocation failure ends the
// study with the German message as the error.
// `wahrscheinlichkeiten`: also P(SOLL) per year (per contract with
// contracts), and the percentiles of the cumulative Ist and of each field's
// reserve. A year meets its Soll when Ist is at least the Soll less what a
// demand-limited run allows short of it (0.05 Mio m³); a contract's year when
// it is delivered in full (a year without its quantity: -1, no share).
CErgebnis<CUnsicherheit> MonteCarlo(const CLaufEingabe& basis, const std::vector<CSpanne>& spannen, int n,
                                    uint64_t seed, int threads = 0, const CWeiter& weiter = {},
                                    bool wahrscheinlichkeiten = false);
// The stream of run `lauf`: std::seed_seq{seed low, seed high, run low, run
// high} (32-bit words) seeding a std::mt19937_64.
std::mt19937_64 LaufZufall(uint64_t seed, int lauf);
// The values run `lauf` draws, one per range in the order of the ranges.
std::vector<double> LaufWerte(const std::vector<CSpanne>& spannen, uint64_t seed, int lauf);
// Run `lauf`'s changes of the fields: its drawn values (and a measured
// OGIP's water invasion).
std::vector<CVariation> LaufVariationen(const std::vector<CSpanne>& spannen, uint64_t seed, int lauf);

// The value of the standard normal distribution below which lies the share
// u in (0, 1) (its inverse distribution function).
double NormalQuantil(double u);

// A value drawn from the triangular distribution (tief, modus, hoch) at the
// uniform number u in [0, 1): the inverse of its distribution function.
double Dreieck(double tief, double modus, double hoch, double u);
