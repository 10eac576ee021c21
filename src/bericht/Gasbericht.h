#pragma once
// The gas property report of a field (detailed output): 53 report lines on
// the field's gas and input data, written before its forecast.

#include "gas/CGaseigenschaften.h"
#include "model/Feldsatz.h"

#include <string>
#include <vector>

void GasberichtSchreiben(const CFeldwerte& feld, const CGaseigenschaften& gas, std::vector<std::string>& bericht);
