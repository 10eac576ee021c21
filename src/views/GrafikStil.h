#pragma once
// Pens, brushes and fonts of the charts, shared by the drawing files of CGrafik.
// Widths and heights in 0.1 mm.

#include "platform/CDC.h"

namespace GrafikStil {

inline const CStift kRahmenStift{EStiftStil::Durchgezogen, 4, {0, 0, 0}};
inline const CStift kGitterStift{EStiftStil::Gepunktet, 1, {0, 0, 0}};
inline const CStift kIstStift{EStiftStil::Durchgezogen, 3, {255, 0, 0}};
inline const CStift kSollStift{EStiftStil::Durchgezogen, 3, {0, 0, 255}};
inline const CStift kBalkenStift{EStiftStil::Durchgezogen, 1, {255, 0, 0}};
inline const CPinsel kBalkenPinsel{true, {255, 0, 0}};
inline const CPinsel kUmrissPinsel{false, {255, 0, 0}, true}; // outlines only
inline const CSchrift kTitelSchrift{80, 600};
inline const CSchrift kBeschriftungSchrift{60, 700};
inline const CSchrift kAchsenSchrift{45, 700};

} // namespace GrafikStil
