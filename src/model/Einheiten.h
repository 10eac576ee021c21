#pragma once
// Units and physical constants, named once. Each keeps the float or double
// form its callers have always computed with, so that no printed figure moves.
//
// Pressures are bar, temperatures °C; the gas correlations work in psia and
// degrees Rankine, gas volumes are at the normal state 0 °C (273 K), 1.0134 bar.

constexpr double kPsiaJeBar = 14.503;         // psia per bar
constexpr double kKelvinNull = 273.0;         // K at 0 °C (also the normal-state temperature)
constexpr double kNormdruck = 1.0134;         // bar, pressure of the normal state
constexpr float kSaeulenKonstante = 0.05285f; // gas column: B1 = exp(0.05285·H·ρn / (z·T))

// Degrees Rankine from °C, and Kelvin from degrees Rankine.
inline double Rankine(double tcel)
{
    return tcel * 9.0 / 5.0 + 492.0;
}
inline double KelvinAusRankine(double tr)
{
    return (tr - 492.0) * 5.0 / 9.0 + kKelvinNull;
}

// Density at reservoir conditions relative to the normal state: the factor
// that turns the normal-state density into that at p/z (bar) and tcel (°C).
inline double Dichteverhaeltnis(double pz, double tcel)
{
    return pz * kKelvinNull / ((tcel + kKelvinNull) * kNormdruck);
}
