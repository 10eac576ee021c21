#include "bericht/Gasbericht.h"
#include "Testdaten.h"

#include <gtest/gtest.h>

TEST(Gasbericht, FiftyPercentMethaneShowsEnteredAndCorrectedShares)
{
    CFeldwerte f = MethanFeld("Halb", 2003);
    f.m_fAnteil[3] = 50.0f;
    f.m_fTcel = 100.0f;
    f.m_fCWert = 0.1234f;
    CGaseigenschaften g;
    g.Gaseigenschaften(f.m_fAnteil, f.m_fTcel);
    std::vector<std::string> b;
    GasberichtSchreiben(f, g, b);
    ASSERT_EQ(b.size(), 53u);
    EXPECT_EQ(b[1], "   GASEIGENSCHAFTEN DES FELDES Halb: ");
    EXPECT_EQ(b[3], "   LAGERSTAETTENTEMPERATUR  (GRAD C):  100.0");
    EXPECT_EQ(b[7], "   SCHWEFELWASSERST       0.00         0.00");
    EXPECT_EQ(b[10], "   METHAN                50.00       100.00");
    EXPECT_EQ(b[21], "   DECAN                  0.00         0.00");
    EXPECT_EQ(b[25], "   K:    142.806    X:      5.128    Y:      1.374");
    EXPECT_EQ(b[27], "   RELATIVE GASDICHTE (LUFT=1)       (-):    0.554");
    EXPECT_EQ(b[43], "   BOHRUNGSANZAHL                    (-):        6  ");
    EXPECT_EQ(b[46], "   C-WERT                  (M*3/H BAR*2):    0.123");
    EXPECT_EQ(b[47], "   A1,B1,C-WERT KONSTANT");
    EXPECT_EQ(b[49], "   FOERDERBEGINN                  (JAHR):     2003  ");
    EXPECT_EQ(b[52], "   KONSORTIAL-ANTEIL           (PROZENT):    100.0");
}
