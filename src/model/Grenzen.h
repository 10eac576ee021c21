#pragma once
// Limits shared by the record, the calculation and the dialogs, named once.

#include <algorithm>

constexpr int kMaxJahre = 33;     // entries of a year series: a project covers at most 33 years
constexpr int kMaxStufen = 10;    // capacity of the stage arrays
constexpr int kErstesJahr = 1950; // first production and stage years the dialog takes
constexpr int kLetztesJahr = 2200;

// Years the program can count with (no overflow in any difference of years).
inline bool JahrPlausibel(int jahr)
{
    return jahr >= 1 && jahr <= 9999;
}

// Project years from start to end, 0 … 33 (a longer project is cut at 33).
inline int AnzahlJahre(int start, int ende)
{
    const long long n = static_cast<long long>(ende) - start + 1;
    return static_cast<int>(std::clamp<long long>(n, 0, kMaxJahre));
}

// The pressure grid of the p/z and viscosity tables: 1, 11, …, 991 bar.
constexpr int kDruckPunkte = 100;

// Pressure (bar) of grid entry i.
inline float GitterDruck(int i)
{
    return static_cast<float>(10 * i + 1);
}
