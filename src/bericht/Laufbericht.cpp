// The run's report from its numbers: the only place its lines are formatted.

#include "bericht/Laufbericht.h"

#include "bericht/Gasbericht.h"
#include "platform/Format.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using A = ESpaltenart;

constexpr size_t kNamensbreite = 18; // the field's name in the reserves list and the energy table

CSpalte Jahr(const char* vor)
{
    return {"Jahr", "", A::Ganz, vor, 4, 0};
}

CSpalte Zahl(std::string name, std::string einheit, const char* vor, int breite, int stellen)
{
    return {std::move(name), std::move(einheit), A::Zahl, vor, breite, stellen};
}

// The columns of a year line, in its two layouts: with constant factors, and
// with the pressure-dependent ones (narrower columns and three more).
struct CJahresspalte {
    const char* name;
    const char* einheit;
    ESpaltenart art;
    int stellen;
    const char* vorKonstant; // nullptr: not in that layout
    int breiteKonstant;
    const char* vorDruck;
    int breiteDruck;
};

constexpr CJahresspalte kJahresspalten[] = {
    {"Jahr", "", A::Ganz, 0, " ", 4, " ", 4},
    {"Kum. Produktion", "Mio m³", A::Zahl, 0, "  ", 8, "  ", 8},
    {"Bodenschließdruck", "bar", A::Zahl, 1, "  ", 8, "  ", 8},
    {"Anfangsrate", "m³/h", A::Zahl, 0, "  ", 9, "  ", 8},
    {"Endrate", "m³/h", A::Zahl, 0, " ", 8, " ", 7},
    {"Produktion", "Mio m³", A::Zahl, 1, " ", 9, " ", 9},
    {"Rate Anteil", "m³/h", A::Zahl, 0, " ", 9, " ", 10},
    {"Produktion Anteil", "Mio m³", A::Zahl, 1, " ", 10, " ", 10},
    {"Kopffließdruck", "bar", A::Zahl, 0, " ", 8, "", 9},
    {"Förderstunden", "h", A::Zahl, 0, " ", 9, " ", 10},
    {"Bohrungen", "", A::Ganz, 0, " ", 7, " ", 6},
    {"C-Wert", "m³/(h·bar²)", A::Zahl, 3, nullptr, 0, " ", 7},
    {"A1", "", A::Zahl, 1, nullptr, 0, " ", 6},
    {"B1", "", A::Zahl, 3, nullptr, 0, "  ", 5},
};

std::vector<CSpalte> Jahresspalten(bool druckabhaengig)
{
    std::vector<CSpalte> spalten;
    for (const CJahresspalte& s : kJahresspalten) {
        if (druckabhaengig)
            spalten.push_back({s.name, s.einheit, s.art, s.vorDruck, s.breiteDruck, s.stellen});
        else if (s.vorKonstant)
            spalten.push_back({s.name, s.einheit, s.art, s.vorKonstant, s.breiteKonstant, s.stellen});
    }
    return spalten;
}

std::vector<std::string> Jahreskopf(bool druckabhaengig)
{
    if (druckabhaengig)
        return {" JAHR     KUM.GAS   BODEN    ANFANGS   END   PRODUKTION    RATE    PRODUKTION    KOPF    JAHRES   "
                "BOHRUNGS",
                "        PRODUKTION SCHLIESS    RATE    RATE    JE JAHR    ANTEIL     ANTEIL     FLIESS   FOERDER   "
                "ANZAHL C-WERT  A1     B1",
                "          Mio m*3   DRUCK     m*3/h   m*3/h    Mio m*3     m*3/h     Mio m*3    DRUCK    STUNDEN      "
                "            ",
                ""};
    return {" JAHR    KUM.GAS    BODEN     ANFANGS   END    PRODUKTION   RATE    PRODUKTION    KOPF    JAHRES  "
            "BOHRUNGS",
            "       PRODUKTION  SCHLIESS     RATE    RATE    JE JAHR    ANTEIL     ANTEIL     FLIESS   FOERDER  "
            "ANZAHL",
            "         Mio m*3    DRUCK      m*3/h    m*3/h   Mio m*3    m*3/h     Mio m*3     DRUCK    STUNDEN        ",
            ""};
}

std::vector<CZelle> Jahreszellen(const CPrognosejahr& j, bool druckabhaengig)
{
    std::vector<CZelle> z = {{double(j.jahr), {}},    {j.kumuliert, {}},        {j.bodendruck, {}},
                             {j.anfangsrate, {}},     {j.endrate, {}},          {j.produktion, {}},
                             {j.rateAnteil, {}},      {j.produktionAnteil, {}}, {j.kopfdruck, {}},
                             {double(j.stunden), {}}, {double(j.bohrungen), {}}};
    if (druckabhaengig)
        z.insert(z.end(), {{j.cWert, {}}, {j.a1, {}}, {j.b1, {}}});
    return z;
}

// A field's lines: its gas block, its year table, its reserve, the closing lines.
void Feldausgabe(const CLaufErgebnis& r, const CFeldausgabe& a, CBericht& b)
{
    if (a.gas) {
        std::vector<std::string> zeilen;
        GasberichtSchreiben(a.gas->feld, a.gas->gas, zeilen);
        for (std::string& z : zeilen)
            b.Zeile(std::move(z));
    }
    if (!a.prognose)
        return;
    if (r.detail && !a.prognose->jahre.empty())
        b.Tabelle(Jahrestabelle(a.name, *a.prognose));
    if (r.reserven)
        b.Zeile(Format("   %s   %7.1f", AufBreite(a.name, kNamensbreite).c_str(), double(a.reserve)));
    if (r.detail) {
        b.Zeile(Format("  Dauerlastraten fuer das Feld %s wurden berechnet", a.name.c_str()));
        b.Zeile("");
    }
}

// The reserves list of all fields, one table of the fields' lines.
void Reservenliste(const CLaufErgebnis& r, CBericht& b)
{
    CTabelle t;
    t.titel = {"", "   Zusammenstellung der Feldesreserven", ""};
    t.kopf = {"     Feld                (Mio m3)", ""};
    t.spalten = {{"Feld", "", A::TextGenau, "   ", int(kNamensbreite), 0}, Zahl("Reserve", "Mio m³", "   ", 7, 1)};
    for (const CFeldausgabe& a : r.feldausgaben)
        if (a.prognose)
            t.Zeile({{0, a.name}, {a.reserve, {}}});
    b.Tabelle(std::move(t));
}

void Zusammenfassung(const CLaufErgebnis& r, CBericht& b)
{
    const CZusammenfassung& z = r.zusammenfassung;
    if (r.detail) {
        b.Zeile(" ");
        return;
    }
    CTabelle t;
    t.name = "Zusammenfassung";
    t.titel = {" ", "                 ZUSAMMENFASSUNG DER ERGEBNISSE", " "};
    t.kopf = {"  JAHR  PRODUKTION     RATE       IST         SOLL      IST       SOLL",
              "        RESTFELDER  RESTFELDER PRODUKTION  PRODUKTION   RATE      RATE",
              "         Mio m*3      m*3/h      Mio m*3     Mio m*3    m*3/h     m*3/h", " "};
    t.spalten = {Jahr("  "),
                 Zahl("Restfelder Produktion", "Mio m³", "  ", 8, 1),
                 Zahl("Restfelder Rate", "m³/h", "  ", 9, 0),
                 Zahl("Ist-Produktion", "Mio m³", " ", 11, 1),
                 Zahl("Soll-Produktion", "Mio m³", "  ", 10, 1),
                 Zahl("Ist-Rate", "m³/h", "  ", 9, 0),
                 Zahl("Soll-Rate", "m³/h", "  ", 7, 0)};
    for (const CZusammenfassungsjahr& j : z.jahre)
        t.Zeile({{double(j.jahr), {}},
                 {j.restProduktion, {}},
                 {j.restRate, {}},
                 {j.istProduktion, {}},
                 {j.sollProduktion, {}},
                 {j.istRate, {}},
                 {j.sollRate, {}}});
    t.TextZeile(" ");
    t.TextZeile(Format("  Summe %8.1f  %21.1f %11.1f ", double(z.summeRest), double(z.summeIst), double(z.summeSoll)));
    b.Tabelle(std::move(t));
}

void Bedarfstabelle(const CLaufErgebnis& r, CBericht& b)
{
    CTabelle t;
    t.name = "Bedarf";
    t.titel = {"", "                 FOERDERUNG NACH BEDARF", ""};
    t.kopf = {"  JAHR   BEDARF FELDER   LIEFERBAR   GEFOERDERT   FAKTOR", ""};
    t.spalten = {Jahr("  "), Zahl("Bedarf Felder", "Mio m³", " ", 15, 1), Zahl("Lieferbar", "Mio m³", " ", 11, 1),
                 Zahl("Gefördert", "Mio m³", " ", 12, 1), Zahl("Faktor", "-", " ", 8, 3)};
    for (const CBedarfsjahr& j : r.bedarf)
        t.Zeile({{double(j.jahr), {}}, {j.bedarf, {}}, {j.lieferbar, {}}, {j.gefoerdert, {}}, {j.faktor, {}}});
    b.Tabelle(std::move(t));
}

// Sales gas and energy of the fields' shares; the rest fields are not in it
// (their composition is unknown), nor a field whose composition does not sum to 100 %.
void Energietabelle(const CLaufErgebnis& r, CBericht& b)
{
    CTabelle felder;
    felder.titel = {"", "                 VERKAUFSGAS UND ENERGIE", ""};
    felder.kopf = {"  FELD                 HS KWH/M3  WOBBE KWH/M3  GASART  SAUERGAS %"};
    felder.spalten = {{"Feld", "", A::Text, "  ", int(kNamensbreite), 0},
                      Zahl("Hs,n", "kWh/m³", " ", 11, 3),
                      Zahl("Wobbe-Index", "kWh/m³", " ", 13, 3),
                      {"Gasart", "", A::TextGenau, "  ", 6, 0},
                      Zahl("Sauergas", "%", " ", 10, 1),
                      {"Hinweis", "", A::Anhang, "  ", 0, 0}};
    std::string ohne;
    for (const CEnergiefeld& f : r.energiefelder) {
        const CVerkaufsgas& v = f.gas;
        if (!v.brauchbar) {
            felder.TextZeile("  " + Linksbuendig(f.name, kNamensbreite) + " nicht bewertet: " + v.grund);
            ohne += (ohne.empty() ? "" : ", ") + f.name;
            continue;
        }
        felder.Zeile({{0, f.name},
                      {v.hs, {}},
                      {v.wobbe, {}},
                      {0, v.gasart},
                      {v.sauergas, {}},
                      {0, v.hatVerkaufsgas ? "" : "kein Verkaufsgas"}});
    }
    b.Tabelle(std::move(felder));

    CTabelle jahre;
    jahre.name = "Energie";
    jahre.titel = {"", Format("  ANTEIL DER FELDER OHNE RESTFELDER, EIGENVERBRAUCH %.1f %%", r.eigenverbrauch)};
    jahre.kopf = {"  JAHR     ROHGAS  VERKAUFSGAS    ENERGIE GWH", ""};
    jahre.spalten = {Jahr("  "), Zahl("Rohgas", "Mio m³", " ", 10, 1), Zahl("Verkaufsgas", "Mio m³", " ", 12, 1),
                     Zahl("Energie", "GWh", " ", 14, 1)};
    for (const CEnergiejahr& e : r.energie)
        jahre.Zeile({{double(e.jahr), {}}, {e.rohgas, {}}, {e.verkaufsgas, {}}, {e.energie, {}}});
    b.Tabelle(std::move(jahre));
    if (!ohne.empty())
        b.Zeile("  Ohne Verkaufsgas und Energie: " + ohne);
}

// a − b for a column of `stellen` decimals: a difference that prints as
// zero prints "0.0", not "-0.0".
double Differenz(double a, double b, int stellen)
{
    const double d = a - b;
    return std::fabs(d) < 0.5 * std::pow(10.0, -stellen) ? 0.0 : d;
}

// A contract's name, 15 wide: the names stand under VERTRAG, the families under GASART.
CSpalte Vertragsspalte()
{
    return {"Vertrag", "", A::Text, "  ", 15, 0};
}

// Each contract's years: its quantity, what the fields of its gas family and
// the rest fields delivered, the difference and the fields' raw gas; then the
// first year each contract falls short (by more than 0.05 %).
void Vertragstabelle(const CLaufErgebnis& r, CBericht& b)
{
    CTabelle t;
    t.name = "Vertraege";
    t.titel = {"", "                 LIEFERUNG NACH VERTRAG", ""};
    t.kopf = {"  JAHR  VERTRAG         GASART   SOLL GWH  GELIEFERT GWH  DIFFERENZ GWH  ROHGAS MIO M3"};
    t.spalten = {Jahr("  "),
                 Vertragsspalte(),
                 {"Gasart", "", A::Text, " ", 6, 0},
                 Zahl("Soll", "GWh", " ", 10, 1),
                 Zahl("Geliefert", "GWh", " ", 14, 1),
                 Zahl("Differenz", "GWh", " ", 14, 1),
                 Zahl("Rohgas", "Mio m³", " ", 14, 1)};
    std::vector<std::string> namen, inMengen;
    std::map<std::string, int> erste;
    for (const CVertragsjahr& j : r.vertraege) {
        t.Zeile({{double(j.jahr), {}},
                 {0, j.vertrag},
                 {0, GasartName(j.gasart)},
                 {j.soll, {}},
                 {j.geliefert, {}},
                 {Differenz(j.geliefert, j.soll, 1), {}},
                 {j.rohgas, {}}});
        if (std::find(namen.begin(), namen.end(), j.vertrag) == namen.end()) {
            namen.push_back(j.vertrag);
            if (!j.gwh)
                inMengen.push_back(j.vertrag);
        }
        if (Unterdeckung(j) && !erste.contains(j.vertrag))
            erste[j.vertrag] = j.jahr;
    }
    b.Tabelle(std::move(t));
    b.Zeile("");
    for (const std::string& n : namen)
        b.Zeile("  Erste Unterdeckung " + n + ": " +
                (erste.contains(n) ? std::to_string(erste[n]) : std::string("keine")));
    for (const std::string& n : inMengen)
        b.Zeile("  " + n + ": in Mio m3 Verkaufsgas statt GWh");

    // The peak hour of each contract year against what the fields could deliver.
    CTabelle spitze;
    spitze.name = "Spitzenleistung";
    spitze.titel = {"", "                 SPITZENLEISTUNG", ""};
    spitze.kopf = {"  JAHR  VERTRAG         SPITZE M3/H  LIEFERBAR M3/H  RESERVE M3/H"};
    spitze.spalten = {Jahr("  "), Vertragsspalte(), Zahl("Spitze", "m³/h", " ", 11, 0),
                      Zahl("Lieferbar", "m³/h", " ", 15, 0), Zahl("Reserve", "m³/h", " ", 13, 0)};
    for (const CVertragsjahr& j : r.vertraege)
        spitze.Zeile({{double(j.jahr), {}},
                      {0, j.vertrag},
                      {j.spitze, {}},
                      {j.lieferbarRate, {}},
                      {Differenz(j.lieferbarRate, j.spitze, 0), {}}});
    b.Tabelle(std::move(spitze));
}

// The months of a year: each contract's quantity by its shares against what
// its fields could deliver in the month; then each contract's short months.
void Monatstabelle(const CLaufErgebnis& r, int jahr, CBericht& b)
{
    CTabelle t;
    t.name = "Monate"; // one sheet for all the years
    t.titel = {"", Format("                 MONATE %d", jahr), ""};
    t.kopf = {"  MONAT    VERTRAG          SOLL GWH  LIEFERBAR GWH  DIFFERENZ GWH"};
    t.spalten = {{"Monat", "", A::Text, "  ", 7, 0},
                 Vertragsspalte(),
                 Zahl("Soll", "GWh", "", 10, 1),
                 Zahl("Lieferbar", "GWh", " ", 14, 1),
                 Zahl("Differenz", "GWh", " ", 14, 1)};
    std::vector<std::string> namen;
    std::map<std::string, std::string> kurz;
    for (const CVertragsmonat& m : r.monate) {
        if (m.jahr != jahr)
            continue;
        const std::string monat = Format("%4d-%02d", m.jahr, m.monat);
        t.Zeile({{0, monat}, {0, m.vertrag}, {m.soll, {}}, {m.lieferbar, {}}, {Differenz(m.lieferbar, m.soll, 1), {}}});
        if (std::find(namen.begin(), namen.end(), m.vertrag) == namen.end())
            namen.push_back(m.vertrag);
        if (Unterdeckung(m))
            kurz[m.vertrag] += (kurz[m.vertrag].empty() ? "" : ", ") + monat;
    }
    b.Tabelle(std::move(t));
    b.Zeile("");
    for (const std::string& n : namen)
        b.Zeile("  Unterdeckung " + n + ": " + (kurz.contains(n) ? kurz[n] : std::string("keine")));
}

// Each plant's years: its capacity and what its fields produced (raw gas).
void Anlagentabelle(const CLaufErgebnis& r, CBericht& b)
{
    CTabelle t;
    t.name = "Anlagen";
    t.titel = {"", "                 ANLAGEN", ""};
    t.kopf = {"  JAHR  ANLAGE          KAPAZITAET MIO M3  GENUTZT MIO M3"};
    t.spalten = {Jahr("  "), Vertragsspalte(), Zahl("Kapazität", "Mio m³", " ", 17, 1),
                 Zahl("Genutzt", "Mio m³", " ", 15, 1)};
    t.spalten[1].name = "Anlage";
    for (const CAnlagenjahr& a : r.anlagen)
        t.Zeile({{double(a.jahr), {}}, {0, a.anlage}, {a.kapazitaet, {}}, {a.genutzt, {}}});
    b.Tabelle(std::move(t));
}

// Each field's end: the year it stopped for good and why, and its reserve then.
void Aufgabetabelle(const CLaufErgebnis& r, CBericht& b)
{
    CTabelle t;
    t.name = "Aufgabe";
    t.titel = {"", "                 AUFGABE", ""};
    t.kopf = {"  FELD                JAHR  RESERVE MIO M3  GRUND"};
    t.spalten = {{"Feld", "", A::TextGenau, "  ", int(kNamensbreite), 0},
                 {"Jahr", "", A::Text, " ", 5, 0},
                 Zahl("Reserve", "Mio m³", " ", 15, 1),
                 {"Grund", "", A::Anhang, "  ", 0, 0}};
    for (const CAufgabe& a : r.aufgaben)
        t.Zeile({{0, a.feld}, {0, a.jahr > 0 ? Format("%5d", a.jahr) : "    –"}, {a.reserve, {}}, {0, a.grund}});
    b.Tabelle(std::move(t));
}

// Each measured field's OGIP fitted to its pressures, beside the document's.
void Druckanpassungstabelle(const CLaufErgebnis& r, CBericht& b)
{
    CTabelle t;
    t.name = "Druckanpassung";
    t.titel = {"", "                 DRUCKANPASSUNG", ""};
    t.kopf = {"  FELD                MESSUNGEN  OGIP MIO M3  STD.-FEHLER  WASSERINV. %  ABWEICHUNG BAR  OGIP DOKUMENT"};
    t.spalten = {{"Feld", "", A::TextGenau, "  ", int(kNamensbreite), 0},
                 {"Messungen", "", A::Ganz, " ", 9, 0},
                 Zahl("OGIP", "Mio m³", "  ", 11, 1),
                 Zahl("Standardfehler", "Mio m³", "  ", 11, 1),
                 Zahl("Wasserinvasion", "%", "  ", 12, 1),
                 Zahl("Abweichung", "bar", "  ", 14, 2),
                 Zahl("OGIP Dokument", "Mio m³", "  ", 13, 1),
                 {"Hinweis", "", A::Anhang, "  ", 0, 0}};
    for (const CDruckanpassung& a : r.druckanpassungen) {
        const std::string feld = Anzeigename(a.feld);
        if (!a.Gelungen()) {
            const CZelle leer{0, {}, true};
            t.Zeile({{0, feld},
                     {double(a.punkte), {}},
                     leer,
                     leer,
                     leer,
                     leer,
                     a.ogipDokument > 0 ? CZelle{a.ogipDokument, {}, false} : leer,
                     {0, "keine Anpassung: " + a.grund}});
            continue;
        }
        t.Zeile({{0, feld},
                 {double(a.punkte), {}},
                 {a.ogip, {}},
                 {a.ogipFehler, {}},
                 {a.wasserinvasion, {}},
                 {a.abweichung, {}},
                 {a.ogipDokument, {}},
                 {0, a.wasserAngepasst ? "Wasserinvasion angepasst" : ""}});
    }
    b.Tabelle(std::move(t));
}

} // namespace

std::string StufenText(const CStufenzeile& s)
{
    std::string text;
    if (s.m_iStufeFoerderstunden > 0)
        text += Format(" Förderstunden:%4d", s.m_iStufeFoerderstunden);
    if (s.m_fStufeKopfdruck > 0)
        text += Format(" Kopfdruck:%3.0f", double(s.m_fStufeKopfdruck));
    if (s.m_iStufeBohrungen > 0)
        text += Format(" Bohrungen:%d", s.m_iStufeBohrungen);
    if (s.m_fStufeCWert > 0)
        text += Format(" C-Wert:%5.3f", double(s.m_fStufeCWert));
    if (s.m_fStufeKonsAnteil > 0)
        text += Format(" Kons.Anteil:%5.1f", double(s.m_fStufeKonsAnteil));
    return text;
}

CTabelle Jahrestabelle(const std::string& feld, const CPrognosetabelle& p)
{
    CTabelle t;
    t.titel = {" ", Format("   DAUERLASTRATEN DES FELDES %s IN m*3/h", feld.c_str()),
               Format("   BEI EINER KUM.ANFANGSPRODUKTION VON %5.0f Mio m*3", double(p.kumBeginn)), ""};
    t.kopf = Jahreskopf(p.druckabhaengig);
    t.spalten = Jahresspalten(p.druckabhaengig);
    // A stage line stands before the year line of the year it applies from.
    size_t stufe = 0;
    for (size_t k = 0; k < p.jahre.size(); ++k) {
        for (; stufe < p.stufen.size() && p.stufen[stufe].vorJahr <= k; ++stufe)
            t.TextZeile(Format(" Ab %d", p.stufen[stufe].jahr) + StufenText(p.stufen[stufe].stufe));
        t.Zeile(Jahreszellen(p.jahre[k], p.druckabhaengig));
    }
    if (p.aufgabejahr > 0)
        t.TextZeile(Format(" AUFGEGEBEN %d: %s", p.aufgabejahr, p.aufgabegrund.c_str()));
    return t;
}

CBericht Laufbericht(const CLaufErgebnis& r)
{
    CBericht b;
    const bool einzelfeld = r.einzelfeld >= 0;
    if (r.reserven && !einzelfeld && !r.detail) {
        Reservenliste(r, b);
    } else {
        if (r.reserven && !einzelfeld)
            for (const char* zeile :
                 {"", "   Zusammenstellung der Feldesreserven", "", "     Feld                (Mio m3)", ""})
                b.Zeile(zeile);
        for (const CFeldausgabe& a : r.feldausgaben)
            Feldausgabe(r, a, b);
    }
    if (einzelfeld) {
        b.Zeile(Format("  PROJEKTSTART: %d PROJEKTENDE: %d", r.projektstart, r.projektende));
        b.Zeile("");
    }
    if (!r.reserven)
        Zusammenfassung(r, b);
    // A report whose total lacks a field says so at its end, field by field.
    for (const CNichtBerechnet& n : r.nichtBerechnet)
        b.Zeile(Format("  Nicht berechnet: %s – %s", n.feld.c_str(), n.grund.c_str()));
    if (r.bedarfTabelle)
        Bedarfstabelle(r, b);
    if (r.energieTabelle)
        Energietabelle(r, b);
    if (!r.vertraege.empty())
        Vertragstabelle(r, b);
    std::vector<int> monatsjahre;
    for (const CVertragsmonat& m : r.monate)
        if (monatsjahre.empty() || monatsjahre.back() != m.jahr)
            monatsjahre.push_back(m.jahr);
    for (const int jahr : monatsjahre)
        Monatstabelle(r, jahr, b);
    if (!r.anlagen.empty())
        Anlagentabelle(r, b);
    if (!r.aufgaben.empty())
        Aufgabetabelle(r, b);
    if (!r.druckanpassungen.empty())
        Druckanpassungstabelle(r, b);
    return b;
}

std::vector<std::string> LaufberichtText(const CLaufErgebnis& r)
{
    return BerichtText(Laufbericht(r));
}
