#include "summary/Profil.h"
#include "Testdaten.h"
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"
#include "run/CLauf.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct CDokument {
    CAufgezeichneteMeldungen meldungen;
    CKalvoDoc doc{meldungen};
};

using CTeil = CTeillauf;

CProfil Profil(int von, int bis, float produktion = 95.0f)
{
    CProfil z;
    for (int j = von; j <= bis; ++j)
        z.push_back(ProfilzeileEingabe(j, produktion, 13000.0f));
    return z;
}

} // namespace

TEST(Profil, LineForms)
{
    EXPECT_EQ(ProfilzeileEingabe(2002, 95.0f, 13000.0f), "2002          95.0       13000.0");
    EXPECT_EQ(ProfilzeileImport(2002, 95.0f, 13000.0f), " 2002           95.0       13000.0");
}

TEST(Profil, LinesArePlacedByPositionFromTheFirstYear)
{
    CTeil d;
    d.doc.m_iProjektstart = 2002;
    d.doc.m_iProjektende = 2030;
    d.doc.m_saVerkaufsprofil = Profil(2002, 2010);
    d.doc.m_saVerkaufsprofil[2] = ProfilzeileEingabe(2005, 50.0f, 7000.0f); // where 2004 belongs
    d.doc.ProfilUebernehmen(false);
    EXPECT_EQ(d.doc.m_fSollProduktion[0], 95.0f);
    EXPECT_EQ(d.doc.m_fSollProduktion[2], 50.0f);
    EXPECT_EQ(d.doc.m_iVerkaufJahr[2], 2005);
    EXPECT_EQ(d.doc.m_fSollRate[8], 13000.0f);
    EXPECT_EQ(d.doc.m_fSollProduktion[9], 0.0f);

    CTeil frueh;
    frueh.doc.m_iProjektstart = 2002;
    frueh.doc.m_iProjektende = 2030;
    frueh.doc.m_saRestfelder = Profil(2000, 2005);
    frueh.doc.m_saRestfelder[2] = ProfilzeileEingabe(2002, 7.0f, 700.0f);
    frueh.doc.ProfilUebernehmen(true);
    EXPECT_EQ(frueh.doc.m_fRestProduktion[0], 7.0f);
    EXPECT_EQ(frueh.doc.m_iRestJahr[3], 2005);
    EXPECT_EQ(frueh.doc.m_fRestProduktion[4], 0.0f);
    EXPECT_TRUE(frueh.Meldungen().empty());
}

TEST(Profil, ProfilesOutsideTheProjectAreRejectedWithTheirMessage)
{
    struct CFall {
        CProfil zeilen;
        bool rest;
        const char* meldung;
    };
    const std::vector<CFall> faelle = {
        {Profil(2030, 2032), false, "Die Verkaufsdaten beginnen erst nach Projektende!"},
        {Profil(2030, 2032), true, "Die Restdaten beginnen erst nach Projektende!"},
        {Profil(1990, 2002), false, "Die Verkaufsdaten enden vor dem Projektbeginn!"},
        {Profil(2002, 2002), true, "Die Restdaten enden vor dem Projektbeginn!"},
    };
    for (const auto& f : faelle) {
        CTeil d;
        d.doc.m_iProjektstart = 2002;
        d.doc.m_iProjektende = 2030;
        (f.rest ? d.doc.m_saRestfelder : d.doc.m_saVerkaufsprofil) = f.zeilen;
        d.doc.ProfilUebernehmen(f.rest);
        EXPECT_EQ(d.Meldungen(), std::vector<std::string>{f.meldung});
        EXPECT_EQ(d.doc.m_fSollProduktion[0] + d.doc.m_fRestProduktion[0], 0.0f);
    }
}

TEST(Profil, RunMergesBothProfilesIntoTheSummary)
{
    CDokument d;
    d.doc.m_saFelder = {Feldsatz(MethanFeld("A", 2002))};
    d.doc.m_iProjektende = 2004;
    d.doc.m_saVerkaufsprofil = Profil(2002, 2004, 95.0f);
    d.doc.m_saRestfelder = Profil(2002, 2004, 10.0f);
    d.doc.Berechnen();
    EXPECT_EQ(d.doc.m_saBericht[7].substr(0, 29), "  2002      10.0      13000  ");
    EXPECT_EQ(d.doc.m_saBericht[7].substr(39, 12), "        95.0");
}

// 33 lines after a title are all kept (one per project year), and a profile
// may begin before and run past the project: 1998 to 2045 are 48 lines.
TEST(Profil, ImportKeepsEveryLineAfterTheTitle)
{
    std::string datei = "1 2 3 Titel mit Zahlen\r\n";
    for (int j = 2002; j < 2035; ++j)
        datei += std::to_string(j) + "  95.5  13000\r\n";
    CAufgezeichneteMeldungen m;
    CProfilImport e = ProfilImportieren(datei, m);
    ASSERT_EQ(e.m_saZeilen.size(), 33u);
    EXPECT_EQ(e.m_saZeilen[0], " 2002           95.5       13000.0");
    EXPECT_EQ(e.m_saZeilen[32].substr(0, 5), " 2034");
    EXPECT_EQ(e.m_sStatus, "33 Zeilen wurden eingelesen");
    EXPECT_TRUE(e.m_bGeaendert);
    EXPECT_TRUE(m.m_saTexte.empty());

    std::string lang = "Jahr;Produktion;Rate\n";
    for (int j = 1998; j <= 2045; ++j)
        lang += std::to_string(j) + ";95,5;13000\n";
    e = ProfilEinfuegen(lang, m);
    ASSERT_EQ(e.m_saZeilen.size(), 48u);
    EXPECT_EQ(e.m_saZeilen[47].substr(0, 5), " 2045");

    std::string zuLang;
    for (int j = 1900; j <= 1900 + kMaxProfilzeilen; ++j)
        zuLang += std::to_string(j) + " 1 1\n";
    EXPECT_FALSE(ProfilEinfuegen(zuLang, m).m_bGeaendert);
    EXPECT_EQ(m.m_saTexte.back(), "Es werden maximal 100 Zeilen eingelesen!");
}

// A bad line shows its message and the import takes nothing: the dialog's
// list stays as it was.
TEST(Profil, ImportOfABadFileTakesNothing)
{
    struct CFall {
        std::string datei;
        std::string meldung;
    };
    const std::vector<CFall> faelle = {
        {"Titel\n2002 1 2\n2004 1 2\n", "Die Jahre sind nichr aufsteigend"},
        {"Titel\n2002 1 2\n2003 1\n", "Die Zeile enhält keine 3 Werte\n 2003 1"},
        {"Titel\n2002 1 2\n2003 1 2 " + std::string(100, 'x') + "\n", "In der 3.Zeile 100 Zeichen gelesen"},
        {"", ""},
        {"Nur ein Titel\n\n", ""},
    };
    for (const auto& f : faelle) {
        CAufgezeichneteMeldungen m;
        const CProfilImport e = ProfilImportieren(f.datei, m);
        EXPECT_TRUE(e.m_saZeilen.empty()) << f.datei;
        EXPECT_FALSE(e.m_bGeaendert);
        if (f.meldung.empty())
            EXPECT_TRUE(m.m_saTexte.empty());
        else
            EXPECT_EQ(m.m_saTexte, std::vector<std::string>{f.meldung});
    }
    CAufgezeichneteMeldungen m;
    const CProfilImport e = ProfilImportierenAusDatei("/gibt/es/nicht.TXT", m);
    EXPECT_FALSE(e.m_bGeaendert);
    ASSERT_EQ(m.m_saTexte.size(), 2u);
    EXPECT_EQ(m.m_saTexte[0], "/gibt/es/nicht.TXT wird geöffnet");
}

TEST(Profil, ValuesMissingFromAHandEditedLineCountAsZero)
{
    CDokument d;
    d.doc.m_iProjektstart = 2002;
    d.doc.m_iProjektende = 2030;
    d.doc.m_saVerkaufsprofil = {"2002 95", "2003 96 13100"};
    CDokument quelle;
    quelle.doc.m_saVerkaufsprofil = d.doc.m_saVerkaufsprofil;
    ASSERT_TRUE(d.doc.Laden(quelle.doc.Speichern()));
    CTeil t;
    t.doc.m_saVerkaufsprofil = d.doc.m_saVerkaufsprofil;
    t.doc.m_iProjektstart = 2002;
    t.doc.m_iProjektende = 2030;
    t.doc.ProfilUebernehmen(false);
    EXPECT_EQ(t.doc.m_fSollProduktion[0], 95.0f);
    EXPECT_EQ(t.doc.m_fSollRate[0], 0.0f);
    EXPECT_EQ(t.doc.m_fSollRate[1], 13100.0f);
}

// A file takes what a paste takes: semicolons, tabs, decimal commas, a
// heading, UTF-8 (also with a byte-order mark) or Windows-1252.
TEST(Profil, ImportTakesTheFormsOfAPaste)
{
    CAufgezeichneteMeldungen m;
    const CProfilImport e =
        ProfilImportieren("Verkaufsprofil\r\n2002;  95,5;  13000,25\r\n2003\t96,5\t1,5e4\r\n\r\n", m);
    ASSERT_EQ(e.m_saZeilen.size(), 2u);
    EXPECT_EQ(e.m_saZeilen[0], " 2002           95.5       13000.2");
    EXPECT_EQ(e.m_saZeilen[1], " 2003           96.5       15000.0");
    EXPECT_TRUE(m.m_saTexte.empty());

    // Without a heading, starting before the project.
    EXPECT_EQ(ProfilImportieren("1998 1 1\n1999 2 2\n", m).m_saZeilen.size(), 2u);
    // Headings in both encodings, "Förderung" with its umlaut.
    constexpr const char* kBom = "\xEF\xBB\xBF";
    EXPECT_EQ(ProfilImportieren(std::string(kBom) + "F\xC3\xB6rderung\n2002 1 1\n", m).m_saZeilen.size(), 1u);
    EXPECT_EQ(ProfilImportieren("F\xF6rderung\n2002 1 1\n", m).m_saZeilen.size(), 1u);
    EXPECT_TRUE(m.m_saTexte.empty());
}

// A pasted block decides once between decimal comma and point; its first
// line is a heading only when it holds no number. A row per paste: the
// lines taken (or 0 with the message), the status and the first line.
TEST(Profil, APasteReadsItsNumbersByOneRuleAndKeepsAFirstLineWithANumber)
{
    struct CFall {
        std::string text;
        size_t zeilen;
        std::string meldungOderStatus, ersteZeile;
    };
    const std::vector<CFall> faelle = {
        {"Jahr Menge Rate\n2027 14.000 5,5\n", 0,
         "Zeile 2: „Produktion (Mio m3)“ („14.000“) enthält einen Punkt, die übrigen Zahlen ein Dezimalkomma: ein "
         "Tausenderpunkt wird nicht gelesen (ohne Punkt: 14000).",
         ""},
        {"2027 14.000 5.5\n2028 1 1\n", 2, "2 Zeilen wurden eingefügt", " 2027           14.0           5.5"},
        {"2027;860,5;100\n", 1, "1 Zeile wurde eingefügt", " 2027          860.5         100.0"},
        {"Jahr Produktion Rate\n2027 1 1\n", 1, "1 Zeile wurde eingefügt", " 2027            1.0           1.0"},
        {"2027 1\n2028 1 1\n", 0, "Die Zeile enhält keine 3 Werte\n 2027 1", ""},
        {"Verkauf 2027\n2027 1 1\n", 0, "Die Zeile enhält keine 3 Werte\n Verkauf 2027", ""},
    };
    for (const CFall& f : faelle) {
        CAufgezeichneteMeldungen m;
        const CProfilImport e = ProfilEinfuegen(f.text, m);
        ASSERT_EQ(e.m_saZeilen.size(), f.zeilen) << f.text;
        if (f.zeilen == 0) {
            EXPECT_EQ(m.m_saTexte, std::vector<std::string>{f.meldungOderStatus}) << f.text;
            continue;
        }
        EXPECT_TRUE(m.m_saTexte.empty()) << f.text;
        EXPECT_EQ(e.m_sStatus, f.meldungOderStatus);
        EXPECT_EQ(e.m_saZeilen[0], f.ersteZeile);
    }
}
