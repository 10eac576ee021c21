#include "views/CKalvoView.h"

#include "doc/CKalvoDoc.h"
#include "platform/Format.h"

#include <algorithm>

namespace {

constexpr int kSchrifthoehe = 44;    // 4.4 mm
constexpr int kKleinsteSchrift = 12; // 1.2 mm: below this a page is unreadable anyway
constexpr int kGewicht = 600;
constexpr int kKopfzeilen = 3; // the page's first report line stands on text line 3

std::string Kopfzeile(const CKalvoDoc& doc)
{
    return Format(" Dokument:%s", doc.GetTitle().c_str());
}

} // namespace

CDruckformat CKalvoView::Druckformat(CDC& dc, int breite, int hoehe) const
{
    // The report lines are fixed-width tables: the line with the most
    // characters is the widest.
    const auto& bericht = m_Doc.m_saBericht;
    const auto breiteste = std::max_element(bericht.begin(), bericht.end(), [](const auto& a, const auto& b) {
        return AnzahlZeichen(a) < AnzahlZeichen(b);
    });
    const std::string kopf = Kopfzeile(m_Doc);

    CDruckformat f;
    for (f.m_iSchrifthoehe = kSchrifthoehe; f.m_iSchrifthoehe > kKleinsteSchrift; --f.m_iSchrifthoehe) {
        const CSchrift alt = dc.SelectObject(CSchrift{f.m_iSchrifthoehe, kGewicht});
        const int cx = dc.GetTextExtent("0");
        int noetig = cx + dc.GetTextExtent(kopf);
        if (breiteste != bericht.end())
            noetig = std::max(noetig, 3 * cx + dc.GetTextExtent(*breiteste));
        dc.SelectObject(alt);
        if (noetig <= breite)
            break;
    }
    // Line k of a page stands from text line k + 3 to k + 4: its foot must stay on the page.
    const int passen = hoehe / f.m_iSchrifthoehe - kKopfzeilen;
    const int vorgabe = hoehe > breite ? kZeilenHochformat : kZeilenQuerformat;
    f.m_iZeilenProSeite = std::clamp(passen, 1, vorgabe);
    return f;
}

int CKalvoView::Seitenzahl(CDC& dc, int breite, int hoehe) const
{
    return static_cast<int>(m_Doc.m_saBericht.size()) / Druckformat(dc, breite, hoehe).m_iZeilenProSeite + 1;
}

void CKalvoView::OnPrint(CDC& dc, int breite, int hoehe, int seite)
{
    dc.SetMapMode(MM_LOMETRIC);
    const CDruckformat f = Druckformat(dc, breite, hoehe);
    m_iZeilenProSeite = f.m_iZeilenProSeite;
    const int imax = static_cast<int>(m_Doc.m_saBericht.size());
    m_iSeite = seite;
    const int iStart = (m_iSeite - 1) * m_iZeilenProSeite;
    const int iEnd = iStart + m_iZeilenProSeite;
    const CSchrift alt = dc.SelectObject(CSchrift{f.m_iSchrifthoehe, kGewicht});
    const int cx = dc.GetTextExtent("0");
    const int cy = f.m_iSchrifthoehe; // the line pitch is the font's cell height
    dc.TextOut(cx, -cy, Kopfzeile(m_Doc));
    for (int i = iStart; i < iEnd && i < imax; ++i)
        dc.TextOut(3 * cx, -(i - iStart + kKopfzeilen) * cy, m_Doc.m_saBericht[static_cast<size_t>(i)]);
    dc.SelectObject(alt);
}
