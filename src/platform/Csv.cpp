#include "platform/Csv.h"

#include <algorithm>

std::string_view CsvGetrimmt(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '"'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '"' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> CsvZellen(std::string_view zeile)
{
    std::vector<std::string_view> z;
    size_t von = 0;
    for (size_t bis; (bis = zeile.find(';', von)) != std::string_view::npos; von = bis + 1)
        z.push_back(CsvGetrimmt(zeile.substr(von, bis - von)));
    z.push_back(CsvGetrimmt(zeile.substr(von)));
    return z;
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
