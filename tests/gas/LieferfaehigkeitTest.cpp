#include "gas/Lieferfaehigkeit.h"
#include "Testdaten.h"
#include "gas/Feldpruefung.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::string F(const char* format, double v)
{
    return Format(format, v);
}

// Pure methane at 100 °C, C-Wert at 200 bar, kh 10, kv 1, h 20 m, re 500 m, d 11 cm.
CFeldwerte Vertikal()
{
    CFeldwerte f = MethanFeld("Test", 2003);
    f.m_fTcel = 100;
    f.m_fPi = 250;
    f.m_fReferenzdruck = 200;
    f.m_fPermHorizontal = 10;
    f.m_fPermVertikal = 1;
    f.m_fMaechtigkeitBankrecht = 20;
    f.m_fMaechtigkeitErbohrt = 20;
    f.m_fEinflussradius = 500;
    f.m_fSteigrohrDi = 11;
    f.m_fHorizontallaenge = 0;
    return f;
}

CGaseigenschaften Gas(const CFeldwerte& f)
{
    CGaseigenschaften g;
    g.Gaseigenschaften(f.m_fAnteil, f.m_fTcel);
    return g;
}

} // namespace

TEST(Lieferfaehigkeit, VerticalSlantedAndHorizontalCWerte)
{
    CAufgezeichneteMeldungen m;
    CFeldwerte f = Vertikal();
    const CGaseigenschaften g = Gas(f);
    const double vertikal = KonstanteABC(f, g, m).c1_;
    EXPECT_EQ(F("%.4f", vertikal), "1.1211");

    f.m_fMaechtigkeitErbohrt = 40;
    const CSchraegbohrung s = CwertSlant(f, vertikal);
    EXPECT_EQ(F("%.4f", s.m_dSkin), "-1.0503");
    EXPECT_EQ(F("%.4f", s.m_dFaktor), "1.1436");
    EXPECT_EQ(F("%.4f", s.m_dC), "1.2821");
    EXPECT_EQ(F("%.4f", KonstanteABC(f, g, m).c1_), "1.2821");

    f.m_fHorizontallaenge = 800; // replaces the slanted value
    const CHorizontalbohrung h = CwertHorizontal(f, g, m);
    EXPECT_EQ(F("%.2f", h.m_dA), "886.23");
    EXPECT_EQ(F("%.4f", h.m_dLNCH), "4.9252");
    EXPECT_EQ(F("%.4f", h.m_dPXYZ), "0.5844");
    EXPECT_EQ(F("%.4f", h.m_dPXY_), "1.0487");
    EXPECT_EQ(F("%.4f", h.m_dKlammer), "15.4957");
    EXPECT_EQ(F("%.4f", h.m_dCH), "8.4525");
    EXPECT_EQ(F("%.4f", h.m_dCV), "1.1166");
    EXPECT_EQ(F("%.3f", h.m_dBorisov), "18.053");
    EXPECT_EQ(F("%.4f", KonstanteABC(f, g, m).c1_), "8.4525");
    EXPECT_TRUE(m.m_saTexte.empty());
}

TEST(Lieferfaehigkeit, SlantWithEqualPermeabilitiesAndStrongSkin)
{
    CFeldwerte f = Vertikal();
    f.m_fPermVertikal = 10;          // kh = kv: alpha = gamma = 1
    f.m_fMaechtigkeitErbohrt = 1000; // r = 50
    const CSchraegbohrung s = CwertSlant(f, 1.0);
    EXPECT_DOUBLE_EQ(s.m_dSkin,
                     std::log(0.02 * 11 / 1000.0) + std::log(std::sqrt(50.0) * 20 * 0.5 / (0.005 * 11 * 2)) / 50);
    EXPECT_LT(s.m_dSkin / (std::log(200.0 * 500 / 11) - 0.75), -0.9);
    EXPECT_EQ(s.m_dFaktor, 10.0);
}

TEST(Lieferfaehigkeit, ProposalTextAndTubingFactors)
{
    CAufgezeichneteMeldungen m;
    CFeldwerte f = Vertikal();
    f.m_fKopftemperatur = 30;
    f.m_fTeufe = 3000;
    const CVorschlag v = KonstanteABC(f, Gas(f), m);
    EXPECT_GT(v.b1_, 1.0);
    EXPECT_GT(v.a1_, 0.0);
    EXPECT_EQ(v.m_sVorschlag, Format("A1: %6.1f B1:%6.3f C-Wert:%7.4f", v.a1_, v.b1_, v.c1_));
    // B1 reproduces the gas column: exp(0.05285·H·ρn / (z·T)) at the mean state.
    const double zm = 0.05285 * 3000 * Gas(f).m_dRhoN / ((65 + 273) * std::log(v.b1_));
    EXPECT_NEAR(zm, 0.95, 0.05);
}

TEST(Feldpruefung, RefusalsInTheirOrderWithTheirMessages)
{
    struct CFall {
        void (*aendern)(CFeldwerte&);
        const char* meldung;
    };
    const CFall faelle[] = {
        {[](CFeldwerte& f) { f.m_fOGIP = 0; }, "Bitte OGIP eingeben"},
        {[](CFeldwerte& f) { f.m_fOGIP = -5; }, "Das OGIP muß größer als 0 sein"},
        {[](CFeldwerte& f) { f.m_fKumProdBeginn = f.m_fOGIP; },
         "Die Kum.Anfangsproduktion muß kleiner als das OGIP sein"},
        {[](CFeldwerte& f) { f.m_fPermVertikal = 0; }, "Bitte Permeabilität eingeben"},
        {[](CFeldwerte& f) { f.m_fMaechtigkeitErbohrt = 0; }, "Bitte Mächtigkeit eingeben"},
        {[](CFeldwerte& f) { f.m_fEinflussradius = 0; }, "Bitte Einflussradius eingeben"},
        {[](CFeldwerte& f) { f.m_fTeufe = 0; }, "Bitte Lagerstättenteufe eingeben"},
        {[](CFeldwerte& f) { f.m_fSteigrohrDi = 0; }, "Bitte Steigrohrdurchmesser eingeben"},
        {[](CFeldwerte& f) { f.m_fKopfdruck = f.m_fPi; }, "Der Kopffliessdruck muß kleiner als der Initialdruck sein"},
        {[](CFeldwerte& f) { f.m_fHorizontallaenge = 2 * f.m_fEinflussradius + 1; },
         "Die Horizontalbohrlänge > 2*Einflußradius"},
        {[](CFeldwerte& f) { f.m_fMaechtigkeitErbohrt = 10; }, "Erbohrte Mächtigkeit < Bankrechte Mächtigkeit"},
        {[](CFeldwerte& f) { f.m_iFoerderbeginn = 2030; }, "Das letzte Jahr muß größer als das Startjahr sein!"},
    };
    for (const auto& fall : faelle) {
        CAufgezeichneteMeldungen m;
        CFeldwerte f = Vertikal();
        fall.aendern(f);
        CGaseigenschaften g;
        EXPECT_FALSE(FelddatenAnnehmen(f, 2030, m, g));
        EXPECT_EQ(m.m_saTexte, std::vector<std::string>{fall.meldung});
    }
    CAufgezeichneteMeldungen m;
    CFeldwerte f = Vertikal();
    f.m_fHorizontallaenge = 2 * f.m_fEinflussradius; // exactly twice: accepted
    f.m_fKumProdBeginn = f.m_fOGIP * 0.999f;         // just below the OGIP: accepted
    CGaseigenschaften g;
    EXPECT_TRUE(FelddatenAnnehmen(f, 2030, m, g));
    EXPECT_TRUE(m.m_saTexte.empty());
}

TEST(Feldpruefung, FactorsAndComposition)
{
    CAufgezeichneteMeldungen m;
    CFeldwerte f = Vertikal();
    EXPECT_TRUE(FaktorenAnnehmen(f, m));
    f.m_fB1 = 0.99f;
    EXPECT_FALSE(FaktorenAnnehmen(f, m));
    f.m_fB1 = 1.0f;
    f.m_fMaxRate = 0;
    EXPECT_FALSE(FaktorenAnnehmen(f, m));
    f.m_fCWert = 0;
    EXPECT_FALSE(FaktorenAnnehmen(f, m));
    EXPECT_EQ(m.m_saTexte, (std::vector<std::string>{"Der B1-Wert für das Gassäulengewicht muß >=1 sein",
                                                     "Die max.Entnahmerate muß größer Null sein!",
                                                     "Bitte DRUCKVERLUSTFAKTOREN eingeben"}));
    EXPECT_FALSE(ZusammensetzungFehlt(f));
    f.m_fAnteil = {};
    EXPECT_TRUE(ZusammensetzungFehlt(f));
}

TEST(Feldpruefung, ComputeAbcStopsAtTheFirstRefusal)
{
    CAufgezeichneteMeldungen m;
    CFeldwerte f = Vertikal();
    f.m_fTeufe = 3000;
    CVorschlag v;
    CGaseigenschaften g;
    EXPECT_TRUE(OnComputeAbc(f, 2030, m, v, g));
    EXPECT_EQ(v.m_sVorschlag.substr(0, 4), "A1: ");
    EXPECT_TRUE(m.m_saTexte.empty());

    f.m_fKopfdruck = 300; // not below the initial pressure
    CVorschlag ohne;
    EXPECT_FALSE(OnComputeAbc(f, 2030, m, ohne, g));
    EXPECT_EQ(ohne.m_sVorschlag, " ");
    EXPECT_EQ(m.m_saTexte, std::vector<std::string>{"Der Kopffliessdruck muß kleiner als der Initialdruck sein"});

    f = Vertikal();
    f.m_fAnteil = {};
    EXPECT_FALSE(OnComputeAbc(f, 2030, m, ohne, g));
    EXPECT_EQ(m.m_saTexte.size(), 1u); // no message of its own
}
