#pragma once
// The history match of a field's OGIP to its measured static reservoir
// pressures: the material balance the forecast uses,
//
//     p/z = (pi/zi) · (1 − Gp/G) / (1 − w · Gp/G),
//
// (G the OGIP, Gp the cumulative production, w the water invasion as a
// fraction) fitted by least squares on p/z, with z from the field's own gas
// at its reservoir temperature (the forecast's p/z table). Without water
// invasion this is the straight p/z line through pi/zi. With at least three
// points and the plan's "wasser_anpassen" the water invasion is fitted too;
// else it stays the field's. Standard errors from the fit's covariance
// s²·(JᵀJ)⁻¹ with s² = Σr²/(n − parameters).

#include "forecast/DruckTabellen.h"
#include "model/Feldsatz.h"
#include "planung/Planung.h"
#include "platform/Fehler.h"

#include <string>
#include <utility>
#include <vector>

struct CDruckanpassung {
    std::string feld;
    int punkte = 0;               // measurements used
    double ogip = 0;              // of the fit, Mio m³
    double ogipFehler = 0;        // its standard error, Mio m³
    double wasserinvasion = 0;    // %: the fit's, or the field's when not fitted
    bool wasserAngepasst = false; // the water invasion was fitted
    double wasserFehler = 0;      // its standard error, % (when fitted)
    double abweichung = 0;        // root mean square of measured − fitted pressure, bar
    double ogipDokument = 0;      // the document's OGIP, Mio m³
    double wasserDokument = 0;    // the document's water invasion, %
    // For the p/z chart: pi/zi (bar) and each measurement as (cumulative
    // Mio m³, p/z bar), also when the fit failed.
    double pzi = 0;
    std::vector<std::pair<double, double>> gemessen;
    std::string grund; // not empty: no fit, and why
    bool Gelungen() const { return grund.empty(); }
};

// The fit of one field's points with its own tables (the run's).
CDruckanpassung Druckanpassung(const CFeldwerte& feld, const CGastabellen& tabellen,
                               const std::vector<CMessung>& punkte, bool wasserAnpassen);
// The same building the field's tables first.
CDruckanpassung Druckanpassung(const CFeldwerte& feld, const std::vector<CMessung>& punkte, bool wasserAnpassen);

// The field's record with the fit's OGIP (to 0.1 Mio m³) and, when fitted,
// its water invasion (to 0.1 %), every other value and the stage rows as
// the field dialog writes them back; refused (the German reason) when the
// fit failed or the field rules refuse the values.
CErgebnis<CFeldsatz> MitAnpassung(const CFeldsatz& satz, const CDruckanpassung& anpassung);

// The pressure (bar) the material balance gives at cumulative `kum` (Mio m³)
// for OGIP `ogip` and water invasion `wasserinvasion` (%), as the forecast
// computes it: for the p/z chart's lines.
double Bilanzdruck(const CFeldwerte& feld, const CGastabellen& tabellen, double ogip, double wasserinvasion,
                   double kum);
// p/z (bar) at pressure p (bar) from the field's table.
double PzBeiDruck(const CGastabellen& tabellen, double p);
