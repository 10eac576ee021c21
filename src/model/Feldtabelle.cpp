#include "model/Feldtabelle.h"

#include "model/Feldregeln.h"
#include "platform/Cp1252.h"
#include "platform/Csv.h"
#include "platform/Format.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

// The header of the 65 columns, in the order of a record's values.
// clang-format off
constexpr std::array<const char*, 41> kKopf = {
    "Feld", "Startjahr",
    "H2S (mol-%)", "CO2 (mol-%)", "N2 (mol-%)", "CH4 (mol-%)", "C2H6 (mol-%)", "C3H8 (mol-%)",
    "iC4H10 (mol-%)", "nC4H10 (mol-%)", "iC5H12 (mol-%)", "nC5H12 (mol-%)", "C6H14 (mol-%)",
    "C7H16 (mol-%)", "C8H18 (mol-%)", "C9H20 (mol-%)", "C10H22 (mol-%)",
    "Lagerstättentemperatur (°C)", "Kopftemperatur (°C)", "OGIP (Mio m3)", "Initialdruck (bar)",
    "Horizont. Permeabilität (mD)", "Vert. Permeabilität (mD)", "Bankrechte Mächtigkeit (m)",
    "Erbohrte Mächtigkeit (m)", "Einflussradius (m)", "Lagerstättenteufe (m)", "Steigrohrdurchmesser (cm)",
    "Horizontalbohrlänge (m)", "Kum. Anfangsproduktion (Mio m3)", "Kopffließdruck (bar)", "Bohrungsanzahl",
    "Max. Entnahmerate (m3/h)", "Max. Wasserinvasion (%)", "Förderstunden je Jahr (h)",
    "Druck beim C-Wert (bar)", "Konsortialanteil (%)", "A1", "B1", "C-Wert", "Faktoren druckabhängig (0/1)",
};
constexpr std::array<const char*, 6> kStufenkopf = {
    "ab Jahr", "Förderstunden (h)", "Kopffließdruck (bar)", "Bohrungsanzahl", "C-Wert", "Konsortialanteil (%)",
};
// clang-format on

std::vector<std::string> Spalten()
{
    std::vector<std::string> s(kKopf.begin(), kKopf.end());
    for (int k = 1; k <= kAnzahlStufen; ++k)
        for (const char* t : kStufenkopf)
            s.push_back(Format("Stufe %d ", k) + t);
    return s;
}

} // namespace

std::string FeldtabelleCsv(const CFeldsaetze& felder)
{
    const std::vector<std::string> spalten = Spalten();
    std::string csv = "\xEF\xBB\xBF";
    for (size_t i = 0; i < spalten.size(); ++i)
        csv += (i ? ";" : "") + spalten[i];
    csv += "\r\n";
    for (const CFeldsatz& satz : felder) {
        // The record's own value texts: its white-space separated tokens.
        const std::vector<std::string_view> werte = Woerter(satz.Text());
        for (size_t i = 0; i < spalten.size(); ++i) {
            std::string zelle(i < werte.size() ? werte[i] : std::string_view());
            if (i > 0) // a German spreadsheet reads a decimal comma
                std::replace(zelle.begin(), zelle.end(), '.', ',');
            csv += (i ? ";" : "") + zelle;
        }
        csv += "\r\n";
    }
    return csv;
}

CErgebnis<CFeldsaetze> FeldtabelleLesen(std::string_view bytes)
{
    const std::string text = TextAusDatei(bytes);
    const std::vector<std::string> spalten = Spalten();
    std::vector<size_t> wo(spalten.size()); // the file's column of each value
    std::map<std::string, int> namen;       // field name → line
    CFeldsaetze felder;
    const std::vector<std::string_view> zeilen = CsvZeilen(text);
    for (int nr = 1; nr <= static_cast<int>(zeilen.size()); ++nr) {
        const std::vector<std::string_view> z = CsvZellen(zeilen[static_cast<size_t>(nr - 1)]);
        const auto fehler = [nr](const std::string& t) { return CFehler{Format("Zeile %d: ", nr) + t}; };
        if (nr == 1) {
            for (size_t i = 0; i < spalten.size(); ++i) {
                const auto it = std::find_if(z.begin(), z.end(), [&](std::string_view c) {
                    return KleinSchreibung(c) == KleinSchreibung(spalten[i]);
                });
                if (it == z.end())
                    return fehler("Die Spalte „" + spalten[i] + "“ fehlt.");
                wo[i] = static_cast<size_t>(it - z.begin());
            }
            continue;
        }
        if (std::all_of(z.begin(), z.end(), [](std::string_view c) { return c.empty(); }))
            continue;
        std::string satz;
        for (size_t i = 0; i < spalten.size(); ++i) {
            std::string zelle(wo[i] < z.size() ? z[wo[i]] : std::string_view());
            if (i == 0) {
                if (!FeldnameGueltig(zelle))
                    return fehler("Der Feldname „" + Anzeigename(zelle) + "“ ist leer oder enthält Leerzeichen.");
            } else {
                float wert = 0;
                if (!LiesEingabeFloat(zelle, wert))
                    return fehler("„" + spalten[i] + "“ („" + Anzeigename(zelle) + "“) ist keine Zahl.");
                std::replace(zelle.begin(), zelle.end(), ',', '.');
            }
            satz += (i ? " " : "") + zelle;
        }
        const std::string name = std::string(ErstesWort(satz));
        if (const auto [it, neu] = namen.try_emplace(name, nr); !neu)
            return fehler(Format("Das Feld %s steht schon in Zeile %d.", Anzeigename(name).c_str(), it->second));
        if (const CErgebnis<> lesbar = FeldsatzPruefen(satz); !lesbar)
            return fehler(lesbar.Fehlertext());
        CFeldsatz feld(satz);
        CErgebnis<> regel = FeldregelnPruefen(feld.Werte(), feld.Stufen());
        if (regel)
            regel = FaktorenPruefen(feld.Werte());
        if (!regel)
            return fehler(Anzeigename(name) + ": " + regel.Fehlertext());
        felder.push_back(std::move(feld));
    }
    return felder;
}
