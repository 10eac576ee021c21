#pragma once
// The year series of a run as a CSV table for a German spreadsheet:
// semicolon separated, decimal comma, header row, UTF-8 with byte order mark.

#include <string>

// The year series of a run: entry i belongs to year projektstart + i.
struct CJahresreihen {
    int projektstart = 0, projektende = 0;
    const float* restProduktion = nullptr;   // Mio m³
    const float* restRate = nullptr;         // m³/h
    const float* sollProduktion = nullptr;   // Mio m³
    const float* sollRate = nullptr;         // m³/h
    const float* produktionFelder = nullptr; // Mio m³, the fields' shares
    const float* rateFelder = nullptr;       // m³/h
};

std::string JahresreihenCsv(const CJahresreihen& reihen);
