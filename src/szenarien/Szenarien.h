#pragma once
// Named scenarios of a plan, side by side with the plan as it stands
// ("Basis"): each a set of changes (a field's quantity, a plant's capacity,
// the dispatch rule, a contract's quantities) run on the base run's calendar
// through the study engine, or another document (last year's plan) run on
// its own. Every row is read for the same figures.

#include "bandbreiten/Bandbreiten.h"
#include "planung/Planung.h"
#include "run/CLauf.h"
#include "studie/Studie.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The figures of one scenario.
struct CSzenariozeile {
    std::string name;                   // "Basis" for the plan as it stands
    double kumIst = 0;                  // Mio m³, the cumulative Ist as the summary sums it
    std::optional<double> plateau;      // Mio m³/a, with the plateau asked
    std::optional<double> plateauP90;   // Mio m³/a, with the plateau and ranges (not for another document)
    std::vector<int> ersteUnterdeckung; // per shortfall column, the first year short; 0 none
    double energie = 0;                 // GWh, the fields' sales gas over the project
    double reserven = 0;                // Mio m³, the fields' reserves (shares) over the project
    std::vector<int> jahre;             // the run's years
    std::vector<double> ist;            // Ist per year, Mio m³
    std::vector<double> energieJahr;    // the fields' energy per year, GWh
};

struct CSzenarienergebnis {
    // The shortfall columns: each contract of the plan by name, or one ""
    // for the sales profile.
    std::vector<std::string> unterdeckung;
    int plateauJahre = 0, plateauAb = 0; // the plateau asked (0: none)
    int laeufe = 0;                      // > 0: the P90 plateau from that many Monte Carlo runs
    std::vector<CSzenariozeile> zeilen;  // "Basis" first, then the plan's order
    std::vector<CSzenario> szenarien;    // the scenarios as the plan holds them
    bool abgebrochen = false;
};

// Loads a scenario's other document (a path as the plan writes it) and
// returns its run's input with the base's options; a German reason when it
// cannot be read.
using CDokumentLaden = std::function<CErgebnis<CLaufEingabe>(const std::string& datei)>;

// A scenario's input: the base study's input with its changes (on the base
// run's calendar, numbers only, the energy table on). A field or quantity the
// document does not know, or a value that breaks a field rule, is refused:
// "Szenario „Heidkamp später“: …".
// `plan` is the document's plan (the base input carries it only where it
// changes the run).
CErgebnis<CLaufEingabe> SzenarioEingabe(const CStudie& studie, const CLaufEingabe& basis, const CPlanung& plan,
                                        const CSzenario& szenario);

// Ranges for the P90 plateau of each row: its Monte Carlo runs draw the
// ranged quantities from the ranges' ends (a scenario's value of a ranged
// quantity is drawn over, its other changes stay).
struct CSzenarioBandbreiten {
    std::vector<CSpanne> spannen;
    int laeufe = 0;
    uint64_t seed = 1;
};

// The base and every scenario of the plan, on the worker pool. `plateauJahre`
// > 0: each row's highest plateau over those years (from `plateauAb` on),
// and with `bandbreiten` its P90 over their runs.
// `weiter` is asked after each scenario; false cancels the rest.
CErgebnis<CSzenarienergebnis> SzenarienRechnen(const CLaufEingabe& basis, const CPlanung& plan,
                                               const CDokumentLaden& laden, int plateauJahre = 0, int plateauAb = 0,
                                               int threads = 0, const CWeiter& weiter = {},
                                               const CSzenarioBandbreiten* bandbreiten = nullptr);
