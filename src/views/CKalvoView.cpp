#include "views/CKalvoView.h"

#include "doc/CKalvoDoc.h"
#include "platform/Format.h"

int CKalvoView::SeitenVorDemDruck() const
{
    return static_cast<int>(m_Doc.m_saBericht.size()) / 57 + 1;
}

int CKalvoView::Seitenzahl(bool hochformat) const
{
    return static_cast<int>(m_Doc.m_saBericht.size()) / (hochformat ? 57 : 50) + 1;
}

void CKalvoView::OnPrint(CDC& dc, int breite, int hoehe, int seite)
{
    dc.SetMapMode(MM_LOMETRIC);
    m_iZeilenProSeite = hoehe > breite ? 57 : 50;
    const int imax = static_cast<int>(m_Doc.m_saBericht.size());
    m_iSeite = seite;
    const int iStart = (m_iSeite - 1) * m_iZeilenProSeite;
    const int iEnd = iStart + m_iZeilenProSeite;
    const CSchrift alt = dc.SelectObject(CSchrift{44, 600});
    const int cx = dc.GetTextExtent("0");
    const int cy = 44; // the line pitch is the font's cell height
    dc.TextOut(cx, -cy, Format(" Dokument:%s", m_Doc.GetTitle().c_str()));
    for (int i = iStart; i < iEnd && i < imax; ++i)
        dc.TextOut(3 * cx, -(i - iStart + 3) * cy, m_Doc.m_saBericht[static_cast<size_t>(i)]);
    dc.SelectObject(alt);
}
