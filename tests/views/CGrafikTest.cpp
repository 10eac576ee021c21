#include "views/CGrafik.h"
#include "Testdaten.h"
#include "doc/CKalvoDoc.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include "platform/Datei.h"
#include "summary/Profil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

struct CChart {
    CAufgezeichneteMeldungen meldungen;
    CKalvoDoc doc{meldungen};
    CGrafik grafik{doc};

    // Time chart of the given years with Y and Y1 from functions of the index.
    template <class FY, class FY1>
    void Zeit(int von, int bis, FY y, FY1 y1)
    {
        doc.m_iProjektstart = von;
        doc.m_iAnzahl = bis - von + 1;
        for (int i = 0; i < doc.m_iAnzahl; ++i) {
            doc.X[i] = von + i;
            doc.Y[i] = static_cast<float>(y(i));
            doc.Y1[i] = static_cast<float>(y1(i));
        }
        grafik.OnGraf();
    }

    std::vector<std::string> Zeichnen()
    {
        CAufzeichnungsDC dc;
        grafik.NeueZeichnung();
        grafik.Diagramm(dc, meldungen);
        return dc.m_saAufrufe;
    }
};

std::vector<std::string> Mit(const std::vector<std::string>& aufrufe, const std::string& anfang)
{
    std::vector<std::string> r;
    for (const auto& a : aufrufe)
        if (a.rfind(anfang, 0) == 0)
            r.push_back(a);
    return r;
}

} // namespace

TEST(Achsen, DeltaGivesRoundSteps)
{
    const std::pair<double, double> faelle[] = {
        {0.005, 0.01},
        {0.01, 0.002},
        {0.05, 0.01},
        {0.3, 0.05},
        {1, 0.2},
        {5, 1},
        {9.9, 1},
        {10, 2},
        {28, 5},
        {37, 5},
        {100, 20},
        {123, 20},
        {250, 50},
        {399, 50},
        {400, 100},
        {1000, 200},
        // each threshold of the tenth of the range (4, 2, 1, 0.5, 0.2 times a power of ten) and just below it
        {40, 10},
        {39.9, 5},
        {20, 5},
        {19.99, 2},
        {2, 0.5},
        {1.99, 0.2},
    };
    for (auto [bereich, schritt] : faelle)
        EXPECT_DOUBLE_EQ(CGrafik::delta(bereich), schritt) << bereich;
}

TEST(Achsen, StartIsTheMultipleAtOrBelowTheMinimum)
{
    EXPECT_EQ(CGrafik::start(0, 5), 0);
    EXPECT_EQ(CGrafik::start(7, 5), 5);
    EXPECT_EQ(CGrafik::start(10, 5), 10);
    EXPECT_EQ(CGrafik::start(-7, 5), -10);
    EXPECT_EQ(CGrafik::start(-10, 5), -10);
    EXPECT_DOUBLE_EQ(CGrafik::start(0.5, 0.2), 0.4);
    EXPECT_EQ(CGrafik::start(2002, 5), 2000);
    EXPECT_EQ(Format("%.5f", CGrafik::start(0.000003, 1)), "-0.99999");
    EXPECT_EQ(CGrafik::start(1234567.5, 1), 1234567.0);
}

TEST(Achsen, TimeChartOf29YearsWithoutAndWithSalesProfile)
{
    CChart c;
    c.Zeit(
        2002, 2030, [](int i) { return i == 0   ? 137.2
                                       : i == 5 ? 1820.0
                                                : 500.0; }, [](int) { return 0.0; });
    const CGrafik& g = c.grafik;
    EXPECT_EQ(g.xmin, 2002);
    EXPECT_EQ(g.xmax, 2030);
    EXPECT_EQ(g.deltax, 1);
    EXPECT_EQ(g.ymin, 0);
    EXPECT_EQ(g.ymax, 2000);
    EXPECT_EQ(g.deltay, 200);
    EXPECT_EQ(g.m_y1, 10);
    EXPECT_EQ(g.y1min, 0);
    EXPECT_DOUBLE_EQ(g.deltay1, 0.2);
    EXPECT_EQ(g.m_y2, 5);
    EXPECT_DOUBLE_EQ(g.y1max, 2);

    CChart s;
    s.Zeit(
        2002, 2030, [](int i) { return i == 0   ? 137.2
                                       : i == 5 ? 1820.0
                                                : 500.0; },
        [](int i) { return i == 0   ? 900.0
                           : i == 3 ? 2100.0
                                    : 1000.0; });
    EXPECT_EQ(s.grafik.deltay1, 200);
    EXPECT_EQ(s.grafik.y1min, 800);
    EXPECT_EQ(s.grafik.m_y2, 7);
    EXPECT_EQ(s.grafik.y1max, 2800);
}

TEST(Achsen, ReservesChartAndEqualIntervalsAndASingleYear)
{
    CChart r;
    r.doc.m_bFeldesreserven = 1;
    r.doc.m_iAnzahl = 12;
    for (int i = 0; i < 12; ++i) {
        r.doc.X[i] = i;
        r.doc.Y[i] = i == 3 ? 3.5f : i == 7 ? 742.0f : 100.0f;
    }
    r.grafik.OnGraf();
    EXPECT_EQ(r.grafik.ymin, 0);
    EXPECT_EQ(r.grafik.ymax, 800);
    EXPECT_EQ(r.grafik.deltay, 100);
    EXPECT_EQ(r.grafik.xmin, 0);
    EXPECT_EQ(r.grafik.xmax, 11);
    EXPECT_EQ(r.grafik.deltax, 1);
    EXPECT_EQ(r.grafik.m_iBreite, 1300);
    EXPECT_EQ(r.grafik.m_iHoehe, 950);

    CChart v;
    v.Zeit(
        2002, 2010, [](int i) { return i * 50.0; }, [](int) { return 0.0; });
    EXPECT_EQ(v.grafik.deltay, 100);
    EXPECT_EQ(v.grafik.m_y1, 4);
    EXPECT_EQ(v.grafik.m_y2, 5);
    EXPECT_EQ(v.grafik.ymax, 500);

    CChart e;
    e.Zeit(
        2002, 2002, [](int) { return 50.0; }, [](int) { return 0.0; });
    EXPECT_DOUBLE_EQ(e.grafik.deltay, 0.01);
    EXPECT_DOUBLE_EQ(e.grafik.ystart, 50);
    EXPECT_DOUBLE_EQ(e.grafik.ymin, 49.99);
    EXPECT_EQ(e.grafik.m_y1, 2);
    EXPECT_EQ(e.grafik.m_y2, 5);
    EXPECT_DOUBLE_EQ(e.grafik.ymax, 50.05);
    // The single point stands in the middle, no division by zero.
    EXPECT_EQ(e.grafik.m_ptIst[0].x, 650);
    const auto balken = Mit(e.Zeichnen(), "Rectangle");
    ASSERT_EQ(balken.size(), 2u);
    EXPECT_EQ(balken[1].substr(0, 18), "Rectangle 488 -750");

    CChart spaet; // data from 2005 on, project from 2002
    spaet.doc.m_iProjektstart = 2002;
    spaet.doc.m_iAnzahl = 3;
    for (int i = 0; i < 3; ++i) {
        spaet.doc.X[i] = 2005 + i;
        spaet.doc.Y[i] = 10;
    }
    spaet.grafik.OnGraf();
    EXPECT_EQ(spaet.grafik.xmin, 2002);
}

TEST(Diagramm, PlotSizesFollowPrintingPaperAndZoom)
{
    CChart c;
    c.Zeit(
        2002, 2030, [](int i) { return i * 10.0; }, [](int) { return 0.0; });
    CGrafik& g = c.grafik;
    EXPECT_EQ(g.m_iBreite, 1300);
    EXPECT_EQ(g.m_iHoehe, 750);
    EXPECT_EQ(g.m_ptIst[0].x, 0);
    EXPECT_EQ(g.m_ptIst[28].x, 1300);
    g.m_bGrafiklupe = 1;
    g.transform();
    EXPECT_EQ(g.m_iBreite, 1950);
    EXPECT_EQ(g.m_iHoehe, 1125);
    g.m_bDrucken = 1;
    g.transform();
    EXPECT_EQ(g.m_iBreite, 1300);
    EXPECT_EQ(g.m_iHoehe, 2100);
    g.m_bHochformat = 0;
    g.transform();
    EXPECT_EQ(g.m_iBreite, 2200);
    EXPECT_EQ(g.m_iHoehe, 1300);

    CChart r;
    r.doc.m_bFeldesreserven = 1;
    r.doc.m_iAnzahl = 27;
    for (int i = 0; i < 27; ++i) {
        r.doc.X[i] = i;
        r.doc.Y[i] = 10.0f * i;
    }
    r.grafik.OnGraf();
    EXPECT_EQ(r.grafik.m_iHoehe, 1200);
    EXPECT_EQ(Mit(r.Zeichnen(), "SetWindowOrg"), std::vector<std::string>{"SetWindowOrg -600 150"});
}

TEST(Diagramm, BlockBarsOfThreeYears)
{
    CChart c;
    c.Zeit(
        2002, 2004, [](int) { return 100.0; }, [](int) { return 0.0; });
    c.doc.m_bBlockdiagramm = 1;
    const auto balken = Mit(c.Zeichnen(), "Rectangle");
    ASSERT_EQ(balken.size(), 4u);
    EXPECT_EQ(balken[0], "Rectangle 0 0 1300 -750"); // frame
    // x extents of the bars: half bars at the frame, gaps of 9 between.
    std::vector<std::pair<int, int>> x;
    for (size_t i = 1; i < balken.size(); ++i) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        ASSERT_EQ(std::sscanf(balken[i].c_str(), "Rectangle %d %d %d %d", &x1, &y1, &x2, &y2), 4);
        x.emplace_back(x1, x2);
    }
    EXPECT_EQ(x, (std::vector<std::pair<int, int>>{{0, 320}, {330, 970}, {980, 1300}}));
}

TEST(Diagramm, YearLabelsAreThinnedOutWithManyYears)
{
    const auto jahre = [](int anzahl) {
        CChart c;
        c.Zeit(
            2002, 2002 + anzahl - 1, [](int i) { return i + 1.0; }, [](int) { return 0.0; });
        std::vector<std::string> r;
        for (const auto& t : Mit(c.Zeichnen(), "TextOut"))
            if (t.find(" -780 ") != std::string::npos)
                r.push_back(t.substr(t.rfind(' ') + 1));
        return r;
    };
    EXPECT_EQ(jahre(8).size(), 8u);
    const auto fuenfzehn = jahre(15);
    EXPECT_EQ(fuenfzehn.size(), 8u);
    EXPECT_EQ(fuenfzehn[0], "2002");
    EXPECT_EQ(fuenfzehn[1], "2004");
    const auto neunundzwanzig = jahre(29);
    ASSERT_EQ(neunundzwanzig.size(), 10u);
    EXPECT_EQ(neunundzwanzig[1], "2005");
    EXPECT_EQ(neunundzwanzig[2], "2008");
}

TEST(Diagramm, LabelFormatsSwitchToExponentsForLargeValues)
{
    CChart c;
    c.Zeit(
        2002, 2010, [](int i) { return 2e6 * (i + 1); }, [](int i) { return -2e5 * i; });
    const auto texte = Mit(c.Zeichnen(), "TextOut -130 ");
    ASSERT_FALSE(texte.empty());
    EXPECT_NE(texte.back().find("e+07"), std::string::npos);
    const auto rechts = Mit(c.Zeichnen(), "TextOut 1490 ");
    ASSERT_FALSE(rechts.empty());
    EXPECT_NE(rechts.front().find("e+06"), std::string::npos);
    EXPECT_EQ(rechts.front().substr(rechts.front().rfind(' ') + 1), "-1.6e+06");
}

TEST(Diagramm, ReservesChartNamesFieldsAndNeedsTwo)
{
    CChart c;
    c.doc.m_saFelder = {Feldsatz(MethanFeld(std::string(99, 'L'), 2003, 1000)), Feldsatz(MethanFeld("B", 2003, 500))};
    c.doc.m_iProjektende = 2010;
    c.doc.m_bFeldesreserven = 1;
    c.doc.Berechnen();
    c.grafik.OnGraf();
    const auto aufrufe = c.Zeichnen();
    EXPECT_EQ(Mit(aufrufe, "TextOut -30 ").size(), 2u);
    // the reserves line carries the name cut to 18 characters
    EXPECT_EQ(Mit(aufrufe, "TextOut -30 20 ").front(), "TextOut -30 20 " + std::string(18, 'L'));
    EXPECT_TRUE(c.meldungen.m_saTexte.empty());

    CChart eins;
    eins.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2003))};
    eins.doc.m_iProjektende = 2010;
    eins.doc.m_bFeldesreserven = 1;
    eins.doc.Berechnen();
    eins.grafik.OnGraf();
    CAufzeichnungsDC dc;
    eins.grafik.NeueZeichnung();
    eins.grafik.Diagramm(dc, eins.meldungen);
    eins.grafik.Diagramm(dc, eins.meldungen); // the repaint the message causes
    EXPECT_EQ(eins.meldungen.m_saTexte, std::vector<std::string>{"Das Diagramm benötigt mindestens 2 Felder"});
}

TEST(Diagramm, DrawingRestoresPenAndFontAndWritesTheDocumentLine)
{
    CChart c;
    c.doc.SetTitle("Beispiel.kvo");
    c.Zeit(
        2002, 2030, [](int i) { return i * 10.0; }, [](int) { return 0.0; });
    const auto aufrufe = c.Zeichnen();
    // Right-aligned at x = 100 the line would lose "Dokument" off the drawing's
    // left edge (x = -400): it starts there instead, whole.
    ASSERT_EQ(Mit(aufrufe, "TextOut -380 -950 ").size(), 1u);
    EXPECT_EQ(Mit(aufrufe, "TextOut -380 -950 ").front(), "TextOut -380 -950 Dokument Beispiel.kvo");
    EXPECT_EQ(aufrufe[aufrufe.size() - 2], "Schrift 120 400");
    EXPECT_EQ(aufrufe.back(), "Stift durchgezogen 1 0,0,0");
}

namespace {

// Three years, 2002–2004: rest fields 100 each, field Nord 200, 100, 0 and
// field Süd 0, 50, 100, so Ist is 300, 250, 200; Soll 280, 280, 150 falls
// short of Ist only in 2003.
void DreiJahreZweiFelder(CChart& c)
{
    CKalvoDoc& d = c.doc;
    d.m_iProjektstart = 2002;
    d.m_iProjektende = 2004;
    const float nord[] = {200, 100, 0}, sued[] = {0, 50, 100}, soll[] = {280, 280, 150};
    d.m_Feldreihen.resize(2);
    d.m_Feldreihen[0].name = "Nord";
    d.m_Feldreihen[1].name = "Süd";
    for (int i = 0; i < 3; ++i) {
        d.m_fRestProduktion[i] = 100;
        d.m_Feldreihen[0].produktion[i] = nord[i];
        d.m_Feldreihen[1].produktion[i] = sued[i];
        d.m_fProduktionFelder[i] = nord[i] + sued[i];
        d.m_fSollProduktion[i] = soll[i];
        d.m_Zusammenfassung.jahre.push_back(Zusammenfassungsjahr(2002 + i, 100, 0, nord[i] + sued[i], 0, soll[i], 0));
    }
    c.Zeit(
        2002, 2004, [&](int i) { return 100.0 + nord[i] + sued[i]; }, [&](int i) { return double(soll[i]); });
}

} // namespace

TEST(Diagramm, ShortfallBandsAndStackedFieldsEndingAtTheIstBar)
{
    CChart c;
    DreiJahreZweiFelder(c);
    c.doc.m_bDeckung = true;
    c.doc.m_bFelderEinzeln = true;
    c.doc.m_bBlockdiagramm = 1;
    c.grafik.OnGraf();
    const auto aufrufe = c.Zeichnen();
    const auto rechtecke = Mit(aufrufe, "Rectangle");
    // Frame, the band over 2003 (half a year's spacing either side), the frame again,
    // 2 + 3 + 2 stacked pieces (a share of 0 draws nothing), 3 outline bars,
    // 3 legend swatches (rest fields, Nord, Süd).
    ASSERT_EQ(rechtecke.size(), 1u + 1 + 1 + 7 + 3 + 3);
    EXPECT_EQ(rechtecke[1], "Rectangle 325 0 975 -750");
    EXPECT_EQ(rechtecke[2], "Rectangle 0 0 1300 -750");
    const auto oben = [](const std::string& r) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::sscanf(r.c_str(), "Rectangle %d %d %d %d", &x1, &y1, &x2, &y2);
        return y2;
    };
    // The top piece of each stack ends where the outline of the Ist bar ends.
    EXPECT_EQ(oben(rechtecke[4]), oben(rechtecke[10]));
    EXPECT_EQ(oben(rechtecke[7]), oben(rechtecke[11]));
    EXPECT_EQ(oben(rechtecke[9]), oben(rechtecke[12]));
    EXPECT_EQ(std::count(aufrufe.begin(), aufrufe.end(), "Pinsel leer 255,0,0"), 1);
    for (const std::string name : {"Restfelder", "Nord", "Süd"}) {
        const auto texte = Mit(aufrufe, "TextOut ");
        EXPECT_TRUE(std::any_of(texte.begin(), texte.end(), [&](const auto& t) { return t.ends_with(" " + name); }))
            << name;
    }
    // The axis stands on 0; the legend's one row needs a little more room below the plot.
    EXPECT_EQ(c.grafik.ymin, 0);
    EXPECT_EQ(c.grafik.Zeichenflaeche().hoehe, 750 + 600 + (260 + 45 + 10 - 300));

    // Without the options the chart is the one it always was: frame and three filled bars.
    c.doc.m_bDeckung = c.doc.m_bFelderEinzeln = false;
    c.grafik.OnGraf();
    EXPECT_EQ(Mit(c.Zeichnen(), "Rectangle").size(), 4u);
    EXPECT_EQ(c.grafik.Zeichenflaeche().hoehe, 750 + 600);
}

TEST(Diagramm, OneAxisScalesSollLikeIst)
{
    CChart c;
    c.Zeit(
        2002, 2004, [](int i) { return 100.0 + 10 * i; }, [](int i) { return 1000.0 + 1000 * i; });
    EXPECT_NE(c.grafik.y1max, c.grafik.ymax);
    c.doc.m_bGemeinsameAchse = true;
    c.grafik.OnGraf();
    EXPECT_EQ(c.grafik.ymin, 0);
    EXPECT_EQ(c.grafik.ymax, 3000);
    EXPECT_EQ(c.grafik.y1min, c.grafik.ymin);
    EXPECT_EQ(c.grafik.y1max, c.grafik.ymax);
    EXPECT_EQ(c.grafik.deltay1, c.grafik.deltay);
    // Heights on the one scale of 0 … 3000 over 750 units: 100 at −725, 1000 at −500.
    EXPECT_EQ(c.grafik.m_ptIst[0].y, -725);
    EXPECT_EQ(c.grafik.m_ptSoll[0].y, -500);

    // Shortfall bands compare Ist with Soll: coverage alone puts both on one axis.
    c.doc.m_bGemeinsameAchse = false;
    c.doc.m_bDeckung = true;
    c.grafik.OnGraf();
    EXPECT_EQ(c.grafik.y1max, c.grafik.ymax);
    EXPECT_EQ(c.grafik.m_ptSoll[0].y, -500);
    c.doc.m_bDeckung = false;
    c.grafik.OnGraf();
    EXPECT_NE(c.grafik.y1max, c.grafik.ymax);
}

TEST(Diagramm, VariantIstIsADashedLineOverTheCommonYears)
{
    // Variant B: rest fields of 500 from 2003 to 2005; A's years are 2002–2004.
    CStilleMeldungen still;
    CKalvoDoc b(still);
    b.m_iProjektstart = 2003;
    b.m_iProjektende = 2005;
    for (int jahr = 2003; jahr <= 2005; ++jahr)
        b.m_saRestfelder.push_back(ProfilzeileImport(jahr, 500, 5000));
    const std::string pfad = (std::filesystem::temp_directory_path() / "kalvo_grafik_variante.kvo").string();
    ASSERT_TRUE(DateiAtomarSchreiben(pfad, b.Speichern()));

    CChart c;
    DreiJahreZweiFelder(c);
    ASSERT_TRUE(c.doc.VarianteLaden(pfad));
    c.doc.VergleichAktualisieren();
    c.grafik.OnGraf();
    EXPECT_EQ(c.grafik.ymin, 200);
    EXPECT_EQ(c.grafik.ymax, 550); // B's 500 joins the Ist axis
    const auto aufrufe = c.Zeichnen();
    const auto gestrichelt = std::find(aufrufe.begin(), aufrufe.end(), "Stift gestrichelt 3 0,128,0");
    ASSERT_NE(gestrichelt, aufrufe.end());
    // 500 on 200 … 550 over 750 units: 750 · 300 / 350 − 750 = −107.1.
    EXPECT_EQ(*(gestrichelt + 1), "Polyline 2 650,-107 1300,-107");
    EXPECT_EQ(*(gestrichelt + 2), "TextOut 650 -960 Ist Variante B");
    std::filesystem::remove(pfad);
}

TEST(Diagramm, FieldLegendOfManyFieldsCountsTheRest)
{
    CChart c;
    DreiJahreZweiFelder(c);
    c.doc.m_bFelderEinzeln = true;
    c.doc.m_Feldreihen.resize(20); // rest fields + 20 fields on 15 places
    const auto eintraege = c.grafik.Feldlegende();
    ASSERT_EQ(eintraege.size(), 15u);
    EXPECT_EQ(eintraege.back(), "... und 7 weitere");
    // Swatches (40 units wide) for the 14 named entries only.
    int muster = 0;
    for (const auto& r : Mit(c.Zeichnen(), "Rectangle")) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::sscanf(r.c_str(), "Rectangle %d %d %d %d", &x1, &y1, &x2, &y2);
        muster += x2 - x1 == 40 && y1 - y2 == 30;
    }
    EXPECT_EQ(muster, 14);
}

// The document's name below the plot: a short one ends at x = 100 as
// always; a long one from the left edge, whole; one wider than the drawing
// keeps its start and its end and loses its middle.
TEST(Diagramm, LongDocumentNameStaysWholeOrLosesItsMiddle)
{
    CChart c;
    c.Zeit(
        2002, 2004, [](int i) { return 100.0 + 10 * i; }, [](int i) { return 1000.0 + 1000 * i; });
    const auto dokument = [&c] {
        for (const auto& t : Mit(c.Zeichnen(), "TextOut "))
            if (t.find(" Dokument ") != std::string::npos)
                return t;
        return std::string();
    };
    c.doc.SetTitle("Plan.kvo");
    EXPECT_EQ(dokument(), "TextOut 100 -950 Dokument Plan.kvo");

    const std::string lang = "Portfolio_Nord_Variante_mit_Bohrplan_2027_und_Kompression.kvo";
    c.doc.SetTitle(lang);
    EXPECT_EQ(dokument(), "TextOut -380 -950 Dokument " + lang);

    const std::string riesig = "Anfang_" + std::string(300, 'x') + "_Ende.kvo";
    c.doc.SetTitle(riesig);
    const std::string t = dokument();
    EXPECT_EQ(t.rfind("TextOut -380 -950 Dokument Anfang_", 0), 0u) << t;
    EXPECT_TRUE(t.ends_with("_Ende.kvo")) << t;
    EXPECT_NE(t.find("…"), std::string::npos);
    EXPECT_LT(t.size(), riesig.size());
}

// A demand-limited run: what could have been delivered (rest fields + the
// fields' capacity) as a thin outline above each produced bar, inside the
// axis, with its legend entry; none in rate mode.
TEST(Diagramm, SpareCapacityIsAThinOutlineAboveTheProducedBars)
{
    CChart c;
    DreiJahreZweiFelder(c); // Ist 300, 250, 200 on rest fields of 100
    c.doc.m_bBlockdiagramm = 1;
    c.doc.m_Bedarfsjahre = {{2002, 180, 200, 180, 0.9}, {2003, 180, 450, 150, 1}, {2004, 50, 100, 100, 1}};
    c.grafik.OnGraf();
    EXPECT_EQ(c.grafik.ymax, 550); // 100 + 450 joins the axis
    const auto aufrufe = c.Zeichnen();
    const auto duenn = std::find(aufrufe.begin(), aufrufe.end(), "Stift durchgezogen 1 90,90,90");
    ASSERT_NE(duenn, aufrufe.end());
    EXPECT_EQ(Mit(std::vector<std::string>(duenn, aufrufe.end()), "Rectangle").size(), 3u);
    EXPECT_NE(std::find(duenn, aufrufe.end(), "TextOut 650 -960 lieferbar"), aufrufe.end());

    // Production to the demand: Ist and Soll on the one axis.
    c.doc.m_bBedarf = true;
    c.grafik.OnGraf();
    EXPECT_EQ(c.grafik.y1min, c.grafik.ymin);
    EXPECT_EQ(c.grafik.y1max, c.grafik.ymax);
    c.doc.m_bBedarf = false;

    c.doc.m_iGrafikRate = 1;
    c.grafik.OnGraf();
    const auto rate = c.Zeichnen();
    EXPECT_EQ(std::find(rate.begin(), rate.end(), "Stift durchgezogen 1 90,90,90"), rate.end());
}

// The range study's charts: the tornado names each row left of its bar and
// leaves pen and font as it found them; the fan stays inside the plot.
TEST(Diagramm, TornadoAndFanOfARangeStudy)
{
    CChart c;
    c.Zeit(
        2002, 2011, [](int i) { return 100.0 + i; }, [](int) { return 100.0; });
    CSensitivitaetsErgebnis s{
        2002, 2011, false, {{"A", EGroesse::OGIP, 800, 1000, 1300}, {"B", EGroesse::CWert, 950, 1000, 1020}}};
    c.doc.m_Sensitivitaet = s;
    c.doc.m_bTornado = true;
    ASSERT_TRUE(c.grafik.Tornado());
    auto aufrufe = c.Zeichnen();
    EXPECT_EQ(Mit(aufrufe, "TextOut -15 ").size(), 2u);
    EXPECT_NE(std::find_if(aufrufe.begin(), aufrufe.end(), [](const std::string& a) { return a.ends_with(" A OGIP"); }),
              aufrufe.end());
    EXPECT_EQ(aufrufe[aufrufe.size() - 2], "Schrift 120 400");
    EXPECT_EQ(aufrufe.back(), "Stift durchgezogen 1 0,0,0");
    EXPECT_EQ(c.grafik.Zeichenflaeche().breite, c.grafik.m_iBreite + 1200);

    c.doc.m_bTornado = false;
    CUnsicherheit u;
    u.laeufe = 100;
    for (int j = 2002; j <= 2011; ++j)
        u.jahre.push_back({j, 50.0, 100.0, 400.0, 100.0});
    c.doc.m_Unsicherheit = u;
    c.grafik.OnGraf();
    EXPECT_LE(c.grafik.ymin, 50.0);
    EXPECT_GE(c.grafik.ymax, 400.0);
    aufrufe = c.Zeichnen();
    EXPECT_FALSE(Mit(aufrufe, "TextOut ").empty());
    EXPECT_NE(
        std::find_if(aufrufe.begin(), aufrufe.end(),
                     [](const std::string& a) { return a.ends_with("P50 (100 Läufe), P90 und P10 gestrichelt"); }),
        aufrufe.end());
}

// Every tornado bar runs from the base to its result, on whichever side that
// lies: a row per case of Tief and Hoch around the base (1000).
TEST(Diagramm, TornadoBarsRunFromTheBaseToEitherSide)
{
    struct CFall {
        double tief, hoch;
    };
    const CFall faelle[] = {
        {800, 1300}, // the usual: less at Tief, more at Hoch
        {1200, 700}, // wellhead pressure: more at Tief, less at Hoch
        {1000, 600}, // a start delay: Tief is the base, Hoch less
        {900, 950},  // both less (the shorter drawn over the longer)
        {1100, 1050},
    };
    for (const CFall& f : faelle) {
        CChart c;
        c.Zeit(
            2002, 2011, [](int i) { return 100.0 + i; }, [](int) { return 100.0; });
        c.doc.m_Sensitivitaet =
            CSensitivitaetsErgebnis{2002, 2011, false, {{"A", EGroesse::Kopfdruck, f.tief, 1000, f.hoch}}};
        c.doc.m_bTornado = true;
        const std::vector<std::string> rechtecke = Mit(c.Zeichnen(), "Rectangle");
        ASSERT_EQ(rechtecke.size(), 3u) << f.tief; // the plot's frame, then the two bars
        std::vector<int> breiten;
        for (const std::string& b : {rechtecke[1], rechtecke[2]}) {
            int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            ASSERT_EQ(std::sscanf(b.c_str(), "Rectangle %d %d %d %d", &x1, &y1, &x2, &y2), 4);
            breiten.push_back(x2 - x1);
        }
        // The longer bar first; a bar is empty only where its result is the base.
        const double tiefWeg = std::fabs(f.tief - 1000), hochWeg = std::fabs(f.hoch - 1000);
        EXPECT_GE(breiten[0], breiten[1]) << f.tief << " " << f.hoch;
        EXPECT_GT(breiten[0], 0);
        EXPECT_EQ(breiten[1] > 0, std::min(tiefWeg, hochWeg) > 0) << f.tief << " " << f.hoch;
    }
}

// The p/z chart of the chosen field: a square per measurement, the fit's
// and the document's material balance from pi/zi down to their OGIP on the
// axis; without a fit only the document's line; another field's name or the
// option off gives the time chart.
TEST(Diagramm, PzChartOfTheChosenFieldWithItsFitAndTheDocumentsLine)
{
    struct CFall {
        bool gelungen;
        double ogipFit, wasserFit, ogipDokument;
        size_t linien;
        const char* fitEnde; // the last point of the fit's line
    };
    const CFall faelle[] = {
        {true, 12000, 0, 10000, 2, "1300,-750"},
        {true, 9000, 20, 12000, 2, "975,-750"},
        {false, 0, 0, 12000, 1, ""},
    };
    for (const CFall& f : faelle) {
        CChart c;
        c.Zeit(
            2002, 2011, [](int) { return 100.0; }, [](int) { return 100.0; });
        CDruckanpassung a;
        a.feld = "Heidemoor";
        a.pzi = 300;
        a.ogip = f.ogipFit;
        a.wasserinvasion = f.wasserFit;
        a.ogipDokument = f.ogipDokument;
        a.gemessen = {{2000, 250}, {4000, 200}};
        if (!f.gelungen)
            a.grund = "mindestens zwei Messungen nötig";
        c.doc.m_Druckanpassungen = {a};
        c.doc.m_sPzFeld = "Heidemoor";
        EXPECT_EQ(c.grafik.Pz(), nullptr); // the option is off
        c.doc.m_bPzDiagramm = true;
        ASSERT_NE(c.grafik.Pz(), nullptr);
        const std::vector<std::string> aufrufe = c.Zeichnen();
        const std::vector<std::string> linien = Mit(aufrufe, "Polyline 101 0,0 ");
        ASSERT_EQ(linien.size(), f.linien);
        if (f.gelungen) {
            EXPECT_TRUE(linien.front().ends_with(std::string(" ") + f.fitEnde)) << linien.front();
        }
        // Squares at 2000 and 4000 Mio m³ (x 217, 433), p/z 250 and 200 (y -125, -250).
        EXPECT_EQ(Mit(aufrufe, "Rectangle 202 -110 232 -140").size(), 1u);
        EXPECT_EQ(Mit(aufrufe, "Rectangle 418 -235 448 -265").size(), 1u);
        c.doc.m_sPzFeld = "Kleinfeld";
        EXPECT_EQ(c.grafik.Pz(), nullptr);
    }
}
