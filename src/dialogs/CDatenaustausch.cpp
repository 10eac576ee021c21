#include "dialogs/CDatenaustausch.h"

#include "platform/Cp1252.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "platform/Zahlregel.h"

std::string MeldungGanzeZahl()
{
    return "Geben Sie eine ganze Zahl ein.";
}
std::string MeldungZahl()
{
    return "Geben Sie eine Zahl ein.";
}
std::string MeldungGanzeZahlZwischen(double min, double max)
{
    return Format("Geben Sie eine ganze Zahl zwischen %.0f und %.0f ein.", min, max);
}
std::string MeldungZahlZwischen(double min, double max)
{
    return Format("Geben Sie eine Zahl zwischen %.6g und %.6g ein.", min, max);
}
std::string MeldungNullOderGanzeZahlZwischen(double min, double max)
{
    return Format("Geben Sie 0 (unverändert) oder eine ganze Zahl zwischen %.0f und %.0f ein.", min, max);
}
std::string MeldungNullOderZahlZwischen(double min, double max)
{
    return Format("Geben Sie 0 (unverändert) oder eine Zahl zwischen %.6g und %.6g ein.", min, max);
}
std::string MeldungMaxZeichen(int n)
{
    return Format("Geben Sie nicht mehr als %d Zeichen ein.", n);
}
std::string MeldungZeichensatz()
{
    return "Der Text enthält Zeichen, die in einer Kalvo-Datei nicht gespeichert werden können "
           "(erlaubt sind Buchstaben, Ziffern und Zeichen westeuropäischer Sprachen).";
}

std::string MeldungSteuerzeichen()
{
    return "Der Text enthält Steuerzeichen (etwa einen Tabulator); bitte entfernen.";
}
namespace {

bool HatSteuerzeichen(const std::string& s)
{
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7f)
            return true;
    return false;
}

std::string Getrimmt(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool AusserhalbBereich(const CSteuerelement& e, double wert)
{
    if (!e.m_bBereich || (e.m_bNullErlaubt && wert == 0))
        return false;
    return wert < e.m_dMin || wert > e.m_dMax;
}

} // namespace

bool CDatenaustausch::Ablehnen(const CSteuerelement& e, const std::string& text)
{
    m_Meldungen.Warnung(text);
    m_iFokus = e.m_iId;
    return false;
}

bool CDatenaustausch::Nehmen(const CSteuerelement& e)
{
    const std::string text = m_Texte[e.m_iId];
    switch (e.m_Art) {
    case EAustausch::Haken: *std::get<int*>(e.m_pWert) = m_Haken[e.m_iId] ? 1 : 0; return true;
    case EAustausch::Radio: {
        int wert = -1;
        for (int id = e.m_iId; id <= e.m_iRadioBis; ++id)
            if (m_Haken[id])
                wert = id - e.m_iId;
        *std::get<int*>(e.m_pWert) = wert;
        return true;
    }
    case EAustausch::Text:
        if (e.m_iMaxZeichen > 0 && static_cast<int>(AnzahlZeichen(text)) > e.m_iMaxZeichen)
            return Ablehnen(e, MeldungMaxZeichen(e.m_iMaxZeichen));
        if (e.m_iMaxZeichen > 0 && !IstCp1252Darstellbar(text))
            return Ablehnen(e, MeldungZeichensatz());
        if (e.m_iMaxZeichen > 0 && HatSteuerzeichen(text))
            return Ablehnen(e, MeldungSteuerzeichen());
        *std::get<std::string*>(e.m_pWert) = text;
        return true;
    case EAustausch::Zahl: break;
    }
    if (int* const* pi = std::get_if<int*>(&e.m_pWert)) {
        int wert = 0;
        if (!LiesInt(Getrimmt(text), wert))
            return Ablehnen(e, MeldungGanzeZahl());
        **pi = wert;
        if (AusserhalbBereich(e, wert))
            return Ablehnen(e, e.m_bNullErlaubt ? MeldungNullOderGanzeZahlZwischen(e.m_dMin, e.m_dMax)
                                                : MeldungGanzeZahlZwischen(e.m_dMin, e.m_dMax));
        return true;
    }
    float wert = 0;
    const std::string getrimmt = Getrimmt(text);
    if (!LiesEingabeFloat(getrimmt, wert))
        return Ablehnen(e, MeldungZahl());
    const auto gezeigt = m_Gezeigt.find(e.m_iId);
    const bool getippt = gezeigt == m_Gezeigt.end() || gezeigt->second != text;
    if (getippt && SiehtNachTausenderpunktAus(getrimmt))
        return Ablehnen(e, MeldungTausenderpunkt(getrimmt));
    *std::get<float*>(e.m_pWert) = wert;
    if (AusserhalbBereich(e, wert))
        return Ablehnen(e, e.m_bNullErlaubt ? MeldungNullOderZahlZwischen(e.m_dMin, e.m_dMax)
                                            : MeldungZahlZwischen(e.m_dMin, e.m_dMax));
    return true;
}

void CDatenaustausch::Zeigen(const CSteuerelement& e)
{
    switch (e.m_Art) {
    case EAustausch::Haken: m_Haken[e.m_iId] = *std::get<int*>(e.m_pWert) ? 1 : 0; return;
    case EAustausch::Radio:
        for (int id = e.m_iId; id <= e.m_iRadioBis; ++id)
            m_Haken[id] = (*std::get<int*>(e.m_pWert) == id - e.m_iId) ? 1 : 0;
        return;
    case EAustausch::Text: m_Texte[e.m_iId] = *std::get<std::string*>(e.m_pWert); return;
    case EAustausch::Zahl: break;
    }
    if (int* const* pi = std::get_if<int*>(&e.m_pWert))
        m_Texte[e.m_iId] = Format("%d", **pi);
    else // a float with up to 6 significant digits
        m_Texte[e.m_iId] = Format("%.6g", double(*std::get<float*>(e.m_pWert)));
    m_Gezeigt[e.m_iId] = m_Texte[e.m_iId];
}

bool CDatenaustausch::UpdateData(bool bSaveAndValidate)
{
    for (const auto& e : m_Elemente) {
        if (!bSaveAndValidate)
            Zeigen(e);
        else if (!Nehmen(e))
            return false;
    }
    return true;
}
