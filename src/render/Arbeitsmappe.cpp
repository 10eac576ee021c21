#include "render/Arbeitsmappe.h"

#include "bericht/Bericht.h"
#include "doc/CKalvoDoc.h"
#include "model/Feldtabelle.h"
#include "platform/Csv.h"
#include "platform/Datei.h"
#include "platform/Format.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <locale.h>

namespace {

using CZeile = std::vector<std::string>;

struct CMappe {
    lxw_workbook* buch = nullptr;
    lxw_format* kopf = nullptr;
    lxw_format* zahl = nullptr; // one decimal
    std::string fehler;         // the first cell the workbook refused: the file is not written
};

// A sheet holds at most LXW_ROW_MAX rows and LXW_COL_MAX columns;
// libxlsxwriter drops a cell beyond them with only a return value, so every
// cell is written through these, and a refused one refuses the workbook
// rather than leaving a table cut.
bool ImBlatt(CMappe& m, size_t zeile, size_t spalte)
{
    if (zeile < LXW_ROW_MAX && spalte < LXW_COL_MAX)
        return true;
    if (m.fehler.empty())
        m.fehler =
            Format("Eine Tabelle ist größer, als ein Blatt fasst (%d Zeilen, %d Spalten).", LXW_ROW_MAX, LXW_COL_MAX);
    return false;
}

void Gemeldet(CMappe& m, lxw_error e)
{
    if (e != LXW_NO_ERROR && m.fehler.empty())
        m.fehler = std::string("Eine Zelle kann nicht geschrieben werden: ") + lxw_strerror(e) + ".";
}

// Text stays text: a name such as "1e5", "0012" or "=A1" is neither a
// number nor a formula.
void Text(CMappe& m, lxw_worksheet* blatt, size_t zeile, size_t spalte, const std::string& text,
          lxw_format* format = nullptr)
{
    if (ImBlatt(m, zeile, spalte))
        Gemeldet(m, worksheet_write_string(blatt, static_cast<lxw_row_t>(zeile), static_cast<lxw_col_t>(spalte),
                                           text.c_str(), format));
}

// A number cell: a float's value as its shortest decimal (libxlsxwriter
// writes it with 16 significant digits, a spreadsheet shows at most 15).
void Zahl(CMappe& m, lxw_worksheet* blatt, size_t zeile, size_t spalte, double wert, lxw_format* format)
{
    if (ImBlatt(m, zeile, spalte))
        Gemeldet(m, worksheet_write_number(blatt, static_cast<lxw_row_t>(zeile), static_cast<lxw_col_t>(spalte),
                                           KuerzesteZahl(wert), format));
}

lxw_worksheet* NeuesBlatt(CMappe& m, const std::string& name)
{
    lxw_worksheet* blatt = workbook_add_worksheet(m.buch, name.c_str());
    if (!blatt && m.fehler.empty())
        m.fehler = "Das Blatt „" + name + "“ kann nicht angelegt werden.";
    return blatt;
}

void Kopf(CMappe& m, lxw_worksheet* blatt, const std::vector<std::string>& spalten)
{
    for (size_t k = 0; k < spalten.size(); ++k)
        Text(m, blatt, 0, k, spalten[k], m.kopf);
    const size_t letzte = std::min<size_t>(std::max<size_t>(spalten.size(), 1), LXW_COL_MAX) - 1;
    worksheet_set_column(blatt, 0, static_cast<lxw_col_t>(letzte), 16, nullptr);
    worksheet_freeze_panes(blatt, 1, 0);
}

// A table's rows of numbers from sheet row `r` on (a note the table prints is
// no row of the sheet).
void Zeilen(CMappe& m, lxw_worksheet* blatt, const CTabelle& t, size_t& r)
{
    for (const CTabellenzeile& z : t.zeilen) {
        if (z.zellen.empty())
            continue;
        for (size_t k = 0; k < z.zellen.size() && k < t.spalten.size(); ++k) {
            const CSpalte& s = t.spalten[k];
            if (s.art == ESpaltenart::Ganz)
                Zahl(m, blatt, r, k, z.zellen[k].zahl, nullptr);
            else if (s.art == ESpaltenart::Zahl)
                Zahl(m, blatt, r, k, z.zellen[k].zahl, m.zahl);
            else
                Text(m, blatt, r, k, z.zellen[k].text); // a name such as "1e5" stays text
        }
        ++r;
    }
}

// The report's tables of one sheet name from their numbers, as one sheet: the
// first one's columns' names and units as the heading, then each one's rows.
void Blatt(CMappe& m, const std::vector<const CTabelle*>& tabellen)
{
    const auto mitZeilen = [](const CTabelle* t) { return !t->zeilen.empty(); };
    if (tabellen.empty() || tabellen.front()->name.empty() || std::none_of(tabellen.begin(), tabellen.end(), mitZeilen))
        return;
    lxw_worksheet* blatt = NeuesBlatt(m, tabellen.front()->name);
    if (!blatt)
        return;
    std::vector<std::string> kopf;
    for (const CSpalte& s : tabellen.front()->spalten)
        kopf.push_back(s.einheit.empty() ? s.name : s.name + " (" + s.einheit + ")");
    Kopf(m, blatt, kopf);
    size_t r = 1;
    for (const CTabelle* t : tabellen)
        Zeilen(m, blatt, *t, r);
}

void Zusammenfassung(CMappe& m, const CKalvoDoc& d)
{
    lxw_worksheet* blatt = NeuesBlatt(m, "Zusammenfassung");
    if (!blatt)
        return;
    Kopf(m, blatt,
         {"Jahr", "Restfelder Produktion (Mio m³)", "Restfelder Rate (m³/h)", "Ist-Produktion (Mio m³)",
          "Soll-Produktion (Mio m³)", "Ist-Rate (m³/h)", "Soll-Rate (m³/h)"});
    const std::vector<CZusammenfassungsjahr>& jahre = d.m_Zusammenfassung.jahre;
    for (size_t i = 0; i < jahre.size(); ++i) {
        const CZusammenfassungsjahr& y = jahre[i];
        Zahl(m, blatt, i + 1, 0, y.jahr, nullptr);
        // Ist as the chart holds it, in single precision like every other figure of the run.
        const double werte[] = {y.restProduktion,
                                y.restRate,
                                static_cast<float>(y.istProduktion),
                                y.sollProduktion,
                                static_cast<float>(y.istRate),
                                y.sollRate};
        for (size_t k = 0; k < std::size(werte); ++k)
            Zahl(m, blatt, i + 1, k + 1, werte[k], m.zahl);
    }
    const size_t n = jahre.size();
    if (n < 2)
        return;
    lxw_chart* bild = workbook_add_chart(m.buch, LXW_CHART_LINE);
    for (const auto& [spalte, name] : {std::pair{3, "Ist"}, std::pair{4, "Soll"}}) {
        lxw_chart_series* reihe = chart_add_series(bild, nullptr, nullptr);
        chart_series_set_categories(reihe, "Zusammenfassung", 1, 0, static_cast<lxw_row_t>(n), 0);
        chart_series_set_values(reihe, "Zusammenfassung", 1, static_cast<lxw_col_t>(spalte), static_cast<lxw_row_t>(n),
                                static_cast<lxw_col_t>(spalte));
        chart_series_set_name(reihe, name);
    }
    chart_title_set_name(bild, "Jahresproduktion (Mio m³)");
    worksheet_insert_chart(blatt, 1, 8, bild);
}

// Each field's share per year, two columns a field. A sheet holds
// LXW_COL_MAX columns, the year and 8191 fields: more fields go on to
// "Felder 2", "Felder 3" …, each with its year column, so that none is cut.
constexpr size_t kFelderJeBlatt = (LXW_COL_MAX - 1) / 2;

void Felder(CMappe& m, const CKalvoDoc& d)
{
    const int n = AnzahlJahre(d.m_iProjektstart, d.m_iProjektende);
    for (size_t erstes = 0; erstes < d.m_Feldreihen.size(); erstes += kFelderJeBlatt) {
        const size_t ende = std::min(d.m_Feldreihen.size(), erstes + kFelderJeBlatt);
        lxw_worksheet* blatt =
            NeuesBlatt(m, erstes == 0 ? "Felder" : Format("Felder %zu", erstes / kFelderJeBlatt + 1));
        if (!blatt)
            return;
        std::vector<std::string> spalten = {"Jahr"};
        for (size_t f = erstes; f < ende; ++f) {
            spalten.push_back(d.m_Feldreihen[f].name + " Produktion (Mio m³)");
            spalten.push_back(d.m_Feldreihen[f].name + " Rate (m³/h)");
        }
        Kopf(m, blatt, spalten);
        for (int i = 0; i < n; ++i) {
            const auto r = static_cast<size_t>(i + 1);
            Zahl(m, blatt, r, 0, d.m_iProjektstart + i, nullptr);
            size_t k = 1;
            for (size_t f = erstes; f < ende; ++f) {
                Zahl(m, blatt, r, k++, d.m_Feldreihen[f].produktion[i], m.zahl);
                Zahl(m, blatt, r, k++, d.m_Feldreihen[f].rate[i], m.zahl);
            }
        }
    }
}

// A sheet per scenario (the base first): its years' Ist and the fields'
// energy. A sheet's name holds at most 31 characters and none of []:*?/\ :
// "1 Heidkamp später", numbered so that two long names stay apart.
void Szenarienblaetter(CMappe& m, const CSzenarienergebnis& s)
{
    for (size_t k = 0; k < s.zeilen.size(); ++k) {
        const CSzenariozeile& z = s.zeilen[k];
        std::string name = Format("%zu ", k) + z.name;
        for (char& c : name)
            if (std::string_view("[]:*?/\\'").find(c) != std::string_view::npos)
                c = '_';
        name = AufBreite(name, std::min<size_t>(AnzahlZeichen(name), 31));
        lxw_worksheet* blatt = NeuesBlatt(m, name);
        if (!blatt)
            return;
        Kopf(m, blatt, {"Jahr", "Ist (Mio m³)", "Energie (GWh)", "Szenario: " + z.name});
        for (size_t i = 0; i < z.jahre.size(); ++i) {
            Zahl(m, blatt, i + 1, 0, z.jahre[i], nullptr);
            Zahl(m, blatt, i + 1, 1, z.ist[i], m.zahl);
            Zahl(m, blatt, i + 1, 2, z.energieJahr[i], m.zahl);
        }
    }
}

// The document's inputs: the field table, then the two profiles side by side
// below it. The table's header is the field table file's; its rows come from
// the records themselves: the name as text, every value as a number.
void Eingaben(CMappe& m, const CKalvoDoc& d)
{
    lxw_worksheet* blatt = NeuesBlatt(m, "Eingaben");
    if (!blatt)
        return;
    const std::vector<std::string> kopf = FeldtabellenKopf();
    for (size_t k = 0; k < kopf.size(); ++k)
        Text(m, blatt, 0, k, kopf[k], m.kopf);
    size_t zeile = 1;
    for (const CFeldsatz& satz : d.m_saFelder) {
        Text(m, blatt, zeile, 0, Anzeigename(satz.Name()));
        // A record the run cannot read keeps its text: the run names it, the sheet shows it.
        if (!satz.Lesbar()) {
            const std::vector<std::string_view> woerter = Woerter(satz.Text());
            for (size_t k = 1; k < woerter.size() && k < kopf.size(); ++k)
                Text(m, blatt, zeile, k, std::string(woerter[k]));
        } else {
            const std::vector<double> werte = FeldtabellenWerte(satz);
            for (size_t k = 0; k < werte.size() && k + 1 < kopf.size(); ++k)
                Zahl(m, blatt, zeile, k + 1, werte[k], m.zahl);
        }
        ++zeile;
    }
    worksheet_freeze_panes(blatt, 1, 1);
    zeile += 1;
    const std::pair<const char*, const CProfil*> profile[] = {{"Verkaufsprofil", &d.m_saVerkaufsprofil},
                                                              {"Restfelder", &d.m_saRestfelder}};
    size_t spalte = 0;
    for (const auto& [name, profil] : profile) {
        Text(m, blatt, zeile, spalte, std::string(name) + ": Jahr", m.kopf);
        Text(m, blatt, zeile, spalte + 1, "Produktion (Mio m³)", m.kopf);
        Text(m, blatt, zeile, spalte + 2, "Rate (m³/h)", m.kopf);
        size_t r = zeile + 1;
        for (const CProfilzeile& p : *profil) {
            Zahl(m, blatt, r, spalte, p.jahr, nullptr);
            Zahl(m, blatt, r, spalte + 1, p.produktion, m.zahl);
            Zahl(m, blatt, r++, spalte + 2, p.rate, m.zahl);
        }
        spalte += 4;
    }
}

// The document's name, the run's options and the studies' settings, as the
// report for the file lists them.
void Optionen(CMappe& m, const CKalvoDoc& d)
{
    lxw_worksheet* blatt = NeuesBlatt(m, "Optionen");
    if (!blatt)
        return;
    Kopf(m, blatt, {"Option", "Wert"});
    worksheet_set_column(blatt, 1, 1, 40, nullptr);
    size_t r = 1;
    for (const auto& [name, wert] : d.Optionswerte()) {
        Text(m, blatt, r, 0, name);
        Text(m, blatt, r++, 1, wert);
    }
}

} // namespace

namespace {

// libxlsxwriter prints its numbers with the C library's printf: in a German
// process locale that would put "1272,5" into the XML, which no spreadsheet
// reads. The writing thread works in the C locale for numbers meanwhile
// (uselocale: this thread only, the others keep theirs).
class CCZahlen {
public:
    CCZahlen() : m_c(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr)))
    {
        if (m_c)
            m_alt = uselocale(m_c);
    }
    ~CCZahlen()
    {
        if (m_c) {
            uselocale(m_alt);
            freelocale(m_c);
        }
    }
    CCZahlen(const CCZahlen&) = delete;
    CCZahlen& operator=(const CCZahlen&) = delete;

private:
    locale_t m_c;
    locale_t m_alt = nullptr;
};

} // namespace

CErgebnis<> ArbeitsmappeSchreiben(const CKalvoDoc& d, const std::string& pfad)
{
    const CCZahlen cZahlen;
    // libxlsxwriter writes a file by name: first a work file of a unique name
    // beside the target, then its bytes atomically to the target. Its own
    // temporary files go into the same folder (tmpfile() would ignore a
    // missing $TMPDIR, our work file's folder is known to exist).
    const CErgebnis<std::string> arbeit = ArbeitsdateiAnlegen(pfad, ".xlsx");
    if (!arbeit)
        return CFehler{arbeit.Fehlertext()};
    const std::string temp = *arbeit;
    std::string ordner = std::filesystem::path(temp).parent_path().string();
    lxw_workbook_options optionen{};
    optionen.tmpdir = ordner.data();
    CMappe m;
    m.buch = workbook_new_opt(temp.c_str(), &optionen);
    if (!m.buch) {
        std::error_code egal;
        std::filesystem::remove(temp, egal);
        return CFehler{"Die Arbeitsmappe kann nicht angelegt werden."};
    }
    m.kopf = workbook_add_format(m.buch);
    format_set_bold(m.kopf);
    format_set_text_wrap(m.kopf);
    m.zahl = workbook_add_format(m.buch);
    format_set_num_format(m.zahl, "0.0");

    Zusammenfassung(m, d);
    Felder(m, d);
    // Every table of the report that names a sheet, from its numbers.
    for (const char* blatt : {"Bedarf", "Energie", "Vertraege", "Spitzenleistung", "Monate", "Anlagen", "Aufgabe",
                              "Deckung", "Vergleich", "Unsicherheit", "Sensitivitaet", "Plateau", "Szenarien"})
        Blatt(m, d.m_Bericht.TabellenNamens(blatt));
    if (d.m_Szenarien)
        Szenarienblaetter(m, *d.m_Szenarien);
    Eingaben(m, d);
    Optionen(m, d);

    const lxw_error fehler = workbook_close(m.buch);
    CErgebnis<> ergebnis;
    if (!m.fehler.empty()) {
        ergebnis = CFehler{"Die Arbeitsmappe wird nicht geschrieben: " + m.fehler};
    } else if (fehler != LXW_NO_ERROR) {
        ergebnis = CFehler{std::string("Die Arbeitsmappe kann nicht geschrieben werden: ") + lxw_strerror(fehler)};
    } else if (const CErgebnis<std::string> bytes = DateiLesen(temp); !bytes) {
        ergebnis = CFehler{bytes.Fehlertext()};
    } else {
        ergebnis = DateiAtomarSchreiben(pfad, *bytes);
    }
    std::error_code egal;
    std::filesystem::remove(temp, egal);
    return ergebnis;
}
