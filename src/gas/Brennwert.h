#pragma once
// Calorific value, Wobbe index and relative density of a natural gas from its
// composition, by ISO 6976:2016, and what a field's raw gas gives as sales gas.
//
// Sales gas is the raw gas less its H2S and CO2 (removed in the gas
// treatment); nitrogen stays in it, which is what makes L-gas. Its figures are
// those of German gas accounting: combustion at 25 °C, metered at 0 °C and
// 101.325 kPa, the real-gas volume (compression factor from the summation
// factors), in kWh/m³.

#include <array>
#include <string>

#include "model/Feldsatz.h"

// The reference conditions ISO 6976 tabulates that Kalvo uses: combustion
// temperature / metering temperature, both at 101.325 kPa.
enum class EBezug {
    Verbrennung25Messung0,  // Germany (DVGW G 685): Hs,n
    Verbrennung15Messung15, // the standard's worked examples
};

// Kalvo's volumes are at its normal state, 0 °C and 1.0134 bar; Hs,n is per
// m³ at 0 °C and 1.01325 bar. A cubic metre at the higher pressure holds
// this much more gas (the compression factors of the two states differ by
// less than 1e-7), so the energy of Kalvo's volumes is Hs,n times it.
constexpr double kNormzustandJeIsoBezug = 1.0134 / 1.01325;

// The properties of one composition (mole fractions summing to 1).
struct CIso6976 {
    double molmasse = 0;          // kg/kmol
    double z = 1;                 // compression factor at the metering conditions
    double hsMolar = 0;           // kJ/mol, ideal gross calorific value
    double hsVolumen = 0;         // MJ/m³, real gas
    double dichteVerhaeltnis = 0; // relative density (air = 1), real gas
    double wobbe = 0;             // MJ/m³, gross Wobbe index, real gas
};

CIso6976 Iso6976(const std::array<double, kAnzahlKomponenten>& molanteil, EBezug bezug);

// Gas family of the second gas family by its Wobbe index: "H", "L" or "–".
const char* Gasart(double wobbeKWh);

// What a field's composition (the 15 entered mole percentages) gives as
// sales gas, at 25 °C / 0 °C.
struct CVerkaufsgas {
    bool brauchbar = false;      // false: the composition does not sum to 100 % (grund says why)
    std::string grund;           // German, for the report
    double summe = 0;            // mol-%, the 15 percentages added
    double sauergas = 0;         // mol-% H2S + CO2 of the raw gas
    bool hatVerkaufsgas = false; // false: the raw gas is all H2S and CO2
    double hs = 0;               // kWh/m³, gross calorific value Hs,n of the sales gas
    double wobbe = 0;            // kWh/m³, Ws,n
    double dichteVerhaeltnis = 0;
    const char* gasart = "–";

    // Share of the raw gas volume that leaves the plant as sales gas, before
    // the plant's own use.
    double Ausbeute() const { return 1.0 - sauergas / 100.0; }
};

// A composition is taken when its percentages sum to 100 within this
// tolerance (the rounding of an analysis); it is then normalised.
constexpr double kSummenToleranz = 0.5; // mol-%

CVerkaufsgas Verkaufsgas(const std::array<float, kAnzahlKomponenten>& anteil);

// One line for the field data dialog, decimal comma:
// "Verkaufsgas: Hs,n 11,063 · Ws,n 14,853 kWh/m³ · H-Gas".
std::string VerkaufsgasKurztext(const std::array<float, kAnzahlKomponenten>& anteil);
