// The workbook export read back: sheet names, and the summary sheet's numbers
// against the report's.
#include "Testdaten.h"
#include "batch/CBatch.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
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
    ASSERT_EQ(KalvoBatch({"--bedarf", "--energie", "--deckung", "--xlsx", mappe, KALVO_BEISPIEL}, aus, fehler), 0)
        << fehler.str();

    const std::string buch = Teil(mappe, "xl/workbook.xml");
    std::vector<std::string> namen;
    const std::regex blattname("<sheet name=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(buch.begin(), buch.end(), blattname); it != std::sregex_iterator(); ++it)
        namen.push_back((*it)[1]);
    EXPECT_EQ(namen,
              (std::vector<std::string>{"Zusammenfassung", "Felder", "Bedarf", "Energie", "Deckung", "Eingaben"}));

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
    EXPECT_NE(Teil(mappe, "xl/charts/chart1.xml").find("Zusammenfassung"), std::string::npos);
    std::filesystem::remove(mappe);
}
#endif
