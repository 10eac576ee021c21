#pragma once
// The sustained-rate forecast of one field in half-year steps: material balance
// with water invasion, p/z lookup, deliverability equation, rate cap,
// predictor-corrector on the rate, year-end accounting, and the numbers of
// the detailed report's year lines.
// With pressure-dependent factors only the rate evaluation differs: C-Wert,
// B1 and A1 follow the pressure in a three-pass fixed-point iteration.
//
// A function of its inputs: it reads no document and returns what it found.

#include "forecast/DruckTabellen.h"
#include "gas/CGaseigenschaften.h"
#include "model/Feldsatz.h"
#include "model/Grenzen.h"

#include <cstddef>
#include <string>
#include <vector>

class IMeldungen;

// What the forecast of one field needs.
struct CPrognoseEingabe {
    CFeldwerte feld;  // the parsed record
    CStufen stufen{}; // its stage rows
    const CGaseigenschaften* gas = nullptr;
    const float* pzTab = nullptr;            // p/z over the pressure grid, bar
    const float* visTab = nullptr;           // viscosity over the pressure grid, cP
    const float* zTabRohr = nullptr;         // z at the mean tubing temperature, when built ahead
    const CDruckwerte* druckwerte = nullptr; // z at pressures, solved ahead for some field of the same gas
    int projektstart = 0, projektende = 0;
    bool detail = false;         // keep the year values and stage rows of the detailed report
    bool druckabhaengig = false; // pressure-dependent factors
};

// A project year of the forecast, as the detailed report's year line shows it.
struct CPrognosejahr {
    int jahr = 0;
    float kumuliert = 0;             // cumulative production at the year's end, Mio m³
    float bodendruck = 0;            // static reservoir pressure of the last half-step, bar
    float anfangsrate = 0;           // rate at the year's start, m³/h
    float endrate = 0;               // rate at the year's end, m³/h
    float produktion = 0;            // the year's production, Mio m³
    float rateAnteil = 0;            // end rate × consortium share, m³/h
    float produktionAnteil = 0;      // production × consortium share, Mio m³
    float kopfdruck = 0;             // wellhead flowing pressure, bar
    int stunden = 0;                 // producing hours (0 before the field's first year)
    int bohrungen = 0;               // wells
    float cWert = 0, a1 = 0, b1 = 0; // pressure-dependent factors of the last rate evaluation
    bool operator==(const CPrognosejahr&) const = default;
};

// A stage row as the forecast applied it: before year line `vorJahr` (index
// into the year values), printed with the year `jahr`.
struct CStufenereignis {
    size_t vorJahr = 0;
    int jahr = 0;
    CStufenzeile stufe;
    bool operator==(const CStufenereignis&) const = default;
};

// What the detailed report and the reserves list show of a forecast.
struct CPrognosetabelle {
    float kumBeginn = 0;                 // cumulative production at the start, Mio m³
    bool druckabhaengig = false;         // the year lines carry the pressure-dependent factors
    std::vector<CPrognosejahr> jahre;    // with `detail`
    std::vector<CStufenereignis> stufen; // with `detail`
    int aufgabejahr = 0;                 // > 0: abandoned in that year (its first without production)
    std::string aufgabegrund;
    bool operator==(const CPrognosetabelle&) const = default;
};

// What it returns: the field's consortium share per project year, the
// reserve, the working values at the end and the detailed report's numbers.
struct CPrognoseErgebnis {
    bool berechnet = true;          // false when the field cannot be computed
    float produktion[kMaxJahre]{};  // share of the annual production, Mio m³
    float rate[kMaxJahre]{};        // share of the end rate of the year, m³/h
    float rateMitte[kMaxJahre]{};   // share of the rate at the end of June, m³/h
    int stunden[kMaxJahre]{};       // the year's producing hours (0 before the field's first year)
    float reserve = 0;              // sum of the shares, Mio m³
    CPrognosetabelle tabelle;       // the year values of the detailed report
    CFeldwerte feld;                // working values after the stage rows
    float zi = 0;                   // z at the initial pressure
    float zTabRohr[kDruckPunkte]{}; // z at the mean tubing temperature (pressure-dependent)
};

// Takes a stage row's values above 0 (0 leaves a value unchanged) into the field.
void StufenwerteUebernehmen(const CStufenzeile& stufe, CFeldwerte& feld);

// The whole forecast of one field.
CPrognoseErgebnis Prognose(const CPrognoseEingabe& eingabe, IMeldungen& meldungen);

// The forecast of one field advanced year by year, for a caller that runs
// several fields together year by year. The object is the forecast's whole
// state: a copy continues independently of the original (to try a year
// another way from the same start). Prognose() is Jahr() until Fertig(),
// then Abschliessen().
class CPrognoseLauf {
public:
    // The set-up; a field without a z-factor at its initial pressure gets its
    // message here and is not Berechenbar.
    CPrognoseLauf(const CPrognoseEingabe& eingabe, IMeldungen& meldungen);
    bool Berechenbar() const { return m_R.berechnet; }
    bool Fertig() const { return !Berechenbar() || m_iN >= m_iSchritte; }
    int NaechstesJahr() const { return m_iN / 2; } // year index from the project start
    // The next project year; in a demand-limited run every rate of its two
    // half-steps (after the cap) times `faktor` (0 … 1; 1 = at capacity).
    void Jahr(double faktor = 1.0);
    const CPrognoseErgebnis& Ergebnis() const { return m_R; } // so far
    float Kumuliert() const { return m_fGp; }                 // cumulative production so far, Mio m³
    CPrognoseErgebnis Abschliessen();                         // with the reserve

    // ---- for a run that dispatches its fields ----
    float Druck() const { return m_fPbs; }           // static reservoir pressure of the last step, bar
    float Endrate() const { return m_fQE; }          // the field's own rate at the end of the last year, m³/h
    float Jahresproduktion() const { return m_fPJ; } // the field's own production of the last year, Mio m³
    bool VorBeginn() const { return m_iN + 1 <= m_llSchritteVorBeginn; } // the next year lies before its first
    // From the next year on the field produces nothing and its year lines
    // end; the detailed report names the year and the reason.
    void Aufgeben(int jahr, std::string grund);
    bool Aufgegeben() const { return m_R.tabelle.aufgabejahr > 0; }

private:
    // Deliverability factors of the last rate evaluation (pressure-dependent).
    struct CFaktoren {
        float m_fCP = 0; // C-Wert at the current pressure, m³/(h·bar²)
        float m_fA1p = 0;
        float m_fB1p = 0;
    };

    void Halbjahr(int n);
    void StufeAnwenden(int y);
    void DruckabhaengigVorbereiten();
    float Rate(float pbs, float pbsz, int segment, bool vorBeginn);
    float RateDruckabhaengig(float pbs, float pbsz, int segment, bool vorBeginn);
    float Lieferrate(double a1, double c, double b1, float pbs, bool vorBeginn) const;

    CPrognoseEingabe m_E;
    IMeldungen* m_pMeldungen;
    CPrognoseErgebnis m_R; // the result, with the working values in m_R.feld

    // the steps
    int m_iSchritte = 0;                   // half-year steps, 2 per project year
    long long m_llSchritteVorBeginn = 0;   // steps before the field's first year
    int m_iN = 0;                          // steps done
    int m_iHalb = 0;                       // half of the year of the last step
    float m_fG0 = 0, m_fOGIP = 0;          // Mio m³
    double m_dPzInitial = 0;               // p/z at the initial pressure, bar
    float m_fGp = 0, m_fGpY = 0;           // cumulative now and at the year's start, Mio m³
    float m_fR0 = 0, m_fR1 = 0, m_fRA = 0; // m³/h
    float m_fReserve = 0;                  // Mio m³
    double m_dFaktor = 1.0;                // throttling of this year's rates (demand-limited run)
    float m_fPbs = 0;                      // static reservoir pressure of the last evaluation, bar
    float m_fQE = 0, m_fPJ = 0;            // the last year's end rate (m³/h) and production (Mio m³)

    // the current half-step's working values
    float m_fPwh = 0; // wellhead pressure, bar
    int m_iH = 0;     // producing hours per year
    int m_iNB = 0;    // wells
    float m_fC = 0, m_fA1 = 0, m_fB1 = 0;

    // fixed for a pressure-dependent forecast
    float m_fZref = 0;   // z at the reference pressure
    float m_fVisref = 0; // viscosity at the reference pressure, cP
    float m_fTm = 0;     // mean tubing temperature, °C
    float m_fZm = 0;     // mean tubing z that reproduces the entered B1
    CFaktoren m_Faktoren;
};
