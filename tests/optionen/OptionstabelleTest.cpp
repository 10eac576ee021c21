// The options of Kalvo as one table: what each sets, how each refuses
// a value, and the help text, the README and the report for the file that
// list them.

#include "optionen/Optionstabelle.h"
#include "Testdaten.h"
#include "doc/CKalvoDoc.h"
#include "optionen/Handbuch.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

namespace {

std::string Aufruf(const std::vector<std::string>& args)
{
    std::string text;
    for (const std::string& a : args)
        text += (text.empty() ? "" : " ") + a;
    return text;
}

std::set<std::string> Namen()
{
    std::set<std::string> namen;
    for (const COption& option : Optionstabelle())
        namen.insert(option.name);
    return namen;
}

} // namespace

// A row per option: the arguments (the file a.kvo follows them) and the
// fields they set; every other field keeps its default.
TEST(Optionen, EachOptionSetsItsOwnField)
{
    struct CFall {
        std::vector<std::string> args;
        std::function<void(COptionen&)> erwartet;
    };
    const std::vector<CFall> faelle = {
        {{"--detail"}, [](COptionen& o) { o.detail = true; }},
        {{"--reserven"}, [](COptionen& o) { o.reserven = true; }},
        {{"--rate"}, [](COptionen& o) { o.rate = true; }},
        {{"--einzelfeld", "Süd"}, [](COptionen& o) { o.einzelfeld = "Süd"; }},
        {{"--ende", "2010"}, [](COptionen& o) { o.ende = 2010; }},
        {{"--ende", "9999"}, [](COptionen& o) { o.ende = 9999; }},
        {{"--deckung"}, [](COptionen& o) { o.deckung = true; }},
        {{"--bedarf"}, [](COptionen& o) { o.bedarf = true; }},
        {{"--soll-konstant", "2,5"}, [](COptionen& o) { o.sollKonstant = 2.5f; }},
        {{"--soll-konstant", "1250.75"}, [](COptionen& o) { o.sollKonstant = 1250.75f; }},
        {{"--energie"}, [](COptionen& o) { o.energie = true; }},
        {{"--eigenverbrauch", "2.5"}, [](COptionen& o) { o.eigenverbrauch = 2.5; }},
        {{"--eigenverbrauch", "99,9"}, [](COptionen& o) { o.eigenverbrauch = 99.9; }},
        {{"--eigenverbrauch", "0"}, [](COptionen& o) { o.eigenverbrauch = 0; }},
        {{"--planung", "p.json"}, [](COptionen& o) { o.planung = "p.json"; }},
        {{"--messungen", "m.csv"}, [](COptionen& o) { o.messungen = "m.csv"; }},
        {{"--ohne-planung"}, [](COptionen& o) { o.ohnePlanung = true; }},
        {{"--monate", "2027-2029"}, [](COptionen& o) { o.monate = std::pair(2027, 2029); }},
        {{"--monate", "2027"}, [](COptionen& o) { o.monate = std::pair(2027, 2027); }},
        {{"--bandbreiten", "b.csv", "--sensitivitaet"},
         [](COptionen& o) {
             o.bandbreiten = "b.csv";
             o.sensitivitaet = true;
         }},
        {{"--monte-carlo", "1000000", "--bandbreiten", "b.csv"},
         [](COptionen& o) {
             o.monteCarlo = 1000000;
             o.bandbreiten = "b.csv";
         }},
        {{"--monte-carlo", "5", "--p-soll", "--bandbreiten", "b.csv"},
         [](COptionen& o) {
             o.monteCarlo = 5;
             o.pSoll = true;
             o.bandbreiten = "b.csv";
         }},
        {{"--seed", "0"}, [](COptionen& o) { o.seed = 0; }},
        {{"--seed", "2147483647"}, [](COptionen& o) { o.seed = 2147483647; }},
        {{"--threads", "256"}, [](COptionen& o) { o.threads = 256; }},
        {{"--plateau", "1"}, [](COptionen& o) { o.plateau = 1; }},
        {{"--plateau", "10", "--plateau-ab", "2005"},
         [](COptionen& o) {
             o.plateau = 10;
             o.plateauAb = 2005;
         }},
        {{"--vergleich", "B.kvo"}, [](COptionen& o) { o.vergleich = "B.kvo"; }},
        {{"--csv", "a.csv"}, [](COptionen& o) { o.csv = "a.csv"; }},
        {{"--csv", "--detail"}, [](COptionen& o) { o.csv = "--detail"; }}, // a value is taken as it stands
        {{"--xlsx", "a.xlsx"}, [](COptionen& o) { o.xlsx = "a.xlsx"; }},
        {{"--felder-csv", "f.csv"}, [](COptionen& o) { o.felderCsv = "f.csv"; }},
        {{"--felder-aus", "f.csv"}, [](COptionen& o) { o.felderAus = "f.csv"; }},
        {{"--vorschlag", "FeldA", "--ende", "2010", "--eigenverbrauch", "3", "--felder-csv", "f.csv"},
         [](COptionen& o) {
             o.vorschlag = "FeldA";
             o.ende = 2010;
             o.eigenverbrauch = 3;
             o.felderCsv = "f.csv";
         }},
        {{"--grafik", "a.png"}, [](COptionen& o) { o.grafik = "a.png"; }},
        {{"--linien"}, [](COptionen& o) { o.linien = true; }},
        {{"--felder-einzeln"}, [](COptionen& o) { o.felderEinzeln = true; }},
        {{"--eine-achse"}, [](COptionen& o) { o.eineAchse = true; }},
        {{"--serien"}, [](COptionen& o) { o.serien = true; }},
        {{"--bericht-pdf", "b.pdf"}, [](COptionen& o) { o.berichtPdf = "b.pdf"; }},
        {{"--quer", "--bericht-pdf", "b.pdf"},
         [](COptionen& o) {
             o.quer = true;
             o.berichtPdf = "b.pdf";
         }},
        {{"--aktenbericht", "--bericht-pdf", "b.pdf"},
         [](COptionen& o) {
             o.aktenbericht = true;
             o.berichtPdf = "b.pdf";
         }},
        {{"--cp1252"}, [](COptionen& o) { o.cp1252 = true; }},
        {{"--szenarien"}, [](COptionen& o) { o.szenarien = true; }},
        {{"--version"}, [](COptionen& o) { o.version = true; }},
        {{"--help"}, [](COptionen& o) { o.hilfe = true; }},
        {{"-h"}, [](COptionen& o) { o.hilfe = true; }},
    };
    std::set<std::string> geprueft;
    for (const CFall& f : faelle) {
        std::vector<std::string> args = f.args;
        args.push_back("a.kvo");
        SCOPED_TRACE(Aufruf(args));
        COptionen gelesen, erwartet;
        erwartet.datei = "a.kvo";
        f.erwartet(erwartet);
        EXPECT_EQ(OptionenLesen(args, gelesen), "");
        EXPECT_TRUE(gelesen == erwartet);
        for (const std::string& a : f.args)
            if (const COption* option = OptionZu(a))
                geprueft.insert(option->name);
    }
    for (const std::string& name : Namen()) {
        EXPECT_TRUE(geprueft.count(name)) << name << " hat keine Zeile";
    }
}

// A row per refusal: the arguments and the message, word for word; the
// value refused is quoted.
TEST(Optionen, EachRefusalNamesTheOptionAndWhatItNeeds)
{
    struct CFall {
        std::vector<std::string> args;
        std::string meldung;
    };
    const std::vector<CFall> faelle = {
        {{}, "Keine Datei angegeben."},
        {{"a.kvo", "b.kvo"}, "Nur eine Datei angeben („a.kvo“ und „b.kvo“)."},
        {{"-x", "a.kvo"}, "Unbekannte Option „-x“."},
        {{"--Detail", "a.kvo"}, "Unbekannte Option „--Detail“."},
        {{"--ende"}, "--ende braucht ein Jahr (1 bis 9999)."},
        {{"--ende", "0", "a.kvo"}, "--ende braucht ein Jahr (1 bis 9999), nicht „0“."},
        {{"--ende", "10000", "a.kvo"}, "--ende braucht ein Jahr (1 bis 9999), nicht „10000“."},
        {{"--ende", "2010,5", "a.kvo"}, "--ende braucht ein Jahr (1 bis 9999), nicht „2010,5“."},
        {{"--monte-carlo", "0", "a.kvo"}, "--monte-carlo braucht eine Zahl von Läufen (1 bis 1000000), nicht „0“."},
        {{"--monte-carlo", "1000001", "a.kvo"},
         "--monte-carlo braucht eine Zahl von Läufen (1 bis 1000000), nicht „1000001“."},
        {{"--seed", "-1", "a.kvo"}, "--seed braucht eine ganze Zahl (0 oder mehr), nicht „-1“."},
        {{"--seed", "99999999999", "a.kvo"}, "--seed braucht eine ganze Zahl (0 oder mehr), nicht „99999999999“."},
        {{"--threads", "0", "a.kvo"}, "--threads braucht eine Zahl von Threads (1 bis 256), nicht „0“."},
        {{"--threads", "257", "a.kvo"}, "--threads braucht eine Zahl von Threads (1 bis 256), nicht „257“."},
        {{"--plateau", "0", "a.kvo"}, "--plateau braucht eine Zahl von Jahren (1 oder mehr), nicht „0“."},
        {{"--plateau", "2.5", "a.kvo"}, "--plateau braucht eine Zahl von Jahren (1 oder mehr), nicht „2.5“."},
        {{"--plateau"}, "--plateau braucht eine Zahl von Jahren (1 oder mehr)."},
        {{"--plateau-ab", "2005", "a.kvo"}, "--plateau-ab gilt nur mit --plateau."},
        {{"--soll-konstant", "-1", "a.kvo"}, "--soll-konstant braucht eine Menge in Mio m³ (0 oder mehr), nicht „-1“."},
        {{"--soll-konstant", "14.000", "a.kvo"},
         "--soll-konstant braucht eine Menge in Mio m³ (0 oder mehr), nicht „14.000“."},
        {{"--soll-konstant", "1e39", "a.kvo"}, // more than a float holds
         "--soll-konstant braucht eine Menge in Mio m³ (0 oder mehr), nicht „1e39“."},
        {{"--planung", "p.json", "--ohne-planung", "a.kvo"}, "--planung und --ohne-planung schließen einander aus."},
        {{"--monate"}, "--monate braucht Jahre VON-BIS (Jahre von 1 bis 9999, VON nicht nach BIS)."},
        {{"--monate", "2029-2027", "a.kvo"},
         "--monate braucht Jahre VON-BIS (Jahre von 1 bis 9999, VON nicht nach BIS), nicht „2029-2027“."},
        {{"--monate", "2027-", "a.kvo"},
         "--monate braucht Jahre VON-BIS (Jahre von 1 bis 9999, VON nicht nach BIS), nicht „2027-“."},
        {{"--monate", "2027,5", "a.kvo"},
         "--monate braucht Jahre VON-BIS (Jahre von 1 bis 9999, VON nicht nach BIS), nicht „2027,5“."},
        {{"--eigenverbrauch", "100", "a.kvo"},
         "--eigenverbrauch braucht einen Anteil in % (0 bis unter 100), nicht „100“."},
        {{"--eigenverbrauch", "14.000", "a.kvo"},
         "--eigenverbrauch braucht einen Anteil in % (0 bis unter 100), nicht „14.000“."},
        {{"--eigenverbrauch", "-0,5", "a.kvo"},
         "--eigenverbrauch braucht einen Anteil in % (0 bis unter 100), nicht „-0,5“."},
        {{"--bandbreiten"}, "--bandbreiten braucht einen Dateinamen."},
        {{"--bericht-pdf"}, "--bericht-pdf braucht einen Dateinamen."},
        {{"--einzelfeld"}, "--einzelfeld braucht einen Feldnamen."},
        {{"--vorschlag"}, "--vorschlag braucht einen Feldnamen."},
        {{"--quer", "a.kvo"}, "--quer gilt nur mit --bericht-pdf."},
        {{"--aktenbericht", "a.kvo"}, "--aktenbericht gilt nur mit --bericht-pdf."},
        {{"--aktenbericht", "--quer", "a.kvo"}, "--quer gilt nur mit --bericht-pdf."},
        {{"--help", "--quer"}, "--quer gilt nur mit --bericht-pdf."},
        {{"--p-soll", "a.kvo"}, "--p-soll gilt nur mit --monte-carlo."},
        {{"--sensitivitaet", "a.kvo"}, "--sensitivitaet und --monte-carlo brauchen --bandbreiten DATEI."},
        {{"--monte-carlo", "5", "a.kvo"}, "--sensitivitaet und --monte-carlo brauchen --bandbreiten DATEI."},
        {{"--bandbreiten", "b.csv", "a.kvo"}, "--bandbreiten gilt nur mit --sensitivitaet oder --monte-carlo."},
        {{"--reserven", "--monte-carlo", "5", "--bandbreiten", "b.csv", "a.kvo"},
         "--sensitivitaet und --monte-carlo gelten nicht mit --reserven."},
        {{"--reserven", "--plateau", "3", "a.kvo"},
         "--deckung, --vergleich, --bedarf und --plateau gelten nicht mit --reserven."},
        {{"--vorschlag", "F", "--energie", "a.kvo"},
         "--energie gilt nicht mit --vorschlag: der Vorschlag für A1, B1, C-Wert rechnet keine Prognose."},
        {{"--vorschlag", "F", "--bericht-pdf", "b.pdf", "a.kvo"},
         "--bericht-pdf gilt nicht mit --vorschlag: der Vorschlag für A1, B1, C-Wert rechnet keine Prognose."},
        {{"--vorschlag", "F", "--monte-carlo", "3", "--bandbreiten", "b.csv", "a.kvo"},
         "--monte-carlo gilt nicht mit --vorschlag: der Vorschlag für A1, B1, C-Wert rechnet keine Prognose."},
    };
    for (const CFall& f : faelle) {
        COptionen o;
        EXPECT_EQ(OptionenLesen(f.args, o), f.meldung) << Aufruf(f.args);
    }
}

// The rows themselves: one spelling each, a value where a refusal needs
// one, and room in the help text's first 19 columns for the option and its
// value, so that every help text starts in one column.
TEST(Optionen, EveryRowIsWellFormed)
{
    std::set<std::string> namen;
    for (const COption& option : Optionstabelle()) {
        SCOPED_TRACE(option.name);
        EXPECT_TRUE(namen.insert(option.name).second);
        EXPECT_EQ(std::string(option.name).substr(0, 2), "--");
        EXPECT_NE(option.setzen, nullptr);
        EXPECT_LE(std::string(option.name).size() + (*option.platzhalter ? 1 : 0) +
                      std::string(option.platzhalter).size(),
                  19u);
        const bool mitWert = option.art != EWertart::Schalter;
        EXPECT_EQ(*option.platzhalter != '\0', mitWert);
        EXPECT_EQ(*option.braucht != '\0', mitWert);
        // The report for the file lists options of the calculation, not of its presentation.
        if (option.imAktenbericht) {
            EXPECT_TRUE(option.neuerLauf);
        }
        if (option.nurMit) {
            EXPECT_NE(OptionZu(option.nurMit), nullptr);
        }
        if (option.art == EWertart::GanzeZahl || option.art == EWertart::Zahl) {
            EXPECT_LT(option.bereich.min, option.bereich.max);
        }
    }
}

// --help lists every option in the table's order, each with its value.
TEST(Optionen, HelpListsEveryOptionInTheTablesOrder)
{
    const std::string hilfe = Hilfetext();
    EXPECT_EQ(hilfe.substr(0, 41), "Aufruf: kalvo-batch [Optionen] DATEI.kvo\n");
    size_t bis = 0;
    for (const COption& option : Optionstabelle()) {
        const std::string zeile =
            "\n  " + std::string(option.name) + (*option.platzhalter ? " " : "") + option.platzhalter + " ";
        const size_t stelle = hilfe.find(zeile, bis);
        EXPECT_NE(stelle, std::string::npos) << option.name;
        bis = stelle == std::string::npos ? bis : stelle;
    }
    EXPECT_EQ(hilfe.back(), '\n');
}

// The README's table of options (after the call "kalvo-batch [Optionen]
// DATEI.kvo") names the options the program takes, no more, no fewer.
// The manual page's options: every row of the table, its call in bold, its
// placeholder in italics, its help as one paragraph, roff's minus signs
// escaped so that a copied "--bedarf" stays two hyphens.
TEST(Optionen, TheManualPageListsEveryOptionWithItsHelp)
{
    const std::string seite = HandbuchSeite("Kalvo @VERSION@\n@OPTIONEN@\nENDE\n", "2.0");
    EXPECT_EQ(seite.rfind("Kalvo 2.0\n.TP\n", 0), 0u);
    EXPECT_EQ(seite.substr(seite.size() - 5), "ENDE\n");
    const struct {
        const char* zeilen;
    } faelle[] = {{".TP\n\\fB\\-\\-bedarf\\fR\nFörderung nach Bedarf: die Felder fördern höchstens Soll minus "
                   "Restfelder (ein gemeinsamer Faktor je Jahr); Tabelle nach dem Bericht\n"},
                  {".TP\n\\fB\\-\\-monte\\-carlo\\fR \\fIN\\fR\n"},
                  {".TP\n\\fB\\-\\-help\\fR, \\fB\\-h\\fR\ndiese Hilfe\n"}};
    for (const auto& f : faelle)
        EXPECT_NE(seite.find(f.zeilen), std::string::npos) << f.zeilen;
    size_t absaetze = 0;
    for (size_t stelle = 0; (stelle = seite.find(".TP\n", stelle)) != std::string::npos; ++stelle)
        ++absaetze;
    EXPECT_EQ(absaetze, Optionstabelle().size());
    for (const COption& option : Optionstabelle()) {
        std::string roff;
        for (const char c : std::string_view(option.name))
            roff += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(seite.find("\\fB" + roff + "\\fR"), std::string::npos) << option.name;
    }
}

TEST(Optionen, TheReadmeListsTheOptionsOfTheTable)
{
    std::istringstream readme(DateiInhalt(KALVO_README));
    std::set<std::string> gelistet;
    bool aufruf = false, tabelle = false;
    for (std::string zeile; std::getline(readme, zeile);) {
        if (!aufruf) {
            aufruf = zeile.find("kalvo-batch [Optionen] DATEI.kvo") != std::string::npos;
            continue;
        }
        if (zeile.rfind("|", 0) != 0) {
            if (tabelle)
                break; // the line after the table
            continue;
        }
        tabelle = true;
        const std::string spalte = zeile.substr(0, zeile.find('|', 1)); // "| `--seed S`, `--threads T` "
        for (size_t p = 0; (p = spalte.find("`--", p)) != std::string::npos;) {
            const size_t ende = spalte.find_first_of(" `", p + 1);
            gelistet.insert(spalte.substr(p + 1, ende - p - 1));
            p = ende;
        }
    }
    ASSERT_TRUE(tabelle) << "keine Optionstabelle im README";
    EXPECT_EQ(gelistet, Namen());
}

// The options of the calculation that the report for the file lists
// ("EINHEITEN, BEZUGSZUSTAND UND OPTIONEN") are those the table marks, under
// the table's labels; a study's settings stand there when it was made.
TEST(Optionen, TheReportForTheFileListsTheMarkedOptions)
{
    std::set<std::string> markiert;
    for (const COption& option : Optionstabelle())
        if (option.imAktenbericht)
            markiert.insert(option.imAktenbericht);
    CStilleMeldungen m;
    CKalvoDoc doc(m);
    // A document with every study's answer, so that each of their settings is listed.
    doc.m_fSollKonstant = 500;
    doc.m_sBandbreitenDatei = "Beispiel.bandbreiten.csv";
    CUnsicherheit u;
    u.laeufe = 10;
    doc.m_Unsicherheit = u;
    CPlateau plateau;
    plateau.menge = 956.3;
    plateau.erstesJahr = 2002;
    plateau.letztesJahr = 2011;
    plateau.gehaltenBis = 2013;
    doc.m_Plateaus = {plateau};
    doc.m_iMonateVon = 2003;
    doc.m_iMonateBis = 2004;
    CPlanung plan;
    plan.messungen["Heidemoor"] = {{"2019", 250, 3000}, {"2021", 230, 4000}};
    doc.PlanungSetzen(plan);
    doc.m_sPlanungsdatei = "Beispiel.planung.json";
    ASSERT_TRUE(doc.VarianteLaden(KALVO_BEISPIEL));
    const std::vector<std::string> anhang = doc.Berichtsanhang();
    // The options' lines: from the first that names a marked option to the
    // next empty line; each holds "Name: Wert" parts three blanks apart.
    const auto nenntOption = [&](const std::string& zeile) {
        for (const std::string& name : markiert)
            if (zeile.find("  " + name + ": ") != std::string::npos)
                return true;
        return false;
    };
    auto zeile = std::find_if(anhang.begin(), anhang.end(), nenntOption);
    std::set<std::string> gelistet;
    for (; zeile != anhang.end() && !zeile->empty(); ++zeile) {
        std::string_view rest = *zeile;
        while (!rest.empty()) {
            rest.remove_prefix(std::min(rest.find_first_not_of(' '), rest.size()));
            const size_t ende = std::min(rest.find("   "), rest.size());
            const std::string_view teil = rest.substr(0, ende);
            const size_t doppelpunkt = teil.find(": ");
            EXPECT_NE(doppelpunkt, std::string_view::npos) << teil;
            if (doppelpunkt != std::string_view::npos)
                gelistet.insert(std::string(teil.substr(0, doppelpunkt)));
            rest.remove_prefix(ende);
        }
    }
    EXPECT_EQ(gelistet, markiert);
}

// The desktop's menu entries come from the table: each has its status tip; a
// switch keeps its state in a setting of its own or in the document's plan;
// a number's dialog takes the option's range.
TEST(Optionen, MenuEntriesHaveATipASettingOfTheirOwnAndTheOptionsRange)
{
    std::set<std::string> einstellungen;
    int eintraege = 0;
    for (const COption& o : Optionstabelle()) {
        if (!o.menue.text)
            continue;
        ++eintraege;
        ASSERT_TRUE(o.menue.hinweis) << o.name;
        EXPECT_FALSE(std::string(o.menue.hinweis).empty()) << o.name;
        if (o.art == EWertart::Schalter) {
            EXPECT_NE(o.menue.einstellung == nullptr, o.menue.plan == nullptr) << o.name;
        }
        if (o.menue.einstellung) {
            EXPECT_TRUE(einstellungen.insert(o.menue.einstellung).second) << o.name;
        }
        if (o.menue.plan) {
            EXPECT_TRUE(o.neuerLauf || o.art == EWertart::Schalter) << o.name;
        }
    }
    EXPECT_EQ(eintraege, 8);
    const struct {
        double wert;
        bool genommen;
    } eigenverbrauch[] = {{0, true}, {2.5, true}, {99.9, true}, {100, false}, {-0.1, false}};
    for (const auto& f : eigenverbrauch)
        EXPECT_EQ(Option("--eigenverbrauch").bereich.Enthaelt(f.wert), f.genommen) << f.wert;
    EXPECT_FALSE(Option("--plateau").bereich.Enthaelt(2.5));
    EXPECT_TRUE(Option("--plateau").bereich.Enthaelt(10));
    EXPECT_THROW(Option("--gibt-es-nicht"), std::invalid_argument);
}
