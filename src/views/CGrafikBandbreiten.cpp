// The charts of a range study: the tornado of the sensitivities (one
// horizontal bar per ranged value, from its result at Tief to its result at
// Hoch, around the base) and the fan of a Monte Carlo study over the time
// chart (P90 and P10 dashed, P50 solid, the base run's bars as always).

#include "doc/CKalvoDoc.h"
#include "platform/Format.h"
#include "views/CGrafik.h"
#include "views/GrafikStil.h"

#include <algorithm>
#include <cmath>

using namespace GrafikStil;

namespace {

const CStift kFaecherStift{EStiftStil::Gestrichelt, 2, {90, 90, 90}};
const CStift kP50Stift{EStiftStil::Durchgezogen, 4, {0, 130, 0}};
const CStift kTiefStift{EStiftStil::Durchgezogen, 1, {0, 0, 160}};
const CPinsel kTiefPinsel{false, {120, 150, 230}};
const CPinsel kHochPinsel{false, {240, 150, 90}};

} // namespace

bool CGrafik::Tornado() const
{
    return m_Doc.m_bTornado && m_Doc.m_Sensitivitaet && !m_Doc.m_Sensitivitaet->zeilen.empty() && !Reserven();
}

bool CGrafik::Faecher(int i, double& p90, double& p50, double& p10) const
{
    const CKalvoDoc& d = m_Doc;
    if (!d.m_Unsicherheit || Reserven() || d.m_Unsicherheit->rate != (d.m_iGrafikRate == 1) || i < 0 ||
        i >= d.m_iAnzahl)
        return false;
    for (const CUnsicherheitsjahr& j : d.m_Unsicherheit->jahre)
        if (j.jahr == d.X[i]) {
            p90 = j.p90;
            p50 = j.p50;
            p10 = j.p10;
            return true;
        }
    return false;
}

void CGrafik::FaecherZeichnen(CDC& dc, int anzahl) const
{
    std::vector<CPunkt> p90, p50, p10;
    for (int i = 0; i < anzahl; ++i) {
        double a = 0, b = 0, c = 0;
        if (Faecher(i, a, b, c)) {
            p90.push_back({m_ptIst[i].x, Py(a)});
            p50.push_back({m_ptIst[i].x, Py(b)});
            p10.push_back({m_ptIst[i].x, Py(c)});
        }
    }
    if (p50.empty())
        return;
    const CStift alt = dc.SelectObject(kFaecherStift);
    dc.Polyline(p90.data(), static_cast<int>(p90.size()));
    dc.Polyline(p10.data(), static_cast<int>(p10.size()));
    dc.SelectObject(kP50Stift);
    dc.Polyline(p50.data(), static_cast<int>(p50.size()));
    const int w = m_iBreite;
    const std::string legende = Format("P50 (%d L\xC3\xA4ufe), P90 und P10 gestrichelt", m_Doc.m_Unsicherheit->laeufe);
    // Above the plot, under the title: the legends below it are taken.
    dc.TextOut(w / 2, 60, legende);
    const int cx = dc.GetTextExtent(legende);
    dc.MoveTo(w / 2 + cx / 2 + 50, 40);
    dc.LineTo(w / 2 + cx / 2 + 250, 40);
    dc.SelectObject(alt);
}

void CGrafik::TornadoZeichnen(CDC& dc) const
{
    const CSensitivitaetsErgebnis& s = *m_Doc.m_Sensitivitaet;
    const int w = m_iBreite, h = m_iHoehe;
    const int n = static_cast<int>(s.zeilen.size());
    double lo = s.zeilen[0].basis, hi = lo;
    for (const CSensitivitaet& z : s.zeilen) {
        lo = std::min({lo, z.tief, z.hoch});
        hi = std::max({hi, z.tief, z.hoch});
    }
    const double schritt = delta(hi - lo);
    lo = std::floor(lo / schritt) * schritt;
    hi = std::ceil(hi / schritt) * schritt;
    if (!(hi > lo))
        hi = lo + schritt;
    const auto px = [&](double v) { return static_cast<int>(std::lround(w * (v - lo) / (hi - lo))); };

    dc.SelectObject(kTitelSchrift);
    dc.SetTextAlign(TA_CENTER);
    dc.TextOut(w / 2, 200, "Sensitivit\xC3\xA4ten");
    dc.SelectObject(kBeschriftungSchrift);
    dc.TextOut(w / 2, 120,
               Format("%s %d-%d (Mio m\xC2\xB3)",
                      s.plateau ? "H\xC3\xB6"
                                  "chstes Plateau"
                                : "Kumulierte Ist-Produktion",
                      s.erstesJahr, s.letztesJahr));

    // The value axis with its grid.
    dc.SelectObject(kAchsenSchrift);
    for (double t = lo; t <= hi + schritt / 1000; t += schritt) {
        dc.SelectObject(kGitterStift);
        dc.MoveTo(px(t), 0);
        dc.LineTo(px(t), -h);
        dc.SelectObject(kRahmenStift);
        dc.MoveTo(px(t), -h);
        dc.LineTo(px(t), -h - 20);
        dc.TextOut(px(t), -h - 30, Format("%g", t));
    }

    // One bar per row, widest on top; the left label names field and quantity.
    const CPinsel alterPinsel = dc.SelectObject(kTiefPinsel);
    const int zeile = h / std::max(n, 1);
    const int balken = std::max(8, zeile * 6 / 10);
    for (int k = 0; k < n; ++k) {
        const CSensitivitaet& z = s.zeilen[static_cast<size_t>(k)];
        const int mitte = -zeile * k - zeile / 2;
        // Each bar runs from the base to its result on whichever side that
        // lies (a higher wellhead pressure or a later start gives less); when
        // both lie on one side the longer is drawn first, the shorter on it.
        dc.SelectObject(kTiefStift);
        const auto balkenZeichnen = [&](double wert, const CPinsel& pinsel) {
            dc.SelectObject(pinsel);
            dc.Rectangle(px(std::min(wert, z.basis)), mitte + balken / 2, px(std::max(wert, z.basis)),
                         mitte - balken / 2);
        };
        if (std::fabs(z.tief - z.basis) >= std::fabs(z.hoch - z.basis)) {
            balkenZeichnen(z.tief, kTiefPinsel);
            balkenZeichnen(z.hoch, kHochPinsel);
        } else {
            balkenZeichnen(z.hoch, kHochPinsel);
            balkenZeichnen(z.tief, kTiefPinsel);
        }
        dc.SelectObject(kRahmenStift);
        dc.SetTextAlign(TA_RIGHT);
        dc.TextOut(-15, mitte + 20, z.feld + " " + GroessenName(z.groesse));
    }
    dc.SelectObject(alterPinsel);
    dc.SelectObject(kSollStift);
    dc.MoveTo(px(s.zeilen[0].basis), 0);
    dc.LineTo(px(s.zeilen[0].basis), -h);
    dc.SetTextAlign(TA_CENTER);
    dc.SelectObject(kBeschriftungSchrift);
    dc.TextOut(w / 2, -h - 100, Format("Basis %.1f   blau: bei Tief   orange: bei Hoch", s.zeilen[0].basis));
}
