#include "render/BerichtDruck.h"

#include "doc/CKalvoDoc.h"
#include "platform/Datei.h"
#include "render/CQtDC.h"
#include "views/CKalvoView.h"

#include <QBuffer>
#include <QDate>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr double kEinheitenJeZoll = 254.0; // 0.1 mm

// The printable area in 0.1 mm and the device pixels per 0.1 mm.
struct CSeite {
    int breite, hoehe;
    double skala;
};

CSeite Seite(const QPagedPaintDevice& geraet)
{
    const QRectF mm = geraet.pageLayout().paintRect(QPageLayout::Millimeter);
    return {static_cast<int>(mm.width() * 10), static_cast<int>(mm.height() * 10),
            geraet.logicalDpiX() / kEinheitenJeZoll};
}

// Today in the German form of a printed date.
std::string Druckdatum()
{
    return QDate::currentDate().toString("dd.MM.yyyy").toStdString();
}

} // namespace

int BerichtSeitenzahl(const CKalvoDoc& doc, QPagedPaintDevice& geraet)
{
    // Measured before a print job exists: fonts are set in device pixels, so
    // an image at the device's scale gives the same text widths.
    const CSeite s = Seite(geraet);
    QImage mass(1, 1, QImage::Format_RGB32);
    QPainter painter(&mass);
    CQtDC dc(painter, s.skala);
    CKalvoView view(doc);
    view.m_sDatum = Druckdatum();
    return view.Seitenzahl(dc, s.breite, s.hoehe);
}

int BerichtDrucken(const CKalvoDoc& doc, QPagedPaintDevice& geraet, int von, int bis)
{
    const CSeite s = Seite(geraet);
    QPainter painter;
    if (!painter.begin(&geraet))
        return 0;
    CKalvoView view(doc);
    view.m_sDatum = Druckdatum();
    CQtDC dc(painter, s.skala);
    const int seiten = view.Seitenzahl(dc, s.breite, s.hoehe);
    const int erste = von > 0 ? std::min(von, seiten) : 1;
    const int letzte = bis > 0 ? std::clamp(bis, erste, seiten) : seiten;
    for (int seite = erste; seite <= letzte; ++seite) {
        if (seite > erste)
            geraet.newPage();
        CQtDC seitenDC(painter, s.skala);
        view.OnPrint(seitenDC, s.breite, s.hoehe, seite);
    }
    painter.end();
    return letzte - erste + 1;
}

CErgebnis<> BerichtPdfSchreiben(const CKalvoDoc& doc, const std::string& pfad, bool quer)
{
    QByteArray bytes;
    QBuffer puffer(&bytes);
    puffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&puffer);
        // A4 at 1200 dpi with Qt's default margins: the page the desktop's
        // printer has until the user sets up another one.
        pdf.setResolution(1200);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(quer ? QPageLayout::Landscape : QPageLayout::Portrait);
        pdf.setTitle(QString::fromStdString(doc.GetTitle()));
        pdf.setCreator("Kalvo");
        if (BerichtDrucken(doc, pdf) == 0)
            return CFehler{"Der Bericht kann nicht als PDF gezeichnet werden."};
    }
    puffer.close();
    return DateiAtomarSchreiben(pfad, bytes.toStdString());
}
