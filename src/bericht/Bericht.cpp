#include "bericht/Bericht.h"

#include "platform/Csv.h"
#include "platform/Format.h"

#include <algorithm>
#include <charconv>

const CTabelle* CBericht::TabelleNamens(const std::string& name) const
{
    for (const CTeil& t : m_Teile)
        if (const auto* tabelle = std::get_if<CTabelle>(&t); tabelle && tabelle->name == name)
            return tabelle;
    return nullptr;
}

std::vector<const CTabelle*> CBericht::TabellenNamens(const std::string& name) const
{
    std::vector<const CTabelle*> tabellen;
    for (const CTeil& t : m_Teile)
        if (const auto* tabelle = std::get_if<CTabelle>(&t); tabelle && tabelle->name == name)
            tabellen.push_back(tabelle);
    return tabellen;
}

std::string ZellenText(const CSpalte& s, const CZelle& z)
{
    if (z.leer && (s.art == ESpaltenart::Ganz || s.art == ESpaltenart::Zahl))
        return s.vor + std::string(static_cast<size_t>(s.breite), ' ');
    switch (s.art) {
    case ESpaltenart::Ganz: return s.vor + Format("%*d", s.breite, static_cast<int>(z.zahl));
    case ESpaltenart::Zahl: return s.vor + Format("%*.*f", s.breite, s.stellen, z.zahl);
    case ESpaltenart::Text: return s.vor + Linksbuendig(z.text, static_cast<size_t>(s.breite));
    case ESpaltenart::TextGenau: return s.vor + AufBreite(z.text, static_cast<size_t>(s.breite));
    case ESpaltenart::Anhang: return z.text.empty() ? std::string() : s.vor + z.text;
    }
    return {};
}

namespace {

std::string CsvZelle(const CSpalte& s, const CZelle& z)
{
    if (z.leer)
        return {};
    switch (s.art) {
    case ESpaltenart::Ganz: return Format("%d", static_cast<int>(z.zahl));
    case ESpaltenart::Zahl: {
        std::string zahl = Format("%.*f", s.stellen, z.zahl);
        std::replace(zahl.begin(), zahl.end(), '.', ',');
        return zahl;
    }
    default: return CsvText(z.text);
    }
}

} // namespace

std::string TabellenCsv(const CTabelle& t)
{
    std::string csv = "\xEF\xBB\xBF";
    for (size_t k = 0; k < t.spalten.size(); ++k) {
        const CSpalte& s = t.spalten[k];
        csv += (k ? ";" : "") + CsvText(s.einheit.empty() ? s.name : s.name + " (" + s.einheit + ")");
    }
    csv += "\r\n";
    for (const CTabellenzeile& z : t.zeilen) {
        if (z.zeile)
            continue;
        for (size_t k = 0; k < t.spalten.size(); ++k)
            csv += (k ? ";" : "") + (k < z.zellen.size() ? CsvZelle(t.spalten[k], z.zellen[k]) : std::string());
        csv += "\r\n";
    }
    return csv;
}

namespace {

// A row in the fixed-width text.
std::string ZeilenText(const CTabelle& t, const CTabellenzeile& zeile)
{
    if (zeile.zeile)
        return *zeile.zeile;
    std::string text;
    for (size_t k = 0; k < zeile.zellen.size() && k < t.spalten.size(); ++k)
        text += ZellenText(t.spalten[k], zeile.zellen[k]);
    return text;
}

} // namespace

std::vector<std::string> BerichtText(const CBericht& bericht, std::vector<std::vector<int>>* koepfe)
{
    std::vector<std::string> zeilen;
    const auto zeile = [&](std::string text, std::vector<int> kopf = {}) {
        zeilen.push_back(std::move(text));
        if (koepfe)
            koepfe->push_back(std::move(kopf));
    };
    for (const CBericht::CTeil& teil : bericht.Teile()) {
        if (const auto* text = std::get_if<std::string>(&teil)) {
            zeile(*text);
            continue;
        }
        const CTabelle& t = std::get<CTabelle>(teil);
        for (const std::string& z : t.titel)
            zeile(z);
        std::vector<int> kopf;
        for (const std::string& z : t.kopf) {
            kopf.push_back(static_cast<int>(zeilen.size()));
            zeile(z);
        }
        for (const CTabellenzeile& z : t.zeilen)
            zeile(ZeilenText(t, z), kopf);
    }
    return zeilen;
}

double KuerzesteZahl(double wert)
{
    const auto einfach = static_cast<float>(wert);
    if (!(double(einfach) == wert))
        return wert; // a double's own digits (or not finite)
    char text[32];
    const auto [ende, fehler] = std::to_chars(text, text + sizeof text, einfach);
    double kurz = wert;
    if (fehler == std::errc{})
        std::from_chars(text, ende, kurz);
    return kurz;
}
