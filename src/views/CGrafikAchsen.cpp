// The axis arithmetic of the chart: extreme values of the series, round
// tick steps and first ticks, and the mapping of values to plot coordinates.

#include "views/CGrafik.h"

#include "doc/CKalvoDoc.h"

#include <algorithm>
#include <climits>
#include <cmath>

// Conversion toward zero to a 32-bit int; values beyond its range are clamped.
int CGrafik::Trunc(double v)
{
    if (!(v == v))
        return 0;
    if (v >= INT_MAX)
        return INT_MAX;
    if (v <= INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

void CGrafik::extreme()
{
    const CKalvoDoc& d = m_Doc;
    for (int i = 0; i < d.m_iAnzahl && i < kMaxPunkte; ++i) {
        if (i == 0) {
            xmin = xmax = d.X[0];
            ymin = ymax = d.Y[0];
            y1min = y1max = d.Y1[0];
        }
        if (d.X[i] < xmin)
            xmin = d.X[i];
        if (d.X[i] > xmax)
            xmax = d.X[i];
        if (d.Y[i] < ymin)
            ymin = d.Y[i];
        if (d.Y[i] > ymax)
            ymax = d.Y[i];
        if (d.Y1[i] < y1min)
            y1min = d.Y1[i];
        if (d.Y1[i] > y1max)
            y1max = d.Y1[i];
    }
    if (Reserven() || d.m_iAnzahl <= 0)
        return;
    // Variant B's Ist in the common years and, on one axis, the Soll join the Ist's range.
    double v = 0;
    for (int i = 0; i < d.m_iAnzahl && i < kMaxPunkte; ++i) {
        if (d.VergleichAktiv() && d.VarianteWerte().IstImJahr(d.X[i], v)) {
            ymin = std::min(ymin, v);
            ymax = std::max(ymax, v);
        }
    }
    for (int i = 0; i < d.m_iAnzahl && i < kMaxPunkte; ++i) {
        if (Lieferbar(i, v))
            ymax = std::max(ymax, v); // the spare capacity stays inside the plot
        double p90 = 0, p50 = 0, p10 = 0;
        if (Faecher(i, p90, p50, p10)) { // so does the fan
            ymin = std::min(ymin, p90);
            ymax = std::max(ymax, p10);
        }
    }
    if (d.EineAchse()) {
        ymin = std::min(ymin, y1min);
        ymax = std::max(ymax, y1max);
    }
    if (d.m_bFelderEinzeln)
        ymin = std::min(ymin, 0.0); // stacked shares stand on 0
}

// Tick step: 1, 2 or 5 times a power of ten, 4 to 10 intervals on the range.
double CGrafik::delta(double delt)
{
    if (delt < 0.01)
        return 0.01;
    const double ddelt = delt / 10.0;
    const int n = Trunc(std::log10(ddelt));
    const double s = std::pow(10.0, n);
    const double r = ddelt / s;
    if (r >= 4)
        return 10.0 * s;
    if (r >= 2)
        return 5.0 * s;
    if (r >= 1)
        return 2.0 * s;
    if (r >= 0.5)
        return s;
    if (r >= 0.2)
        return 0.5 * s;
    if (r > 0.1)
        return 0.2 * s;
    if (r == 0.1)
        return 0.1 * s;
    return 1.0;
}

// First tick: the multiple of the step at or below the smallest value.
double CGrafik::start(double min, double delt)
{
    if (min == 0)
        return 0;
    const double q = min / delt;
    if (q >= INT_MIN && q <= INT_MAX && q == std::trunc(q))
        return min;
    if (min < 0)
        return std::trunc(q) * delt - delt;
    const int n = Trunc(std::log10(q));
    if (std::abs(n) <= 4)
        return std::trunc(q) * delt;
    // First value of 10^n·delt + (k − 1)·delt, k = 0, 1, …, above min − delt,
    // stepped as the definition does it (the sum's rounding is part of the value);
    // beyond a million steps the multiplication gives it.
    double v = std::pow(10.0, n) * delt - delt;
    const double schritte = (min - delt - v) / delt;
    if (schritte > 1e6)
        v += std::floor(schritte - 2) * delt;
    while (v <= min - delt)
        v += delt;
    return v;
}

void CGrafik::scale()
{
    deltax = delta(xmax - xmin);
    if (Reserven())
        ymin = 0; // the value axis always includes 0
    deltay = delta(ymax - ymin);
    xstart = start(xmin, deltax);
    ystart = start(ymin, deltay);
    if (xstart < xmin)
        xmin = xstart;
    if (!Reserven()) {
        xstart = m_Doc.m_iProjektstart; // the time axis begins at the project start
        xmin = xstart;
    }
    deltax = 1;
    if (ystart < ymin)
        ymin = ystart;

    double t = xstart;
    while (t < xmax - 0.00001)
        t += deltax;
    xmax = t;
    t = ystart;
    while (t < ymax - 0.000001)
        t += deltay;
    ymax = t;
    if (ymax == ymin) {
        ymax += deltay;
        ymin -= deltay;
    }
    t = ymin;
    m_y1 = 0;
    while (t < ymax - 0.001) {
        t += deltay;
        ++m_y1;
    }
    if (!Reserven() && m_Doc.EineAchse()) {
        // Soll on the scale of the Ist: the right axis repeats the left one.
        y1min = ymin;
        y1max = ymax;
        deltay1 = deltay;
        y1start = ystart;
        m_y2 = m_y1;
        return;
    }

    if (y1max == y1min)
        y1max = y1min + 1;
    deltay1 = delta(y1max - y1min);
    y1start = start(y1min, deltay1);
    if (y1start < y1min)
        y1min = y1start;
    t = y1min;
    m_y2 = 0;
    while (t < y1max - 0.0001) {
        t += deltay1;
        ++m_y2;
    }
    y1max = t;

    // Both vertical axes get the same number of intervals.
    if (m_y2 > m_y1)
        ymax = ystart + m_y2 * deltay;
    else
        y1max = y1min + m_y1 * deltay1;
}

// Position of t on an axis of `groesse` units; the middle when the axis has no
// extent (a single year or field).
int CGrafik::Px(double t, double min, double max, int groesse) const
{
    if (max == min)
        return groesse / 2;
    return Trunc(groesse * ((t - min) / (max - min)));
}

void CGrafik::transform()
{
    if (m_bHochformat == 0) {
        m_iBreite = 2200;
        m_iHoehe = 1300;
    } else {
        m_iBreite = 1300;
        m_iHoehe = m_bDrucken == 1 ? 2100 : 750;
    }
    if (m_bDrucken == 0 && m_bGrafiklupe == 1) {
        m_iBreite = 1950;
        m_iHoehe = 1125;
    }
    if (m_bDrucken == 0 && m_bGrafiklupe == 0) {
        m_iHoehe = 750;
        if (Reserven())
            m_iHoehe = m_Doc.m_iAnzahl <= 26 ? 950 : 1200;
    }
    if (m_bDrucken == 1)
        m_iHoehe -= LegendeZusatz(); // the field legend stays on the page
    const int w = m_iBreite, h = m_iHoehe;
    const CKalvoDoc& d = m_Doc;
    m_iVarianteVon = 0;
    m_iVarianteBis = -1;
    for (int i = 0; i < d.m_iAnzahl && i < kMaxPunkte; ++i) {
        if (!Reserven()) {
            m_ptIst[i].x = m_ptSoll[i].x = Px(d.X[i], xmin, xmax, w);
            m_ptIst[i].y = Trunc(h * ((d.Y[i] - ymin) / (ymax - ymin)) - h);
            m_ptSoll[i].y = Trunc(h * ((d.Y1[i] - y1min) / (y1max - y1min)) - h);
            double v = 0;
            if (d.VergleichAktiv() && d.VarianteWerte().IstImJahr(d.X[i], v)) {
                // B's years are consecutive: its common years are one run of points.
                if (m_iVarianteBis < m_iVarianteVon)
                    m_iVarianteVon = i;
                m_iVarianteBis = i;
                m_ptVariante[i] = {m_ptIst[i].x, Py(v)};
            }
            if (Lieferbar(i, v))
                m_ptLieferbar[i] = {m_ptIst[i].x, Py(v)};
        } else {
            m_ptIst[i].y = -Px(d.X[i], xmin, xmax, h);
            m_ptIst[i].x = Trunc(w * ((d.Y[i] - ymin) / (ymax - ymin)));
        }
    }
}

void CGrafik::OnGraf()
{
    extreme();
    scale();
    transform();
}
