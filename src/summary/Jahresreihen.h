#pragma once
// The year series of a run as a CSV table for a German spreadsheet:
// semicolon separated, decimal comma, header row, UTF-8 with byte order mark.

#include <string>

class CKalvoDoc;

std::string JahresreihenCsv(const CKalvoDoc& doc);
