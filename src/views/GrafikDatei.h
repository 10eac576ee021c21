#pragma once
// Writes the chart as the screen shows it without zoom to a PNG, SVG or PDF
// file (format by the file's extension).

#include <string>

class CGrafik;
class IMeldungen;

// Makes sure a QGuiApplication exists (offscreen when there is no screen).
void GrafikUmgebung();

bool GrafikSchreiben(CGrafik& grafik, const std::string& pfad, IMeldungen& meldungen, std::string& fehler);
