#pragma once
// The proposal for the deliverability constants of a field: C-Wert of a
// vertical, slanted (Besson skin) or horizontal well (Babu & Odeh), B1 from the
// static gas column in the tubing and A1 for the tubing friction.
// Lengths in m, tubing diameter d in cm (well radius rw = d/200 m),
// permeabilities in mD, temperatures in °C, C-values in m³/(h·bar²).

#include "gas/CGaseigenschaften.h"
#include "model/Feldsatz.h"

#include <string>

class IMeldungen;

struct CSchraegbohrung {
    double m_dC = 0;      // C-Wert of the slanted well
    double m_dSkin = 0;   // skin after Besson
    double m_dFaktor = 0; // factor on the vertical C-Wert
};

// Slanted well: the vertical C-Wert c1 scaled by the skin of the drilled
// thickness (m_fMaechtigkeitErbohrt) against the true thickness.
CSchraegbohrung CwertSlant(const CFeldwerte& feld, double c1);

struct CHorizontalbohrung {
    double m_dCH = 0; // C-Wert after Babu & Odeh
    double m_dA = 0;  // side of the square drainage area, m
    double m_dLNCH = 0;
    double m_dPXYZ = 0;
    double m_dPXY_ = 0;
    double m_dSR = 0;      // partial-penetration skin
    double m_dKlammer = 0; // ln(A/rw) + LNCH − 0.75 + SR
    double m_dCV = 0;      // vertical well in the square (diagnostic)
    double m_dBorisov = 0; // horizontal well after Borisov (diagnostic)
};

// Horizontal well of length m_fHorizontallaenge in the centre of the square
// of the drainage area, at the reference pressure.
CHorizontalbohrung CwertHorizontal(const CFeldwerte& feld, const CGaseigenschaften& gas, IMeldungen& meldungen);

// Partial-penetration skin SR after Babu & Odeh; fills m_dPXY_ and m_dSR.
double SrBabuOdeh(const CFeldwerte& feld, double pxyz, double y0, double lnch, double a,
                  CHorizontalbohrung* diagnose = nullptr);

struct CVorschlag {
    double a1_ = 0, b1_ = 0, c1_ = 0;
    std::string m_sVorschlag = " "; // "A1: %6.1f B1:%6.3f C-Wert:%7.4f"
};

// Computes the proposal from the field's reservoir and well data and its gas.
CVorschlag KonstanteABC(const CFeldwerte& feld, const CGaseigenschaften& gas, IMeldungen& meldungen);
