#include "Testdaten.h"
#include "bericht/Laufbericht.h"
#include "run/CLauf.h"

#include <gtest/gtest.h>

namespace {

using CTeil = CTeillauf;

// The summary's lines as the report prints them.
std::vector<std::string> Text(const CTeil& d)
{
    CLaufErgebnis r;
    r.detail = d.doc.m_bDetailausgabe == 1;
    r.zusammenfassung = d.doc.m_Zusammenfassung;
    return LaufberichtText(r);
}

} // namespace

TEST(Zusammenfassung, ExampleRowAndTotals)
{
    CTeil d;
    d.doc.m_iProjektstart = 2002;
    d.doc.m_iProjektende = 2002;
    d.doc.m_fRestProduktion[0] = 10.0f;
    d.doc.m_fRestRate[0] = 1500.0f;
    d.doc.m_fProduktionFelder[0] = 90.0f;
    d.doc.m_fRateFelder[0] = 12000.0f;
    d.doc.m_fSollProduktion[0] = 95.0f;
    d.doc.m_fSollRate[0] = 13000.0f;
    d.doc.Zusammenfassung();
    const std::vector<std::string> erwartet = {
        " ",
        "                 ZUSAMMENFASSUNG DER ERGEBNISSE",
        " ",
        "  JAHR  PRODUKTION     RATE       IST         SOLL      IST       SOLL",
        "        RESTFELDER  RESTFELDER PRODUKTION  PRODUKTION   RATE      RATE",
        "         Mio m*3      m*3/h      Mio m*3     Mio m*3    m*3/h     m*3/h",
        " ",
        "  2002      10.0       1500       100.0        95.0      13500    13000",
        " ",
        "  Summe     10.0                  100.0        95.0 ",
    };
    const std::vector<std::string> text = Text(d);
    EXPECT_EQ(text, erwartet);
    EXPECT_EQ(text[7].size(), 71u);
    EXPECT_EQ(d.doc.X[0], 2002);
    EXPECT_EQ(d.doc.Y[0], 100.0f);
    EXPECT_EQ(d.doc.Y1[0], 95.0f);

    d.doc.m_Zusammenfassung = {};
    d.doc.m_iGrafikRate = 1;
    d.doc.m_bDetailausgabe = 1;
    d.doc.Zusammenfassung();
    EXPECT_EQ(Text(d), std::vector<std::string>{" "});
    EXPECT_EQ(d.doc.Y[0], 13500.0f);
    EXPECT_EQ(d.doc.Y1[0], 13000.0f);
    EXPECT_TRUE(d.Meldungen().empty());
}

TEST(Zusammenfassung, ProjectsLongerThan33YearsAreCut)
{
    for (int ende : {2030, 2034, 2040}) {
        CTeil d;
        d.doc.m_iProjektstart = 2002;
        d.doc.m_iProjektende = ende;
        d.doc.Zusammenfassung();
        const size_t zeilen = std::min(ende - 2002 + 1, 33);
        const std::vector<std::string> text = Text(d);
        EXPECT_EQ(text.size(), 7 + zeilen + 2);
        EXPECT_EQ(text[7 + zeilen - 1].substr(0, 6), "  " + std::to_string(2002 + zeilen - 1));
        if (ende == 2040)
            EXPECT_EQ(d.Meldungen(),
                      std::vector<std::string>{"Endjahr:2040 Startjahr:2002\nEs werden nur 33 Jahre gerechnet!!"});
        else
            EXPECT_TRUE(d.Meldungen().empty());
    }
}

TEST(Zusammenfassung, TotalsAreSummedInSinglePrecision)
{
    CTeil d;
    d.doc.m_iProjektstart = 2000;
    d.doc.m_iProjektende = 2032;
    for (int i = 0; i < 33; ++i)
        d.doc.m_fRestProduktion[i] = 0.1f;
    d.doc.Zusammenfassung();
    // 33 × 0.1 summed in float is 3.299999, printed 3.3.
    EXPECT_EQ(Text(d).back(), "  Summe      3.3                    3.3         0.0 ");
}
