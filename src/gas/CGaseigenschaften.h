#pragma once
// Gas properties of a field from its composition: normalised composition,
// molar mass, density at normal conditions, pseudo-critical values corrected
// for CO2 and H2S (Wichert–Aziz), Lee viscosity constants; on them the z-factor
// (Hall–Yarborough, Newton iteration on the reduced density) and the viscosity
// (Lee). Units: T °C, p bar; internally psia (14.503 psia/bar) and °R (°C·9/5 + 492).

#include "model/Feldsatz.h"

#include <array>
#include <string>

class IMeldungen;

// The two uses of the z-factor differ only in how they iterate:
// the field data dialog stops at its bound |F| < 9.99999975e-8;
// the document's tables always run 30 Newton steps with the bound |F| < 1e-6,
// and every step that meets the bound sets z.
enum class EZwertVariante { Dialog, Dokument };

struct CGaseigenschaften {
    std::array<float, kAnzahlKomponenten> m_fAnteilKorr{}; // mol %, normalised to 100
    float m_fMolgewicht = 0;                               // kg/kmol, as reported
    double m_dMolgewicht = 0;                              // kg/kmol, as the correlations use it
    double m_dRhoN = 0;                                    // kg/m³ at 0 °C, 1.0134 bar
    double m_dLeeK = 0, m_dLeeX = 0, m_dLeeY = 0;          // Lee constants at reservoir temperature
    double m_dPca = 0;                                     // psia, after the CO2/H2S correction
    double m_dTca = 0;                                     // °R, after the CO2/H2S correction
    double m_dPpc = 0;                                     // psia, before the correction
    double m_dTpc = 0;                                     // °R, before the correction
    double m_dEpsilon = 0;                                 // °R, temperature correction

    // Computes every value above. Precondition: the percentages do not sum to 0.
    void Gaseigenschaften(const std::array<float, kAnzahlKomponenten>& anteil, double tcel);

    // z-factor at T (°C), p (bar). Returns -1 when neither the Newton steps
    // nor a bisection on the reduced density meet the bound.
    double Zwert(double tcel, double p, EZwertVariante variante) const;

    // Viscosity after Lee at T (°C), p (bar), in cP.
    double Viskos(double tcel, double p, EZwertVariante variante) const;

    // Viscosity (cP) from the Lee constants at reservoir temperature and a
    // density at reservoir conditions rho (kg/m³).
    double LeeViskositaet(double rho) const;
};

// Molar mass of air, kg/kmol: relative density = molar mass / 28.964.
constexpr double kMolgewichtLuft = 28.964;

// The 16-character report name of component i.
const char* KomponentenName(int i);

// The dialog form: computes the gas properties of the field being edited,
// checks z at the initial pressure and the reduced temperature (with their
// messages), formats the result text and shows it when `anzeigen`.
// True on success, false after a failure message.
bool GaseigenschaftenDialog(const CFeldwerte& feld, bool anzeigen, IMeldungen& meldungen, CGaseigenschaften& gas,
                            std::string* ergebnisText = nullptr);

// z-factor of the dialog: shows "ERROR!! Z<0 …" when z <= 0 and returns it anyway.
double ZwertDialog(const CGaseigenschaften& gas, double tcel, double p, IMeldungen& meldungen);
