// Writes the sample portfolios through the program's own record format
// and file writer: Beispiel.kvo, a portfolio as planners keep one;
// Beispiel_Variante.kvo, the same portfolio with two more wells in Heidemoor
// and Emsland_Tief starting three years later, to compare with it; and
// Grenzfaelle.kvo, the paths the first one does not take (an exhausted field,
// strong water drive, a capped pressure-dependent field, a field after the
// project end, a share of 0, profiles beyond the project, 40 project years).
// Run after a change of the format:
//   build/examples/kalvo_beispiel examples

#include "doc/CKalvoDoc.h"
#include "gas/Feldpruefung.h"
#include "platform/Datei.h"
#include "platform/Meldungen.h"
#include "summary/Profil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Composition in mol %: H2S, CO2, N2, CH4, C2H6, C3H8, iC4, nC4, iC5, nC5, C6 … C10.
using Gas = std::array<float, kAnzahlKomponenten>;

CFeldwerte Feld(const char* name, int start, const Gas& gas)
{
    CFeldwerte f;
    f.m_sFeldname = name;
    f.m_iFoerderbeginn = start;
    f.m_fAnteil = gas;
    f.m_fPermHorizontal = 10;
    f.m_fPermVertikal = 1;
    f.m_fMaechtigkeitBankrecht = 20;
    f.m_fMaechtigkeitErbohrt = 20;
    f.m_fEinflussradius = 800;
    f.m_fSteigrohrDi = 11;
    f.m_iFoerderstunden = 8000;
    f.m_fKonsAnteil = 100;
    return f;
}

CStufenzeile Kopfstufe(const CFeldwerte& f)
{
    return {f.m_iFoerderbeginn, f.m_iFoerderstunden, f.m_fKopfdruck, f.m_iBohrungen, f.m_fCWert, f.m_fKonsAnteil};
}

// Record with the head row first and up to three later stage rows.
std::string Satz(const CFeldwerte& f, std::vector<CStufenzeile> spaeter = {})
{
    CStufenTexte t;
    const CStufenzeile kopf = Kopfstufe(f);
    for (int i = 0; i < kAnzahlStufen; ++i) {
        const bool eigene = i >= 1 && static_cast<size_t>(i - 1) < spaeter.size();
        t[i] = eigene ? StufenzeileText(spaeter[i - 1], EStufenformat::Geaendert)
                      : StufenzeileText(kopf, EStufenformat::Vorgabe);
    }
    return DatenInZeile(f, t);
}

void BeispielFuellen(CKalvoDoc& doc, bool variante)
{
    doc.m_iProjektstart = 2002;
    doc.m_iProjektende = 2030;

    // A1, B1 and C-Wert of every field are the proposals kalvo-batch --vorschlag makes.

    // Dry sweet gas, medium depth, an older field already produced from.
    CFeldwerte heidemoor = Feld("Heidemoor", 2002, {0, 0.8f, 3.1f, 92.4f, 2.4f, 0.7f, 0.15f, 0.2f, 0.08f, 0.07f, 0.1f});
    heidemoor.m_fTcel = 105;
    heidemoor.m_fKopftemperatur = 30;
    heidemoor.m_fOGIP = 12000;
    heidemoor.m_fPi = 310;
    heidemoor.m_fReferenzdruck = 310;
    heidemoor.m_fTeufe = 3100;
    heidemoor.m_fPermHorizontal = 25;
    heidemoor.m_fPermVertikal = 2.5f;
    heidemoor.m_fMaechtigkeitBankrecht = 30;
    heidemoor.m_fMaechtigkeitErbohrt = 30;
    heidemoor.m_fKumProdBeginn = 850;
    heidemoor.m_fKopfdruck = 55;
    heidemoor.m_iBohrungen = variante ? 7 : 5;
    heidemoor.m_fMaxRate = 22000;
    heidemoor.m_fWasserinvasion = 10;
    heidemoor.m_fKonsAnteil = 50;
    heidemoor.m_fA1 = 342.6f;
    heidemoor.m_fB1 = 1.493f;
    heidemoor.m_fCWert = 3.0132f;

    // Nitrogen-rich gas with an umlaut in its name; compression from 2010 on.
    CFeldwerte altmark =
        Feld("Altmark_Süd", 2003, {0, 0.5f, 14.8f, 80.9f, 2.6f, 0.7f, 0.15f, 0.2f, 0.05f, 0.05f, 0.05f});
    altmark.m_fTcel = 125;
    altmark.m_fKopftemperatur = 40;
    altmark.m_fOGIP = 18000;
    altmark.m_fPi = 420;
    altmark.m_fReferenzdruck = 400;
    altmark.m_fTeufe = 3600;
    altmark.m_fPermHorizontal = 4;
    altmark.m_fPermVertikal = 0.4f;
    altmark.m_fMaechtigkeitBankrecht = 45;
    altmark.m_fMaechtigkeitErbohrt = 60; // slanted wells
    altmark.m_fEinflussradius = 1000;
    altmark.m_fKopfdruck = 80;
    altmark.m_iBohrungen = 8;
    altmark.m_fMaxRate = 18000;
    altmark.m_fKonsAnteil = 37.5f;
    altmark.m_fA1 = 279.7f;
    altmark.m_fB1 = 1.520f;
    altmark.m_fCWert = 0.5513f;
    const CStufenzeile altmark2008{2008, 0, 0, 10, 0, 0};    // two more wells
    const CStufenzeile altmark2010{2010, 0, 45, 0, 0, 0};    // compression
    const CStufenzeile altmark2018{2018, 7500, 25, 0, 0, 0}; // second stage

    // Sour gas (H2S and CO2) with pressure-dependent factors.
    CFeldwerte wesermarsch =
        Feld("Wesermarsch", 2004, {4.5f, 8.2f, 1.9f, 82.1f, 2.3f, 0.6f, 0.1f, 0.15f, 0.05f, 0.05f, 0.05f});
    wesermarsch.m_fTcel = 140;
    wesermarsch.m_fKopftemperatur = 45;
    wesermarsch.m_fOGIP = 24000;
    wesermarsch.m_fPi = 480;
    wesermarsch.m_fReferenzdruck = 450;
    wesermarsch.m_fTeufe = 4500;
    wesermarsch.m_fPermHorizontal = 15;
    wesermarsch.m_fPermVertikal = 3;
    wesermarsch.m_fMaechtigkeitBankrecht = 40;
    wesermarsch.m_fMaechtigkeitErbohrt = 40;
    wesermarsch.m_fEinflussradius = 1200;
    wesermarsch.m_fSteigrohrDi = 12.7f;
    wesermarsch.m_fKopfdruck = 90;
    wesermarsch.m_iBohrungen = 4;
    wesermarsch.m_fMaxRate = 40000;
    wesermarsch.m_fWasserinvasion = 25;
    wesermarsch.m_fKonsAnteil = 50;
    wesermarsch.m_fA1 = 329.8f;
    wesermarsch.m_fB1 = 1.720f;
    wesermarsch.m_fCWert = 1.4755f;
    wesermarsch.m_bDruckabhaengig = 1;
    const CStufenzeile weser2012{2012, 0, 60, 6, 0, 0};
    const CStufenzeile weser2020{2020, 0, 35, 0, 1.2125f, 0};

    // Tight deep reservoir, developed with a horizontal well.
    CFeldwerte emsland =
        Feld("Emsland_Tief", variante ? 2009 : 2006,
             {0, 2.1f, 4.0f, 88.6f, 3.5f, 1.0f, 0.2f, 0.3f, 0.1f, 0.1f, 0.1f, 0.05f, 0.03f, 0.01f, 0.01f});
    emsland.m_fTcel = 150;
    emsland.m_fKopftemperatur = 50;
    emsland.m_fOGIP = 6000;
    emsland.m_fPi = 550;
    emsland.m_fReferenzdruck = 550;
    emsland.m_fTeufe = 4900;
    emsland.m_fPermHorizontal = 0.8f;
    emsland.m_fPermVertikal = 0.08f;
    emsland.m_fMaechtigkeitBankrecht = 25;
    emsland.m_fMaechtigkeitErbohrt = 25;
    emsland.m_fHorizontallaenge = 900;
    emsland.m_fKopfdruck = 100;
    emsland.m_iBohrungen = 2;
    emsland.m_fMaxRate = 30000;
    emsland.m_fKonsAnteil = 60;
    emsland.m_fA1 = 221.8f;
    emsland.m_fB1 = 1.623f;
    emsland.m_fCWert = 0.2657f;
    const CStufenzeile emsland2011{2011, 0, 0, 4, 0, 0};
    const CStufenzeile emsland2016{2016, 0, 0, 0, 0, 40}; // share sold down

    // Small shallow field with strong water drive.
    CFeldwerte kleinfeld = Feld("Kleinfeld", 2008, {0, 0.3f, 1.5f, 97.2f, 0.8f, 0.1f, 0.05f, 0.05f});
    kleinfeld.m_fTcel = 62;
    kleinfeld.m_fKopftemperatur = 18;
    kleinfeld.m_fOGIP = 1200;
    kleinfeld.m_fPi = 165;
    kleinfeld.m_fReferenzdruck = 165;
    kleinfeld.m_fTeufe = 1650;
    kleinfeld.m_fPermHorizontal = 120;
    kleinfeld.m_fPermVertikal = 30;
    kleinfeld.m_fMaechtigkeitBankrecht = 12;
    kleinfeld.m_fMaechtigkeitErbohrt = 12;
    kleinfeld.m_fEinflussradius = 500;
    kleinfeld.m_fKopfdruck = 30;
    kleinfeld.m_iBohrungen = 2;
    kleinfeld.m_fMaxRate = 12000;
    kleinfeld.m_fWasserinvasion = 45;
    kleinfeld.m_iFoerderstunden = 8500;
    kleinfeld.m_fKonsAnteil = 100;
    kleinfeld.m_fA1 = 555.5f;
    kleinfeld.m_fB1 = 1.277f;
    kleinfeld.m_fCWert = 10.3581f;

    // The field list is kept in alphabetical order.
    doc.m_saFelder = {Satz(altmark, {altmark2008, altmark2010, altmark2018}), Satz(emsland, {emsland2011, emsland2016}),
                      Satz(heidemoor), Satz(kleinfeld), Satz(wesermarsch, {weser2012, weser2020})};

    const float soll[] = {1250, 1500, 1850, 1900, 2050, 2050, 2200, 2100, 1950, 1850, 1800, 1600, 1400, 1100, 800,
                          600,  450,  350,  330,  300,  250,  200,  170,  140,  120,  100,  90,   80,   70};
    for (int i = 0; i < 29; ++i)
        doc.m_saVerkaufsprofil.push_back(ProfilzeileEingabe(2002 + i, soll[i], soll[i] * 1e6f / 8000.0f));
    const float rest[] = {420, 400, 370, 340, 300, 260, 220, 190, 160, 130, 100, 80, 60, 40};
    for (int i = 0; i < 14; ++i)
        doc.m_saRestfelder.push_back(ProfilzeileImport(2002 + i, rest[i], rest[i] * 1e6f / 8200.0f));
}

void Grenzfaelle(CKalvoDoc& doc)
{
    // A long-term view over 40 years: the calculation covers the first 33.
    doc.m_iProjektstart = 2001;
    doc.m_iProjektende = 2041;

    // Almost depleted, permeable small field produced down to 5 bar at the
    // wellhead: the cumulative reaches the OGIP within a few years.
    CFeldwerte restfeld =
        Feld("Bergheide_Rest", 2001, {0, 1.2f, 6.5f, 89.0f, 2.1f, 0.6f, 0.15f, 0.2f, 0.1f, 0.05f, 0.1f});
    restfeld.m_fTcel = 95;
    restfeld.m_fKopftemperatur = 25;
    restfeld.m_fOGIP = 900;
    restfeld.m_fPi = 280;
    restfeld.m_fReferenzdruck = 280;
    restfeld.m_fTeufe = 2800;
    restfeld.m_fPermHorizontal = 400;
    restfeld.m_fPermVertikal = 40;
    restfeld.m_fMaechtigkeitBankrecht = 25;
    restfeld.m_fMaechtigkeitErbohrt = 25;
    restfeld.m_fKumProdBeginn = 600;
    restfeld.m_fKopfdruck = 5; // produced down to low pressure with compression
    restfeld.m_iBohrungen = 4;
    restfeld.m_fMaxRate = 8000;
    restfeld.m_fKonsAnteil = 100;
    restfeld.m_fA1 = 0;
    restfeld.m_fB1 = 0;
    restfeld.m_fCWert = 0;

    // Strong aquifer: up to 85 % of the pore volume is taken by water.
    CFeldwerte aue = Feld("Elbaue", 2003, {0, 0.4f, 2.2f, 95.6f, 1.2f, 0.3f, 0.1f, 0.1f, 0.05f, 0.05f});
    aue.m_fTcel = 70;
    aue.m_fKopftemperatur = 20;
    aue.m_fOGIP = 3000;
    aue.m_fPi = 190;
    aue.m_fReferenzdruck = 190;
    aue.m_fTeufe = 1900;
    aue.m_fPermHorizontal = 150;
    aue.m_fPermVertikal = 40;
    aue.m_fMaechtigkeitBankrecht = 18;
    aue.m_fMaechtigkeitErbohrt = 18;
    aue.m_fEinflussradius = 600;
    aue.m_fKopfdruck = 35;
    aue.m_iBohrungen = 3;
    aue.m_fMaxRate = 20000;
    aue.m_fWasserinvasion = 85;
    aue.m_fKonsAnteil = 70;
    const CStufenzeile aue2012{2012, 7000, 25, 0, 0, 0}; // compression, fewer hours

    // Deep sour gas with pressure-dependent factors: the wells deliver more
    // than the plant takes, so the rate sits at the cap for years.
    CFeldwerte tief =
        Feld("Tiefenrand", 2002, {2.5f, 6.0f, 3.0f, 84.5f, 2.6f, 0.7f, 0.15f, 0.2f, 0.1f, 0.1f, 0.1f, 0.05f});
    tief.m_fTcel = 155;
    tief.m_fKopftemperatur = 55;
    tief.m_fOGIP = 15000;
    tief.m_fPi = 560;
    tief.m_fReferenzdruck = 540;
    tief.m_fTeufe = 5200;
    tief.m_fPermHorizontal = 40;
    tief.m_fPermVertikal = 6;
    tief.m_fMaechtigkeitBankrecht = 60;
    tief.m_fMaechtigkeitErbohrt = 60;
    tief.m_fEinflussradius = 1500;
    tief.m_fSteigrohrDi = 12.7f;
    tief.m_fKopfdruck = 110;
    tief.m_iBohrungen = 3;
    tief.m_fMaxRate = 15000;
    tief.m_fWasserinvasion = 15;
    tief.m_fKonsAnteil = 45;
    tief.m_bDruckabhaengig = 1;
    const CStufenzeile tief2015{2015, 0, 60, 0, 0, 0}; // compression

    // Discovery planned after the project end: listed, never produces here.
    CFeldwerte spaet = Feld("Nordrand_Neu", 2045, {0, 1.0f, 4.0f, 91.0f, 2.5f, 0.8f, 0.2f, 0.2f, 0.1f, 0.1f, 0.1f});
    spaet.m_fTcel = 120;
    spaet.m_fKopftemperatur = 35;
    spaet.m_fOGIP = 5000;
    spaet.m_fPi = 400;
    spaet.m_fReferenzdruck = 400;
    spaet.m_fTeufe = 3800;
    spaet.m_fKopfdruck = 70;
    spaet.m_iBohrungen = 3;
    spaet.m_fMaxRate = 20000;
    spaet.m_fKonsAnteil = 50;

    // Share sold: the field is computed and reported, but adds nothing.
    CFeldwerte verkauft = Feld("Wiesengrund", 2006, {0, 0.7f, 3.5f, 92.0f, 2.4f, 0.7f, 0.2f, 0.2f, 0.1f, 0.1f, 0.1f});
    verkauft.m_fTcel = 110;
    verkauft.m_fKopftemperatur = 30;
    verkauft.m_fOGIP = 4000;
    verkauft.m_fPi = 350;
    verkauft.m_fReferenzdruck = 350;
    verkauft.m_fTeufe = 3400;
    verkauft.m_fKopfdruck = 60;
    verkauft.m_iBohrungen = 2;
    verkauft.m_fMaxRate = 20000;
    verkauft.m_fKonsAnteil = 0;

    // A1, B1 and C-Wert are the program's proposals as the dialog shows them.
    for (CFeldwerte* f : {&restfeld, &aue, &tief, &spaet, &verkauft}) {
        CStilleMeldungen still;
        CVorschlag v;
        CGaseigenschaften gas;
        if (!OnComputeAbc(*f, std::max(doc.m_iProjektende, f->m_iFoerderbeginn + 1), still, v, gas))
            continue;
        f->m_fA1 = static_cast<float>(std::round(v.a1_ * 10) / 10);
        f->m_fB1 = static_cast<float>(std::round(v.b1_ * 1000) / 1000);
        f->m_fCWert = static_cast<float>(std::round(v.c1_ * 10000) / 10000);
    }

    doc.m_saFelder = {Satz(restfeld), Satz(aue, {aue2012}), Satz(spaet), Satz(tief, {tief2015}), Satz(verkauft)};

    // The sales contract runs from before the project into the years after it.
    for (int jahr = 1998; jahr <= 2045; ++jahr) {
        const float menge =
            jahr < 2010 ? 500.0f + 25.0f * (jahr - 1998) : std::max(150.0f, 800.0f - 30.0f * (jahr - 2010));
        doc.m_saVerkaufsprofil.push_back(ProfilzeileEingabe(jahr, menge, menge * 1e6f / 8000.0f));
    }
    // Rest fields reported from 1999 on, declining past the project end.
    for (int jahr = 1999; jahr <= 2044; ++jahr) {
        const float menge = std::max(10.0f, 260.0f - 6.0f * (jahr - 1999));
        doc.m_saRestfelder.push_back(ProfilzeileImport(jahr, menge, menge * 1e6f / 8200.0f));
    }
}

void Beispiel(CKalvoDoc& doc)
{
    BeispielFuellen(doc, false);
}

void BeispielVariante(CKalvoDoc& doc)
{
    BeispielFuellen(doc, true);
}

bool Schreiben(const std::string& pfad, void (*fuellen)(CKalvoDoc&))
{
    CStilleMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    fuellen(doc);
    if (const CErgebnis<> geschrieben = DateiAtomarSchreiben(pfad, doc.Speichern()); !geschrieben) {
        std::fprintf(stderr, "%s: %s\n", pfad.c_str(), geschrieben.Fehlertext().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string ordner = argc > 1 ? argv[1] : ".";
    const bool ok = Schreiben(ordner + "/Beispiel.kvo", Beispiel) &&
                    Schreiben(ordner + "/Beispiel_Variante.kvo", BeispielVariante) &&
                    Schreiben(ordner + "/Grenzfaelle.kvo", Grenzfaelle);
    return ok ? 0 : 2;
}
