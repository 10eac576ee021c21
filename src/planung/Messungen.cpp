#include "planung/Messungen.h"

#include "platform/Cp1252.h"
#include "platform/Csv.h"
#include "platform/Format.h"
#include "platform/Zahlregel.h"

#include <array>
#include <charconv>

namespace {

constexpr size_t kMaxZellen = 100; // a spreadsheet's own columns after the four
constexpr std::array<const char*, 4> kKopf = {"Feld", "Jahr", "Druck", "Kum"};

bool Ziffern(std::string_view t)
{
    return !t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos;
}

int Ganz(std::string_view t)
{
    int x = 0;
    std::from_chars(t.data(), t.data() + t.size(), x);
    return x;
}

bool Tag(int j, int m, int d)
{
    constexpr std::array<int, 12> tage = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool schalt = (j % 4 == 0 && j % 100 != 0) || j % 400 == 0;
    return j >= 1900 && j <= 2200 && m >= 1 && m <= 12 && d >= 1 &&
           d <= (m == 2 && schalt ? 29 : tage.at(static_cast<size_t>(m - 1)));
}

// Whether a cell of the two number columns carries a decimal comma.
EZahlschreibung SchreibungDerDatei(const CCsvTabelle& t)
{
    for (size_t nr = 1; nr < t.size(); ++nr)
        for (size_t k = 2; k < 4 && k < t[nr].size(); ++k)
            if (HatDezimalkomma(t[nr][k]))
                return EZahlschreibung::Dezimalkomma;
    return EZahlschreibung::Dezimalpunkt;
}

} // namespace

std::string Messzeit(std::string_view t)
{
    t = CsvGetrimmt(t);
    if (t.size() == 4 && Ziffern(t))
        return Ganz(t) >= 1900 && Ganz(t) <= 2200 ? std::string(t) : std::string();
    if (t.size() == 10 && t[4] == '-' && t[7] == '-' && Ziffern(t.substr(0, 4)) && Ziffern(t.substr(5, 2)) &&
        Ziffern(t.substr(8, 2)))
        return Tag(Ganz(t.substr(0, 4)), Ganz(t.substr(5, 2)), Ganz(t.substr(8, 2))) ? std::string(t) : std::string();
    if (t.size() == 10 && t[2] == '.' && t[5] == '.' && Ziffern(t.substr(0, 2)) && Ziffern(t.substr(3, 2)) &&
        Ziffern(t.substr(6, 4)) && Tag(Ganz(t.substr(6, 4)), Ganz(t.substr(3, 2)), Ganz(t.substr(0, 2))))
        return std::string(t.substr(6, 4)) + "-" + std::string(t.substr(3, 2)) + "-" + std::string(t.substr(0, 2));
    return {};
}

CErgebnis<CMessungen> MessungenLesen(std::string_view bytes)
{
    const std::string text = TextAusDatei(bytes);
    const CErgebnis<CCsvTabelle> tabelle = CsvTabelle(text, kMaxZellen);
    if (!tabelle)
        return CFehler{tabelle.Fehlertext()};
    const CCsvTabelle& t = *tabelle;
    bool kopfStimmt = !t.empty() && t[0].size() >= 4;
    for (size_t k = 0; kopfStimmt && k < kKopf.size(); ++k)
        kopfStimmt = KleinSchreibung(CsvGetrimmt(t[0][k])) == KleinSchreibung(kKopf[k]);
    if (!kopfStimmt)
        return CFehler{"Zeile 1: Die Kopfzeile muss „Feld;Jahr;Druck;Kum“ lauten."};
    const EZahlschreibung schreibung = SchreibungDerDatei(t);
    CMessungen messungen;
    for (size_t nr = 2; nr <= t.size(); ++nr) {
        const std::vector<std::string>& z = t[nr - 1];
        const auto fehler = [nr](const std::string& grund) { return CFehler{Format("Zeile %zu: ", nr) + grund}; };
        if (CsvLeer(z))
            continue;
        if (z.size() < 4)
            return fehler("Es fehlen Angaben; erwartet werden Feld;Jahr;Druck;Kum.");
        const std::string feld(CsvGetrimmt(z[0]));
        if (feld.empty())
            return fehler("Der Feldname fehlt.");
        CMessung m;
        m.zeit = Messzeit(z[1]);
        if (m.zeit.empty())
            return fehler("„Jahr“ („" + Zitat(z[1]) + "“) ist kein Jahr (1900 bis 2200) und kein Datum.");
        const CErgebnis<double> druck = GenaueZahlLesen(z[2], schreibung);
        if (!druck)
            return fehler("„Druck“ („" + Zitat(z[2]) + "“) " + druck.Fehlertext());
        if (!(*druck > 0 && *druck <= 1000))
            return fehler("„Druck“ („" + Zitat(z[2]) + "“) liegt nicht im Bereich über 0 bis 1000 bar.");
        const CErgebnis<double> kum = GenaueZahlLesen(z[3], schreibung);
        if (!kum)
            return fehler("„Kum“ („" + Zitat(z[3]) + "“) " + kum.Fehlertext());
        if (!(*kum >= 0 && *kum <= 1e9))
            return fehler("„Kum“ („" + Zitat(z[3]) + "“) liegt nicht im Bereich von 0 bis 1000000000 Mio m³.");
        m.druck = *druck;
        m.kum = *kum;
        messungen[feld].push_back(m);
    }
    if (messungen.empty())
        return CFehler{"Die Datei enthält keine Messung."};
    return messungen;
}
