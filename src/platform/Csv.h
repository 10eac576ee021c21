#pragma once
// Reading the semicolon tables a planner writes by hand or saves from a
// spreadsheet: the lines of a file's text and the cells of a line.

#include <string>
#include <string_view>
#include <vector>

// A cell without the blanks, tabs and quotes a spreadsheet puts around it
// (and the carriage return of a Windows line end).
std::string_view CsvGetrimmt(std::string_view zelle);

// The cells of one line, split at every semicolon, each trimmed.
std::vector<std::string_view> CsvZellen(std::string_view zeile);

// The lines of a text (without their line ends).
std::vector<std::string_view> CsvZeilen(std::string_view text);

// An ASCII header compared without case: "Groesse" = "GROESSE".
std::string KleinSchreibung(std::string_view text);
