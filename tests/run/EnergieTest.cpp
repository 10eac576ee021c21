// Sales gas and energy after the summary: what leaves the plant, in m³ and
// in kWh, from each field's composition.
#include "Testdaten.h"
#include "bericht/Jahresreihentabelle.h"
#include "bericht/Laufbericht.h"
#include "dialogs/CDlgInput.h"
#include "gas/Brennwert.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "summary/Jahresreihen.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

CLaufEingabe Beispiel(const char* pfad)
{
    CLaufEingabe e = LaufEingabeAus(pfad);
    e.threads = 1;
    return e;
}

CLaufEingabe EinFeld(const CFeldwerte& feld, double eigenverbrauch = 0)
{
    CLaufEingabe e;
    e.felder.emplace_back(Feldsatz(feld));
    e.projektende = 2012;
    e.threads = 1;
    e.energie = true;
    e.eigenverbrauch = eigenverbrauch;
    return e;
}

CFeldwerte Feld(const std::string& name, std::initializer_list<std::pair<int, float>> anteile)
{
    CFeldwerte f = MethanFeld(name, 2005);
    f.m_fAnteil = {};
    for (auto [k, prozent] : anteile)
        f.m_fAnteil[static_cast<size_t>(k)] = prozent;
    return f;
}

size_t Zeile(const std::vector<std::string>& bericht, const std::string& text)
{
    return static_cast<size_t>(std::find(bericht.begin(), bericht.end(), text) - bericht.begin());
}

bool KeinNan(const std::vector<std::string>& bericht)
{
    return std::none_of(bericht.begin(), bericht.end(),
                        [](const std::string& z) { return z.find("nan") != std::string::npos; });
}

} // namespace

TEST(Energie, TableFollowsTheReportAndLeavesItUnchangedWhenOff)
{
    CLaufEingabe e = Beispiel(KALVO_BEISPIEL);
    const CLaufErgebnis ohne = Lauf(e);
    const std::vector<std::string> berichtOhne = LaufberichtText(ohne);
    e.energie = true;
    const CLaufErgebnis mit = Lauf(e);
    const std::vector<std::string> berichtMit = LaufberichtText(mit);

    ASSERT_GT(berichtMit.size(), berichtOhne.size());
    EXPECT_TRUE(std::equal(berichtOhne.begin(), berichtOhne.end(), berichtMit.begin()));
    EXPECT_TRUE(ohne.energie.empty());

    const std::vector<std::string> kopf = {"",
                                           "                 VERKAUFSGAS UND ENERGIE",
                                           "",
                                           "  FELD                 HS KWH/M3  WOBBE KWH/M3  GASART  SAUERGAS %",
                                           "  Altmark_Süd              9.891        12.323  L             0.5",
                                           "  Emsland_Tief            11.373        14.486  H             2.1"};
    EXPECT_TRUE(std::equal(kopf.begin(), kopf.end(), berichtMit.begin() + long(berichtOhne.size())));
    const size_t jahre = Zeile(berichtMit, "  JAHR     ROHGAS  VERKAUFSGAS    ENERGIE GWH");
    ASSERT_LT(jahre, berichtMit.size());
    EXPECT_EQ(berichtMit[jahre - 1], "  ANTEIL DER FELDER OHNE RESTFELDER, EIGENVERBRAUCH 0.0 %");
    EXPECT_EQ(berichtMit[jahre + 2], "  2002      440.0        436.5         4896.2");
    EXPECT_EQ(berichtMit.size(), jahre + 2 + size_t(mit.anzahl));
    ASSERT_EQ(mit.energie.size(), size_t(mit.anzahl));

    // Raw gas is the fields' share of the summary's Ist.
    for (int i = 0; i < mit.anzahl; ++i)
        EXPECT_NEAR(mit.energie[size_t(i)].rohgas, mit.produktionFelder[i], 1e-3) << mit.energie[size_t(i)].jahr;
}

// Every year of both samples: a natural gas between 9 and 12.5 kWh per m³ of
// sales gas, and never more sales gas than raw gas.
TEST(Energie, EnergyPerCubicMetreOfSalesGasIsThatOfANaturalGas)
{
    for (const char* pfad : {KALVO_BEISPIEL, KALVO_GRENZFAELLE}) {
        CLaufEingabe e = Beispiel(pfad);
        e.energie = true;
        const CLaufErgebnis r = Lauf(e);
        const std::vector<std::string> berichtR = LaufberichtText(r);
        EXPECT_TRUE(KeinNan(berichtR));
        for (const CEnergiejahr& j : r.energie) {
            EXPECT_LE(j.verkaufsgas, j.rohgas) << pfad << " " << j.jahr;
            if (j.verkaufsgas > 0) {
                EXPECT_GE(j.energie / j.verkaufsgas, 9.0) << pfad << " " << j.jahr;
                EXPECT_LE(j.energie / j.verkaufsgas, 12.5) << pfad << " " << j.jahr;
            }
        }
    }
}

TEST(Energie, SweetFieldSellsItsRawGasSourFieldWhatIsLeftLessOwnUse)
{
    const CLaufErgebnis suess = Lauf(EinFeld(MethanFeld("Suess", 2005)));
    const CFeldwerte sauer = Feld("Sauer", {{0, 12}, {1, 8}, {3, 80}});
    const CLaufErgebnis r = Lauf(EinFeld(sauer));
    const std::vector<std::string> berichtR = LaufberichtText(r);
    const CLaufErgebnis r5 = Lauf(EinFeld(sauer, 5));
    const std::vector<std::string> berichtR5 = LaufberichtText(r5);
    const double hs = Verkaufsgas(sauer.m_fAnteil).hs;

    ASSERT_FALSE(suess.energie.empty());
    for (const CEnergiejahr& j : suess.energie)
        EXPECT_EQ(j.verkaufsgas, j.rohgas) << j.jahr;
    ASSERT_EQ(r.energie.size(), r5.energie.size());
    double summe = 0;
    for (size_t i = 0; i < r.energie.size(); ++i) {
        const CEnergiejahr& j = r.energie[i];
        summe += j.rohgas;
        EXPECT_NEAR(j.verkaufsgas, 0.8 * j.rohgas, 1e-9 * j.rohgas) << j.jahr;
        // Hs,n per m³ at 1.01325 bar, the volumes at 1.0134 bar: 0.0148 % more gas.
        EXPECT_NEAR(j.energie, j.verkaufsgas * hs * 1.0134 / 1.01325, 1e-9 * j.energie) << j.jahr;
        EXPECT_NEAR(r5.energie[i].verkaufsgas, 0.95 * j.verkaufsgas, 1e-9 * j.rohgas) << j.jahr;
    }
    EXPECT_GT(summe, 0);
    EXPECT_NE(Zeile(berichtR, "  Sauer                   11.063        14.853  H            20.0"), berichtR.size());
    EXPECT_NE(Zeile(berichtR5, "  ANTEIL DER FELDER OHNE RESTFELDER, EIGENVERBRAUCH 5.0 %"), berichtR5.size());
}

// The run computes a field whose percentages do not sum to 100 (they are
// normalised, as the field dialog allows); the energy table names it and
// leaves it out rather than guess. A raw gas of only H2S and CO2 sells nothing.
TEST(Energie, BadCompositionsAreNamedNotGuessed)
{
    const CLaufErgebnis falsch = Lauf(EinFeld(Feld("Unvollstaendig", {{3, 87.3f}})));
    const std::vector<std::string> berichtFalsch = LaufberichtText(falsch);
    EXPECT_TRUE(falsch.nichtBerechnet.empty());
    EXPECT_NE(
        Zeile(berichtFalsch, "  Unvollstaendig     nicht bewertet: die Gaszusammensetzung ergibt 87.30 % statt 100 %"),
        berichtFalsch.size());
    EXPECT_EQ(berichtFalsch.back(), "  Ohne Verkaufsgas und Energie: Unvollstaendig");
    for (const CEnergiejahr& j : falsch.energie)
        EXPECT_EQ(j.verkaufsgas, 0) << j.jahr;

    const CLaufErgebnis sauer = Lauf(EinFeld(Feld("Nur_Sauergas", {{0, 60}, {1, 40}})));
    const std::vector<std::string> berichtSauer = LaufberichtText(sauer);
    EXPECT_TRUE(KeinNan(berichtSauer));
    EXPECT_NE(
        Zeile(berichtSauer, "  Nur_Sauergas             0.000         0.000  –           100.0  kein Verkaufsgas"),
        berichtSauer.size());
    for (const CEnergiejahr& j : sauer.energie)
        EXPECT_EQ(j.verkaufsgas + j.energie, 0) << j.jahr;
}

TEST(Energie, CsvGainsTheThreeYearColumns)
{
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    ASSERT_TRUE(doc.Laden(DateiInhalt(KALVO_BEISPIEL)));
    doc.NachDemLaden();
    doc.Berechnen();
    EXPECT_EQ(JahresreihenCsv(doc.Jahresreihen()).find("Energie"), std::string::npos);
    doc.m_bEnergie = true;
    doc.Berechnen();
    const std::string csv = JahresreihenCsv(doc.Jahresreihen());
    EXPECT_NE(csv.find(";Rohgas Felder (Mio m3);Verkaufsgas Felder (Mio m3);Energie Felder (GWh);Altmark_Süd (Mio m3)"),
              std::string::npos);
    EXPECT_NE(
        csv.find(
            "\r\n2002;420,000;51219,5;860,000;106219,5;1250,000;156250,0;440,000;55000,0;440,000;436,480;4896,246;"),
        std::string::npos);
}

// The field dialog's line shows the digits of the table's row, for every
// field of both samples (the dialog writes a decimal comma).
TEST(Energie, FieldDialogLineAgreesWithTheTable)
{
    for (const char* pfad : {KALVO_BEISPIEL, KALVO_GRENZFAELLE}) {
        CLaufEingabe e = Beispiel(pfad);
        e.energie = true;
        const CLaufErgebnis r = Lauf(e);
        const std::vector<std::string> berichtR = LaufberichtText(r);
        for (const CFeldreihe& reihe : r.feldreihen) {
            const auto& anteil = e.felder[size_t(FeldIndex(e.felder, reihe.name))].Werte().m_fAnteil;
            const CVerkaufsgas v = Verkaufsgas(anteil);
            const std::string zeile = "  " + Linksbuendig(reihe.name, 18) + Format(" %11.3f %13.3f  ", v.hs, v.wobbe);
            const auto treffer = std::find_if(berichtR.begin(), berichtR.end(),
                                              [&](const std::string& z) { return z.starts_with(zeile); });
            EXPECT_NE(treffer, berichtR.end()) << zeile;
            std::string dialog = Format("Hs,n %.3f · Ws,n %.3f kWh/m³ · %s-Gas", v.hs, v.wobbe, v.gasart);
            std::replace(dialog.begin(), dialog.end(), '.', ',');
            std::array<std::string, kAnzahlKomponenten> texte;
            for (size_t k = 0; k < texte.size(); ++k)
                texte[k] = Format("%.2f", double(anteil[k]));
            EXPECT_EQ(VerkaufsgasAnzeige(texte), "Verkaufsgas: " + dialog) << reihe.name;
        }
    }
}

// A file may hold a name twice, or one with a control character: every
// table uses each field's own record. A row per pair of names.
TEST(Energie, EachFieldIsValuedWithItsOwnGasWhateverItsName)
{
    const std::pair<std::string, std::string> namen[] = {{"Doppelt", "Doppelt"}, {"Nord\x01", "Süd\x02"}};
    for (const auto& [erster, zweiter] : namen) {
        CLaufEingabe e = EinFeld(Feld(erster, {{3, 100}}));
        e.felder.emplace_back(Feldsatz(Feld(zweiter, {{1, 20}, {3, 80}}))); // 20 % CO2
        const CLaufErgebnis r = Lauf(e);
        const std::vector<std::string> berichtR = LaufberichtText(r);
        ASSERT_EQ(r.feldreihen.size(), 2u) << erster;
        const auto zeile = std::find_if(berichtR.begin(), berichtR.end(),
                                        [](const std::string& z) { return z.find("SAUERGAS %") != std::string::npos; });
        ASSERT_NE(zeile, berichtR.end());
        // The two fields' lines: sour gas 0.0 and 20.0, in list order.
        EXPECT_EQ(zeile[1].substr(zeile[1].size() - 5), "  0.0") << zeile[1];
        EXPECT_EQ(zeile[2].substr(zeile[2].size() - 5), " 20.0") << zeile[2];
        EXPECT_TRUE(KeinNan(berichtR));
    }
}
