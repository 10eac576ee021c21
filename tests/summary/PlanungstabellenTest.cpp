// The comparison and coverage tables on two small documents whose figures are
// worked out by hand: no field records, so Ist is the rest-field profile.
//   A, 2010–2014: rest 100, 90, 80, 70, 60 (rates ×10), sales 95, 95, 75, 75, 75
//   B, 2012–2016: rest 85, 72.5, 64, 50, 40 (rates ×10), no sales profile

#include "summary/Planungstabellen.h"
#include "Testdaten.h"
#include "batch/CBatch.h"
#include "bericht/Jahresreihentabelle.h"
#include "bericht/Planungsbericht.h"
#include "doc/CKalvoDoc.h"
#include "platform/Csv.h"
#include "platform/Datei.h"
#include "platform/Meldungen.h"
#include "summary/Jahresreihen.h"
#include "summary/Profil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string KleinesDokument(const std::string& name, int start, int ende, const std::vector<float>& rest,
                            const std::vector<float>& soll)
{
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    doc.m_iProjektstart = start;
    doc.m_iProjektende = ende;
    for (size_t i = 0; i < rest.size(); ++i)
        doc.m_saRestfelder.push_back(ProfilzeileImport(start + int(i), rest[i], rest[i] * 10));
    for (size_t i = 0; i < soll.size(); ++i)
        doc.m_saVerkaufsprofil.push_back(ProfilzeileImport(start + int(i), soll[i], soll[i] * 10));
    const fs::path pfad = fs::temp_directory_path() / name;
    EXPECT_TRUE(DateiAtomarSchreiben(pfad.string(), doc.Speichern()));
    return pfad.string();
}

std::string VarianteA()
{
    return KleinesDokument("kalvo_variante_A.kvo", 2010, 2014, {100, 90, 80, 70, 60}, {95, 95, 75, 75, 75});
}
std::string VarianteB()
{
    return KleinesDokument("kalvo_variante_B.kvo", 2012, 2016, {85, 72.5f, 64, 50, 40}, {});
}

// The lines kalvo-batch prints after the summary's total line.
std::vector<std::string> NachDemBericht(const std::vector<std::string>& args, int* status = nullptr)
{
    std::ostringstream aus, fehler;
    const int s = KalvoBatch(args, aus, fehler);
    if (status)
        *status = s;
    std::vector<std::string> zeilen;
    bool danach = false;
    std::istringstream in(aus.str());
    for (std::string z; std::getline(in, z);) {
        if (danach)
            zeilen.push_back(z);
        danach = danach || z.rfind("  Summe", 0) == 0;
    }
    return zeilen;
}

} // namespace

TEST(Planungstabellen, CoverageRunsTheShortfallUpAndNamesItsFirstYear)
{
    const std::vector<std::string> erwartet = {"",
                                               "                 DECKUNG DES VERKAUFSPROFILS",
                                               "",
                                               "  JAHR         IST        SOLL  IST - SOLL  FEHLMENGE KUM.",
                                               "",
                                               "  2010       100.0        95.0         5.0         0.0",
                                               "  2011        90.0        95.0        -5.0         5.0",
                                               "  2012        80.0        75.0         5.0         5.0",
                                               "  2013        70.0        75.0        -5.0        10.0",
                                               "  2014        60.0        75.0       -15.0        25.0",
                                               "",
                                               "  Erste Unterdeckung: 2011"};
    EXPECT_EQ(NachDemBericht({"--deckung", VarianteA()}), erwartet);

    // The rate is the chart quantity with --rate; rates summed over years mean
    // nothing, so that table has no cumulative column, but names the first shortfall.
    const auto rate = NachDemBericht({"--deckung", "--rate", VarianteA()});
    ASSERT_EQ(rate.size(), erwartet.size());
    EXPECT_EQ(rate[3], "  JAHR         IST        SOLL  IST - SOLL");
    EXPECT_EQ(rate[6], "  2011       900.0       950.0       -50.0");
    EXPECT_EQ(rate[9], "  2014       600.0       750.0      -150.0");
    EXPECT_EQ(rate.back(), "  Erste Unterdeckung: 2011");

    // Without a sales profile nothing falls short.
    const auto ohneSoll = NachDemBericht({"--deckung", VarianteB()});
    ASSERT_EQ(ohneSoll.size(), 12u);
    EXPECT_EQ(ohneSoll[6], "  2013        72.5         0.0        72.5         0.0");
    EXPECT_EQ(ohneSoll.back(), "  Keine Unterdeckung");
}

TEST(Planungstabellen, ComparisonTakesTheCommonCalendarYearsAndZeroElsewhere)
{
    const std::vector<std::string> erwartet = {"",
                                               "                 VERGLEICH DER VARIANTEN",
                                               "   A: kalvo_variante_A.kvo",
                                               "   B: kalvo_variante_B.kvo",
                                               "",
                                               "  JAHR       IST A       IST B       B - A      SOLL A",
                                               "",
                                               "  2010       100.0         0.0      -100.0        95.0",
                                               "  2011        90.0         0.0       -90.0        95.0",
                                               "  2012        80.0        85.0         5.0        75.0",
                                               "  2013        70.0        72.5         2.5        75.0",
                                               "  2014        60.0        64.0         4.0        75.0"};
    EXPECT_EQ(NachDemBericht({"--vergleich", VarianteB(), VarianteA()}), erwartet);

    // B computed with A's options: rates with --rate; B's own project end with --ende for both.
    const auto rate = NachDemBericht({"--rate", "--vergleich", VarianteB(), VarianteA()});
    ASSERT_EQ(rate.size(), erwartet.size());
    EXPECT_EQ(rate[10], "  2013       700.0       725.0        25.0       750.0");
    const auto kurz = NachDemBericht({"--ende", "2013", "--vergleich", VarianteB(), VarianteA()});
    ASSERT_EQ(kurz.size(), 11u);
    EXPECT_EQ(kurz.back(), "  2013        70.0        72.5         2.5        75.0");

    // B the other way round: its years after A's end have no A.
    const auto umgekehrt = NachDemBericht({"--vergleich", VarianteA(), VarianteB()});
    ASSERT_EQ(umgekehrt.size(), 12u);
    EXPECT_EQ(umgekehrt[7], "  2012        85.0        80.0        -5.0         0.0");
    EXPECT_EQ(umgekehrt[11], "  2016        40.0         0.0       -40.0         0.0");

    // Coverage comes first, it belongs to A's summary.
    const auto beide = NachDemBericht({"--deckung", "--vergleich", VarianteB(), VarianteA()});
    ASSERT_EQ(beide.size(), 24u);
    EXPECT_EQ(beide[1], "                 DECKUNG DES VERKAUFSPROFILS");
    EXPECT_EQ(beide[13], "                 VERGLEICH DER VARIANTEN");
}

TEST(Planungstabellen, UnreadableVariantOrReservesAreRefused)
{
    int status = 0;
    std::ostringstream aus, fehler;
    const std::string fehlt = (fs::temp_directory_path() / "kalvo_gibt_es_nicht.kvo").string();
    EXPECT_EQ(KalvoBatch({"--vergleich", fehlt, VarianteA()}, aus, fehler), 2);
    EXPECT_NE(fehler.str().find(fehlt + ": "), std::string::npos) << fehler.str();
    EXPECT_EQ(aus.str(), "");
    NachDemBericht({"--reserven", "--deckung", VarianteA()}, &status);
    EXPECT_EQ(status, 1);
}

TEST(Planungstabellen, DocumentKeepsItsComparisonWhenAnotherVariantCannotBeRead)
{
    CAufgezeichneteMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    ASSERT_TRUE(doc.Laden(DateiInhalt(VarianteA())));
    doc.SetPathName(VarianteA());
    doc.Berechnen();
    const size_t bericht = doc.m_saBericht.size();

    ASSERT_TRUE(doc.VarianteLaden(VarianteB()));
    doc.VergleichAktualisieren();
    const std::vector<std::string> mitVergleich = doc.m_saBericht;
    EXPECT_EQ(mitVergleich.size(), bericht + 12);
    const CErgebnis<> fehlt = doc.VarianteLaden((fs::temp_directory_path() / "kalvo_gibt_es_nicht.kvo").string());
    EXPECT_FALSE(fehlt);
    EXPECT_EQ(fehlt.Fehlertext(), "Die Datei kann nicht geöffnet werden (nicht gefunden).");
    doc.Berechnen();
    EXPECT_TRUE(doc.VergleichAktiv());
    EXPECT_EQ(doc.VarianteName(), "kalvo_variante_B.kvo");
    EXPECT_EQ(doc.m_saBericht, mitVergleich);

    // Coverage on and off without a new run; the comparison ends on request.
    const unsigned laeufe = doc.Laeufe();
    doc.DeckungSetzen(true);
    EXPECT_EQ(doc.m_saBericht.size(), bericht + 12 + 12);
    doc.DeckungSetzen(false);
    EXPECT_EQ(doc.m_saBericht, mitVergleich);
    doc.VergleichBeenden();
    EXPECT_EQ(doc.m_saBericht.size(), bericht);
    EXPECT_EQ(doc.Laeufe(), laeufe);
    EXPECT_EQ(doc.VarianteWerte().anzahl, 0);

    // A change to A (here: the chart quantity) computes B again.
    ASSERT_TRUE(doc.VarianteLaden(VarianteB()));
    doc.m_iGrafikRate = 1;
    doc.Berechnen();
    double ist = 0;
    ASSERT_TRUE(doc.VarianteWerte().IstImJahr(2013, ist));
    EXPECT_EQ(ist, 725.0);
    EXPECT_EQ(doc.m_saBericht.back(), "  2014       600.0       640.0        40.0       750.0");
    EXPECT_TRUE(meldungen.m_saTexte.empty());
}

TEST(Planungstabellen, CsvCellsThatLookLikeFormulasStayText)
{
    EXPECT_EQ(CsvText("Heidemoor"), "Heidemoor");
    EXPECT_EQ(CsvText("=SUMME(A1:A9)"), "'=SUMME(A1:A9)");
    for (const char* s : {"+1", "-Feld", "@Feld", "\tFeld"})
        EXPECT_EQ(CsvText(s), std::string("'") + s);
    EXPECT_EQ(CsvText("\rFeld"), "\"'\rFeld\"");
    EXPECT_EQ(CsvText("Feld;Nord"), "\"Feld;Nord\"");
    EXPECT_EQ(CsvText("Feld\"Nord"), "\"Feld\"\"Nord\"");
    EXPECT_EQ(CsvText("Feld-1"), "Feld-1"); // only the first character counts

    // Field names head their columns; their figures stay numbers.
    const std::vector<CZusammenfassungsjahr> jahre = {Zusammenfassungsjahr(2020, 0, 0, 0.75f, 0, 0, 0)};
    std::vector<CFeldreihe> reihen(2);
    reihen[0].name = "=HYPERLINK(\"x\")";
    reihen[0].produktion[0] = -1.5f;
    reihen[0].rate[0] = 250;
    reihen[1].name = "Nord";
    reihen[1].produktion[0] = 2.25f;
    CJahresreihen d{2020, &jahre, &reihen, false};
    const std::string csv = JahresreihenCsv(d);
    EXPECT_NE(csv.find(";Rate der Felder (m3/h);\"'=HYPERLINK(\"\"x\"\") (Mio m3)\";Nord (Mio m3)\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n2020;0,000;0,0;0,750;0,0;0,000;0,0;0,750;0,0;-1,500;2,250\r\n"), std::string::npos) << csv;
    d.rate = true;
    EXPECT_NE(JahresreihenCsv(d).find(";0,750;0,0;250,0;0,0\r\n"), std::string::npos);
}

TEST(Planungstabellen, IstEqualToSollIsNoShortfall)
{
    CJahreswerte w;
    w.start = 2020;
    w.anzahl = 2;
    w.ist[0] = w.soll[0] = 50;
    w.ist[1] = 60;
    w.soll[1] = 40;
    const auto zeilen = DeckungTabelle(w);
    ASSERT_EQ(zeilen.size(), 9u);
    EXPECT_EQ(zeilen[5], "  2020        50.0        50.0         0.0         0.0");
    EXPECT_EQ(zeilen[6], "  2021        60.0        40.0        20.0         0.0");
    EXPECT_EQ(zeilen.back(), "  Keine Unterdeckung");
}
