// A field's rules hold alike for the dialog and for a record read from a file.
#include "model/Feldregeln.h"
#include "Testdaten.h"
#include "batch/CBatch.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

TEST(Feldregeln, RangesAreTheDialogsAndTheRunRefusesWhatTheDialogRefuses)
{
    EXPECT_EQ(Bereich(EFeldwert::Pi).max, 1000);
    EXPECT_EQ(Bereich(EFeldwert::Foerderstunden).max, 8760);
    EXPECT_TRUE(Bereich(EFeldwert::StufeBohrungen).nullErlaubt);
    EXPECT_FALSE(Bereich(EFeldwert::Bohrungen).nullErlaubt);

    const CStufen keine{};
    EXPECT_TRUE(FeldregelnPruefen(FeldA(), keine));
    CFeldwerte f = FeldA();
    f.m_fPi = 5000;
    EXPECT_EQ(FeldregelnPruefen(f, keine).Fehlertext(),
              "der Initialdruck (5000 bar) liegt nicht zwischen 1 und 1000 bar");
    f = FeldA();
    f.m_fAnteil[3] = 101;
    EXPECT_EQ(FeldregelnPruefen(f, keine).Fehlertext(),
              "der Anteil der 4. Komponente (101 mol-%) liegt nicht zwischen 0 und 100 mol-%");
    // The reference pressure counts only where the factors follow the pressure.
    f = FeldA();
    f.m_fReferenzdruck = 0;
    f.m_bDruckabhaengig = 0;
    EXPECT_TRUE(FeldregelnPruefen(f, keine));
    f.m_bDruckabhaengig = 1;
    EXPECT_EQ(FeldregelnPruefen(f, keine).Fehlertext(),
              "der Referenzdruck (0 bar) liegt nicht zwischen 1 und 1000 bar");

    // A stage row counts once the forecast applies it: a year after the start.
    f = FeldA();
    CStufen stufen{};
    stufen[1] = {f.m_iFoerderbeginn + 3, 9000, 0, 0, 0, 0};
    EXPECT_EQ(FeldregelnPruefen(f, stufen).Fehlertext(),
              "die Förderstundenzahl der 2.Stufenzeile (9000 h) liegt nicht zwischen 0 und 8760 h");
    stufen[1].m_iStufeAbJahr = f.m_iFoerderbeginn;
    EXPECT_TRUE(FeldregelnPruefen(f, stufen));
}

TEST(Feldregeln, AFileWithAValueTheDialogRefusesLoadsAndNamesTheFieldNotComputed)
{
    CStilleMeldungen m;
    CKalvoDoc quelle(m);
    CFeldwerte hoch = MethanFeld("Hochdruck", 2003);
    hoch.m_fPi = 5000;
    quelle.m_saFelder = {Feldsatz(MethanFeld("B", 2003)), Feldsatz(hoch)};
    quelle.m_iProjektende = 2010;

    CAufgezeichneteMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    ASSERT_TRUE(doc.Laden(quelle.Speichern()));
    EXPECT_EQ(doc.m_saFelder.size(), 2u);
    EXPECT_EQ(doc.Speichern(), quelle.Speichern()); // the file keeps its bytes
    doc.Berechnen();
    EXPECT_EQ(doc.m_saBericht.back(),
              "  Nicht berechnet: Hochdruck – der Initialdruck (5000 bar) liegt nicht zwischen 1 und 1000 bar");
    ASSERT_FALSE(meldungen.m_saTexte.empty());
    EXPECT_EQ(meldungen.m_saTexte.back(), "Das Feld Hochdruck wird nicht berechnet: der Initialdruck (5000 bar) "
                                          "liegt nicht zwischen 1 und 1000 bar.");
}

// What the dialog refuses a .kvo file may hold: the file loads, keeps its
// bytes, and the run leaves the field out with the reason; kalvo-batch ends
// with status 3. A row per broken rule.
TEST(Feldregeln, EveryPathRefusesWhatTheDialogRefuses)
{
    struct CFall {
        void (*brechen)(CFeldwerte&);
        const char* grund;
    };
    const CFall faelle[] = {
        {[](CFeldwerte& f) { f.m_fKumProdBeginn = 6000; },
         "die kumulative Anfangsproduktion (6000 Mio m³) ist nicht kleiner als das OGIP (5000 Mio m³)"},
        {[](CFeldwerte& f) { f.m_fKopfdruck = 400; },
         "der Kopffließdruck (400 bar) ist nicht kleiner als der Initialdruck (300 bar)"},
        {[](CFeldwerte& f) { f.m_fMaxRate = -5; }, "die maximale Entnahmerate (-5 m³/h) ist nicht größer als 0"},
        {[](CFeldwerte& f) { f.m_fKonsAnteil = 150; }, "der Konsortialanteil (150 %) liegt nicht zwischen 0 und 100 %"},
    };
    const auto pfad = (std::filesystem::temp_directory_path() / "kalvo_feldregeln.kvo").string();
    for (const CFall& fall : faelle) {
        CStilleMeldungen m;
        CKalvoDoc quelle(m);
        CFeldwerte kaputt = MethanFeld("Kaputt", 2003);
        kaputt.m_fPi = 300;
        kaputt.m_fKopfdruck = 40;
        kaputt.m_fMaxRate = 50000;
        fall.brechen(kaputt);
        EXPECT_FALSE(FeldVollstaendigPruefen(kaputt, {}));
        quelle.m_saFelder = {Feldsatz(MethanFeld("Gut", 2003)), Feldsatz(kaputt)};
        quelle.m_iProjektende = 2010;
        std::ofstream(pfad, std::ios::binary) << quelle.Speichern();
        std::ostringstream aus, fehler;
        EXPECT_EQ(KalvoBatch({pfad}, aus, fehler), 3) << fall.grund;
        EXPECT_NE(aus.str().find(std::string("  Nicht berechnet: Kaputt – ") + fall.grund), std::string::npos)
            << aus.str();
    }
    std::filesystem::remove(pfad);
}
