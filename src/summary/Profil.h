#pragma once
// Profile lines (sales profile and rest fields): year, production (Mio m³ per
// year) and rate (m³/h), and the import of a profile from a text file.

#include <istream>
#include <string>
#include <string_view>
#include <vector>

class IMeldungen;

// Reads "%d %f %f"; returns the number of values read (0 … 3). A line typed
// or imported by a user may write the numbers with a decimal comma.
int ProfilzeileLesen(std::string_view zeile, int& jahr, float& produktion, float& rate);

// A line entered or changed in the profile dialog.
std::string ProfilzeileEingabe(int jahr, float produktion, float rate);
// A line imported from a file.
std::string ProfilzeileImport(int jahr, float produktion, float rate);

struct CProfilImport {
    std::vector<std::string> m_saZeilen; // the lines taken, in the import form
    std::string m_sStatus;               // "%d Zeilen wurden eingelesen"
    bool m_bGeaendert = false;           // at least one line was taken
};

// Reads an import file: line 1 is a title; line 2 holds the project start
// year, each further line the next year, at most 32 profile lines. Texts are
// Windows-1252. Each failure shows its message and ends the import; the lines
// taken before stay.
CProfilImport ProfilImportieren(std::istream& datei, int projektstart, IMeldungen& meldungen);

// A profile pasted from the clipboard: lines of year, production and rate,
// separated by blanks, tabs or semicolons, with a decimal comma or point; a
// first line that does not begin with a year is a heading. Checked as an
// import file is; the status counts the lines taken.
CProfilImport ProfilEinfuegen(const std::string& text, int projektstart, IMeldungen& meldungen);

// The same for a file on disk; first shows "<pfad> wird geöffnet". A file that
// cannot be opened reads as empty.
CProfilImport ProfilImportierenAusDatei(const std::string& pfad, int projektstart, IMeldungen& meldungen);
