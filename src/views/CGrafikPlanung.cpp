// The planning answers in the time chart: the years that fall short of the
// sales profile as red bands, Ist stacked by the fields' shares with their
// legend, and variant B's Ist as a dashed line.

#include "views/CGrafik.h"

#include "doc/CKalvoDoc.h"
#include "platform/Format.h"
#include "summary/Planungstabellen.h"
#include "views/GrafikStil.h"

#include <algorithm>

using namespace GrafikStil;

namespace {

const CFarbe kBandFarbe{255, 205, 205};
const CFarbe kRestfelderFarbe{170, 170, 170};
// One colour per field, repeated after nine fields.
const CFarbe kFeldFarben[] = {{31, 119, 180},  {255, 127, 14}, {44, 160, 44},  {148, 103, 189}, {140, 86, 75},
                              {227, 119, 194}, {188, 189, 34}, {23, 190, 207}, {255, 187, 120}};
const CStift kVarianteStift{EStiftStil::Gestrichelt, 3, {0, 128, 0}};
const CStift kLegendeRahmen{EStiftStil::Durchgezogen, 1, {0, 0, 0}};
const CStift kLieferbarStift{EStiftStil::Durchgezogen, 1, {90, 90, 90}}; // thin: spare capacity

constexpr int kLegendeOben = 260;  // first row of the field legend below the plot
constexpr int kLegendeZeile = 45;  // row height
constexpr int kLegendeSpalten = 3; // columns across the plot's width
constexpr int kLegendeMaxZeilen = 5;
constexpr size_t kLegendePlaetze = kLegendeSpalten * kLegendeMaxZeilen;
constexpr int kUntererRand = 300; // margin below the plot without a field legend

CFarbe Feldfarbe(size_t k)
{
    return k == 0 ? kRestfelderFarbe : kFeldFarben[(k - 1) % std::size(kFeldFarben)];
}

} // namespace

int CGrafik::Py(double wert) const
{
    return Trunc(m_iHoehe * ((wert - ymin) / (ymax - ymin)) - m_iHoehe);
}

// More entries than places: the last place counts the rest.
bool CGrafik::FeldlegendeGekuerzt() const
{
    return 1 + m_Doc.m_Feldreihen.size() > kLegendePlaetze;
}

std::vector<std::string> CGrafik::Feldlegende() const
{
    if (Reserven() || !m_Doc.m_bFelderEinzeln)
        return {};
    std::vector<std::string> eintraege = {"Restfelder"};
    for (const CFeldreihe& feld : m_Doc.m_Feldreihen)
        eintraege.push_back(feld.name);
    if (FeldlegendeGekuerzt()) {
        const size_t weitere = eintraege.size() - (kLegendePlaetze - 1);
        eintraege.resize(kLegendePlaetze - 1);
        eintraege.push_back(Format("... und %zu weitere", weitere));
    }
    return eintraege;
}

int CGrafik::LegendeZusatz() const
{
    const int n = static_cast<int>(Feldlegende().size());
    if (n == 0)
        return 0;
    const int zeilen = (n + kLegendeSpalten - 1) / kLegendeSpalten;
    return std::max(0, kLegendeOben + zeilen * kLegendeZeile + 10 - kUntererRand);
}

// A light red band over every year whose Ist falls short of its Soll, drawn
// before the grid so that the grid stays visible.
void CGrafik::Unterdeckungsbaender(CDC& dc, int anzahl) const
{
    const CJahreswerte werte = m_Doc.Grafikwerte();
    const CStift alterStift = dc.SelectObject(CStift{EStiftStil::Durchgezogen, 1, kBandFarbe});
    const CPinsel alterPinsel = dc.SelectObject(CPinsel{false, kBandFarbe});
    const int w = m_iBreite, h = m_iHoehe;
    const int halb = anzahl > 1 ? w / (anzahl - 1) / 2 : w / 8;
    for (int i = 0; i < anzahl && i < werte.anzahl; ++i) {
        if (!Unterdeckung(werte, i))
            continue;
        const int x = m_ptIst[i].x;
        dc.Rectangle(std::max(0, x - halb), 0, std::min(w, x + halb), -h);
    }
    // The frame again over the bands' edges.
    dc.SelectObject(kRahmenStift);
    dc.SelectObject(CPinsel{false, {255, 255, 255}, true});
    dc.Rectangle(0, 0, w, -h);
    dc.SelectObject(alterPinsel);
    dc.SelectObject(alterStift);
}

// Ist as stacked bars: the rest fields at the bottom, then each field's share
// in list order; the top of each stack is the Ist of its year.
void CGrafik::Feldbalken(CDC& dc, int anzahl) const
{
    const CKalvoDoc& d = m_Doc;
    const bool rate = d.m_iGrafikRate != 0;
    const CPinsel alterPinsel = dc.SelectObject(CPinsel{});
    const CStift alterStift = dc.SelectObject(kLegendeRahmen);
    const auto hoehe = [this](double wert) { return std::clamp(Py(wert), -m_iHoehe, 0); };
    for (int i = 0; i < anzahl; ++i) {
        int links = 0, rechts = 0;
        BalkenX(i, anzahl, m_ptIst[i].x, links, rechts);
        double summe = 0;
        // Piece k of the stack: the rest fields (k = 0), then field k − 1.
        const auto stueck = [&](size_t k, double anteil) {
            const int unten = hoehe(summe);
            summe += anteil;
            const int oben = hoehe(summe);
            if (oben == unten)
                return; // a share of 0, or below the axis
            const CFarbe farbe = Feldfarbe(k);
            dc.SelectObject(CPinsel{false, farbe});
            dc.SelectObject(CStift{EStiftStil::Durchgezogen, 1, farbe});
            dc.Rectangle(links, unten, rechts, oben);
        };
        stueck(0, rate ? d.m_fRestRate[i] : d.m_fRestProduktion[i]);
        for (size_t k = 0; k < d.m_Feldreihen.size(); ++k)
            stueck(k + 1, rate ? d.m_Feldreihen[k].rate[i] : d.m_Feldreihen[k].produktion[i]);
    }
    dc.SelectObject(alterPinsel);
    dc.SelectObject(alterStift);
}

void CGrafik::FeldlegendeZeichnen(CDC& dc) const
{
    const std::vector<std::string> eintraege = Feldlegende();
    const CSchrift alteSchrift = dc.SelectObject(kAchsenSchrift);
    const CStift alterStift = dc.SelectObject(kLegendeRahmen);
    const CPinsel alterPinsel = dc.SelectObject(CPinsel{});
    dc.SetTextAlign(TA_LEFT);
    const int spalte = m_iBreite / kLegendeSpalten;
    for (size_t k = 0; k < eintraege.size(); ++k) {
        const int x = static_cast<int>(k % kLegendeSpalten) * spalte;
        const int y = -m_iHoehe - kLegendeOben - static_cast<int>(k / kLegendeSpalten) * kLegendeZeile;
        if (k + 1 < eintraege.size() || !FeldlegendeGekuerzt()) {
            dc.SelectObject(CPinsel{false, Feldfarbe(k)});
            dc.Rectangle(x, y - 5, x + 40, y - 35);
        }
        dc.TextOut(x + 55, y, eintraege[k]);
    }
    dc.SetTextAlign(TA_CENTER);
    dc.SelectObject(alterPinsel);
    dc.SelectObject(alterStift);
    dc.SelectObject(alteSchrift);
}

bool CGrafik::Lieferbar(int i, double& wert) const
{
    const CKalvoDoc& d = m_Doc;
    if (Reserven() || d.m_iGrafikRate == 1 || i < 0 || static_cast<size_t>(i) >= d.m_Bedarfsjahre.size())
        return false;
    wert = double(d.m_fRestProduktion[i]) + d.m_Bedarfsjahre[static_cast<size_t>(i)].lieferbar;
    return true;
}

// A demand-limited run: what could have been delivered, as a thin outline
// above each produced bar (a thin line in the line diagram), and its legend.
void CGrafik::LieferbarZeichnen(CDC& dc, int anzahl) const
{
    double v = 0;
    if (!Lieferbar(0, v))
        return;
    const int w = m_iBreite, h = m_iHoehe;
    const CStift alterStift = dc.SelectObject(kLieferbarStift);
    const int n = std::min<int>(anzahl, static_cast<int>(m_Doc.m_Bedarfsjahre.size()));
    if (m_Doc.m_bBlockdiagramm == 0) {
        dc.Polyline(m_ptLieferbar, n);
    } else {
        const CPinsel alterPinsel = dc.SelectObject(kUmrissPinsel);
        for (int i = 0; i < n; ++i) {
            int links = 0, rechts = 0;
            BalkenX(i, n, m_ptLieferbar[i].x, links, rechts);
            dc.Rectangle(links, Py(std::max(0.0, ymin)), rechts, m_ptLieferbar[i].y);
        }
        dc.SelectObject(alterPinsel);
    }
    const int zeile = m_Doc.VergleichAktiv() ? -h - 250 : -h - 210;
    const std::string legende = "lieferbar";
    dc.TextOut(w / 2, zeile, legende);
    const int cx = dc.GetTextExtent(legende);
    dc.MoveTo(w / 2 + cx / 2 + 30, zeile - 20);
    dc.LineTo(w / 2 + cx / 2 + 230, zeile - 20);
    dc.SelectObject(alterStift);
}

// Variant B's Ist over the years both runs have, with its legend entry.
void CGrafik::VarianteZeichnen(CDC& dc) const
{
    const int w = m_iBreite, h = m_iHoehe;
    const CStift alterStift = dc.SelectObject(kVarianteStift);
    if (m_iVarianteBis >= m_iVarianteVon)
        dc.Polyline(m_ptVariante + m_iVarianteVon, m_iVarianteBis - m_iVarianteVon + 1);
    const std::string legende = "Ist Variante B";
    dc.TextOut(w / 2, -h - 210, legende);
    const int cx = dc.GetTextExtent(legende);
    dc.MoveTo(w / 2 + cx / 2 + 30, -h - 230);
    dc.LineTo(w / 2 + cx / 2 + 230, -h - 230);
    dc.SelectObject(alterStift);
}
