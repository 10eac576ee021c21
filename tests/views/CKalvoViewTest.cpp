#include "views/CKalvoView.h"
#include "bericht/Laufbericht.h"
#include "bericht/Planungsbericht.h"
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

namespace {

// A4 less small margins, in 0.1 mm.
constexpr int kKurz = 2029, kLang = 2899;

struct CTestbericht {
    CStilleMeldungen m;
    CKalvoDoc doc{m};
    CKalvoView view{doc};
    explicit CTestbericht(int zeilen, size_t breite = 0)
    {
        doc.SetTitle("Beispiel.kvo");
        for (int i = 0; i < zeilen; ++i) {
            std::string zeile = "Zeile " + std::to_string(i);
            zeile.resize(std::max(zeile.size(), breite), '-');
            doc.m_saBericht.push_back(zeile);
        }
    }
    int Seiten(bool hochformat)
    {
        CAufzeichnungsDC dc;
        return hochformat ? view.Seitenzahl(dc, kKurz, kLang) : view.Seitenzahl(dc, kLang, kKurz);
    }
    std::vector<std::string> Seite(int seite, bool hochformat)
    {
        CAufzeichnungsDC dc;
        view.OnPrint(dc, hochformat ? kKurz : kLang, hochformat ? kLang : kKurz, seite);
        std::vector<std::string> texte;
        for (const auto& a : dc.m_saAufrufe)
            if (a.rfind("TextOut", 0) == 0)
                texte.push_back(a);
        return texte;
    }
};

} // namespace

TEST(Berichtsdruck, UprightPagesHold57LinesBelowTheHeader)
{
    CTestbericht b57(57);
    EXPECT_EQ(b57.Seiten(true), 2);
    const auto seite1 = b57.Seite(1, true);
    ASSERT_EQ(seite1.size(), 58u);
    // Font 4.4 mm; "0" is 26 units wide in the recording model (0.6 of 44).
    EXPECT_EQ(seite1[0], "TextOut 26 -44  Dokument:Beispiel.kvo");
    EXPECT_EQ(seite1[1], "TextOut 78 -132 Zeile 0");
    EXPECT_EQ(seite1[57], "TextOut 78 -2596 Zeile 56");
    EXPECT_EQ(b57.Seite(2, true).size(), 1u); // the page count is lines / 57 + 1
    EXPECT_EQ(b57.view.m_iZeilenProSeite, 57);
    EXPECT_EQ(CTestbericht(114).Seiten(true), 3);

    CTestbericht leer(0);
    EXPECT_EQ(leer.Seiten(true), 1);
    EXPECT_EQ(leer.Seite(1, true).size(), 1u);
}

TEST(Berichtsdruck, AcrossThePageEveryLineFitsTheHeight)
{
    // 202.9 mm hold 46 text lines of 4.4 mm: header, empty line, 43 report
    // lines whose last foot stays on the page (50 would run 7 lines off it).
    CTestbericht quer(120);
    EXPECT_EQ(quer.Seiten(false), 3);
    const auto seite1 = quer.Seite(1, false);
    EXPECT_EQ(quer.view.m_iZeilenProSeite, 43);
    ASSERT_EQ(seite1.size(), 44u);
    EXPECT_EQ(seite1[43], "TextOut 78 -1980 Zeile 42");
    EXPECT_GE(-1980 - 44, -kKurz);
    // Every line is printed once, in order, across the pages.
    std::vector<std::string> alle;
    for (int s = 1; s <= 3; ++s) {
        const auto seite = quer.Seite(s, false);
        for (size_t i = 1; i < seite.size(); ++i)
            alle.push_back(seite[i].substr(seite[i].find("Zeile")));
    }
    ASSERT_EQ(alle.size(), 120u);
    EXPECT_EQ(alle[43], "Zeile 43");
    EXPECT_EQ(alle[119], "Zeile 119");
}

TEST(Berichtsdruck, WideLinesShrinkTheFontUntilTheyFit)
{
    // 124 characters in 4.4 mm need 3 · 26 + 124 · 26 units: more than an
    // upright page's 2029. The font shrinks until indent and line fit.
    CTestbericht breit(80, 124);
    const auto seite1 = breit.Seite(1, true);
    ASSERT_GE(seite1.size(), 2u);
    CAufzeichnungsDC dc;
    const CDruckformat f = breit.view.Druckformat(dc, kKurz, kLang);
    EXPECT_LT(f.m_iSchrifthoehe, 44);
    const int cx = f.m_iSchrifthoehe * 6 / 10;
    EXPECT_LE(3 * cx + 124 * f.m_iSchrifthoehe * 6 / 10, kKurz);
    const int cxGroesser = (f.m_iSchrifthoehe + 1) * 6 / 10;
    EXPECT_GT(3 * cxGroesser + 124 * (f.m_iSchrifthoehe + 1) * 6 / 10, kKurz); // the largest that fits
    EXPECT_EQ(f.m_iZeilenProSeite, 57);
    // Across the page the same lines need less shrinking; short lines none.
    EXPECT_GT(breit.view.Druckformat(dc, kLang, kKurz).m_iSchrifthoehe, f.m_iSchrifthoehe);
    EXPECT_EQ(CTestbericht(80, 100).view.Druckformat(dc, kLang, kKurz).m_iSchrifthoehe, 44);
}

// A table that runs over a page break names its columns again on the next
// page: its heading lines come first.
TEST(Berichtsdruck, TableSplitAcrossPagesRepeatsItsHeading)
{
    CTestbericht b(0);
    CTabelle t;
    t.titel = {" "};
    t.kopf = {"  JAHR  PRODUKTION", "         Mio m*3", " "};
    t.spalten = {{"Jahr", "", ESpaltenart::Ganz, "  ", 4, 0}, {"Produktion", "Mio m³", ESpaltenart::Zahl, "  ", 0, 1}};
    for (int jahr = 2002; jahr < 2002 + 70; ++jahr)
        t.Zeile({{double(jahr), {}}, {1.0, {}}});
    CBericht bericht;
    bericht.Tabelle(t);
    bericht.Zeile(" ");
    bericht.Zeile("  Summe");
    b.doc.m_saBericht = BerichtText(bericht, &b.doc.m_Berichtskoepfe);
    // 76 lines: page 1 holds 57, page 2 the three heading lines and the other 19.
    EXPECT_EQ(b.Seiten(true), 2);
    const auto seite2 = b.Seite(2, true);
    ASSERT_EQ(seite2.size(), 1u + 3 + 19);
    EXPECT_EQ(seite2[1], "TextOut 78 -132   JAHR  PRODUKTION");
    EXPECT_EQ(seite2[3], "TextOut 78 -220  ");
    EXPECT_EQ(seite2[4], "TextOut 78 -264   2055  1.0");
    EXPECT_EQ(seite2.back(), "TextOut 78 -1056   Summe");
    // A page that begins after the table has ended repeats nothing.
    const auto seiten = b.view.Seiten(74);
    ASSERT_EQ(seiten.size(), 2u);
    EXPECT_TRUE(seiten[1].kopf.empty());
}

// A report for the file: the date in the header, "Seite n von m" below the
// lines on every page (two lines fewer per page), and the units and options
// after the report, on its last page. The footer takes its room from the
// page height, so a short page holds two lines fewer.
TEST(Berichtsdruck, ReportForTheFileHasDatePageNumbersAndUnits)
{
    CTestbericht b(100);
    b.doc.m_bAktenbericht = true;
    b.view.m_sDatum = "09.12.2026";
    const int seiten = b.Seiten(true);
    EXPECT_EQ(seiten, 2); // 100 + 10 lines at 57 a page
    for (int s = 1; s <= seiten; ++s) {
        const auto texte = b.Seite(s, true);
        EXPECT_EQ(texte.front(), "TextOut 26 -44  Dokument:Beispiel.kvo   gedruckt am 09.12.2026");
        EXPECT_EQ(texte.back(), "TextOut 26 -2684  Seite " + std::to_string(s) + " von 2");
    }
    const auto letzte = b.Seite(2, true);
    EXPECT_NE(std::find_if(letzte.begin(), letzte.end(),
                           [](const std::string& t) { return t.ends_with("EINHEITEN, BEZUGSZUSTAND UND OPTIONEN"); }),
              letzte.end());
    EXPECT_EQ(b.view.m_iZeilenProSeite, 57); // the footer fits below 57 lines on A4
}

// Every table names its columns again on a page it continues on, with its
// own heading: the sales gas table's field rows, the sensitivities and the
// Monte Carlo percentiles as much as the year tables.
TEST(Berichtsdruck, EveryTableRepeatsItsOwnHeadingOnThePagesItContinuesOn)
{
    CSensitivitaetsErgebnis s;
    s.erstesJahr = 2002;
    s.letztesJahr = 2030;
    for (int k = 0; k < 80; ++k)
        s.zeilen.push_back({"Feld" + std::to_string(k), EGroesse::OGIP, 1, 2, 3});
    CUnsicherheit u;
    u.laeufe = 10;
    for (int j = 0; j < 33; ++j)
        u.jahre.push_back({2002 + j, 1, 2, 3, 4});
    CLaufErgebnis r;
    r.energieTabelle = true;
    r.reserven = true; // the fields' part of the sales gas table alone
    for (int k = 0; k < 80; ++k) {
        CVerkaufsgas v;
        v.brauchbar = v.hatVerkaufsgas = true;
        v.hs = 11.0;
        r.energiefelder.push_back({"Feld" + std::to_string(k), v});
    }
    struct CFall {
        const char* name;
        CBericht bericht;
        std::string kopf;
    };
    std::vector<CFall> faelle(3);
    faelle[0] = {"Sensitivitaeten", {}, "  FELD               GROESSE                  TIEF       BASIS        HOCH"};
    SensitivitaetBericht(faelle[0].bericht, s);
    faelle[1] = {"Unsicherheit", {}, "  JAHR         P90         P50         P10       BASIS"};
    UnsicherheitBericht(faelle[1].bericht, u);
    faelle[2] = {"Verkaufsgas", Laufbericht(r), "  FELD                 HS KWH/M3  WOBBE KWH/M3  GASART  SAUERGAS %"};
    for (const CFall& f : faelle) {
        CTestbericht b(0);
        b.doc.m_saBericht = BerichtText(f.bericht, &b.doc.m_Berichtskoepfe);
        const std::vector<CDruckseite> seiten = b.view.Seiten(20);
        ASSERT_GE(seiten.size(), 2u) << f.name;
        for (size_t k = 1; k + 1 < seiten.size(); ++k) {
            ASSERT_FALSE(seiten[k].kopf.empty()) << f.name << " " << k;
            EXPECT_EQ(b.doc.m_saBericht[size_t(seiten[k].kopf.front())], f.kopf) << f.name << " " << k;
        }
    }
}
