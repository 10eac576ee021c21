#include "Testdaten.h"
#include "doc/CKalvoDoc.h"
#include "forecast/DruckTabellen.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <sstream>

#include <cmath>
#include <cstdio>

namespace {

struct CRechnung {
    CAufgezeichneteMeldungen meldungen;
    CKalvoDoc doc{meldungen};

    CRechnung(std::vector<std::string> felder, int ende, int detail = 1)
    {
        doc.m_saFelder = AusSatztexten(felder);
        doc.m_iProjektende = ende;
        doc.m_bDetailausgabe = detail;
        doc.Berechnen();
    }

    // Year lines of the detail report: the lines that start with " yyyy ".
    std::vector<std::string> Jahreszeilen() const
    {
        std::vector<std::string> z;
        for (const auto& l : doc.m_saBericht) {
            int jahr = 0;
            if (l.size() > 6 && l[0] == ' ' && std::sscanf(l.c_str(), " %4d ", &jahr) == 1 && jahr > 1900 &&
                l[5] == ' ')
                z.push_back(l);
        }
        return z;
    }

    bool EnthaeltNan() const
    {
        for (const auto& l : doc.m_saBericht)
            if (l.find("nan") != std::string::npos || l.find("inf") != std::string::npos)
                return true;
        return false;
    }
};

// The columns of a year line of the constant forecast.
struct CJahr {
    int jahr = 0;
    double kum = 0, pbs = 0, rA = 0, qE = 0, prod = 0, qS = 0, pa = 0, pwh = 0, stunden = 0;
    int bohrungen = 0;
};

CJahr Spalten(const std::string& zeile)
{
    // A string stream reads in the classic locale, whatever the process locale.
    CJahr j;
    std::istringstream(zeile) >> j.jahr >> j.kum >> j.pbs >> j.rA >> j.qE >> j.prod >> j.qS >> j.pa >> j.pwh >>
        j.stunden >> j.bohrungen;
    return j;
}

} // namespace

TEST(Prognose, HeaderAndClosingLinesOfTheDetailReport)
{
    CRechnung l({Feldsatz(FeldA())}, 2010);
    const auto& b = l.doc.m_saBericht;
    ASSERT_GT(b.size(), 62u);
    EXPECT_EQ(b[53], " ");
    EXPECT_EQ(b[54], "   DAUERLASTRATEN DES FELDES FeldA IN m*3/h");
    EXPECT_EQ(b[55], "   BEI EINER KUM.ANFANGSPRODUKTION VON     0 Mio m*3");
    EXPECT_EQ(b[56], "");
    EXPECT_EQ(
        b[59],
        "         Mio m*3    DRUCK      m*3/h    m*3/h   Mio m*3    m*3/h     Mio m*3     DRUCK    STUNDEN        ");
    EXPECT_EQ(b[60], "");
    EXPECT_EQ(l.Jahreszeilen().size(), 8u);
    EXPECT_EQ(b[b.size() - 3], "  Dauerlastraten fuer das Feld FeldA wurden berechnet");
    EXPECT_EQ(b[b.size() - 2], "");
    EXPECT_EQ(b[b.size() - 1], " ");
}

TEST(Prognose, RatesFallAsThePressureFallsAndSharesAddToTheSeries)
{
    CFeldwerte f = FeldA();
    f.m_fMaxRate = 1e7f; // no cap
    CRechnung l({Feldsatz(f)}, 2035);
    const auto zeilen = l.Jahreszeilen();
    ASSERT_EQ(zeilen.size(), 33u);
    double vorher = 1e30, kum = 0, summe = 0;
    for (size_t i = 0; i < zeilen.size(); ++i) {
        const CJahr j = Spalten(zeilen[i]);
        EXPECT_EQ(j.jahr, 2003 + static_cast<int>(i));
        EXPECT_LT(j.qE, vorher);
        EXPECT_LE(j.qE, j.rA);
        EXPECT_GT(j.kum, kum);
        EXPECT_NEAR(j.qS, j.qE / 2, 0.6);
        EXPECT_NEAR(l.doc.m_fRateFelder[i], j.qE / 2, 1.0);
        EXPECT_NEAR(l.doc.m_fProduktionFelder[i], j.prod / 2, 0.06);
        vorher = j.qE;
        kum = j.kum;
        summe += l.doc.m_fProduktionFelder[i];
    }
    EXPECT_LT(kum, 8000);
    EXPECT_NEAR(summe, kum / 2, 1.0);
}

TEST(Prognose, CappedRatesProduceTheCapForTheWholeStep)
{
    CFeldwerte f = FeldA();
    f.m_fMaxRate = 1000.0f; // 6 wells: 6000 m³/h, far below deliverability
    CRechnung l({Feldsatz(f)}, 2005);
    const CJahr j = Spalten(l.Jahreszeilen().at(0));
    EXPECT_EQ(j.rA, 6000);
    EXPECT_EQ(j.qE, 6000);
    EXPECT_EQ(Format("%.1f", j.prod), Format("%.1f", 8000.0 * 6000 / 1e6));
}

TEST(Prognose, FieldStartingLaterHasNoRateNoHoursButItsWellsBefore)
{
    CRechnung l({Feldsatz(MethanFeld("Frueh", 2003)), Feldsatz(MethanFeld("Spaet", 2006, 1000))}, 2010);
    const auto zeilen = l.Jahreszeilen();
    ASSERT_EQ(zeilen.size(), 16u);
    for (int i = 8; i < 11; ++i) {
        const CJahr j = Spalten(zeilen[i]);
        EXPECT_EQ(j.jahr, 2003 + i - 8);
        EXPECT_EQ(j.qE, 0);
        EXPECT_EQ(j.stunden, 0);
        EXPECT_EQ(j.kum, 0);
        EXPECT_EQ(j.bohrungen, 6);
    }
    EXPECT_GT(Spalten(zeilen[11]).qE, 0);
    EXPECT_EQ(Spalten(zeilen[11]).stunden, 8000);
}

TEST(Prognose, FieldStartingAfterTheProjectEndHasReserveZero)
{
    CRechnung l({Feldsatz(MethanFeld("A", 2003)), Feldsatz(MethanFeld("Nie", 2040))}, 2010, 0);
    l.doc.m_bFeldesreserven = 1;
    l.doc.Berechnen();
    ASSERT_EQ(l.doc.m_saBericht.size(), 7u);
    EXPECT_EQ(l.doc.m_saBericht[6], "   Nie                      0.0");
}

TEST(Prognose, StageRowsTakeEffectFromTheirYear)
{
    CFeldwerte f = FeldA();
    CStufen s{};
    s[0] = {2003, 7000, 30.0f, 9, 0.0f, 0.0f}; // the first production year: never applied
    s[1] = {2006, 0, 40.0f, 8, 0.0f, 0.0f};
    s[2] = {2008, 0, 0.0f, 0, 0.0f, 0.0f}; // nothing to change
    s[3] = {2008, 6000, 0.0f, 0, 0.02f, 25.0f};
    CRechnung l({Feldsatz(f, s)}, 2012);
    const auto& b = l.doc.m_saBericht;
    const auto zeilen = l.Jahreszeilen();
    EXPECT_EQ(Spalten(zeilen[2]).bohrungen, 6);
    EXPECT_EQ(Spalten(zeilen[3]).bohrungen, 8);
    EXPECT_EQ(Spalten(zeilen[3]).pwh, 40);
    EXPECT_EQ(Spalten(zeilen[5]).stunden, 6000);
    EXPECT_NEAR(Spalten(zeilen[5]).qS, Spalten(zeilen[5]).qE / 4, 0.6);

    const auto stelle = [&](const std::string& text) { return std::find(b.begin(), b.end(), text); };
    const auto ab2006 = stelle(" Ab 2006 Kopfdruck: 40 Bohrungen:8");
    ASSERT_NE(ab2006, b.end());
    EXPECT_EQ(ab2006[1].substr(0, 6), " 2006 ");
    const auto ab2008 = stelle(" Ab 2008");
    ASSERT_NE(ab2008, b.end());
    EXPECT_EQ(ab2008[1], " Ab 2008 Förderstunden:6000 C-Wert:0.020 Kons.Anteil: 25.0");
    EXPECT_EQ(ab2008[2].substr(0, 6), " 2008 ");
    EXPECT_EQ(stelle(" Ab 2003 Förderstunden:7000 Kopfdruck: 30 Bohrungen:9"), b.end());
}

TEST(Prognose, ShareZeroLeavesTheSeriesButShowsTheField)
{
    CFeldwerte f = FeldA();
    f.m_fKonsAnteil = 0.0f;
    CRechnung l({Feldsatz(f)}, 2010);
    for (int i = 0; i < 33; ++i) {
        EXPECT_EQ(l.doc.m_fProduktionFelder[i], 0.0f);
        EXPECT_EQ(l.doc.m_fRateFelder[i], 0.0f);
    }
    const CJahr j = Spalten(l.Jahreszeilen().at(0));
    EXPECT_GT(j.qE, 0);
    EXPECT_EQ(j.qS, 0);
}

TEST(Prognose, PressureLookupInterpolatesAndExtrapolates)
{
    float pz[kDruckPunkte];
    for (int i = 0; i < kDruckPunkte; ++i)
        pz[i] = 2.0f * GitterDruck(i); // p/z = 2p
    int j = 0;
    EXPECT_EQ(DruckAusPz(pz, pz[99], j), 991.0f);
    EXPECT_EQ(j, 99);
    EXPECT_EQ(DruckAusPz(pz, 2 * 996.0f, j), 996.0f);
    EXPECT_EQ(DruckAusPz(pz, 2 * 15.0f, j), 15.0f);
    EXPECT_EQ(j, 2);
    EXPECT_EQ(DruckAusPz(pz, 0.0f, j), 0.0f);
    EXPECT_EQ(j, 1);
    EXPECT_EQ(TabelleBeiDruck(pz, 16.0f), 32.0f);
    EXPECT_EQ(TabelleBeiDruck(pz, 0.5f), pz[0]);
    EXPECT_EQ(TabelleBeiDruck(pz, 2000.0f), pz[99]);
}

TEST(Prognose, PressureDependentFactorsFollowThePressureAndNeverGiveNan)
{
    CFeldwerte f = FeldA();
    f.m_bDruckabhaengig = 1;
    f.m_fOGIP = 1500.0f; // exhausted well within the project
    f.m_fMaxRate = 1e6f;
    CRechnung l({Feldsatz(f)}, 2035);
    EXPECT_FALSE(l.EnthaeltNan());
    EXPECT_EQ(
        l.doc.m_saBericht[57],
        " JAHR     KUM.GAS   BODEN    ANFANGS   END   PRODUKTION    RATE    PRODUKTION    KOPF    JAHRES   BOHRUNGS");
    const auto zeilen = l.Jahreszeilen();
    ASSERT_EQ(zeilen.size(), 33u);
    float c = 0, a1 = 0, b1 = 0;
    EXPECT_TRUE(std::istringstream(zeilen[0].substr(102)) >> c >> a1 >> b1) << zeilen[0];
    EXPECT_GT(b1, 1.0f);
    EXPECT_GT(a1, 0.0f);
    EXPECT_GT(c, 0.0f);
    EXPECT_EQ(l.meldungen.m_saTexte, std::vector<std::string>{});
}

TEST(Prognose, HandEditedImpossibleValuesNeverReachTheReportAsNan)
{
    const auto mit = [](auto aendern) {
        CFeldwerte f = FeldA();
        f.m_sFeldname = "Handarbeit";
        aendern(f);
        return Feldsatz(f);
    };
    const std::vector<std::string> saetze = {
        mit([](CFeldwerte& f) { f.m_fA1 = 0; }),
        mit([](CFeldwerte& f) { f.m_fCWert = 0; }),
        mit([](CFeldwerte& f) { f.m_fOGIP = 0; }),
        mit([](CFeldwerte& f) { f.m_iBohrungen = 0; }),
        mit([](CFeldwerte& f) { f.m_fWasserinvasion = 100; }),
        mit([](CFeldwerte& f) { f.m_fAnteil = {}; }),
        mit([](CFeldwerte& f) {
            f.m_fB1 = 1.0f;
            f.m_bDruckabhaengig = 1;
        }),
        mit([](CFeldwerte& f) {
            f.m_fA1 = 0;
            f.m_bDruckabhaengig = 1;
        }),
        mit([](CFeldwerte& f) {
            f.m_fCWert = 0;
            f.m_bDruckabhaengig = 1;
        }),
        mit([](CFeldwerte& f) { f.m_fPi = 0; }),
        mit([](CFeldwerte& f) { f.m_fTcel = -150; }),
    };
    for (const auto& satz : saetze) {
        for (int reserven : {0, 1}) {
            CRechnung l({satz}, 2035);
            l.doc.m_bFeldesreserven = reserven;
            l.doc.Berechnen();
            EXPECT_FALSE(l.EnthaeltNan()) << satz;
            for (int i = 0; i < 33; ++i) {
                EXPECT_TRUE(std::isfinite(l.doc.Y[i]));
                EXPECT_TRUE(std::isfinite(l.doc.m_fRateFelder[i]));
            }
        }
    }
    // The ones that cannot be computed say so, naming the field.
    for (size_t k : {2u, 4u, 5u, 6u, 9u}) {
        CRechnung l({saetze[k]}, 2035);
        ASSERT_FALSE(l.meldungen.m_saTexte.empty()) << k;
        EXPECT_NE(l.meldungen.m_saTexte[0].find("Handarbeit"), std::string::npos);
    }
}

// The table lookup finds the same grid segment as a scan from 1 bar upward,
// also on and next to every grid pressure and beyond both ends.
TEST(DruckTabellen, LookupEqualsTheScanOverTheGrid)
{
    float tab[kDruckPunkte];
    for (int i = 0; i < kDruckPunkte; ++i)
        tab[i] = 1.0f + 0.37f * static_cast<float>(i * i % 17) + static_cast<float>(i);
    const auto scan = [&](float p) {
        if (!(p > 1.0f))
            return tab[0];
        if (p > GitterDruck(kDruckPunkte - 1))
            return tab[kDruckPunkte - 1];
        int i = 1;
        while (!(p <= GitterDruck(i)))
            ++i;
        return static_cast<float>(tab[i - 1] + (double(tab[i]) - tab[i - 1]) * (p - 10.0 * (i - 1) - 1.0) / 10.0);
    };
    std::vector<float> drucke = {-5.0f, 0.0f, 1.0f, 995.0f, 2000.0f};
    for (int i = 0; i < kDruckPunkte; ++i)
        for (float p : {GitterDruck(i), std::nextafter(GitterDruck(i), 0.0f), std::nextafter(GitterDruck(i), 2000.0f),
                        GitterDruck(i) + 3.3f})
            drucke.push_back(p);
    for (float p : drucke)
        EXPECT_EQ(TabelleBeiDruck(tab, p), scan(p)) << p;
}
