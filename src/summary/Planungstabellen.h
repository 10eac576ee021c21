#pragma once
// The rule the planning answers share: when a year falls short of the sales
// profile. The tables themselves are made in bericht/Planungsbericht.

#include "summary/Jahresreihen.h"

// Whether year i of the run falls short of the sales profile.
inline bool Unterdeckung(const CJahreswerte& werte, int i)
{
    return werte.ist[i] < werte.soll[i] - werte.Toleranz(i);
}
