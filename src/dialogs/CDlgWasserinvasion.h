#pragma once
// The water-invasion chart: a schematic p/z line over cumulative production
// that flattens as the maximum water invasion grows. Drawn in pixels of the
// dialog's client area (origin top-left, y down).

#include "platform/CDC.h"

class CDlgWasserinvasion {
public:
    float m_fWe = 0; // maximum water invasion, percent

    void OnPaint(CDC& dc, int breite, int hoehe) const;
};
