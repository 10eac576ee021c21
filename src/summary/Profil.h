#pragma once
// Profile lines (sales profile and rest fields): year, production (Mio m³ per
// year) and rate (m³/h), and the import of a profile from a text file.

#include <string>
#include <string_view>
#include <vector>

class IMeldungen;

// Reads "%d %f %f"; returns the number of values read (0 … 3). A line typed
// or imported by a user may write the numbers with a decimal comma.
int ProfilzeileLesen(std::string_view zeile, int& jahr, float& produktion, float& rate);

// A profile line as the document holds it: year, production and rate as
// numbers, read once, and the text as the file holds it (written back byte for
// byte; the dialog shows it).
struct CProfilzeile {
    std::string text;
    int jahr = 0;
    float produktion = 0; // Mio m³ per year
    float rate = 0;       // m³/h
    int gelesen = 0;      // values the text gave (0 … 3)

    CProfilzeile() = default;
    CProfilzeile(std::string zeile); // NOLINT: a line is made from its text
    CProfilzeile(const char* zeile) : CProfilzeile(std::string(zeile)) {}
    bool operator==(const CProfilzeile& b) const { return text == b.text; }
};
using CProfil = std::vector<CProfilzeile>;

// The texts of a profile's lines, and a profile from such texts.
std::vector<std::string> Profiltexte(const CProfil& profil);
CProfil AusProfiltexten(const std::vector<std::string>& texte);

// A line entered or changed in the profile dialog.
std::string ProfilzeileEingabe(int jahr, float produktion, float rate);
// A line imported from a file.
std::string ProfilzeileImport(int jahr, float produktion, float rate);

struct CProfilImport {
    std::vector<std::string> m_saZeilen; // the lines taken, in the import form
    std::string m_sStatus;               // "%d Zeilen wurden eingelesen"
    bool m_bGeaendert = false;           // the text was a profile: its lines replace the list
};

// At most this many lines of a profile are read: more than the 33 years of a
// project, because a profile may begin before and end after the project.
constexpr int kMaxProfilzeilen = 100;

// Reads a profile from text (UTF-8), as a user pastes or saves it: lines of
// year, production and rate, separated by blanks, tabs or semicolons. The
// text decides once: when any number carries a decimal comma, a point in a
// number is a thousands point and its line is refused ("Zeile 4: …"); else
// the point is the decimal point. A file's first line that is no profile line
// is a heading, a pasted first line only when it holds no number; empty lines
// are skipped. The years run up by one from any first year (the document
// places them by year). All or nothing: the first bad line shows its message,
// and then no line is taken.
enum class EProfilquelle { Datei, Einfuegen };
CProfilImport ProfilLesen(std::string_view text, IMeldungen& meldungen, EProfilquelle quelle = EProfilquelle::Datei);

// A profile pasted from the clipboard; the status counts the lines taken.
CProfilImport ProfilEinfuegen(const std::string& text, IMeldungen& meldungen);

// The same from the bytes of a file (UTF-8 or Windows-1252).
CProfilImport ProfilImportieren(std::string_view bytes, IMeldungen& meldungen);

// The same for a file on disk; first shows "<pfad> wird geöffnet". A file that
// cannot be read gets its reason and changes nothing.
CProfilImport ProfilImportierenAusDatei(const std::string& pfad, IMeldungen& meldungen);
