#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"
#include "views/CKalvoView.h"

#include <gtest/gtest.h>

namespace {

struct CBericht {
    CStilleMeldungen m;
    CKalvoDoc doc{m};
    CKalvoView view{doc};
    explicit CBericht(int zeilen)
    {
        doc.SetTitle("Beispiel.kvo");
        for (int i = 0; i < zeilen; ++i)
            doc.m_saBericht.push_back("Zeile " + std::to_string(i));
    }
    std::vector<std::string> Seite(int seite, bool hochformat)
    {
        CAufzeichnungsDC dc;
        view.OnPrint(dc, hochformat ? 1900 : 2770, hochformat ? 2770 : 1900, seite);
        std::vector<std::string> texte;
        for (const auto& a : dc.m_saAufrufe)
            if (a.rfind("TextOut", 0) == 0)
                texte.push_back(a);
        return texte;
    }
};

} // namespace

TEST(Berichtsdruck, PagesOf57Or50LinesWithHeader)
{
    CBericht b57(57);
    EXPECT_EQ(b57.view.Seitenzahl(true), 2);
    const auto seite1 = b57.Seite(1, true);
    ASSERT_EQ(seite1.size(), 58u);
    // Font 4.4 mm; "0" is 26 units wide in the recording model (0.6 of 44).
    EXPECT_EQ(seite1[0], "TextOut 26 -44  Dokument:Beispiel.kvo");
    EXPECT_EQ(seite1[1], "TextOut 78 -132 Zeile 0");
    EXPECT_EQ(seite1[57], "TextOut 78 -2596 Zeile 56");
    EXPECT_EQ(b57.Seite(2, true).size(), 1u);
    EXPECT_EQ(b57.view.m_iZeilenProSeite, 57);

    EXPECT_EQ(CBericht(114).view.Seitenzahl(true), 3);
    CBericht quer(120);
    EXPECT_EQ(quer.view.Seitenzahl(false), 3);
    EXPECT_EQ(quer.Seite(3, false).size(), 21u);
    EXPECT_EQ(quer.view.m_iZeilenProSeite, 50);

    CBericht leer(0);
    EXPECT_EQ(leer.view.Seitenzahl(true), 1);
    EXPECT_EQ(leer.Seite(1, true).size(), 1u);
}
