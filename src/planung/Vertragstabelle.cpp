#include "planung/Vertragstabelle.h"

#include "platform/Format.h"
#include "platform/Zahlregel.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr CZahlbereich kMenge{0, 1e9};
constexpr CZahlbereich kSpitzenfaktor{1, 100};
constexpr CZahlbereich kMonatsanteil{0, 100};
constexpr CZahlbereich kAnteil{0, 100};
constexpr CZahlbereich kBrennwert{1, 20}; // kWh/m³, as the plan file allows

const char* const kMonatsnamen[12] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                      "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

// A typed cell by the number rule and its range; the refusal names `wo`.
CErgebnis<double> Zelle(const std::string& text, const CZahlbereich& bereich, const std::string& wo)
{
    CErgebnis<double> z = ZahlImBereich(text, bereich);
    if (!z)
        return CFehler{wo + ": " + z.Fehlertext()};
    return z;
}

} // namespace

CErgebnis<CPlanung> NachDenRegeln(const CPlanung& plan, int projektstart, int projektende)
{
    CErgebnis<CPlanung> geprueft = PlanungLesen(PlanungText(plan), projektstart, projektende);
    if (geprueft)
        return geprueft;
    const std::string text = geprueft.Fehlertext();
    const size_t grund = text.find("“: ");
    if (grund == std::string::npos)
        return CFehler{text};
    const std::string warum = text.substr(grund + std::string("“: ").size());
    const std::string_view vertrag = "Planungsdatei, „vertraege[";
    size_t k = 0;
    if (text.starts_with(vertrag) &&
        std::from_chars(text.data() + vertrag.size(), text.data() + text.size(), k).ec == std::errc() &&
        k < plan.vertraege.size())
        return CFehler{"Vertrag „" + plan.vertraege[k].name + "“: " + warum};
    if (text.starts_with("Planungsdatei, „restfelder"))
        return CFehler{"Restfelder-Energie: " + warum};
    const std::string_view szenario = "Planungsdatei, „szenarien[";
    if (text.starts_with(szenario) &&
        std::from_chars(text.data() + szenario.size(), text.data() + text.size(), k).ec == std::errc() &&
        k < plan.szenarien.size())
        return CFehler{"Szenario „" + plan.szenarien[k].name + "“: " + warum};
    return CFehler{text};
}

std::string Tabellenzahl(double wert)
{
    // The fewest decimals that read back as the value.
    std::string text = Format("%.17g", wert);
    for (int stellen = 0; stellen <= 15; ++stellen) {
        const std::string kurz = Format("%.*f", stellen, wert);
        if (double zurueck = 0; LiesDouble(kurz, zurueck) && zurueck == wert) {
            text = kurz;
            break;
        }
    }
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

CVertragseingabe Vertragseingabe(const CPlanung& plan, int projektstart, int projektende)
{
    CVertragseingabe e;
    e.projektstart = projektstart;
    for (const CVertrag& v : plan.vertraege) {
        CVertragszeile z{v.name, GasartName(v.gasart), v.gwh ? "GWh" : "Mio m3", Tabellenzahl(v.spitzenfaktor), {}};
        if (v.monate != MonateNachTagen()) // by days: no shares
            for (size_t m = 0; m < 12; ++m)
                z.monate[m] = Tabellenzahl(v.monate[m]);
        e.vertraege.push_back(z);
    }
    for (long long jahr = projektstart; jahr <= projektende; ++jahr) {
        std::vector<std::string> zeile;
        for (const CVertrag& v : plan.vertraege) {
            const auto menge = v.mengen.find(static_cast<int>(jahr));
            zeile.push_back(menge == v.mengen.end() ? std::string() : Tabellenzahl(menge->second));
        }
        e.mengen.push_back(std::move(zeile));
    }
    return e;
}

CErgebnis<CPlanung> VertraegeUebernehmen(const CPlanung& plan, const CVertragseingabe& t, int projektstart,
                                         int projektende)
{
    CPlanung neu = plan;
    neu.vertraege.clear();
    for (size_t k = 0; k < t.vertraege.size(); ++k) {
        const CVertragszeile& z = t.vertraege[k];
        const std::string wo = "Vertrag „" + z.name + "“";
        CVertrag v;
        v.name = z.name;
        const std::optional<EGasart> gasart = GasartZu(z.gasart);
        if (!gasart)
            return CFehler{wo + ": die Gasart ist L oder H, nicht „" + Zitat(z.gasart) + "“."};
        v.gasart = *gasart;
        if (z.einheit != "GWh" && z.einheit != "Mio m3")
            return CFehler{wo + ": die Einheit ist GWh oder Mio m3, nicht „" + Zitat(z.einheit) + "“."};
        v.gwh = z.einheit == "GWh";
        const CErgebnis<double> faktor = Zelle(z.spitzenfaktor, kSpitzenfaktor, wo + ", Spitzenfaktor");
        if (!faktor)
            return CFehler{faktor.Fehlertext()};
        v.spitzenfaktor = *faktor;
        const auto leer = [](const std::string& zelle) { return ErstesWort(zelle).empty(); };
        const size_t leere = static_cast<size_t>(std::count_if(z.monate.begin(), z.monate.end(), leer));
        if (leere == 12)
            v.monate = MonateNachTagen();
        else if (leere > 0)
            return CFehler{wo + ": die Monatsanteile brauchen alle zwölf Monate (oder keinen: nach Tagen)."};
        for (size_t m = 0; m < 12 && leere == 0; ++m) {
            const CErgebnis<double> anteil = Zelle(z.monate[m], kMonatsanteil, wo + ", " + kMonatsnamen[m]);
            if (!anteil)
                return CFehler{anteil.Fehlertext()};
            v.monate[m] = *anteil;
        }
        for (size_t j = 0; j < t.mengen.size(); ++j) {
            const std::string& text = k < t.mengen[j].size() ? t.mengen[j][k] : std::string();
            if (ErstesWort(text).empty())
                continue;
            const int jahr = t.projektstart + static_cast<int>(j);
            const CErgebnis<double> menge = Zelle(text, kMenge, wo + Format(", %d", jahr));
            if (!menge)
                return CFehler{menge.Fehlertext()};
            v.mengen[jahr] = *menge;
        }
        neu.vertraege.push_back(std::move(v));
    }
    return NachDenRegeln(neu, projektstart, projektende);
}

CErgebnis<std::vector<std::vector<std::optional<double>>>> MengenblockLesen(std::string_view text)
{
    std::vector<std::vector<std::string>> zeilen;
    for (std::string_view rest = text; !rest.empty();) {
        const size_t ende = rest.find('\n');
        std::string zeile(rest.substr(0, ende));
        rest = ende == std::string_view::npos ? std::string_view() : rest.substr(ende + 1);
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.pop_back();
        std::vector<std::string> zellen;
        for (size_t von = 0;;) {
            const size_t bis = zeile.find_first_of("\t;", von);
            zellen.emplace_back(ErstesWort(zeile.substr(von, bis - von)).empty() ? std::string()
                                                                                 : zeile.substr(von, bis - von));
            if (bis == std::string::npos)
                break;
            von = bis + 1;
        }
        zeilen.push_back(std::move(zellen));
    }
    while (!zeilen.empty() &&
           std::all_of(zeilen.back().begin(), zeilen.back().end(), [](const std::string& z) { return z.empty(); }))
        zeilen.pop_back(); // the line end after the last line
    std::vector<std::string_view> alle;
    for (const auto& z : zeilen)
        alle.insert(alle.end(), z.begin(), z.end());
    const EZahlschreibung schreibung = Zahlschreibung(alle);
    // A first line is a heading only when it holds no number at all.
    const auto hatZahl = [](const std::vector<std::string>& z) {
        return std::any_of(z.begin(), z.end(), [](const std::string& c) {
            return ZahlLesen(c, EZahlschreibung::Dezimalpunkt) || ZahlLesen(c, EZahlschreibung::Dezimalkomma);
        });
    };
    const size_t erste = !zeilen.empty() && !hatZahl(zeilen.front()) ? 1 : 0;
    std::vector<std::vector<std::optional<double>>> block;
    for (size_t r = erste; r < zeilen.size(); ++r) {
        std::vector<std::optional<double>> zeile;
        for (size_t c = 0; c < zeilen[r].size(); ++c) {
            const std::string& zelle = zeilen[r][c];
            if (zelle.empty()) {
                zeile.emplace_back();
                continue;
            }
            const std::string wo = Format("Zeile %zu, Spalte %zu: „%s“ ", r + 1, c + 1, Zitat(zelle).c_str());
            if (const CErgebnis<float> z = ZahlLesen(zelle, schreibung); !z)
                return CFehler{wo + z.Fehlertext()};
            // The value in double precision: the block's spelling made plain.
            std::string plain(ErstesWort(zelle));
            if (schreibung == EZahlschreibung::Dezimalkomma)
                std::replace(plain.begin(), plain.end(), ',', '.');
            double wert = 0;
            if (!LiesDouble(plain, wert) || !kMenge.Enthaelt(wert))
                return CFehler{wo + "liegt nicht " + BereichText(kMenge) + "."};
            zeile.push_back(wert);
        }
        block.push_back(std::move(zeile));
    }
    if (block.empty())
        return CFehler{"Der Block enthält keine Menge."};
    return block;
}

std::array<CRestfeldzeile, 2> Restfeldeingabe(const CPlanung& plan)
{
    std::array<CRestfeldzeile, 2> t{};
    for (const CRestfeldanteil& a : plan.restfelder)
        t[a.gasart == EGasart::L ? 0 : 1] = {Tabellenzahl(a.anteil), Tabellenzahl(a.brennwert)};
    return t;
}

CErgebnis<CPlanung> RestfelderUebernehmen(const CPlanung& plan, const std::array<CRestfeldzeile, 2>& t,
                                          int projektstart, int projektende)
{
    CPlanung neu = plan;
    neu.restfelder.clear();
    for (size_t k = 0; k < 2; ++k) {
        const EGasart gasart = k == 0 ? EGasart::L : EGasart::H;
        const std::string wo = std::string(GasartName(gasart)) + "-Gas";
        if (ErstesWort(t[k].anteil).empty() && ErstesWort(t[k].brennwert).empty())
            continue;
        const CErgebnis<double> anteil = Zelle(t[k].anteil, kAnteil, wo + ", Anteil");
        if (!anteil)
            return CFehler{anteil.Fehlertext()};
        const CErgebnis<double> brennwert = Zelle(t[k].brennwert, kBrennwert, wo + ", Brennwert");
        if (!brennwert)
            return CFehler{brennwert.Fehlertext()};
        neu.restfelder.push_back({gasart, *anteil, *brennwert});
    }
    return NachDenRegeln(neu, projektstart, projektende);
}
