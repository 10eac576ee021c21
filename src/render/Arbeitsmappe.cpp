#include "render/Arbeitsmappe.h"

#include "doc/CKalvoDoc.h"
#include "model/Feldtabelle.h"
#include "platform/Csv.h"
#include "platform/Datei.h"
#include "platform/Format.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <clocale>
#include <filesystem>
#include <locale.h>
#include <unistd.h>

namespace {

using CZeile = std::vector<std::string>;

struct CMappe {
    lxw_workbook* buch = nullptr;
    lxw_format* kopf = nullptr;
    lxw_format* zahl = nullptr; // one decimal
};

bool IstJahr(const std::string& wort)
{
    int j = 0;
    return wort.size() == 4 && LiesInt(wort, j);
}

// The rows of a table of the report: after the line that holds `titel`, the
// lines whose first word is a year (or, with `jahre` false, the lines after
// the heading's blank line) up to the blank line that ends them.
std::vector<CZeile> Tabelle(const std::vector<std::string>& bericht, const std::string& titel, bool jahre = true)
{
    std::vector<CZeile> zeilen;
    size_t i = 0;
    while (i < bericht.size() && bericht[i].find(titel) == std::string::npos)
        ++i;
    if (i == bericht.size())
        return zeilen;
    ++i;
    if (!jahre) { // skip to the heading's blank line
        while (i < bericht.size() && Woerter(bericht[i]).empty())
            ++i;
        while (i < bericht.size() && !Woerter(bericht[i]).empty())
            ++i;
    }
    bool begonnen = false;
    for (; i < bericht.size(); ++i) {
        const std::vector<std::string_view> woerter = Woerter(bericht[i]);
        const CZeile w(woerter.begin(), woerter.end());
        const bool zeile = !w.empty() && (!jahre || IstJahr(w[0]));
        if (zeile) {
            zeilen.push_back(w);
            begonnen = true;
        } else if (begonnen) {
            break;
        }
    }
    return zeilen;
}

void Kopf(CMappe& m, lxw_worksheet* blatt, const std::vector<std::string>& spalten)
{
    for (size_t k = 0; k < spalten.size(); ++k)
        worksheet_write_string(blatt, 0, static_cast<lxw_col_t>(k), spalten[k].c_str(), m.kopf);
    worksheet_set_column(blatt, 0, static_cast<lxw_col_t>(std::max<size_t>(spalten.size(), 1) - 1), 16, nullptr);
    worksheet_freeze_panes(blatt, 1, 0);
}

// A cell: a number when the text is one (decimal point or comma), else text.
void Zelle(CMappe& m, lxw_worksheet* blatt, int zeile, int spalte, const std::string& text)
{
    float wert = 0;
    if (LiesEingabeFloat(text, wert)) {
        // The printed digits, not the float's: read again in double, in no
        // locale (a German desktop's strtod would stop at the point).
        std::string punkt = text;
        std::replace(punkt.begin(), punkt.end(), ',', '.');
        double genau = wert;
        std::from_chars(punkt.data(), punkt.data() + punkt.size(), genau);
        worksheet_write_number(blatt, static_cast<lxw_row_t>(zeile), static_cast<lxw_col_t>(spalte), genau, m.zahl);
    } else {
        worksheet_write_string(blatt, static_cast<lxw_row_t>(zeile), static_cast<lxw_col_t>(spalte), text.c_str(),
                               nullptr);
    }
}

void Blatt(CMappe& m, const char* name, const std::vector<std::string>& spalten, const std::vector<CZeile>& zeilen)
{
    if (zeilen.empty())
        return;
    lxw_worksheet* blatt = workbook_add_worksheet(m.buch, name);
    Kopf(m, blatt, spalten);
    for (size_t r = 0; r < zeilen.size(); ++r)
        for (size_t k = 0; k < zeilen[r].size(); ++k)
            Zelle(m, blatt, static_cast<int>(r + 1), static_cast<int>(k), zeilen[r][k]);
}

void Zusammenfassung(CMappe& m, const CKalvoDoc& d)
{
    lxw_worksheet* blatt = workbook_add_worksheet(m.buch, "Zusammenfassung");
    Kopf(m, blatt,
         {"Jahr", "Restfelder Produktion (Mio m³)", "Restfelder Rate (m³/h)", "Ist-Produktion (Mio m³)",
          "Soll-Produktion (Mio m³)", "Ist-Rate (m³/h)", "Soll-Rate (m³/h)"});
    const int n = AnzahlJahre(d.m_iProjektstart, d.m_iProjektende);
    for (int i = 0; i < n; ++i) {
        const auto r = static_cast<lxw_row_t>(i + 1);
        worksheet_write_number(blatt, r, 0, d.m_iProjektstart + i, nullptr);
        const double werte[] = {d.m_fRestProduktion[i],
                                d.m_fRestRate[i],
                                double(d.m_fRestProduktion[i]) + d.m_fProduktionFelder[i],
                                d.m_fSollProduktion[i],
                                double(d.m_fRateFelder[i]) + d.m_fRestRate[i],
                                d.m_fSollRate[i]};
        for (int k = 0; k < 6; ++k)
            worksheet_write_number(blatt, r, static_cast<lxw_col_t>(k + 1), werte[k], m.zahl);
    }
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

void Felder(CMappe& m, const CKalvoDoc& d)
{
    if (d.m_Feldreihen.empty())
        return;
    lxw_worksheet* blatt = workbook_add_worksheet(m.buch, "Felder");
    std::vector<std::string> spalten = {"Jahr"};
    for (const CFeldreihe& f : d.m_Feldreihen) {
        spalten.push_back(f.name + " Produktion (Mio m³)");
        spalten.push_back(f.name + " Rate (m³/h)");
    }
    Kopf(m, blatt, spalten);
    const int n = AnzahlJahre(d.m_iProjektstart, d.m_iProjektende);
    for (int i = 0; i < n; ++i) {
        const auto r = static_cast<lxw_row_t>(i + 1);
        worksheet_write_number(blatt, r, 0, d.m_iProjektstart + i, nullptr);
        lxw_col_t k = 1;
        for (const CFeldreihe& f : d.m_Feldreihen) {
            worksheet_write_number(blatt, r, k++, f.produktion[i], m.zahl);
            worksheet_write_number(blatt, r, k++, f.rate[i], m.zahl);
        }
    }
}

// The document's inputs: the field table, then the two profiles side by side below it.
void Eingaben(CMappe& m, const CKalvoDoc& d)
{
    lxw_worksheet* blatt = workbook_add_worksheet(m.buch, "Eingaben");
    const std::string csv = FeldtabelleCsv(d.m_saFelder).substr(3); // without the byte order mark
    int zeile = 0;
    for (const std::string_view text : CsvZeilen(csv)) {
        int spalte = 0;
        for (const std::string_view zelle : CsvZellen(text)) {
            if (zeile == 0)
                worksheet_write_string(blatt, 0, static_cast<lxw_col_t>(spalte), std::string(zelle).c_str(), m.kopf);
            else
                Zelle(m, blatt, zeile, spalte, std::string(zelle));
            ++spalte;
        }
        ++zeile;
    }
    worksheet_freeze_panes(blatt, 1, 1);
    zeile += 1;
    const std::pair<const char*, const CProfil*> profile[] = {{"Verkaufsprofil", &d.m_saVerkaufsprofil},
                                                              {"Restfelder", &d.m_saRestfelder}};
    int spalte = 0;
    for (const auto& [name, profil] : profile) {
        worksheet_write_string(blatt, static_cast<lxw_row_t>(zeile), static_cast<lxw_col_t>(spalte),
                               (std::string(name) + ": Jahr").c_str(), m.kopf);
        worksheet_write_string(blatt, static_cast<lxw_row_t>(zeile), static_cast<lxw_col_t>(spalte + 1),
                               "Produktion (Mio m³)", m.kopf);
        worksheet_write_string(blatt, static_cast<lxw_row_t>(zeile), static_cast<lxw_col_t>(spalte + 2), "Rate (m³/h)",
                               m.kopf);
        int r = zeile + 1;
        for (const CProfilzeile& p : *profil) {
            worksheet_write_number(blatt, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(spalte), p.jahr, nullptr);
            worksheet_write_number(blatt, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(spalte + 1), p.produktion,
                                   m.zahl);
            worksheet_write_number(blatt, static_cast<lxw_row_t>(r++), static_cast<lxw_col_t>(spalte + 2), p.rate,
                                   m.zahl);
        }
        spalte += 4;
    }
}

std::string TemporaereDatei()
{
    static std::atomic<int> zaehler{0};
    return (std::filesystem::temp_directory_path() / Format("kalvo-%d-%d.xlsx", static_cast<int>(getpid()), zaehler++))
        .string();
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
    // libxlsxwriter writes a file by name: first a temporary one, then its
    // bytes atomically to the target.
    const std::string temp = TemporaereDatei();
    CMappe m;
    m.buch = workbook_new(temp.c_str());
    if (!m.buch)
        return CFehler{"Die Arbeitsmappe kann nicht angelegt werden."};
    m.kopf = workbook_add_format(m.buch);
    format_set_bold(m.kopf);
    format_set_text_wrap(m.kopf);
    m.zahl = workbook_add_format(m.buch);
    format_set_num_format(m.zahl, "0.0");

    Zusammenfassung(m, d);
    Felder(m, d);
    const auto& b = d.m_saBericht;
    Blatt(m, "Bedarf", {"Jahr", "Bedarf Felder (Mio m³)", "Lieferbar (Mio m³)", "Gefördert (Mio m³)", "Faktor (-)"},
          Tabelle(b, "FOERDERUNG NACH BEDARF"));
    Blatt(m, "Energie", {"Jahr", "Rohgas (Mio m³)", "Verkaufsgas (Mio m³)", "Energie (GWh)"},
          Tabelle(b, "  JAHR     ROHGAS  VERKAUFSGAS"));
    const bool rate = d.m_iGrafikRate == 1;
    const std::string e = rate ? " (m³/h)" : " (Mio m³)";
    Blatt(m, "Deckung", {"Jahr", "Ist" + e, "Soll" + e, "Ist − Soll" + e, "Fehlmenge kum." + e},
          Tabelle(b, "DECKUNG DES VERKAUFSPROFILS"));
    Blatt(m, "Vergleich", {"Jahr", "Ist A" + e, "Ist B" + e, "B − A" + e, "Soll A" + e},
          Tabelle(b, "VERGLEICH DER VARIANTEN"));
    Blatt(m, "Unsicherheit", {"Jahr", "P90" + e, "P50" + e, "P10" + e, "Basis" + e}, Tabelle(b, "UNSICHERHEIT ("));
    Blatt(m, "Sensitivitaet", {"Feld", "Größe", "Tief (Mio m³)", "Basis (Mio m³)", "Hoch (Mio m³)"},
          Tabelle(b, "SENSITIVITAET (", false));
    Eingaben(m, d);

    const lxw_error fehler = workbook_close(m.buch);
    CErgebnis<> ergebnis;
    if (fehler != LXW_NO_ERROR) {
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
