#pragma once
// printf/scanf helpers. All formats of the program are fixed literals, so the
// compiler checks them; the result is always a complete std::string, never a
// truncated fixed buffer.
//
// Number text never follows the process locale: Qt sets the C library's
// locale from the desktop, and a German desktop would make printf write
// "93,100" and strtof stop at the point of "93.100". Files, reports and
// chart labels always carry a decimal point, so these helpers format and
// read in the C locale whatever the process locale is.

#include <string>
#include <string_view>
#include <vector>

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Number of characters (not bytes) of a UTF-8 text.
size_t AnzahlZeichen(std::string_view utf8);

// Pads with blanks or cuts a UTF-8 text to exactly `breite` characters.
std::string AufBreite(std::string_view utf8, size_t breite);

// Pads a UTF-8 text with blanks to at least `breite` characters, as printf's
// "%-18s" would for ASCII; a longer text stays whole.
std::string Linksbuendig(std::string_view utf8, size_t breite);

// First white-space separated token of a text, and the rest after it.
std::string_view ErstesWort(std::string_view text, std::string_view* rest = nullptr);

// All white-space separated tokens of a text, in order.
std::vector<std::string_view> Woerter(std::string_view text);

// Strict number readers for one token: the whole token must be the number, the
// value must fit, and floats must be finite. The float is converted as scanf's %f
// does (correctly rounded to single precision).
bool LiesInt(std::string_view token, int& wert);
bool LiesFloat(std::string_view token, float& wert);
bool LiesDouble(std::string_view token, double& wert);

// The same for a number a user typed: a decimal comma ("0,5") is taken as
// well as a decimal point. A token with both, or with more than one comma,
// is no number (a thousands separator is not guessed at).
bool LiesEingabeFloat(std::string_view token, float& wert);

// A name as a report, a table or a terminal may show it: control characters
// (which a hand-edited file can hold) become '?', so that they neither move
// the terminal's cursor nor break a CSV line. Everything else stays as it is.
std::string Anzeigename(std::string_view name);
