#include "Testdaten.h"

#include "platform/Datei.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

CFeldwerte FeldA()
{
    CFeldwerte f;
    f.m_sFeldname = "FeldA";
    f.m_iFoerderbeginn = 2003;
    f.m_fAnteil = {0.0f, 1.2f, 2.5f, 93.1f, 2.2f, 0.6f, 0.1f, 0.15f, 0.05f, 0.05f, 0.05f, 0, 0, 0, 0};
    f.m_fTcel = 120.0f;
    f.m_fKopftemperatur = 35.0f;
    f.m_fOGIP = 8000.0f;
    f.m_fPi = 380.0f;
    f.m_fReferenzdruck = 380.0f;
    f.m_fPermHorizontal = 25.0f;
    f.m_fPermVertikal = 2.5f;
    f.m_fMaechtigkeitBankrecht = 30.0f;
    f.m_fMaechtigkeitErbohrt = 30.0f;
    f.m_fEinflussradius = 800.0f;
    f.m_fTeufe = 3800.0f;
    f.m_fSteigrohrDi = 11.0f;
    f.m_fHorizontallaenge = 0.0f;
    f.m_fKumProdBeginn = 0.0f;
    f.m_fKopfdruck = 60.0f;
    f.m_iBohrungen = 6;
    f.m_fMaxRate = 25000.0f;
    f.m_fWasserinvasion = 0.0f;
    f.m_iFoerderstunden = 8000;
    f.m_fKonsAnteil = 50.0f;
    f.m_fA1 = 75.0f;
    f.m_fB1 = 1.35f;
    f.m_fCWert = 0.0125f;
    f.m_bDruckabhaengig = 0;
    return f;
}

std::string Feldsatz(const CFeldwerte& f)
{
    CStufenzeile s{f.m_iFoerderbeginn, f.m_iFoerderstunden, f.m_fKopfdruck,
                   f.m_iBohrungen,     f.m_fCWert,          f.m_fKonsAnteil};
    const std::string t = StufenzeileText(s, EStufenformat::Vorgabe);
    return DatenInZeile(f, {t, t, t, t});
}

std::string Feldsatz(const CFeldwerte& f, const CStufen& stufen)
{
    CStufenTexte t;
    for (int i = 0; i < kAnzahlStufen; ++i)
        t[i] = StufenzeileText(stufen[i], EStufenformat::Geaendert);
    return DatenInZeile(f, t);
}

CFeldwerte MethanFeld(const std::string& name, int start, float ogip)
{
    CFeldwerte f = FeldA();
    f.m_sFeldname = name;
    f.m_iFoerderbeginn = start;
    f.m_fAnteil = {};
    f.m_fAnteil[3] = 100.0f;
    f.m_fOGIP = ogip;
    f.m_fKonsAnteil = 100.0f;
    return f;
}

std::string DateiInhalt(const std::string& pfad)
{
    const CErgebnis<std::string> bytes = DateiLesen(pfad);
    if (!bytes) {
        ADD_FAILURE() << pfad << ": " << bytes.Fehlertext();
        return {};
    }
    return *bytes;
}

CLaufEingabe LaufEingabeAus(const char* pfad)
{
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    EXPECT_TRUE(doc.Laden(DateiInhalt(pfad)));
    doc.NachDemLaden();
    return doc.LaufEingabe();
}
