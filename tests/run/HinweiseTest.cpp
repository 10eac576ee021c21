// Legal but implausible inputs are named after the run, never refused.
#include "run/Hinweise.h"
#include "Testdaten.h"

#include <gtest/gtest.h>

namespace {

CLaufEingabe EinFeld(const CFeldwerte& f, const CStufen& stufen = {})
{
    CLaufEingabe e;
    e.felder.emplace_back(Feldsatz(f, stufen));
    e.projektende = 2012;
    e.threads = 1;
    return e;
}

std::vector<std::string> Hinweise(const CLaufEingabe& e)
{
    return Eingabehinweise(e, Lauf(e));
}

} // namespace

// A row per slip: how the field is changed, and the hint it gives.
TEST(Hinweise, EverySlipIsNamedAndAPlainFieldHasNone)
{
    struct CFall {
        void (*aendern)(CFeldwerte&, CStufen&);
        const char* hinweis;
    };
    const CFall faelle[] = {
        {[](CFeldwerte&, CStufen&) {}, ""},
        {[](CFeldwerte& f, CStufen&) { f.m_fKonsAnteil = 0.5f; },
         "Probe: Konsortialanteil 0.5 % – als Bruchteil eingegeben? Der Anteil zählt in %, die Hälfte ist 50."},
        {[](CFeldwerte& f, CStufen&) { f.m_fKonsAnteil = 0; }, ""}, // a share of 0 is a decision
        {[](CFeldwerte& f, CStufen&) { f.m_fKonsAnteil = 1; }, ""},
        {[](CFeldwerte& f, CStufen&) { f.m_fAnteil[3] = 87.3f; },
         "Probe: Die Gaszusammensetzung ergibt 87.30 % statt 100 %; gerechnet wird mit den auf 100 % umgerechneten "
         "Anteilen."},
        {[](CFeldwerte& f, CStufen&) { f.m_fAnteil[3] = 100.4f; }, ""}, // an analysis' rounding
        {[](CFeldwerte& f, CStufen&) { f.m_fTcel = 15; },
         "Probe: Die Lagerstättentemperatur 15 °C liegt außerhalb von 20 bis 250 °C."},
        {[](CFeldwerte& f, CStufen&) { f.m_fTcel = 251; },
         "Probe: Die Lagerstättentemperatur 251 °C liegt außerhalb von 20 bis 250 °C."},
        {[](CFeldwerte& f, CStufen&) { f.m_fTcel = 250; }, ""},
        {[](CFeldwerte& f, CStufen& s) { s[1] = {f.m_iFoerderbeginn - 1, 0, 0, 3, 0, 0}; },
         "Probe: Die 2. Stufenzeile (ab 2004) liegt nicht nach dem Startjahr 2005 und wird nie angewandt."},
        {[](CFeldwerte& f, CStufen& s) { s[2] = {f.m_iFoerderbeginn, 0, 0, 3, 0, 0}; },
         "Probe: Die 3. Stufenzeile (ab 2005) liegt nicht nach dem Startjahr 2005 und wird nie angewandt."},
        {[](CFeldwerte& f, CStufen& s) { s[0] = {f.m_iFoerderbeginn + 1, 0, 0, 3, 0, 0}; }, ""},
        {[](CFeldwerte& f, CStufen&) { f.m_fCWert = 0; }, "Probe: Das Feld fördert in seinem ersten Jahr 2005 nichts."},
    };
    for (const CFall& fall : faelle) {
        CFeldwerte f = MethanFeld("Probe", 2005);
        CStufen stufen{};
        fall.aendern(f, stufen);
        // The other rows are the filler of a new field: the head values at the start year.
        for (CStufenzeile& s : stufen)
            if (s.m_iStufeAbJahr == 0)
                s = {f.m_iFoerderbeginn, f.m_iFoerderstunden, f.m_fKopfdruck,
                     f.m_iBohrungen,     f.m_fCWert,          f.m_fKonsAnteil};
        const std::vector<std::string> h = Hinweise(EinFeld(f, stufen));
        if (*fall.hinweis == 0)
            EXPECT_TRUE(h.empty()) << h.front();
        else
            EXPECT_EQ(h, std::vector<std::string>{fall.hinweis});
    }
}

TEST(Hinweise, AProfileEndingBeforeTheProjectIsNamedOnceItsYearsCountZero)
{
    CLaufEingabe e = EinFeld(MethanFeld("Probe", 2005));
    e.verkaufsprofil = {"2005 100 1000", "2006 100 1000"};
    e.restfelder = {"2004 10 100", "2005 10 100", "2006 10 100", "2007 10 100", "2008 10 100",
                    "2009 10 100", "2010 10 100", "2011 10 100", "2012 10 100"};
    EXPECT_EQ(Hinweise(e),
              std::vector<std::string>{"Das Verkaufsprofil endet 2006, vor dem Projektende 2012: die Jahre danach "
                                       "zählen mit 0."});
    e.sollKonstant = 50; // a flat demand replaces the profile
    EXPECT_TRUE(Hinweise(e).empty());
    EXPECT_EQ(Feldhinweise({"Probe: a", "Probe2: b", "Probe: c"}, "Probe"),
              (std::vector<std::string>{"Probe: a", "Probe: c"}));
}
