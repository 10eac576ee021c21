// Golden outputs: every figure kalvo-batch prints for the sample portfolios,
// compared byte for byte with the files in tests/golden/<sample>/. A change
// of a figure is made on purpose with
//     make golden
// which rewrites the files (KALVO_GOLDEN=schreiben); the diff is then
// reviewed like code.

#include "Testdaten.h"
#include "batch/CBatch.h"
#include "doc/CKalvoDoc.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct CFall {
    std::string name;              // file name in the golden folder, without .txt
    std::vector<std::string> args; // kalvo-batch options before the sample
    bool csv = false;              // compare the CSV file instead of stdout
};

bool Schreiben()
{
    const char* modus = std::getenv("KALVO_GOLDEN");
    return modus && std::string(modus) == "schreiben";
}

std::vector<std::string> Zeilen(const std::string& text)
{
    std::vector<std::string> z;
    std::istringstream in(text);
    for (std::string zeile; std::getline(in, zeile);)
        z.push_back(zeile);
    return z;
}

// The first line where the two texts differ, for the failure message.
std::string ErsterUnterschied(const std::string& soll, const std::string& ist)
{
    const auto a = Zeilen(soll), b = Zeilen(ist);
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string sa = i < a.size() ? a[i] : "(Ende)", sb = i < b.size() ? b[i] : "(Ende)";
        if (sa != sb)
            return Format("Zeile %zu\n  erwartet: %s\n  erhalten: %s", i + 1, sa.c_str(), sb.c_str());
    }
    return "gleiche Zeilen, andere Bytes (Zeilenende?)";
}

void Vergleichen(const fs::path& datei, const std::string& ist)
{
    if (Schreiben()) {
        if (ist.empty() && datei.extension() == ".meldungen")
            fs::remove(datei);
        else
            ASSERT_TRUE(DateiAtomarSchreiben(datei.string(), ist));
        return;
    }
    if (!fs::exists(datei) && datei.extension() == ".meldungen") {
        EXPECT_EQ(ist, "") << datei.string() << ": unerwartete Meldungen";
        return;
    }
    std::string soll = DateiInhalt(datei.string());
    EXPECT_TRUE(soll == ist) << datei.string() << " weicht ab, " << ErsterUnterschied(soll, ist);
}

// The variant every sample is compared with: the first sample with two more
// wells in one field and a later start of another.
const std::string kVariante = (fs::path(KALVO_BEISPIELE) / "Beispiel_Variante.kvo").string();

// The cases of one sample: every mode of the report, the chart data, the
// CSV table, coverage and comparison, one single-field run and the proposal
// of every field.
std::vector<CFall> Faelle(const std::string& beispiel, const std::vector<std::string>& einzelfelder)
{
    std::vector<CFall> f = {{"zusammenfassung", {}},
                            {"detail", {"--detail"}},
                            {"reserven", {"--reserven"}},
                            {"rate", {"--rate"}},
                            {"serien", {"--serien"}},
                            {"serien_rate_linien", {"--serien", "--rate", "--linien"}},
                            {"serien_reserven", {"--serien", "--reserven"}},
                            {"tabelle", {"--csv"}, true},
                            {"tabelle_rate", {"--rate", "--csv"}, true},
                            {"deckung", {"--deckung"}},
                            {"deckung_rate", {"--deckung", "--rate"}},
                            {"vergleich", {"--deckung", "--vergleich", kVariante}},
                            {"vergleich_rate", {"--rate", "--vergleich", kVariante}}};
    for (const auto& name : einzelfelder)
        f.push_back({"einzelfeld_" + name, {"--detail", "--einzelfeld", name}});
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    EXPECT_TRUE(doc.Laden(DateiInhalt(beispiel)));
    for (const auto& satz : doc.m_saFelder) {
        const std::string name(satz.Name());
        f.push_back({"vorschlag_" + name, {"--vorschlag", name}});
    }
    return f;
}

void GoldenPruefen(const std::string& sample, const std::vector<std::string>& einzelfelder)
{
    const fs::path beispiel = fs::path(KALVO_BEISPIELE) / (sample + ".kvo");
    const fs::path ordner = fs::path(KALVO_GOLDEN) / sample;
    if (Schreiben())
        fs::create_directories(ordner);
    const fs::path csv = fs::temp_directory_path() / ("kalvo_golden_" + sample + ".csv");
    for (CFall fall : Faelle(beispiel.string(), einzelfelder)) {
        SCOPED_TRACE(fall.name);
        if (fall.csv)
            fall.args.push_back(csv.string());
        fall.args.push_back(beispiel.string());
        std::ostringstream aus, fehler;
        const int status = KalvoBatch(fall.args, aus, fehler);
        std::string ist = aus.str();
        if (fall.csv) {
            ist.clear();
            ist = DateiInhalt(csv.string());
        }
        Vergleichen(ordner / (fall.name + ".txt"), Format("Rückgabewert %d\n", status) + ist);
        Vergleichen(ordner / (fall.name + ".meldungen"), fehler.str());
    }
    fs::remove(csv);
}

} // namespace

TEST(Golden, BeispielEveryFigureAsPinned)
{
    GoldenPruefen("Beispiel", {"Emsland_Tief"});
}

// The paths the first sample does not take: a field that runs dry, strong
// water drive, a capped pressure-dependent field, a field after the project
// end, a share of 0, profiles beyond the project, a 40-year project.
TEST(Golden, GrenzfaelleEveryFigureAsPinned)
{
    GoldenPruefen("Grenzfaelle", {"Wiesengrund", "Nordrand_Neu"});
}
