#pragma once
// The toolbar's icons, drawn by the program itself (16 by 15 pixels, scaled).

#include <QIcon>

enum class ESymbol { Neu, Oeffnen, Speichern, Daten, Grafik, Text, Lupe, Drucken, Info, Programm };

QIcon Symbol(ESymbol symbol);
