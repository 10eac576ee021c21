#include "forecast/DruckTabellen.h"

#include "model/Einheiten.h"

#include <algorithm>
#include <cmath>

void DruckTabellenBauen(const CGaseigenschaften& gas, float tcel, float pzTab[kDruckPunkte], float visTab[kDruckPunkte])
{
    for (int i = 0; i < kDruckPunkte; ++i) {
        const float p = GitterDruck(i);
        const float z = static_cast<float>(gas.Zwert(tcel, p, EZwertVariante::Dokument));
        pzTab[i] = p / z;
        const float d = static_cast<float>(Dichteverhaeltnis(pzTab[i], tcel));
        const double rho = d * gas.m_dRhoN;
        visTab[i] = static_cast<float>(gas.LeeViskositaet(rho));
    }
}

void RohrTabelleBauen(const CGaseigenschaften& gas, float tm, float zTab[kDruckPunkte])
{
    for (int i = 0; i < kDruckPunkte; ++i)
        zTab[i] = static_cast<float>(gas.Zwert(tm, GitterDruck(i), EZwertVariante::Dokument));
}

float MittlereRohrtemperatur(const CFeldwerte& f)
{
    return static_cast<float>((double(f.m_fTcel) + f.m_fKopftemperatur) / 2.0);
}

CDruckwerte Druckwerte(const CGaseigenschaften& gas, const CFeldwerte& f, bool druckabhaengig)
{
    CDruckwerte d;
    d.pi = f.m_fPi;
    d.zi = static_cast<float>(gas.Zwert(f.m_fTcel, f.m_fPi, EZwertVariante::Dokument));
    d.mitReferenz = druckabhaengig;
    if (druckabhaengig) {
        d.referenzdruck = f.m_fReferenzdruck;
        d.zref = static_cast<float>(gas.Zwert(f.m_fTcel, f.m_fReferenzdruck, EZwertVariante::Dokument));
        const float dichte = static_cast<float>(Dichteverhaeltnis(double(f.m_fReferenzdruck) / d.zref, f.m_fTcel));
        d.visref = static_cast<float>(gas.LeeViskositaet(dichte * gas.m_dRhoN));
    }
    return d;
}

CGastabellen GastabellenBauen(const CFeldwerte& feld, bool mitRohr)
{
    CGastabellen t;
    t.gas.Gaseigenschaften(feld.m_fAnteil, feld.m_fTcel);
    t.druck = Druckwerte(t.gas, feld, mitRohr);
    DruckTabellenBauen(t.gas, feld.m_fTcel, t.pzTab, t.visTab);
    t.mitRohr = mitRohr;
    if (mitRohr)
        RohrTabelleBauen(t.gas, MittlereRohrtemperatur(feld), t.zTabRohr);
    return t;
}

std::string GastabellenSchluessel(const CFeldwerte& f, bool mitRohr)
{
    // The values' bits: equal keys mean equal inputs, to the last bit.
    std::string s(reinterpret_cast<const char*>(f.m_fAnteil.data()), sizeof(f.m_fAnteil));
    s.append(reinterpret_cast<const char*>(&f.m_fTcel), sizeof f.m_fTcel);
    s.append(reinterpret_cast<const char*>(&f.m_fKopftemperatur), sizeof f.m_fKopftemperatur);
    s.push_back(mitRohr ? '1' : '0');
    return s;
}

float DruckAusPz(const float pzTab[kDruckPunkte], float pbsz, int& segment)
{
    constexpr int letzter = kDruckPunkte - 1;
    if (pbsz >= pzTab[letzter]) {
        segment = letzter;
        return static_cast<float>(991.0 + 10.0 * (double(pbsz) - pzTab[letzter]) /
                                              (double(pzTab[letzter]) - pzTab[letzter - 1]));
    }
    int j = 1;
    while (j < letzter && !(pzTab[j] > pbsz))
        ++j;
    segment = j;
    return static_cast<float>(1.0 + 10.0 * (j - 1) +
                              10.0 * (double(pbsz) - pzTab[j - 1]) / (double(pzTab[j]) - pzTab[j - 1]));
}

float TabelleBeiDruck(const float tab[kDruckPunkte], float p)
{
    if (!(p > 1.0f))
        return tab[0];
    if (p > GitterDruck(kDruckPunkte - 1))
        return tab[kDruckPunkte - 1];
    // The first grid point at or above p: from its estimate, corrected by the
    // exact comparison (the same point a scan from 1 upward finds).
    int i = std::clamp(static_cast<int>((double(p) - 1.0) * 0.1) + 1, 1, kDruckPunkte - 1);
    while (i > 1 && p <= GitterDruck(i - 1))
        --i;
    while (!(p <= GitterDruck(i)))
        ++i;
    return static_cast<float>(tab[i - 1] + (double(tab[i]) - tab[i - 1]) * (p - 10.0 * (i - 1) - 1.0) / 10.0);
}
