#include "planung/Szenariotabelle.h"

#include "planung/Vertragstabelle.h"
#include "platform/Format.h"
#include "platform/Zahlregel.h"

namespace {

using EArt = CSzenarioaenderung::EArt;

// The range of a change's value, as the plan file allows it.
CZahlbereich Wertebereich(EArt art)
{
    switch (art) {
    case EArt::Anlage: return {0, 1e9};
    case EArt::Vertrag: return {0, 100};
    default: return {-1e9, 1e9};
    }
}

CErgebnis<CSzenarioaenderung> Aenderung(const CAenderungszeile& z, const std::string& wo)
{
    CSzenarioaenderung a;
    size_t art = 0;
    while (art < std::size(kAenderungsarten) && z.art != kAenderungsarten[art])
        ++art;
    if (art == std::size(kAenderungsarten))
        return CFehler{wo + ": „" + Zitat(z.art) + "“ ist keine Änderung (Feld, Anlage, Verteilung oder Vertrag)."};
    a.art = static_cast<EArt>(art);
    a.name = z.name;
    if (a.art == EArt::Verteilung) {
        const std::optional<EVerteilung> v = VerteilungZu(z.name);
        if (!v)
            return CFehler{wo + ": unbekannte Verteilung „" + Zitat(z.name) +
                           "“ (lieferbar, reserven, rang oder plateau)."};
        a.verteilung = *v;
        a.name.clear();
        return a;
    }
    if (a.name.empty())
        return CFehler{wo + ": der Name fehlt."};
    if (a.art == EArt::Feld) {
        if (z.groesse.empty())
            return CFehler{wo + ": die Größe fehlt."};
        a.groesse = z.groesse;
    }
    const CErgebnis<double> wert = ZahlImBereich(z.wert, Wertebereich(a.art));
    if (!wert)
        return CFehler{wo + ": " + wert.Fehlertext()};
    a.wert = *wert;
    return a;
}

} // namespace

std::vector<CSzenarioeingabe> Szenarieneingabe(const CPlanung& plan)
{
    std::vector<CSzenarioeingabe> tabelle;
    for (const CSzenario& s : plan.szenarien) {
        CSzenarioeingabe e{s.name, s.datei, {}};
        for (const CSzenarioaenderung& a : s.aenderungen) {
            const std::string art = kAenderungsarten[static_cast<size_t>(a.art)];
            if (a.art == EArt::Verteilung)
                e.aenderungen.push_back({art, VerteilungName(a.verteilung), "", ""});
            else
                e.aenderungen.push_back({art, a.name, a.groesse, Tabellenzahl(a.wert)});
        }
        tabelle.push_back(std::move(e));
    }
    return tabelle;
}

CErgebnis<CPlanung> SzenarienUebernehmen(const CPlanung& plan, const std::vector<CSzenarioeingabe>& tabelle,
                                         int projektstart, int projektende)
{
    CPlanung neu = plan;
    neu.szenarien.clear();
    for (const CSzenarioeingabe& e : tabelle) {
        CSzenario s{e.name, {}, e.datei};
        for (size_t k = 0; k < e.aenderungen.size(); ++k) {
            const CAenderungszeile& z = e.aenderungen[k];
            if (z == CAenderungszeile{})
                continue; // an empty row is none
            const CErgebnis<CSzenarioaenderung> a =
                Aenderung(z, Format("Szenario „%s“, Zeile %zu", e.name.c_str(), k + 1));
            if (!a)
                return CFehler{a.Fehlertext()};
            s.aenderungen.push_back(*a);
        }
        if (!s.datei.empty() && !s.aenderungen.empty())
            return CFehler{"Szenario „" + e.name + "“: entweder ein Dokument oder Änderungen, nicht beides."};
        neu.szenarien.push_back(std::move(s));
    }
    return NachDenRegeln(neu, projektstart, projektende);
}
