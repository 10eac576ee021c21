#include "views/CKalvoView.h"

#include "doc/CKalvoDoc.h"
#include "platform/Format.h"

#include <algorithm>

namespace {

constexpr int kSchrifthoehe = 44;    // 4.4 mm
constexpr int kKleinsteSchrift = 12; // 1.2 mm: below this a page is unreadable anyway
constexpr int kGewicht = 600;
constexpr int kKopfzeilen = 3; // the page's first report line stands on text line 3

std::string Kopfzeile(const CKalvoDoc& doc, const std::string& datum)
{
    if (doc.m_bAktenbericht)
        return Format(" Dokument:%s   gedruckt am %s", doc.GetTitle().c_str(), datum.c_str());
    return Format(" Dokument:%s", doc.GetTitle().c_str());
}

} // namespace

std::vector<std::string> CKalvoView::Druckzeilen() const
{
    std::vector<std::string> z = m_Doc.m_saBericht;
    if (m_Doc.m_bAktenbericht) {
        const std::vector<std::string> anhang = m_Doc.Berichtsanhang();
        z.insert(z.end(), anhang.begin(), anhang.end());
    }
    return z;
}

CDruckformat CKalvoView::Druckformat(CDC& dc, int breite, int hoehe) const
{
    // The report lines are fixed-width tables: the line with the most
    // characters is the widest.
    const std::vector<std::string> bericht = Druckzeilen();
    const auto breiteste = std::max_element(bericht.begin(), bericht.end(), [](const auto& a, const auto& b) {
        return AnzahlZeichen(a) < AnzahlZeichen(b);
    });
    const std::string kopf = Kopfzeile(m_Doc, m_sDatum);

    CDruckformat f;
    for (f.m_iSchrifthoehe = kSchrifthoehe; f.m_iSchrifthoehe > kKleinsteSchrift; --f.m_iSchrifthoehe) {
        const CSchrift alt = dc.SelectObject(CSchrift{f.m_iSchrifthoehe, kGewicht});
        const int cx = dc.GetTextExtent("0");
        int noetig = cx + std::max(dc.GetTextExtent(kopf), dc.GetTextExtent(" " + m_Doc.Planungszeile()));
        if (breiteste != bericht.end())
            noetig = std::max(noetig, 3 * cx + dc.GetTextExtent(*breiteste));
        dc.SelectObject(alt);
        if (noetig <= breite)
            break;
    }
    // Line k of a page stands from text line k + 3 to k + 4: its foot must stay on the page.
    // A report for the file keeps its last two lines for "Seite n von m".
    const int passen = hoehe / f.m_iSchrifthoehe - kKopfzeilen - (m_Doc.m_bAktenbericht ? 2 : 0);
    const int vorgabe = hoehe > breite ? kZeilenHochformat : kZeilenQuerformat;
    f.m_iZeilenProSeite = std::clamp(passen, 1, vorgabe);
    return f;
}

std::vector<CDruckseite> CKalvoView::Seiten(int zeilenProSeite) const
{
    const std::vector<std::string> zeilen = Druckzeilen();
    const int n = static_cast<int>(zeilen.size());
    // The headings of the tables, from the report model (none for lines set by hand).
    std::vector<std::vector<int>> koepfe;
    if (m_Doc.m_Berichtskoepfe.size() == m_Doc.m_saBericht.size())
        koepfe = m_Doc.m_Berichtskoepfe;
    koepfe.resize(zeilen.size());
    std::vector<CDruckseite> seiten;
    bool voll = true; // the last page is full: the report ends with an empty page
    for (int i = 0; i < n;) {
        CDruckseite s;
        const auto& kopf = koepfe[static_cast<size_t>(i)];
        if (i > 0 && static_cast<int>(kopf.size()) < zeilenProSeite / 2)
            s.kopf = kopf;
        s.von = i;
        s.bis = std::min(n, i + zeilenProSeite - static_cast<int>(s.kopf.size()));
        voll = s.bis - s.von + static_cast<int>(s.kopf.size()) == zeilenProSeite;
        i = s.bis;
        seiten.push_back(std::move(s));
    }
    if (voll)
        seiten.push_back({{}, n, n});
    return seiten;
}

int CKalvoView::Seitenzahl(CDC& dc, int breite, int hoehe) const
{
    return static_cast<int>(Seiten(Druckformat(dc, breite, hoehe).m_iZeilenProSeite).size());
}

void CKalvoView::OnPrint(CDC& dc, int breite, int hoehe, int seite)
{
    dc.SetMapMode(MM_LOMETRIC);
    const CDruckformat f = Druckformat(dc, breite, hoehe);
    m_iZeilenProSeite = f.m_iZeilenProSeite;
    m_iSeite = seite;
    const std::vector<CDruckseite> seiten = Seiten(m_iZeilenProSeite);
    const CSchrift alt = dc.SelectObject(CSchrift{f.m_iSchrifthoehe, kGewicht});
    const int cx = dc.GetTextExtent("0");
    const int cy = f.m_iSchrifthoehe; // the line pitch is the font's cell height
    dc.TextOut(cx, -cy, Kopfzeile(m_Doc, m_sDatum));
    if (const std::string plan = m_Doc.Planungszeile(); !plan.empty())
        dc.TextOut(cx, -2 * cy, " " + plan); // under the heading, before the report's first line
    const std::vector<std::string> zeilen = Druckzeilen();
    if (seite >= 1 && seite <= static_cast<int>(seiten.size())) {
        const CDruckseite& s = seiten[static_cast<size_t>(seite - 1)];
        int zeile = kKopfzeilen;
        for (int i : s.kopf)
            dc.TextOut(3 * cx, -(zeile++) * cy, zeilen[static_cast<size_t>(i)]);
        for (int i = s.von; i < s.bis; ++i)
            dc.TextOut(3 * cx, -(zeile++) * cy, zeilen[static_cast<size_t>(i)]);
    }
    if (m_Doc.m_bAktenbericht)
        dc.TextOut(cx, -(kKopfzeilen + m_iZeilenProSeite + 1) * cy,
                   Format(" Seite %d von %d", seite, static_cast<int>(seiten.size())));
    dc.SelectObject(alt);
}
