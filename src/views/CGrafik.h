#pragma once
// The chart of the planning results, without any window: axis scaling of the
// document's chart series (extreme, scale, delta, start), the mapping to plot
// coordinates (transform) and the drawing on a device context (Diagramm).
// Time chart: years across, Ist (Y) on the left axis as line or bars, Soll (Y1)
// on the right axis as line. On request also: Ist stacked by the fields'
// shares, Soll scaled on the left axis too, variant B's Ist as a dashed line,
// the years of shortfall as red bands. Reserves chart: one horizontal bar per
// field.
// Logical units of 0.1 mm, y up; the plot runs from (0, 0) to (W, -H).

#include "model/Grenzen.h"
#include "platform/CDC.h"

#include <string>
#include <vector>

class CKalvoDoc;
struct CDruckanpassung;
struct CSzenarienergebnis;
class IMeldungen;

constexpr int kMaxPunkte = kMaxJahre; // points of a chart series

class CGrafik {
public:
    explicit CGrafik(CKalvoDoc& doc);

    // axis members, set by extreme and scale
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0, y1min = 0, y1max = 0;
    double xstart = 0, ystart = 0, y1start = 0;
    double deltax = 0, deltay = 0, deltay1 = 0;
    int m_y1 = 0; // intervals of the Y axis (last scale)
    int m_y2 = 0; // intervals of the Y1 axis (last scale)

    // view state
    int m_bDrucken = 0;    // 1 while a print or preview job runs
    int m_bHochformat = 1; // 1 = portrait plot size, 0 = landscape page being printed
    int m_bGrafiklupe = 0; // zoom

    // plot, set by transform
    int m_iBreite = 1300;
    int m_iHoehe = 750;
    CPunkt m_ptIst[kMaxPunkte]{};
    CPunkt m_ptSoll[kMaxPunkte]{};
    CPunkt m_ptVariante[kMaxPunkte]{};           // variant B's Ist, where B has the year
    int m_iVarianteVon = 0, m_iVarianteBis = -1; // its points: the common years
    CPunkt m_ptLieferbar[kMaxPunkte]{};          // demand-limited run: rest fields + the fields' capacity

    void extreme();
    void scale();
    static double delta(double delt);
    static double start(double min, double delt);
    void transform();
    void OnGraf(); // extreme, scale, transform

    // Draws the whole chart. Messages go to `meldungen` at most once until
    // NeueZeichnung() starts the next drawing request.
    void Diagramm(CDC& dc, IMeldungen& meldungen);
    void NeueZeichnung() { m_bMeldungGezeigt = false; }
    void AchseX(CDC& dc) const;
    void AchseY(CDC& dc) const;
    void AchseY1(CDC& dc) const;
    void Gitter(CDC& dc) const;
    // Bars of the points; `umriss` draws them as outlines over the stacked fields.
    void Blockdiagramm(CDC& dc, const CPunkt* pts, int n, bool umriss = false) const;
    bool Reserven() const; // the reserves chart instead of the time chart
    bool Tornado() const;  // the sensitivities' tornado instead of the time chart
    // The p/z chart of the document's chosen field instead of the time
    // chart, while the last run has its measurements; else nullptr.
    const CDruckanpassung* Pz() const;
    // The scenarios' chart instead of the time chart, while the document
    // has a scenario comparison and shows it; else nullptr.
    const CSzenarienergebnis* Szenarien() const;

    // The drawing's extent in 0.1 mm: the plot plus the margins for titles,
    // axis labels and the legend (400 units left, 600 in the reserves chart,
    // 300 above, the legend below).
    struct CFlaeche {
        int breite, hoehe;
    };
    CFlaeche Zeichenflaeche() const
    {
        if (Tornado()) // names left of the bars
            return {m_iBreite + 1200, m_iHoehe + 600};
        return {m_iBreite + (Reserven() ? 1000 : 800), m_iHoehe + (Reserven() ? 450 : 600) + LegendeZusatz()};
    }
    // Entries of the field legend: the rest fields and the computed fields.
    std::vector<std::string> Feldlegende() const;
    bool FeldlegendeGekuerzt() const;

private:
    void Dokumentname(CDC& dc, int links, int y) const;
    // Conversion toward zero to a 32-bit int; values beyond its range are clamped.
    static int Trunc(double v);
    void Zeitreihen(CDC& dc, int anzahl) const;
    void Unterdeckungsbaender(CDC& dc, int anzahl) const;
    void Feldbalken(CDC& dc, int anzahl) const;
    void FeldlegendeZeichnen(CDC& dc) const;
    void VarianteZeichnen(CDC& dc) const;
    // In a demand-limited run (production): what rest fields and fields could
    // have delivered in point i's year, Mio m³; false otherwise.
    bool Lieferbar(int i, double& wert) const;
    void LieferbarZeichnen(CDC& dc, int anzahl) const;
    // A Monte Carlo study in the chart quantity: P90, P50, P10 of point i's year.
    bool Faecher(int i, double& p90, double& p50, double& p10) const;
    void FaecherZeichnen(CDC& dc, int anzahl) const;
    void TornadoZeichnen(CDC& dc) const;
    void PzZeichnen(CDC& dc, const CDruckanpassung& a) const;
    void SzenarienZeichnen(CDC& dc, const CSzenarienergebnis& s) const;
    // The p/z and scenario charts' left axis from 0 to `oben` (a multiple of
    // `delta`): a dotted line and its label at every step; WertY is a value's height.
    int WertY(double wert, double oben) const;
    void Wertegitter(CDC& dc, double oben, double delta) const;
    void BalkenX(int i, int n, int x, int& links, int& rechts) const;
    int Py(double wert) const; // height of a value on the left axis
    int LegendeZusatz() const; // room the field legend needs below the margin
    void Reservenbalken(CDC& dc, int anzahl) const;
    int Px(double t, double min, double max, int groesse) const;
    std::string FeldnameBei(double t) const;

    CKalvoDoc& m_Doc;
    bool m_bMeldungGezeigt = false;
};
