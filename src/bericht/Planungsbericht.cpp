#include "bericht/Planungsbericht.h"

#include "platform/Format.h"
#include "summary/Planungstabellen.h"

#include <cmath>

namespace {

using A = ESpaltenart;

CSpalte Jahr()
{
    return {"Jahr", "", A::Ganz, "  ", 4, 0};
}

// A column of the year tables: " %11.1f".
CSpalte Menge(std::string name, const std::string& einheit)
{
    return {std::move(name), einheit, A::Zahl, " ", 11, 1};
}

std::string ErsteUnterdeckung(const CJahreswerte& w)
{
    for (int i = 0; i < w.anzahl; ++i)
        if (Unterdeckung(w, i))
            return Format("%d", w.start + i);
    return "keine";
}

} // namespace

void DeckungBericht(CBericht& b, const CJahreswerte& w, bool rate)
{
    const std::string e = rate ? "m³/h" : "Mio m³";
    CTabelle t;
    t.name = "Deckung";
    t.titel = {"", "                 DECKUNG DES VERKAUFSPROFILS", ""};
    t.kopf = {rate ? "  JAHR         IST        SOLL  IST - SOLL"
                   : "  JAHR         IST        SOLL  IST - SOLL  FEHLMENGE KUM.",
              ""};
    t.spalten = {Jahr(), Menge("Ist", e), Menge("Soll", e), Menge("Ist − Soll", e)};
    if (!rate)
        t.spalten.push_back(Menge("Fehlmenge kum.", e));
    double fehlmenge = 0;
    int ersteUnterdeckung = 0;
    bool unterdeckt = false;
    for (int i = 0; i < w.anzahl; ++i) {
        if (Unterdeckung(w, i)) {
            fehlmenge += w.soll[i] - w.ist[i];
            if (!unterdeckt)
                ersteUnterdeckung = w.start + i;
            unterdeckt = true;
        }
        // A year produced to the demand within its tolerance shows no difference (not "-0.0").
        double differenz = w.ist[i] - w.soll[i];
        if (w.toleranz > 0 && std::fabs(differenz) < w.Toleranz(i))
            differenz = 0;
        std::vector<CZelle> z = {{double(w.start + i), {}}, {w.ist[i], {}}, {w.soll[i], {}}, {differenz, {}}};
        if (!rate)
            z.push_back({fehlmenge, {}});
        t.Zeile(std::move(z));
    }
    b.Tabelle(std::move(t));
    b.Zeile("");
    b.Zeile(unterdeckt ? Format("  Erste Unterdeckung: %d", ersteUnterdeckung) : "  Keine Unterdeckung");
}

std::vector<std::string> DeckungTabelle(const CJahreswerte& w, bool rate)
{
    return Teilbericht(DeckungBericht, w, rate);
}

std::string UnterdeckungMengeUndRate(const CJahreswerte& menge, const CJahreswerte& rate)
{
    return "  Erste Unterdeckung Menge: " + ErsteUnterdeckung(menge) + "   Rate: " + ErsteUnterdeckung(rate);
}

void VergleichBericht(CBericht& b, const std::string& nameA, const CJahreswerte& a, const std::string& nameB,
                      const CJahreswerte& werteB, bool rate)
{
    const std::string e = rate ? "m³/h" : "Mio m³";
    CTabelle t;
    t.name = "Vergleich";
    t.titel = {"", "                 VERGLEICH DER VARIANTEN", "   A: " + nameA, "   B: " + nameB, ""};
    t.kopf = {"  JAHR       IST A       IST B       B - A      SOLL A", ""};
    t.spalten = {Jahr(), Menge("Ist A", e), Menge("Ist B", e), Menge("B − A", e), Menge("Soll A", e)};
    for (int i = 0; i < a.anzahl; ++i) {
        const int jahr = a.start + i;
        double istB = 0;
        werteB.IstImJahr(jahr, istB);
        t.Zeile({{double(jahr), {}}, {a.ist[i], {}}, {istB, {}}, {istB - a.ist[i], {}}, {a.soll[i], {}}});
    }
    b.Tabelle(std::move(t));
}

std::vector<std::string> VergleichTabelle(const std::string& nameA, const CJahreswerte& a, const std::string& nameB,
                                          const CJahreswerte& werteB, bool rate)
{
    return Teilbericht(VergleichBericht, nameA, a, nameB, werteB, rate);
}

void SensitivitaetBericht(CBericht& b, const CSensitivitaetsErgebnis& s)
{
    const std::string e = s.plateau ? "Mio m³/a" : "Mio m³";
    CTabelle t;
    t.name = "Sensitivitaet";
    t.titel = {"",
               Format("                 SENSITIVITAET (%s %d-%d)",
                      s.plateau ? "HOECHSTES PLATEAU" : "KUMULIERTE IST-PRODUKTION", s.erstesJahr, s.letztesJahr),
               ""};
    t.kopf = {"  FELD               GROESSE                  TIEF       BASIS        HOCH", ""};
    t.spalten = {{"Feld", "", A::Text, "  ", 18, 0},
                 {"Größe", "", A::Text, " ", 17, 0},
                 Menge("Tief", e),
                 Menge("Basis", e),
                 Menge("Hoch", e)};
    for (const CSensitivitaet& r : s.zeilen)
        t.Zeile({{0, r.feld}, {0, GroessenName(r.groesse)}, {r.tief, {}}, {r.basis, {}}, {r.hoch, {}}});
    b.Tabelle(std::move(t));
}

std::vector<std::string> SensitivitaetsTabelle(const CSensitivitaetsErgebnis& s)
{
    return Teilbericht(SensitivitaetBericht, s);
}

void UnsicherheitBericht(CBericht& b, const CUnsicherheit& u)
{
    const std::string e = u.rate ? "m³/h" : "Mio m³";
    CTabelle t;
    t.name = "Unsicherheit";
    t.titel = {"", Format("                 UNSICHERHEIT (%d LAEUFE)", u.laeufe), ""};
    t.kopf = {"  JAHR         P90         P50         P10       BASIS", ""};
    t.spalten = {Jahr(), Menge("P90", e), Menge("P50", e), Menge("P10", e), Menge("Basis", e)};
    // P(SOLL) in %: one column, or one per contract (numbered in the text).
    const bool nummeriert = u.sollSpalten.size() > 1;
    for (size_t k = 0; k < u.sollSpalten.size(); ++k) {
        const std::string& name = u.sollSpalten[k];
        t.kopf[0] += Format(" %11s", nummeriert ? Format("P(SOLL) %zu", k + 1).c_str() : "P(SOLL)");
        t.spalten.push_back({name.empty() ? "P(SOLL)" : "P(SOLL) " + name, "%", A::Zahl, " ", 11, 1});
    }
    for (size_t i = 0; i < u.jahre.size(); ++i) {
        const CUnsicherheitsjahr& j = u.jahre[i];
        std::vector<CZelle> zellen = {{double(j.jahr), {}}, {j.p90, {}}, {j.p50, {}}, {j.p10, {}}, {j.basis, {}}};
        for (const std::vector<double>& p : u.pSoll)
            zellen.push_back(p.at(i) < 0 ? CZelle{0, {}, true} : CZelle{100.0 * p.at(i), {}});
        t.Zeile(std::move(zellen));
    }
    for (size_t k = 0; nummeriert && k < u.sollSpalten.size(); ++k)
        t.TextZeile(Format("  P(SOLL) %zu: %s", k + 1, u.sollSpalten[k].c_str()));
    if (u.kumuliert)
        t.TextZeile(Format("  KUMULIERT P90/P50/P10: %.1f / %.1f / %.1f Mio m³", u.kumuliert->p90, u.kumuliert->p50,
                           u.kumuliert->p10));
    for (const CPerzentile& r : u.reserven)
        t.TextZeile(
            Format("  RESERVEN %s P90/P50/P10: %.1f / %.1f / %.1f Mio m³", r.name.c_str(), r.p90, r.p50, r.p10));
    // The runs' plateaus: P90 is held in at least 90 % of the runs.
    for (const CPlateauperzentile& p : u.plateaus)
        t.TextZeile(Format("  PLATEAU %sP90/P50/P10: %.1f / %.1f / %.1f %s",
                           p.vertrag.empty() ? "" : (p.vertrag + " ").c_str(), p.p90, p.p50, p.p10,
                           p.gwh ? "GWh/a" : "Mio m³/a"));
    b.Tabelle(std::move(t));
}

std::vector<std::string> UnsicherheitsTabelle(const CUnsicherheit& u)
{
    return Teilbericht(UnsicherheitBericht, u);
}

void PlateauBericht(CBericht& b, const CPlateau& p)
{
    CTabelle t;
    // A contract's plateau: its name, in GWh (or Mio m³ of sales gas) a year.
    const bool vertrag = !p.vertrag.empty();
    t.name = "Plateau";
    t.spalten = {{"Erstes Jahr", "", A::Ganz, "", 4, 0},
                 {"Letztes Jahr", "", A::Ganz, "", 4, 0},
                 {"Höchstes Plateau", p.gwh ? "GWh/a" : "Mio m³/a", A::Zahl, "", 0, 1},
                 {"Gehalten bis", "", A::Ganz, "", 4, 0}};
    CTabellenzeile z;
    z.zellen = {{double(p.erstesJahr), {}}, {double(p.letztesJahr), {}}, {p.menge, {}}, {double(p.gehaltenBis), {}}};
    if (vertrag) {
        t.spalten.insert(t.spalten.begin(), {"Vertrag", "", A::Text, "", 0, 0});
        z.zellen.insert(z.zellen.begin(), {0, p.vertrag});
    }
    const std::string einheit = p.gwh ? "GWh/a" : "Mio m*3/a";
    z.zeile = Format("  Hoechstes Plateau %s%d-%d: %.1f %s", vertrag ? (p.vertrag + " ").c_str() : "", p.erstesJahr,
                     p.letztesJahr, p.menge, einheit.c_str());
    t.zeilen.push_back(std::move(z));
    t.TextZeile(vertrag ? Format("  Plateau %s gehalten bis: %d", p.vertrag.c_str(), p.gehaltenBis)
                        : Format("  Plateau gehalten bis: %d", p.gehaltenBis));
    // What the plan's rule costs: the plateau under each rule.
    for (const auto& [regel, menge] : p.jeRegel)
        t.TextZeile(Format("  Plateau bei Verteilung %s: %.1f Mio m*3/a", VerteilungName(regel), menge));
    b.Tabelle(std::move(t));
}

void SzenarienBericht(CBericht& b, const CSzenarienergebnis& s)
{
    CTabelle t;
    t.name = "Szenarien";
    const CSzenariozeile& basis = s.zeilen.front();
    t.titel = {"",
               basis.jahre.empty()
                   ? std::string("                 SZENARIEN")
                   : Format("                 SZENARIEN (%d-%d)", basis.jahre.front(), basis.jahre.back()),
               ""};
    // Each figure and its difference to the base; the heading is made from
    // the columns so that it stands over them.
    std::vector<std::pair<const char*, std::string>> groessen = {{"KUM. IST", "Mio m³"}};
    if (s.plateauJahre > 0)
        groessen.push_back({"PLATEAU", "Mio m³/a"});
    if (s.plateauJahre > 0 && s.laeufe > 0)
        groessen.push_back({"P90 PLAT.", "Mio m³/a"});
    groessen.push_back({"ENERGIE", "GWh"});
    groessen.push_back({"RESERVEN", "Mio m³"});
    t.spalten = {{"Szenario", "", A::Text, "  ", 20, 0}};
    std::string kopf = "  SZENARIO            ", einheiten = "                      ";
    for (const auto& [titel, einheit] : groessen) {
        t.spalten.push_back({titel, einheit, A::Zahl, " ", 10, 1});
        t.spalten.push_back({std::string("Differenz ") + titel, einheit, A::Zahl, " ", 9, 1});
        kopf += Format(" %10s %9s", titel, "DIFF.");
        std::string e = einheit; // the report's ASCII spelling of the unit
        if (const size_t p = e.find("m³"); p != std::string::npos)
            e.replace(p, std::string("m³").size(), "m*3");
        einheiten += Format(" %10s %9s", e.c_str(), "");
    }
    const bool nummeriert = s.unterdeckung.size() > 1;
    for (size_t k = 0; k < s.unterdeckung.size(); ++k) {
        const std::string& v = s.unterdeckung[k];
        t.spalten.push_back({v.empty() ? "Erste Unterdeckung" : "Erste Unterdeckung " + v, "", A::Ganz, " ", 8, 0});
        kopf += Format(" %8s", nummeriert ? Format("UNTER. %zu", k + 1).c_str() : "UNTERD.");
    }
    while (!einheiten.empty() && einheiten.back() == ' ')
        einheiten.pop_back();
    t.kopf = {kopf, einheiten, ""};
    for (const CSzenariozeile& z : s.zeilen) {
        std::vector<CZelle> zellen = {{0, z.name}};
        // A figure the row has not (another document's P90): both cells empty.
        const auto paar = [&](std::optional<double> wert, std::optional<double> grund) {
            zellen.push_back(wert ? CZelle{*wert, {}} : CZelle{0, {}, true});
            zellen.push_back(wert && grund ? CZelle{*wert - *grund, {}} : CZelle{0, {}, true});
        };
        paar(z.kumIst, basis.kumIst);
        if (s.plateauJahre > 0)
            paar(z.plateau.value_or(0), basis.plateau.value_or(0));
        if (s.plateauJahre > 0 && s.laeufe > 0)
            paar(z.plateauP90, basis.plateauP90);
        paar(z.energie, basis.energie);
        paar(z.reserven, basis.reserven);
        for (const int jahr : z.ersteUnterdeckung)
            zellen.push_back(jahr ? CZelle{double(jahr), {}} : CZelle{0, {}, true});
        t.Zeile(std::move(zellen));
    }
    if (nummeriert)
        for (size_t k = 0; k < s.unterdeckung.size(); ++k)
            t.TextZeile(Format("  UNTER. %zu: erste Unterdeckung des Vertrags ", k + 1) + s.unterdeckung[k]);
    t.TextZeile("  Leer: keine Unterdeckung. Energie: Verkaufsgas der Felder.");
    if (s.plateauJahre > 0 && s.laeufe > 0)
        t.TextZeile(Format("  P90 PLAT.: das Plateau, das 90 %% von %d Monte-Carlo-Laeufen halten.", s.laeufe));
    if (s.abgebrochen)
        t.TextZeile("  Abgebrochen: nicht alle Szenarien wurden gerechnet.");
    b.Tabelle(std::move(t));
}

std::vector<std::string> SzenarienTabelle(const CSzenarienergebnis& s)
{
    return Teilbericht(SzenarienBericht, s);
}
