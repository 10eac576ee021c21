#include "views/CGrafik.h"
#include "Testdaten.h"
#include "doc/CKalvoDoc.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

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
    EXPECT_EQ(Mit(aufrufe, "TextOut 100 -950 ").front(), "TextOut 100 -950 Dokument Beispiel.kvo");
    EXPECT_EQ(aufrufe[aufrufe.size() - 2], "Schrift 120 400");
    EXPECT_EQ(aufrufe.back(), "Stift durchgezogen 1 0,0,0");
}
