#pragma once
// The study engine: many runs of changed inputs, each read for a figure.
// A study starts with its base run; every variation runs on the base run's
// calendar (its project starts in the base run's first year, a field that
// now starts earlier enters it as it stands then), numbers only (no
// detailed report), on the worker pool, with one progress and cancel
// interface. Sensitivities, Monte Carlo, the plateau search and the
// scenarios of a plan are its clients.

#include "platform/Fehler.h"
#include "run/CLauf.h"
#include "studie/Variation.h"

#include <functional>
#include <vector>

// Progress and cancel of a study: asked after each run with the runs done
// so far; false cancels the runs not yet begun.
using CWeiter = std::function<bool(int fertig)>;

// A study that runs out of memory ends with this message.
inline constexpr const char* kSpeicherFehlt =
    "Der Arbeitsspeicher reicht für diese Studie nicht aus; sie wurde abgebrochen. "
    "Weniger Läufe oder weniger Bandbreiten brauchen weniger Speicher.";

// ---- figures read from a run ----
// The run's project years (its summary's rows).
int Projektjahre(const CLaufErgebnis& r);
// The Ist of project year i (on the run's calendar, 0 <= i < Projektjahre), in the chart quantity.
double IstJahr(const CLaufErgebnis& r, int i, bool rate);
// The cumulative Ist production over the run's years, summed as the summary
// sums it (each addition rounded to float), Mio m³.
double KumulierteIst(const CLaufErgebnis& r);
// The run's year series (its summary rows, fields, demand and energy years),
// in the chart quantity `rate`: Ist and Soll by calendar year through
// Jahreswerte (summary/Jahresreihen.h).
CJahresreihen Jahresreihen(const CLaufErgebnis& r, bool rate);

// The worker pool: jobs 0 … anzahl−1 on `threads` threads (0 = one per
// core), each thread with its own field store that starts with the base
// run's gas tables and shares its fields' results. `job(k, speicher)` returns false to stop the remaining
// jobs. A job that throws (std::bad_alloc: the memory ran out) stops the
// others; the first failure is returned as a German message.
CErgebnis<> Parallel(int anzahl, int threads, const CFeldspeicher& vorlage,
                     const std::function<bool(int, CFeldspeicher&)>& job);

class CStudie {
public:
    // The base run (the caller's input at `threads` threads, numbers only).
    CStudie(const CLaufEingabe& basis, int threads = 0);

    const CLaufErgebnis& Basis() const { return m_Basis; }

    // A variation's input: the base input with the changes made, on the base
    // run's calendar, numbers only, one thread (the pool shares the cores).
    CLaufEingabe Eingabe(const std::vector<CVariation>& variationen) const;

    // n runs: run k of the variations `variationen(k)`, its result read by
    // `auswerten(k, r)` (on a worker thread: each k its own slot). Returns
    // false when `weiter` cancelled the study.
    CErgebnis<bool> Laeufe(int n, const std::function<std::vector<CVariation>(int)>& variationen,
                           const std::function<void(int, const CLaufErgebnis&)>& auswerten,
                           const CWeiter& weiter = {}) const;

    // n jobs of their own on the pool (a plateau search per variation).
    CErgebnis<bool> Jobs(int n, const std::function<void(int, CFeldspeicher&)>& job, const CWeiter& weiter = {}) const;

private:
    CLaufEingabe m_Eingabe; // the base input, its fields apart
    CFeldsaetze m_Felder;
    int m_iThreads = 0;
    CFeldspeicher m_Vorlage; // the base run's gas tables
    CLaufErgebnis m_Basis;
};
