#pragma once
// Windows-1252 <-> UTF-8. The .kvo file and the profile import files hold
// Windows-1252 bytes; inside the program all text is UTF-8.

#include <string>
#include <string_view>

// Every byte has a character (the five unassigned ones map to the C1 controls
// of the same number), so reading never fails and a file read and written again
// keeps its bytes.
std::string Cp1252ZuUtf8(std::string_view cp1252);

// False when the text holds a character Windows-1252 cannot hold (or is not
// valid UTF-8); `ergebnis` then holds '?' in its place.
bool Utf8ZuCp1252(std::string_view utf8, std::string& ergebnis);

// True when the bytes are valid UTF-8 (plain ASCII is).
bool IstUtf8(std::string_view bytes);

// The text of a file a user wrote: UTF-8 (with or without byte-order mark)
// when the bytes are valid UTF-8, else Windows-1252 as older files are.
std::string TextAusDatei(std::string_view bytes);

// True when every character of the UTF-8 text can be stored in Windows-1252.
bool IstCp1252Darstellbar(std::string_view utf8);
