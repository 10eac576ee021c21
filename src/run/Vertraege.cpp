#include "run/Vertraege.h"

#include "gas/Brennwert.h"

#include <string_view>

namespace {
constexpr double kStundenJeJahr = 8760; // a year of 365 days
}

double CVertragsfeld::Lieferung(double roh, bool gwh) const
{
    // Mio m³ (1.0134 bar) × kWh/m³ (1.01325 bar) × the m³ ratio = GWh
    return gwh ? roh * ausbeute * hs * kNormzustandJeIsoBezug : roh * ausbeute;
}

CVertragsfeld Vertragsfeld(std::string_view name, const CFeldwerte& feld, const CPlanung& plan, double eigenverbrauch)
{
    const CVerkaufsgas v = Verkaufsgas(feld.m_fAnteil);
    CVertragsfeld f;
    if (v.brauchbar) {
        f.ausbeute = v.Ausbeute() * (1.0 - eigenverbrauch / 100.0);
        f.hs = v.hs;
        f.gasart = GasartZu(v.gasart);
    }
    if (const auto gesetzt = plan.feldGasart.find(std::string(name)); gesetzt != plan.feldGasart.end())
        f.gasart = gesetzt->second;
    return f;
}

double RestfelderLieferung(const CPlanung& plan, const CVertrag& vertrag, double rest)
{
    double lieferung = 0;
    for (const CRestfeldanteil& a : plan.restfelder)
        if (a.gasart == vertrag.gasart) {
            const double menge = rest * a.anteil / 100.0;
            lieferung += vertrag.gwh ? menge * a.brennwert * kNormzustandJeIsoBezug : menge;
        }
    return lieferung;
}

double Spitzenrate(const CVertrag& vertrag, double menge, double hs)
{
    const double m3 = vertrag.gwh ? (hs > 0 ? menge * 1e6 / (hs * kNormzustandJeIsoBezug) : 0.0) : menge * 1e6;
    return m3 / kStundenJeJahr * vertrag.spitzenfaktor;
}

bool Unterdeckung(const CVertragsjahr& j)
{
    return j.geliefert < j.soll * (1.0 - kVertragsgenauigkeit);
}

bool Unterdeckung(const CVertragsmonat& m)
{
    return m.lieferbar < m.soll * (1.0 - kVertragsgenauigkeit);
}

double Monatsmenge(double rate, int stunden, int monat)
{
    const double monatsstunden = 24.0 * Monatstage(monat);
    return rate * monatsstunden * stunden / kStundenJeJahr / 1e6;
}
