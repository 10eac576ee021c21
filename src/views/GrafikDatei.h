#pragma once
// Writes the chart as the screen shows it without zoom to a PNG, SVG or PDF
// file (format by the file's extension).

#include <string>

class CGrafik;
class IMeldungen;

bool GrafikSchreiben(CGrafik& grafik, const std::string& pfad, IMeldungen& meldungen, std::string& fehler);
