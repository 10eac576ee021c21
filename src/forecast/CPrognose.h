#pragma once
// The sustained-rate forecast of one field in half-year steps: material balance
// with water invasion, p/z lookup, deliverability equation, rate cap,
// predictor-corrector on the rate, year-end accounting and report lines.
// With pressure-dependent factors only the rate evaluation differs: C-Wert,
// B1 and A1 follow the pressure in a three-pass fixed-point iteration.

class CKalvoDoc;

class CPrognose {
public:
    CPrognose(CKalvoDoc& doc, bool druckabhaengig);
    int Rechnen();

private:
    // Deliverability factors of the last rate evaluation (pressure-dependent).
    struct CFaktoren {
        float m_fCP = 0; // C-Wert at the current pressure, m³/(h·bar²)
        float m_fA1p = 0;
        float m_fB1p = 0;
    };

    void DruckabhaengigVorbereiten();
    float Rate(float pbs, float pbsz, int segment, bool vorBeginn);
    float RateDruckabhaengig(float pbs, float pbsz, int segment, bool vorBeginn);
    float Lieferrate(double a1, double c, double b1, float pbs, bool vorBeginn) const;
    void Kopfzeilen(float g0);
    void Jahreszeile(int jahr, float gp, float pbs, float rA, float qE, float pJahr, float qS, float pAnteil, int hs);

    CKalvoDoc& m_Doc;
    const bool m_bDruckabhaengig;

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
