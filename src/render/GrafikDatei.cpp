#include "render/GrafikDatei.h"

#include "platform/Datei.h"
#include "render/CQtDC.h"
#include "views/CGrafik.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

constexpr double kDpi = 150.0;
constexpr double kEinheitenJeZoll = 254.0; // 0.1 mm

using CFlaeche = CGrafik::CFlaeche;

void Zeichnen(CGrafik& g, QPaintDevice& geraet, double skala, IMeldungen& meldungen, bool weiss, const CFlaeche& f)
{
    QPainter painter(&geraet);
    if (weiss)
        painter.fillRect(QRectF(0, 0, f.breite * skala, f.hoehe * skala), Qt::white);
    CQtDC dc(painter, skala);
    g.NeueZeichnung();
    g.Diagramm(dc, meldungen);
}

} // namespace

CErgebnis<> GrafikSchreiben(CGrafik& g, const std::string& pfad, IMeldungen& meldungen)
{
    const QString endung = QFileInfo(QString::fromStdString(pfad)).suffix().toLower();
    g.m_bDrucken = 0;
    g.m_bHochformat = 1;
    g.m_bGrafiklupe = 0;
    g.OnGraf();
    const CFlaeche f = g.Zeichenflaeche();
    const double skala = kDpi / kEinheitenJeZoll;

    QByteArray bytes;
    QBuffer puffer(&bytes);
    puffer.open(QIODevice::WriteOnly);
    if (endung == "png") {
        QImage bild(static_cast<int>(f.breite * skala), static_cast<int>(f.hoehe * skala), QImage::Format_RGB32);
        bild.setDotsPerMeterX(static_cast<int>(kDpi / 0.0254));
        bild.setDotsPerMeterY(static_cast<int>(kDpi / 0.0254));
        Zeichnen(g, bild, skala, meldungen, true, f);
        bild.save(&puffer, "PNG");
    } else if (endung == "svg") {
        QSvgGenerator svg;
        svg.setOutputDevice(&puffer);
        svg.setResolution(static_cast<int>(kDpi));
        svg.setSize(QSize(static_cast<int>(f.breite * skala), static_cast<int>(f.hoehe * skala)));
        svg.setViewBox(QRect(0, 0, static_cast<int>(f.breite * skala), static_cast<int>(f.hoehe * skala)));
        svg.setTitle("Kalvo");
        Zeichnen(g, svg, skala, meldungen, true, f);
    } else if (endung == "pdf") {
        QPdfWriter pdf(&puffer);
        pdf.setResolution(static_cast<int>(kEinheitenJeZoll)); // one device unit = 0.1 mm
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(f.breite / 10.0, f.hoehe / 10.0), QPageSize::Millimeter));
        pdf.setTitle("Kalvo");
        Zeichnen(g, pdf, 1.0, meldungen, false, f);
    } else {
        return CFehler{"Unbekanntes Grafikformat; möglich sind .png, .svg und .pdf."};
    }
    puffer.close();
    return DateiAtomarSchreiben(pfad, bytes.toStdString());
}
