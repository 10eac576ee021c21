#include "platform/Csv.h"

#include "platform/Format.h"

#include <algorithm>

std::string_view CsvGetrimmt(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '"'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '"' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string> CsvZellen(std::string_view zeile)
{
    std::vector<std::string> z;
    std::string zelle;
    bool zitiert = false;
    const auto fertig = [&] {
        z.emplace_back(CsvGetrimmt(zelle));
        zelle.clear();
    };
    for (size_t i = 0; i < zeile.size(); ++i) {
        const char c = zeile[i];
        if (zitiert && c == '"' && i + 1 < zeile.size() && zeile[i + 1] == '"')
            zelle += zeile[++i];
        else if (c == '"')
            zitiert = !zitiert;
        else if (c == ';' && !zitiert)
            fertig();
        else
            zelle += c;
    }
    fertig();
    return z;
}

size_t CsvHoechstensZellen(std::string_view zeile)
{
    return static_cast<size_t>(std::count(zeile.begin(), zeile.end(), ';')) + 1;
}

CErgebnis<CCsvTabelle> CsvTabelle(std::string_view text, size_t hoechstens)
{
    const std::vector<std::string_view> zeilen = CsvZeilen(text);
    for (size_t nr = 0; nr < zeilen.size(); ++nr)
        if (CsvHoechstensZellen(zeilen[nr]) > hoechstens)
            return CFehler{Format("Zeile %zu: Die Zeile hat mehr als %zu Spalten.", nr + 1, hoechstens)};
    CCsvTabelle tabelle;
    tabelle.reserve(zeilen.size());
    for (std::string_view zeile : zeilen)
        tabelle.push_back(CsvZellen(zeile));
    return tabelle;
}

bool CsvLeer(const std::vector<std::string>& zellen)
{
    return std::all_of(zellen.begin(), zellen.end(), [](const std::string& c) { return c.empty(); });
}

std::string CsvText(const std::string& text)
{
    std::string zelle = text;
    if (!zelle.empty() && std::string_view("=+-@\t\r").find(zelle.front()) != std::string_view::npos)
        zelle.insert(zelle.begin(), '\'');
    if (zelle.find_first_of(";\"\r\n") == std::string::npos)
        return zelle;
    std::string zitiert = "\"";
    for (char c : zelle) {
        if (c == '"')
            zitiert += '"';
        zitiert += c;
    }
    return zitiert + "\"";
}

std::string_view CsvTextLesen(std::string_view zelle)
{
    if (zelle.size() > 1 && zelle[0] == '\'' && std::string_view("=+-@").find(zelle[1]) != std::string_view::npos)
        zelle.remove_prefix(1);
    return zelle;
}

std::vector<std::string_view> CsvZeilen(std::string_view text)
{
    std::vector<std::string_view> zeilen;
    for (size_t von = 0; von < text.size();) {
        size_t bis = text.find('\n', von);
        if (bis == std::string_view::npos)
            bis = text.size();
        zeilen.push_back(text.substr(von, bis - von));
        von = bis + 1;
    }
    return zeilen;
}

std::string KleinSchreibung(std::string_view s)
{
    std::string k(s);
    std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return k;
}
