// The scenarios' chart: the Ist of the base and of every scenario (or, with
// the energy table on, the fields' energy) over the years, a line each in
// its own colour, the base in black on top, a legend below.

#include "doc/CKalvoDoc.h"
#include "platform/Format.h"
#include "views/CGrafik.h"
#include "views/GrafikStil.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace GrafikStil;

namespace {

// The base first, then the scenarios in turn (the ninth takes the first colour again).
const CFarbe kFarben[] = {{0, 0, 0},     {220, 0, 0},   {0, 0, 220},   {0, 150, 0},  {230, 130, 0},
                          {140, 0, 160}, {120, 70, 20}, {0, 150, 150}, {200, 0, 120}};

CStift Linie(size_t k)
{
    return {EStiftStil::Durchgezogen, k == 0 ? 5 : 3, kFarben[k % std::size(kFarben)]};
}

} // namespace

const CSzenarienergebnis* CGrafik::Szenarien() const
{
    if (!m_Doc.m_bSzenarienGrafik || !m_Doc.m_Szenarien || Reserven() || m_Doc.m_Szenarien->zeilen.empty())
        return nullptr;
    return &*m_Doc.m_Szenarien;
}

void CGrafik::SzenarienZeichnen(CDC& dc, const CSzenarienergebnis& s) const
{
    const int w = m_iBreite, h = m_iHoehe;
    const bool energie = m_Doc.m_bEnergie;
    const auto werte = [&](const CSzenariozeile& z) -> const std::vector<double>& {
        return energie ? z.energieJahr : z.ist;
    };
    int von = std::numeric_limits<int>::max(), bis = std::numeric_limits<int>::min();
    double groesster = 0;
    for (const CSzenariozeile& z : s.zeilen) {
        if (!z.jahre.empty()) {
            von = std::min(von, z.jahre.front());
            bis = std::max(bis, z.jahre.back());
        }
        for (const double v : werte(z))
            groesster = std::max(groesster, v);
    }
    if (von > bis)
        return;
    const double dy = delta(groesster > 0 ? groesster : 1);
    const double oben = std::max(dy, std::ceil(groesster / dy) * dy);
    const int spanne = std::max(1, bis - von);
    const auto px = [&](int jahr) { return static_cast<int>(std::lround(double(w) * (jahr - von) / spanne)); };
    const auto py = [&](double v) { return WertY(v, oben); };

    dc.SelectObject(kTitelSchrift);
    dc.SetTextAlign(TA_CENTER);
    dc.TextOut(w / 2, 200, energie ? "Szenarien: Energie der Felder" : "Szenarien: Ist-Produktion");
    dc.SelectObject(kBeschriftungSchrift);
    dc.TextOut(w / 2, 120, Format("%d-%d", von, bis));
    dc.TextOut(-50, 100, energie ? "GWh" : "Mio m\xC2\xB3");

    dc.SelectObject(kAchsenSchrift);
    const int schritt = spanne > 20 ? 5 : spanne > 10 ? 2 : 1;
    for (int jahr = von; jahr <= bis; jahr += schritt) {
        dc.SelectObject(kGitterStift);
        dc.MoveTo(px(jahr), 0);
        dc.LineTo(px(jahr), -h);
        dc.SelectObject(kRahmenStift);
        dc.TextOut(px(jahr), -h - 30, Format("%d", jahr));
    }
    Wertegitter(dc, oben, dy);

    // A line per row, the base's last so that it stays on top, and its
    // legend entry: two to a line below the plot.
    dc.SetTextAlign(TA_LEFT);
    for (size_t k = s.zeilen.size(); k-- > 0;) {
        const CSzenariozeile& z = s.zeilen[k];
        std::vector<CPunkt> punkte;
        for (size_t i = 0; i < z.jahre.size() && i < werte(z).size(); ++i)
            punkte.push_back({px(z.jahre[i]), py(werte(z)[i])});
        dc.SelectObject(Linie(k));
        if (!punkte.empty())
            dc.Polyline(punkte.data(), static_cast<int>(punkte.size()));
        const int x = static_cast<int>(k % 2) * (w / 2 + 100), y = -h - 110 - static_cast<int>(k / 2) * 45;
        dc.MoveTo(x, y - 20);
        dc.LineTo(x + 120, y - 20);
        dc.SelectObject(kRahmenStift);
        dc.TextOut(x + 140, y, z.name);
    }
    dc.SetTextAlign(TA_CENTER);
}
