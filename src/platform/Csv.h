#pragma once
// Reading the semicolon tables a planner writes by hand or saves from a
// spreadsheet: the lines of a file's text and the cells of a line.

#include "platform/Fehler.h"

#include <string>
#include <string_view>
#include <vector>

// A cell without the blanks, tabs and quotes a spreadsheet puts around it
// (and the carriage return of a Windows line end).
std::string_view CsvGetrimmt(std::string_view zelle);

// The cells of one line, split at every semicolon outside double quotes,
// each trimmed; a quoted cell loses its quotes ("" inside it is one ").
std::vector<std::string> CsvZellen(std::string_view zeile);

// The cells a line can hold at most (its semicolons + 1), counted without
// splitting it: a line of thousands of cells is refused before it is split.
size_t CsvHoechstensZellen(std::string_view zeile);

// The cells of every line of a text (line N of the file is entry N − 1), or
// "Zeile N: Die Zeile hat mehr als M Spalten." for the first line of more
// than `hoechstens` cells, found before anything is split.
using CCsvTabelle = std::vector<std::vector<std::string>>;
CErgebnis<CCsvTabelle> CsvTabelle(std::string_view text, size_t hoechstens);

// A row of only empty cells (an empty line, or ";;;" from a spreadsheet).
bool CsvLeer(const std::vector<std::string>& zellen);

// A text as a cell a spreadsheet reads back as that text: a leading = + - @
// (a formula to a spreadsheet) gets an apostrophe, a cell with a semicolon,
// a quote or a line end is quoted.
std::string CsvText(const std::string& text);

// The text of a cell CsvText wrote: without the apostrophe before = + - @.
std::string_view CsvTextLesen(std::string_view zelle);

// The lines of a text (without their line ends).
std::vector<std::string_view> CsvZeilen(std::string_view text);

// An ASCII header compared without case: "Groesse" = "GROESSE".
std::string KleinSchreibung(std::string_view text);
