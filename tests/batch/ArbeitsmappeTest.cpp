// The workbook export read back: sheet names, and the summary sheet's numbers
// against the report's.
#include "render/Arbeitsmappe.h"
#include "Testdaten.h"
#include "batch/CBatch.h"
#include "platform/Datei.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#ifdef KALVO_GRAFIK
namespace {

// A member of the workbook (a zip archive), through unzip.
std::string Teil(const std::string& mappe, const std::string& name)
{
    std::string text;
    FILE* rohr = popen(("unzip -p '" + mappe + "' " + name).c_str(), "r");
    if (!rohr)
        return text;
    char puffer[4096];
    for (size_t n; (n = fread(puffer, 1, sizeof puffer, rohr)) > 0;)
        text.append(puffer, n);
    pclose(rohr);
    return text;
}

} // namespace

TEST(Arbeitsmappe, SheetsAndSummaryNumbersMatchTheReport)
{
    const std::string mappe = (std::filesystem::temp_directory_path() / "kalvo_arbeitsmappe.xlsx").string();
    std::ostringstream aus, fehler;
    ASSERT_EQ(KalvoBatch({"--bedarf", "--energie", "--deckung", "--plateau", "5", "--xlsx", mappe, KALVO_BEISPIEL}, aus,
                         fehler),
              0)
        << fehler.str();

    const std::string buch = Teil(mappe, "xl/workbook.xml");
    std::vector<std::string> namen;
    const std::regex blattname("<sheet name=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(buch.begin(), buch.end(), blattname); it != std::sregex_iterator(); ++it)
        namen.push_back((*it)[1]);
    EXPECT_EQ(namen, (std::vector<std::string>{"Zusammenfassung", "Felder", "Bedarf", "Energie", "Deckung", "Plateau",
                                               "Eingaben", "Optionen"}));

    // Column D of the summary sheet is the Ist production; the report prints it.
    const std::string blatt = Teil(mappe, "xl/worksheets/sheet1.xml");
    const std::regex ist("<c r=\"D([0-9]+)\" s=\"[0-9]+\"><v>([-0-9.e]+)</v>");
    std::istringstream bericht(aus.str());
    std::vector<std::string> zeilen;
    for (std::string z; std::getline(bericht, z);)
        zeilen.push_back(z);
    int geprueft = 0;
    for (auto it = std::sregex_iterator(blatt.begin(), blatt.end(), ist); it != std::sregex_iterator(); ++it) {
        const int jahr = 2002 + std::stoi((*it)[1]) - 2;
        const std::string text = (*it)[2];
        double wert = 0;
        std::from_chars(text.data(), text.data() + text.size(), wert); // in no locale
        const auto zeile = std::find_if(zeilen.begin(), zeilen.end(), [&](const std::string& z) {
            return z.rfind("  " + std::to_string(jahr) + "  ", 0) == 0;
        });
        ASSERT_NE(zeile, zeilen.end()) << jahr;
        // The fourth number of the summary line: Ist production.
        std::istringstream woerter(*zeile);
        std::string w;
        for (int k = 0; k < 4; ++k)
            woerter >> w;
        double istBericht = 0;
        std::from_chars(w.data(), w.data() + w.size(), istBericht);
        EXPECT_NEAR(wert, istBericht, 0.05) << jahr;
        ++geprueft;
    }
    EXPECT_EQ(geprueft, 29);
    // Every figure of the summary is a float of the run: its cell is the float's
    // shortest decimal (41463.4, not 41463.3984375), to the 16 digits written.
    const std::regex zahl("<v>([-0-9.E+]+)</v>");
    int zahlen = 0;
    for (auto it = std::sregex_iterator(blatt.begin(), blatt.end(), zahl); it != std::sregex_iterator(); ++it) {
        const std::string t = (*it)[1];
        double v = 0;
        std::from_chars(t.data(), t.data() + t.size(), v);
        char kurz[32];
        const auto ende = std::to_chars(kurz, kurz + sizeof kurz, static_cast<float>(v)).ptr;
        double erwartet = 0;
        std::from_chars(kurz, ende, erwartet);
        EXPECT_NEAR(v, erwartet, 1e-15 * std::fabs(erwartet)) << t;
        ++zahlen;
    }
    EXPECT_GT(zahlen, 29 * 6);
    // The plateau the report prints is the sheet's number; the options name the document.
    const auto plateau = std::find_if(zeilen.begin(), zeilen.end(),
                                      [](const std::string& z) { return z.starts_with("  Hoechstes Plateau"); });
    ASSERT_NE(plateau, zeilen.end());
    const std::string plateauBlatt = Teil(mappe, "xl/worksheets/sheet6.xml");
    double menge = 0;
    const std::string text = plateau->substr(plateau->find(": ") + 2);
    std::from_chars(text.data(), text.data() + text.size(), menge);
    char kurz[32];
    const auto ende = std::to_chars(kurz, kurz + sizeof kurz, menge).ptr;
    EXPECT_NE(plateauBlatt.find("<v>" + std::string(kurz, ende) + "</v>"), std::string::npos) << text;
    const std::string texte = Teil(mappe, "xl/sharedStrings.xml");
    for (const char* text : {"Beispiel.kvo", "Foerderung nach Bedarf", "Plateau", "5 Jahre (2002-2006)"})
        EXPECT_NE(texte.find(text), std::string::npos) << text;
    EXPECT_NE(Teil(mappe, "xl/charts/chart1.xml").find("Zusammenfassung"), std::string::npos);
    std::filesystem::remove(mappe);
}
namespace {

// The sheets' names in order: sheet n is xl/worksheets/sheet<n>.xml.
std::vector<std::string> Blaetter(const std::string& mappe)
{
    const std::string buch = Teil(mappe, "xl/workbook.xml");
    std::vector<std::string> namen;
    const std::regex blattname("<sheet name=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(buch.begin(), buch.end(), blattname); it != std::sregex_iterator(); ++it)
        namen.push_back((*it)[1]);
    return namen;
}

std::string Blatt(const std::string& mappe, const std::vector<std::string>& namen, const std::string& name)
{
    const auto it = std::find(namen.begin(), namen.end(), name);
    if (it == namen.end())
        return {};
    return Teil(mappe, "xl/worksheets/sheet" + std::to_string(it - namen.begin() + 1) + ".xml");
}

} // namespace

// A field's name is text in every sheet, whatever it looks like; the work
// files are made beside the target, and a $TMPDIR that names no folder is
// no failure.
TEST(Arbeitsmappe, FieldNamesStayTextAndAMissingTmpdirIsHarmless)
{
    namespace fs = std::filesystem;
    const fs::path ordner = fs::temp_directory_path() / "kalvo_test_mappe";
    fs::remove_all(ordner);
    fs::create_directories(ordner);
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    for (const char* name : {"1e5", "0012", "=A1"}) {
        CFeldwerte f = FeldA();
        f.m_sFeldname = name;
        doc.m_saFelder.push_back(Feldsatz(f));
    }
    const std::string kvo = (ordner / "namen.kvo").string();
    ASSERT_TRUE(DateiAtomarSchreiben(kvo, doc.Speichern()));
    const std::string bandbreiten = (ordner / "namen.bandbreiten.csv").string();
    ASSERT_TRUE(DateiAtomarSchreiben(bandbreiten, "Feld;Groesse;Tief;Hoch\r\n0012;OGIP;80 %;120 %\r\n"));
    const std::string mappe = (ordner / "namen.xlsx").string();

    const char* alt = std::getenv("TMPDIR");
    const std::string altWert = alt ? alt : "";
    ::setenv("TMPDIR", "/gibt/es/nicht", 1);
    std::ostringstream aus, fehler;
    const int status = KalvoBatch({"--sensitivitaet", "--bandbreiten", bandbreiten, "--xlsx", mappe, kvo}, aus, fehler);
    if (alt)
        ::setenv("TMPDIR", altWert.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    ASSERT_EQ(status, 0) << fehler.str();

    const std::vector<std::string> namen = Blaetter(mappe);
    const std::string eingaben = Blatt(mappe, namen, "Eingaben");
    const std::string sensitivitaet = Blatt(mappe, namen, "Sensitivitaet");
    struct CFall {
        const std::string* blatt;
        const char* zelle;
    };
    for (const CFall& f : {CFall{&eingaben, "A2"}, CFall{&eingaben, "A3"}, CFall{&eingaben, "A4"},
                           CFall{&sensitivitaet, "A2"}, CFall{&sensitivitaet, "B2"}}) {
        SCOPED_TRACE(f.zelle);
        EXPECT_NE(f.blatt->find(std::string("<c r=\"") + f.zelle + "\" t=\"s\""), std::string::npos);
    }
    EXPECT_TRUE(std::regex_search(eingaben, std::regex("<c r=\"B2\" s=\"[0-9]+\"><v>2003</v>")));
    const std::string texte = Teil(mappe, "xl/sharedStrings.xml");
    for (const char* name : {"<t>1e5</t>", "<t>0012</t>", "<t>=A1</t>"})
        EXPECT_NE(texte.find(name), std::string::npos) << name;
    for (const std::string& name : namen)
        EXPECT_EQ(Blatt(mappe, namen, name).find("<f>"), std::string::npos) << name;
    std::vector<std::string> dateien;
    for (const auto& e : fs::directory_iterator(ordner))
        dateien.push_back(e.path().filename().string());
    std::sort(dateien.begin(), dateien.end());
    EXPECT_EQ(dateien, (std::vector<std::string>{"namen.bandbreiten.csv", "namen.kvo", "namen.xlsx"}));
    fs::remove_all(ordner);
}

// More fields than a sheet has columns (two a field, 16384 in all) go on to
// the next sheet with their year column; none is cut.
TEST(Arbeitsmappe, FieldsBeyondASheetsColumnsContinueOnTheNextSheet)
{
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    doc.m_iProjektstart = 2002;
    doc.m_iProjektende = 2004;
    const int felder = 8191 + 2;
    doc.m_Feldreihen.resize(felder);
    for (int i = 0; i < felder; ++i) {
        doc.m_Feldreihen[static_cast<size_t>(i)].name = "F" + std::to_string(i + 1);
        doc.m_Feldreihen[static_cast<size_t>(i)].produktion[1] = static_cast<float>(i + 1);
    }
    const std::string mappe = (std::filesystem::temp_directory_path() / "kalvo_test_breit.xlsx").string();
    const CErgebnis<> geschrieben = ArbeitsmappeSchreiben(doc, mappe);
    ASSERT_TRUE(geschrieben) << geschrieben.Fehlertext();
    const std::vector<std::string> namen = Blaetter(mappe);
    EXPECT_EQ(namen, (std::vector<std::string>{"Zusammenfassung", "Felder", "Felder 2", "Eingaben", "Optionen"}));
    const std::string erstes = Blatt(mappe, namen, "Felder");
    const std::string zweites = Blatt(mappe, namen, "Felder 2");
    struct CFall {
        const std::string* blatt;
        const char* teil;
        bool da;
    };
    for (const CFall& f : {
             CFall{&erstes, "<c r=\"XFB3\" s=\"[0-9]+\"><v>8191</v>", true}, // field 8191's production in 2003
             CFall{&erstes, "<c r=\"XFD", false},                            // the last column stays empty
             CFall{&zweites, "<c r=\"A3\"><v>2003</v>", true},
             CFall{&zweites, "<c r=\"B3\" s=\"[0-9]+\"><v>8192</v>", true},
             CFall{&zweites, "<c r=\"D3\" s=\"[0-9]+\"><v>8193</v>", true},
             CFall{&zweites, "<c r=\"F", false},
         }) {
        SCOPED_TRACE(f.teil);
        EXPECT_EQ(std::regex_search(*f.blatt, std::regex(f.teil)), f.da);
    }
    std::filesystem::remove(mappe);
}
// --szenarien: the table after the report, the comparison sheet and one sheet
// a row ("0 Basis", "1 …"; a name is cleaned of the characters a sheet name
// may not hold and cut to 31), whose Ist is the table's row summed.
TEST(Arbeitsmappe, ScenariosGiveTheirTableAComparisonSheetAndASheetEach)
{
    const std::filesystem::path ordner = std::filesystem::temp_directory_path() / "kalvo_szenarien";
    std::filesystem::create_directories(ordner);
    std::filesystem::copy_file(KALVO_BEISPIEL, ordner / "Plan.kvo", std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(DateiAtomarSchreiben((ordner / "Plan.planung.json").string(), R"({
  "format": "kalvo-planung", "version": 1, "optionen": {"bedarf": true},
  "szenarien": [
    {"name": "Heidemoor später", "aenderungen": [{"feld": "Heidemoor", "groesse": "Startverzoegerung", "wert": 2}]},
    {"name": "Kleinfeld [klein]: ein sehr langer Name eines Szenarios", "aenderungen": [{"feld": "Kleinfeld", "groesse": "OGIP", "wert": 900}]}
  ]
}
)"));
    const std::string mappe = (ordner / "s.xlsx").string();
    std::ostringstream aus, fehler;
    ASSERT_EQ(KalvoBatch({"--szenarien", "--xlsx", mappe, (ordner / "Plan.kvo").string()}, aus, fehler), 0)
        << fehler.str();
    const std::string bericht = aus.str();
    EXPECT_NE(bericht.find("                 SZENARIEN (2002-2030)\n"), std::string::npos);
    EXPECT_NE(bericht.find("\n  Heidemoor später        27104.1    -294.6"), std::string::npos) << bericht;
    const std::vector<std::string> namen = Blaetter(mappe);
    const std::vector<std::string> erwartet = {"Zusammenfassung",
                                               "Felder",
                                               "Bedarf",
                                               "Szenarien",
                                               "0 Basis",
                                               "1 Heidemoor später",
                                               "2 Kleinfeld _klein__ ein sehr l",
                                               "Eingaben",
                                               "Optionen"};
    EXPECT_EQ(namen, erwartet);
    const std::string basis = Blatt(mappe, namen, "0 Basis");
    double summe = 0;
    const std::regex ist("<c r=\"B[0-9]+\" s=\"[0-9]+\"><v>([-0-9.e]+)</v>");
    for (auto it = std::sregex_iterator(basis.begin(), basis.end(), ist); it != std::sregex_iterator(); ++it) {
        const std::string text = (*it)[1];
        double wert = 0;
        std::from_chars(text.data(), text.data() + text.size(), wert);
        summe += wert;
    }
    EXPECT_NEAR(summe, 27398.7, 0.1);
    std::filesystem::remove_all(ordner);
}
#endif
