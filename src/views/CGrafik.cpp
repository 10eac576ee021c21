#include "views/CGrafik.h"

#include "doc/CKalvoDoc.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "views/GrafikStil.h"

#include <climits>
#include <cmath>

using namespace GrafikStil;

namespace {

constexpr int kLuecke = 9; // gap between bars

} // namespace

CGrafik::CGrafik(CKalvoDoc& doc) : m_Doc(doc)
{}

bool CGrafik::Reserven() const
{
    return m_Doc.m_bFeldesreserven != 0;
}

void CGrafik::Diagramm(CDC& dc, IMeldungen& meldungen)
{
    const CKalvoDoc& d = m_Doc;
    if (m_bHochformat == 0)
        transform();
    const int w = m_iBreite, h = m_iHoehe;
    const int anzahl = std::min(d.m_iAnzahl, kMaxPunkte);
    const CStift alterStift = dc.SelectObject(kRahmenStift);
    dc.SetMapMode(MM_LOMETRIC);
    int dx = 0, dy = 0;
    if (Reserven()) {
        dx = -200;
        if (m_bDrucken == 0)
            dy = -150;
    } else if (Tornado()) {
        dx = -400; // room for "field quantity" left of the bars
    }
    dc.SetWindowOrg(dx - 400, dy + 300);
    dc.Rectangle(0, 0, w, -h);
    if (const CDruckanpassung* pz = Pz()) {
        const CSchrift alteSchrift = dc.SelectObject(kAchsenSchrift);
        PzZeichnen(dc, *pz);
        Dokumentname(dc, dx - 400, -h - 260);
        dc.SelectObject(alteSchrift);
        dc.SelectObject(alterStift);
        return;
    }
    if (const CSzenarienergebnis* s = Szenarien()) {
        const CSchrift alteSchrift = dc.SelectObject(kAchsenSchrift);
        SzenarienZeichnen(dc, *s);
        // Below the legend's rows, two entries to a row.
        const int reihen = static_cast<int>((s->zeilen.size() + 1) / 2);
        Dokumentname(dc, dx - 400, std::min(-h - 260, -h - 150 - 45 * reihen));
        dc.SelectObject(alteSchrift);
        dc.SelectObject(alterStift);
        return;
    }
    if (Tornado()) {
        const CSchrift alteSchrift = dc.SelectObject(kAchsenSchrift);
        TornadoZeichnen(dc);
        Dokumentname(dc, dx - 400, -h - 200);
        dc.SelectObject(alteSchrift);
        dc.SelectObject(alterStift);
        return;
    }

    const CSchrift alteSchrift = dc.SelectObject(kTitelSchrift);
    dc.SetTextAlign(TA_CENTER);
    dc.TextOut(w / 2, 200, d.m_sTitel);
    dc.SelectObject(kBeschriftungSchrift);
    dc.TextOut(w / 2, 120, d.m_sUntertitel);
    dc.TextOut(-50, 100, d.m_sAchseY);
    if (!Reserven())
        dc.TextOut(w + 60, 100, d.m_sAchseY1);
    dc.TextOut(w / 2, -h - 70, d.m_sAchseX);

    dc.SelectObject(kAchsenSchrift);
    if (anzahl > 1)
        AchseX(dc);
    if (anzahl > 0)
        AchseY(dc);
    if (!Reserven() && anzahl > 0)
        AchseY1(dc);
    Dokumentname(dc, dx - 400, -h - 200);

    if (!Reserven() && d.m_bDeckung)
        Unterdeckungsbaender(dc, anzahl);
    dc.SetTextAlign(TA_CENTER);
    dc.SelectObject(kGitterStift);
    Gitter(dc);

    if (!Reserven()) {
        Zeitreihen(dc, anzahl);
    } else if (anzahl > 1) {
        Reservenbalken(dc, anzahl);
    } else {
        dc.SelectObject(kIstStift);
        if (!m_bMeldungGezeigt) {
            m_bMeldungGezeigt = true; // once per drawing request, not on the repaint it causes
            meldungen.Meldung("Das Diagramm benötigt mindestens 2 Felder");
        }
        dc.SelectObject(kSollStift);
    }
    dc.SelectObject(alteSchrift);
    dc.SelectObject(alterStift);
}

namespace {

// The name with its middle replaced by "…" so that `n` characters remain:
// the start and the end of a file name are what tells it apart.
std::string MitteGekuerzt(const std::string& name, size_t n)
{
    std::vector<std::string> zeichen;
    for (size_t i = 0; i < name.size();) {
        size_t k = i + 1;
        while (k < name.size() && (static_cast<unsigned char>(name[k]) & 0xC0) == 0x80)
            ++k;
        zeichen.push_back(name.substr(i, k - i));
        i = k;
    }
    if (zeichen.size() <= n)
        return name;
    const size_t vorne = n / 2, hinten = n > vorne + 1 ? n - vorne - 1 : 0;
    std::string text;
    for (size_t i = 0; i < vorne; ++i)
        text += zeichen[i];
    text += "…";
    for (size_t i = zeichen.size() - hinten; i < zeichen.size(); ++i)
        text += zeichen[i];
    return text;
}

} // namespace

// "Dokument <name>" below the plot at x = 100 in the alignment the axes left
// (the right end there) as it always was. A name too long for that starts at
// the drawing's left edge instead of losing "Dokument" and its first letters
// there, and one too long for the whole width loses its middle.
void CGrafik::Dokumentname(CDC& dc, int links, int y) const
{
    constexpr int kRand = 20; // 2 mm
    constexpr int kX = 100;
    const int platz = Zeichenflaeche().breite - 2 * kRand;
    const std::string& name = m_Doc.GetTitle();
    std::string text = "Dokument " + name;
    for (size_t n = AnzahlZeichen(name); n > 1 && dc.GetTextExtent(text) > platz; --n)
        text = "Dokument " + MitteGekuerzt(name, n - 1);
    const unsigned ausrichtung = dc.SetTextAlign(TA_LEFT);
    const int breite = dc.GetTextExtent(text);
    const int anfang = ausrichtung == TA_RIGHT ? kX - breite : ausrichtung == TA_CENTER ? kX - breite / 2 : kX;
    if (anfang >= links + kRand) {
        dc.SetTextAlign(ausrichtung);
        dc.TextOut(kX, y, text);
        return;
    }
    dc.TextOut(links + kRand, y, text);
    dc.SetTextAlign(ausrichtung);
}

// The time chart: Ist as line or bars with its legend, Soll as line with its legend.
void CGrafik::Zeitreihen(CDC& dc, int anzahl) const
{
    const CKalvoDoc& d = m_Doc;
    const int w = m_iBreite, h = m_iHoehe;
    if (d.m_bFelderEinzeln)
        Feldbalken(dc, anzahl);
    dc.SelectObject(kIstStift);
    dc.TextOut(w / 2, -h - 130, d.m_sLegendeY);
    int cx = dc.GetTextExtent(d.m_sLegendeY);
    dc.MoveTo(w / 2 + cx - 250, -h - 150);
    if (anzahl > 0)
        dc.LineTo(w / 2 + cx - 50, -h - 150);
    if (d.m_bBlockdiagramm == 0)
        dc.Polyline(m_ptIst, anzahl);
    else
        Blockdiagramm(dc, m_ptIst, anzahl, d.m_bFelderEinzeln);
    if (d.VergleichAktiv())
        VarianteZeichnen(dc);
    LieferbarZeichnen(dc, anzahl);
    FaecherZeichnen(dc, anzahl);

    dc.SelectObject(kSollStift);
    dc.Polyline(m_ptSoll, anzahl);
    dc.TextOut(w / 2, -h - 170, d.m_sLegendeY1);
    cx = dc.GetTextExtent(d.m_sLegendeY1);
    dc.MoveTo(w / 2 + cx - 280, -h - 190);
    if (anzahl > 0)
        dc.LineTo(w / 2 + cx - 80, -h - 190);
    if (d.m_bFelderEinzeln)
        FeldlegendeZeichnen(dc);
}

// The reserves chart: one horizontal bar per field.
void CGrafik::Reservenbalken(CDC& dc, int anzahl) const
{
    dc.SelectObject(kIstStift);
    Blockdiagramm(dc, m_ptIst, anzahl);
    dc.SelectObject(kSollStift);
}

void CGrafik::AchseX(CDC& dc) const
{
    const int w = m_iBreite, h = m_iHoehe;
    const int anzahl = m_Doc.m_iAnzahl;
    if (!Reserven()) {
        int k = 0;
        for (double t = xmin; t <= xmax; t += deltax, ++k) {
            const int px = xmax == xmin ? w / 2 : Trunc(w * (t - xmin) / (xmax - xmin));
            dc.MoveTo(px, -h);
            if (t >= xmin)
                dc.LineTo(px, -h - 20);
            dc.SetTextAlign(TA_CENTER);
            const bool faellig = anzahl < 10 || (anzahl <= 26 ? k % 2 == 0 : k % 3 == 0);
            if (t >= xmin && faellig)
                dc.TextOut(px, -h - 30, Format("%4g", t));
        }
    } else {
        for (double t = ystart; t <= ymax; t += deltay) {
            const int px = Trunc(w * (t - ymin) / (ymax - ymin));
            dc.MoveTo(px, -h);
            if (t >= ymin) {
                dc.LineTo(px, -h - 20);
                dc.SetTextAlign(TA_CENTER);
                dc.TextOut(px, -h - 30, Format("%4g", t));
            }
        }
    }
}

// The name of field number t as its reserves line shows it (at most 18
// characters), from the run's field series.
std::string CGrafik::FeldnameBei(double t) const
{
    constexpr size_t kNamensbreite = 18;
    const long long i = static_cast<long long>(Trunc(t));
    if (i < 0 || i >= static_cast<long long>(m_Doc.m_Feldreihen.size()))
        return {};
    const std::string& name = m_Doc.m_Feldreihen[static_cast<size_t>(i)].name;
    return AufBreite(name, std::min(AnzahlZeichen(name), kNamensbreite));
}

void CGrafik::AchseY(CDC& dc) const
{
    const int w = m_iBreite, h = m_iHoehe;
    (void)w;
    if (!Reserven()) {
        for (double t = ystart; t <= ymax + 0.000001; t += deltay) {
            const int py = Trunc(h * (t - ymin) / (ymax - ymin));
            dc.MoveTo(0, py - h);
            if (t >= ymin)
                dc.LineTo(-10, py - h);
            dc.SetTextAlign(TA_CENTER);
            const std::string text = ymax > 1000000 ? Format("%6.2e", t) : Format("%6g", t);
            if (t >= ymin)
                dc.TextOut(-130, py - h + 20, text);
        }
    } else {
        for (double t = xmin; t <= xmax; t += deltax) {
            const int py = xmax == xmin ? -h / 2 : -Trunc(h * (t - xmin) / (xmax - xmin));
            dc.MoveTo(0, py);
            if (t >= xmin)
                dc.LineTo(-10, py);
            dc.SetTextAlign(TA_RIGHT);
            if (t >= xmin)
                dc.TextOut(-30, py + 20, FeldnameBei(t));
        }
    }
}

void CGrafik::AchseY1(CDC& dc) const
{
    const int w = m_iBreite, h = m_iHoehe;
    for (double t = y1start; t <= 1.0001 * y1max; t += deltay1) {
        const int py = Trunc(h * (t - y1min) / (y1max - y1min));
        dc.MoveTo(w, py - h);
        if (t >= y1min)
            dc.LineTo(w + 10, py - h);
        dc.SetTextAlign(TA_RIGHT);
        const std::string text = (y1max > 1000000 || y1min < -100000) ? Format("%6.1e", t) : Format("%6g", t);
        if (t >= y1min)
            dc.TextOut(w + 190, py - h + 20, text);
    }
}

void CGrafik::Gitter(CDC& dc) const
{
    const int w = m_iBreite, h = m_iHoehe;
    if (!Reserven()) {
        for (double t = ystart + deltay; t < ymax; t += deltay) {
            const int py = Trunc(h * (t - ymin) / (ymax - ymin));
            dc.MoveTo(0, py - h);
            dc.LineTo(w, py - h);
        }
        for (double t = xmin + deltax; t < xmax; t += deltax) {
            const int px = Trunc(w * (t - xmin) / (xmax - xmin));
            dc.MoveTo(px, -h);
            dc.LineTo(px, 0);
        }
    } else {
        for (double t = ystart + deltay; t < ymax; t += deltay) {
            const int px = Trunc(w * (t - ymin) / (ymax - ymin));
            dc.MoveTo(px, 0);
            dc.LineTo(px, -h);
        }
        for (double t = xmin + deltax; t < xmax; t += deltax) {
            const int py = -Trunc(h * (t - xmin) / (xmax - xmin));
            dc.MoveTo(0, py);
            dc.LineTo(w, py);
        }
    }
}

// Left and right end of the bar of point i of n at x: a quarter of the plot
// wide for a single year, else the spacing less a gap, halved at both ends.
void CGrafik::BalkenX(int i, int n, int x, int& links, int& rechts) const
{
    const int w = m_iBreite;
    if (n == 1) {
        links = x - w / 8;
        rechts = x + w / 8;
        return;
    }
    const int breite = w / (n - 1) - kLuecke;
    int l = i == 0 ? 0 : breite;
    int r = breite;
    if (i == n - 1) {
        l = breite;
        r = 0;
    }
    links = x - l / 2;
    rechts = x + r / 2;
}

void CGrafik::Blockdiagramm(CDC& dc, const CPunkt* pts, int n, bool umriss) const
{
    const CPinsel alterPinsel = dc.SelectObject(umriss ? kUmrissPinsel : kBalkenPinsel);
    const CStift alterStift = dc.SelectObject(umriss ? kIstStift : kBalkenStift);
    const int w = m_iBreite, h = m_iHoehe;
    if (!Reserven()) {
        int b = -Trunc(h * ymax / (ymax - ymin)); // height of the value 0
        if (ymin > 0)
            b = -h;
        if (ymax < 0)
            b = 0;
        for (int i = 0; i < n; ++i) {
            int links = 0, rechts = 0;
            BalkenX(i, n, pts[i].x, links, rechts);
            dc.Rectangle(links, b, rechts, pts[i].y);
        }
    } else if (n > 1) {
        int b = Trunc(w * std::fabs(ymin) / (ymax - ymin));
        if (ymax < 0)
            b = w;
        const int dicke = h / (n - 1) - kLuecke;
        for (int i = 0; i < n; ++i) {
            int u = i == 0 ? 0 : dicke;
            int unten = dicke;
            if (i == n - 1) {
                u = dicke;
                unten = 0;
            }
            dc.Rectangle(b, pts[i].y + u / 2, pts[i].x, pts[i].y - unten / 2);
        }
    }
    dc.SelectObject(alterPinsel);
    dc.SelectObject(alterStift);
}
