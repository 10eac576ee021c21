#pragma once
// The report as its writers see it: free lines and tables, in order. A table
// has the lines above it (blank lines, its title), its column heading lines
// as the fixed-width text prints them (repeated where a page breaks it), its
// columns with name, unit and number format, and rows of numbers. The
// writers: the fixed-width text (BerichtText, also what the screen shows and
// the print pages), the workbook and the CSV take the numbers themselves.

#include <optional>
#include <string>
#include <variant>
#include <vector>

enum class ESpaltenart {
    Ganz,      // an integer: "%*d"
    Zahl,      // a decimal: "%*.*f"
    Text,      // padded by characters to at least `breite` ("%-18s" for UTF-8)
    TextGenau, // padded or cut to exactly `breite` characters
    Anhang,    // printed with its blanks only when not empty
};

struct CSpalte {
    std::string name;    // the sheet's heading: "Ist-Produktion"
    std::string einheit; // "Mio m³", "m³/h"; "" for none
    ESpaltenart art = ESpaltenart::Zahl;
    std::string vor; // the blanks before the cell in the fixed-width text
    int breite = 0;  // characters of the cell
    int stellen = 0; // decimals of a Zahl
};

// A cell: a number, or a text in a text column; `leer` for none (an empty
// cell of the CSV).
struct CZelle {
    double zahl = 0;
    std::string text;
    bool leer = false;
};

// A row of cells. A line the table prints as it stands (a note, a total)
// stands in `zeile`; the text prints it instead of the cells, a sheet takes
// the cells (none for a note).
struct CTabellenzeile {
    std::vector<CZelle> zellen;
    std::optional<std::string> zeile;
};

struct CTabelle {
    std::string name;               // the sheet of the workbook; "" for none
    std::vector<std::string> titel; // the lines above the heading
    std::vector<std::string> kopf;  // the column heading lines, as printed
    std::vector<CSpalte> spalten;
    std::vector<CTabellenzeile> zeilen;

    void Zeile(std::vector<CZelle> zellen) { zeilen.push_back({std::move(zellen), std::nullopt}); }
    void TextZeile(std::string zeile) { zeilen.push_back({{}, std::move(zeile)}); }
};

class CBericht {
public:
    using CTeil = std::variant<std::string, CTabelle>;

    void Zeile(std::string zeile) { m_Teile.emplace_back(std::move(zeile)); }
    void Tabelle(CTabelle tabelle) { m_Teile.emplace_back(std::move(tabelle)); }
    const std::vector<CTeil>& Teile() const { return m_Teile; }
    // The table of that sheet name, if the report has one.
    const CTabelle* TabelleNamens(const std::string& name) const;
    // Every table of that sheet name, in order (a sheet may gather several:
    // the months of several years, the plateaus of several contracts).
    std::vector<const CTabelle*> TabellenNamens(const std::string& name) const;

private:
    std::vector<CTeil> m_Teile;
};

// A cell in the fixed-width text: its column's blanks and format.
std::string ZellenText(const CSpalte& spalte, const CZelle& zelle);

// A table as CSV for a German spreadsheet: UTF-8 with byte order mark, a
// heading row of "name (unit)", semicolons, decimal commas with the column's
// decimals, CR LF; text cells through CsvText. Free lines are no rows.
std::string TabellenCsv(const CTabelle& tabelle);

// The report as fixed-width lines. With `koepfe`, for every line that is a row
// of a table, the indices of that table's heading lines (empty for others).
std::vector<std::string> BerichtText(const CBericht& bericht, std::vector<std::vector<int>>* koepfe = nullptr);

// The lines of one part of a report: what `bauen(bericht, werte…)` appends.
template <class... A, class... W>
std::vector<std::string> Teilbericht(void (*bauen)(CBericht&, A...), const W&... werte)
{
    CBericht b;
    bauen(b, werte...);
    return BerichtText(b);
}

// A number for a cell of a sheet: a value a float holds exactly as the
// shortest decimal that reads back as that float (41463.4f is 41463.4, not
// 41463.3984375); any other as it is.
double KuerzesteZahl(double wert);
