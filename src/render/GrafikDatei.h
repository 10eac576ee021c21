#pragma once
// Writes the chart as the screen shows it without zoom to a PNG, SVG or PDF
// file (format by the file's extension).

#include "platform/Fehler.h"

#include <string>

class CGrafik;
class IMeldungen;

CErgebnis<> GrafikSchreiben(CGrafik& grafik, const std::string& pfad, IMeldungen& meldungen);
