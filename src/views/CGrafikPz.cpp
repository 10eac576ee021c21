// The p/z chart of a field with measured pressures: p/z over the cumulative
// production, the measurements as squares, the material balance of the fit
// (solid) and of the document's OGIP and water invasion (dashed). Without
// water invasion both are the straight line from pi/zi to the OGIP on the
// axis; with it they bend, p/z = (pi/zi)·(1 − Gp/G)/(1 − w·Gp/G).

#include "doc/CKalvoDoc.h"
#include "platform/Format.h"
#include "views/CGrafik.h"
#include "views/GrafikStil.h"

#include <algorithm>
#include <cmath>

using namespace GrafikStil;

namespace {

const CStift kAnpassungStift{EStiftStil::Durchgezogen, 4, {200, 0, 0}};
const CStift kDokumentStift{EStiftStil::Gestrichelt, 2, {0, 0, 160}};
const CStift kMessStift{EStiftStil::Durchgezogen, 2, {0, 0, 0}};
const CPinsel kMessPinsel{true, {0, 0, 0}};

// p/z (bar) of the material balance at cumulative gp (Mio m³).
double Bilanz(double pzi, double ogip, double wasserProzent, double gp)
{
    if (!(ogip > 0))
        return 0;
    const double x = std::min(gp / ogip, 1.0);
    return pzi * (1 - x) / (1 - wasserProzent / 100.0 * x);
}

} // namespace

int CGrafik::WertY(double wert, double oben) const
{
    return -m_iHoehe + static_cast<int>(std::lround(m_iHoehe * wert / oben)); // y up from -h
}

void CGrafik::Wertegitter(CDC& dc, double oben, double delta) const
{
    dc.SetTextAlign(TA_RIGHT);
    for (double t = 0; t <= oben + delta / 1000; t += delta) {
        dc.SelectObject(kGitterStift);
        dc.MoveTo(0, WertY(t, oben));
        dc.LineTo(m_iBreite, WertY(t, oben));
        dc.TextOut(-15, WertY(t, oben) + 20, Format("%g", t));
    }
    dc.SetTextAlign(TA_CENTER);
}

const CDruckanpassung* CGrafik::Pz() const
{
    if (!m_Doc.m_bPzDiagramm || Reserven())
        return nullptr;
    for (const CDruckanpassung& a : m_Doc.m_Druckanpassungen)
        if (a.feld == m_Doc.m_sPzFeld && a.pzi > 0)
            return &a;
    return nullptr;
}

void CGrafik::PzZeichnen(CDC& dc, const CDruckanpassung& a) const
{
    const int w = m_iBreite, h = m_iHoehe;
    // Across to the larger OGIP (where the lines meet the axis), up to pi/zi.
    double gpMax = std::max(a.ogipDokument, a.Gelungen() ? a.ogip : 0.0);
    double pzMax = a.pzi;
    for (const auto& [gp, pz] : a.gemessen) {
        gpMax = std::max(gpMax, gp);
        pzMax = std::max(pzMax, pz);
    }
    const double dx = delta(gpMax), dy = delta(pzMax);
    gpMax = std::max(dx, std::ceil(gpMax / dx) * dx);
    pzMax = std::max(dy, std::ceil(pzMax / dy) * dy);
    const auto px = [&](double gp) { return static_cast<int>(std::lround(w * gp / gpMax)); };
    const auto py = [&](double pz) { return WertY(pz, pzMax); };

    dc.SelectObject(kTitelSchrift);
    dc.SetTextAlign(TA_CENTER);
    dc.TextOut(w / 2, 200, "p/z-Diagramm " + a.feld);
    dc.SelectObject(kBeschriftungSchrift);
    dc.TextOut(w / 2, 120,
               a.Gelungen() ? Format("Anpassung: OGIP %.0f Mio m\xC2\xB3 (\xC2\xB1%.0f), Wasserinvasion %.1f %%",
                                     a.ogip, a.ogipFehler, a.wasserinvasion)
                            : "Keine Anpassung: " + a.grund);
    dc.SelectObject(kAchsenSchrift);
    dc.TextOut(w / 2, 50,
               Format("Dokument: OGIP %.0f Mio m\xC2\xB3, Wasserinvasion %.1f %%", a.ogipDokument, a.wasserDokument));

    dc.SelectObject(kAchsenSchrift);
    for (double t = 0; t <= gpMax + dx / 1000; t += dx) {
        dc.SelectObject(kGitterStift);
        dc.MoveTo(px(t), 0);
        dc.LineTo(px(t), -h);
        dc.SelectObject(kRahmenStift);
        dc.TextOut(px(t), -h - 30, Format("%g", t));
    }
    Wertegitter(dc, pzMax, dy);
    dc.TextOut(w / 2, -h - 100, "Kumulierte F\xC3\xB6rderung (Mio m\xC2\xB3)");
    dc.TextOut(-250, 60, "p/z (bar)");

    // The lines, 100 steps each from the start to their OGIP.
    const auto linie = [&](double ogip, double wasser, const CStift& stift) {
        if (!(ogip > 0))
            return;
        std::vector<CPunkt> punkte;
        for (int k = 0; k <= 100; ++k) {
            const double gp = ogip * k / 100.0;
            punkte.push_back({px(gp), py(Bilanz(a.pzi, ogip, wasser, gp))});
        }
        dc.SelectObject(stift);
        dc.Polyline(punkte.data(), static_cast<int>(punkte.size()));
    };
    if (a.Gelungen())
        linie(a.ogip, a.wasserinvasion, kAnpassungStift);
    linie(a.ogipDokument, a.wasserDokument, kDokumentStift); // dashed over the fit: both stay visible
    dc.SelectObject(kMessStift);
    const CPinsel alterPinsel = dc.SelectObject(kMessPinsel);
    for (const auto& [gp, pz] : a.gemessen)
        dc.Rectangle(px(gp) - 15, py(pz) + 15, px(gp) + 15, py(pz) - 15);
    dc.SelectObject(alterPinsel);

    dc.SelectObject(kAchsenSchrift);
    dc.TextOut(w / 2, -h - 170, "Quadrate: Messungen   rot: Anpassung   blau gestrichelt: Dokument");
}
