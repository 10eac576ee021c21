#include "studie/Variation.h"

#include "platform/Csv.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

const CGroessenName kGroessen[] = {
    {EGroesse::OGIP, "OGIP", "OGIP", "das OGIP"},
    {EGroesse::CWert, "C-Wert", "C-Wert", "der C-Wert"},
    {EGroesse::A1, "A1", "A1", "A1"},
    {EGroesse::Wasserinvasion, "Wasserinvasion", "Wasserinvasion", "die Wasserinvasion"},
    {EGroesse::Kopfdruck, "Kopfdruck", "Kopfdruck", "der Kopfdruck"},
    {EGroesse::Bohrungen, "Bohrungen", "Bohrungen", "die Bohrungsanzahl"},
    {EGroesse::Startverzoegerung, "Startverzoegerung", "Startverzögerung", "die Startverzögerung"},
};

// The stage value changed by the head value's factor; 0 (no change) stays 0.
float Skaliert(float stufe, double faktor)
{
    return static_cast<float>(stufe * faktor);
}

int Bohrungen(double wert)
{
    return std::max(1, static_cast<int>(std::lround(wert)));
}

} // namespace

const char* GroessenName(EGroesse g)
{
    for (const auto& n : kGroessen)
        if (n.groesse == g)
            return n.name;
    return "";
}

const CGroessenName* GroesseNamens(std::string_view name)
{
    const std::string klein = KleinSchreibung(name);
    for (const CGroessenName& g : kGroessen)
        if (klein == KleinSchreibung(g.name) || klein == KleinSchreibung(g.anderer))
            return &g;
    return nullptr;
}

double Grundwert(const CFeldsatz& satz, EGroesse g)
{
    const CFeldwerte& f = satz.Werte();
    switch (g) {
    case EGroesse::OGIP: return f.m_fOGIP;
    case EGroesse::CWert: return f.m_fCWert;
    case EGroesse::A1: return f.m_fA1;
    case EGroesse::Wasserinvasion: return f.m_fWasserinvasion;
    case EGroesse::Kopfdruck: return f.m_fKopfdruck;
    case EGroesse::Bohrungen: return f.m_iBohrungen;
    case EGroesse::Startverzoegerung: return 0;
    }
    return 0;
}

CFeldsatz Abgewandelt(const CFeldsatz& satz, const std::vector<std::pair<EGroesse, double>>& werte)
{
    CFeldwerte f = satz.Werte();
    CStufen stufen = satz.Stufen();
    CFeldsatz::CAbwandlung aenderungen;
    for (const auto& [g, w] : werte) {
        aenderungen.emplace_back(static_cast<int>(g), w);
        const double basis = Grundwert(satz, g);
        const double faktor = basis != 0 ? w / basis : 1.0;
        switch (g) {
        case EGroesse::OGIP: f.m_fOGIP = static_cast<float>(w); break;
        case EGroesse::CWert:
            f.m_fCWert = static_cast<float>(w);
            for (CStufenzeile& s : stufen)
                s.m_fStufeCWert = Skaliert(s.m_fStufeCWert, faktor);
            break;
        case EGroesse::A1: f.m_fA1 = static_cast<float>(w); break;
        case EGroesse::Wasserinvasion: f.m_fWasserinvasion = static_cast<float>(w); break;
        case EGroesse::Kopfdruck:
            f.m_fKopfdruck = static_cast<float>(w);
            for (CStufenzeile& s : stufen)
                s.m_fStufeKopfdruck = Skaliert(s.m_fStufeKopfdruck, faktor);
            break;
        case EGroesse::Bohrungen: {
            const int neu = Bohrungen(w);
            const double wirklich = satz.Werte().m_iBohrungen != 0 ? double(neu) / satz.Werte().m_iBohrungen : 1.0;
            f.m_iBohrungen = neu;
            for (CStufenzeile& s : stufen)
                if (s.m_iStufeBohrungen > 0)
                    s.m_iStufeBohrungen = Bohrungen(s.m_iStufeBohrungen * wirklich);
            break;
        }
        case EGroesse::Startverzoegerung: {
            // Whole years: the start and the stage rows move together (an
            // empty row, year 0, stays empty).
            const int jahre = static_cast<int>(std::lround(w));
            f.m_iFoerderbeginn += jahre;
            for (CStufenzeile& s : stufen)
                if (s.m_iStufeAbJahr > 0)
                    s.m_iStufeAbJahr += jahre;
            break;
        }
        }
    }
    return CFeldsatz::AusWerten(satz, aenderungen, f, stufen);
}

CFeldsaetze Variiert(const CFeldsaetze& felder, const std::vector<CVariation>& variationen)
{
    CFeldsaetze v = felder;
    std::map<int, std::vector<std::pair<EGroesse, double>>> jeFeld;
    for (const CVariation& a : variationen)
        jeFeld[a.feld].emplace_back(a.groesse, a.wert);
    for (const auto& [feld, werte] : jeFeld)
        v[static_cast<size_t>(feld)] = Abgewandelt(felder[static_cast<size_t>(feld)], werte);
    return v;
}
