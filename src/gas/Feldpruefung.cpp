#include "gas/Feldpruefung.h"

#include "platform/Meldungen.h"

namespace {

int Ablehnen(IMeldungen& meldungen, const char* text)
{
    meldungen.Warnung(text);
    return 1;
}

} // namespace

int PruefeFelddaten(const CFeldwerte& f, int projektende, IMeldungen& m, CGaseigenschaften& gas)
{
    // Only 0 is refused in the first six checks; negative values pass.
    if (f.m_fOGIP == 0)
        return Ablehnen(m, "Bitte OGIP eingeben");
    // Gas in place is positive, and the gas produced before the project must
    // leave some of it: at or above the OGIP the field has nothing to produce.
    if (f.m_fOGIP < 0)
        return Ablehnen(m, "Das OGIP muß größer als 0 sein");
    if (!(f.m_fKumProdBeginn < f.m_fOGIP))
        return Ablehnen(m, "Die Kum.Anfangsproduktion muß kleiner als das OGIP sein");
    if (f.m_fPermHorizontal == 0 || f.m_fPermVertikal == 0)
        return Ablehnen(m, "Bitte Permeabilität eingeben");
    if (f.m_fMaechtigkeitBankrecht == 0 || f.m_fMaechtigkeitErbohrt == 0)
        return Ablehnen(m, "Bitte Mächtigkeit eingeben");
    if (f.m_fEinflussradius == 0)
        return Ablehnen(m, "Bitte Einflussradius eingeben");
    if (f.m_fTeufe == 0)
        return Ablehnen(m, "Bitte Lagerstättenteufe eingeben");
    if (f.m_fSteigrohrDi == 0)
        return Ablehnen(m, "Bitte Steigrohrdurchmesser eingeben");
    if (!(f.m_fKopfdruck < f.m_fPi))
        return Ablehnen(m, "Der Kopffliessdruck muß kleiner als der Initialdruck sein");
    if (2 * f.m_fEinflussradius < f.m_fHorizontallaenge)
        return Ablehnen(m, "Die Horizontalbohrlänge > 2*Einflußradius");
    if (f.m_fMaechtigkeitErbohrt < f.m_fMaechtigkeitBankrecht)
        return Ablehnen(m, "Erbohrte Mächtigkeit < Bankrechte Mächtigkeit");
    if (projektende <= f.m_iFoerderbeginn)
        return Ablehnen(m, "Das letzte Jahr muß größer als das Startjahr sein!");
    if (GaseigenschaftenDialog(f, false, m, gas) < 0)
        return 1;
    return 0;
}

int PruefeFaktoren(const CFeldwerte& f, IMeldungen& m)
{
    if (f.m_fA1 == 0 || f.m_fB1 == 0 || f.m_fCWert == 0)
        return Ablehnen(m, "Bitte DRUCKVERLUSTFAKTOREN eingeben");
    if (f.m_fB1 < 1)
        return Ablehnen(m, "Der B1-Wert für das Gassäulengewicht muß >=1 sein");
    if (f.m_fMaxRate == 0)
        return Ablehnen(m, "Die max.Entnahmerate muß größer Null sein!");
    return 0;
}

bool ZusammensetzungFehlt(const CFeldwerte& f)
{
    float summe = 0;
    for (float a : f.m_fAnteil)
        summe += a;
    return summe == 0;
}

bool OnComputeAbc(const CFeldwerte& f, int projektende, IMeldungen& m, CVorschlag& vorschlag, CGaseigenschaften& gas)
{
    if (ZusammensetzungFehlt(f))
        return false;
    if (PruefeFelddaten(f, projektende, m, gas) != 0)
        return false;
    GaseigenschaftenDialog(f, false, m, gas);
    if (ZwertDialog(gas, f.m_fTcel, f.m_fReferenzdruck, m) <= 0) {
        m.Meldung("ABBRUCH Z-Wert<=0 Kein Vorschlag!");
        return false;
    }
    vorschlag = KonstanteABC(f, gas, m);
    if (vorschlag.c1_ < 0) {
        m.Meldung("ERROR C-Wert<0");
        vorschlag.c1_ = 0; // the text keeps the value it was formatted with
    }
    return true;
}
