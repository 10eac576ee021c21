#pragma once
// The plateau as a Monte Carlo answer: each run of the ranges' draws has its
// highest plateau over the same window; their P90 (the plateau held in at
// least 90 % of the runs), P50 and P10 by the percentile rule of the study.

#include "bandbreiten/Bandbreiten.h"

#include <cstdint>
#include <vector>

// N runs as MonteCarlo draws them (the same seed, the same stream per run),
// the plateau over `jahre` project years (from calendar year `ab` when > 0).
// Without the plan's dispatch and contracts a run's plateau is first located
// with the margin of a few coarse runs and only the runs near a percentile
// are searched exactly; the percentiles are those of every run's exact
// plateau whenever the coarse location is within `kOrtungsfehler` of it
// (checked on every run searched exactly; a larger error widens the runs
// searched until it holds). With dispatch or contracts every run is searched
// exactly (each contract's plateau with contracts).
// `weiter` is asked after each run; false cancels (the result is empty).
CErgebnis<std::vector<CPlateauperzentile>> PlateauMonteCarlo(const CLaufEingabe& basis,
                                                             const std::vector<CSpanne>& spannen, int n, uint64_t seed,
                                                             int jahre, int ab = 0, int threads = 0,
                                                             const CWeiter& weiter = {});

// The coarse location may miss a run's plateau by this much (tenths of Mio
// m³ a year) before more runs are searched exactly.
inline constexpr long long kOrtungsfehler = 3;
