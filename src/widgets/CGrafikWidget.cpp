#include "widgets/CGrafikWidget.h"

#include "doc/CKalvoDoc.h"
#include "render/CQtDC.h"

#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr double kLupe = 1.5;                      // the zoom draws the plot half as large again
constexpr double kKleinste = 0.5, kGroesste = 4.0; // the chart's scale stays readable within these

} // namespace

CGrafikWidget::CGrafikWidget(CKalvoDoc& doc, IMeldungen& meldungen, QWidget* parent)
    : QAbstractScrollArea(parent), m_Doc(doc), m_Meldungen(meldungen), m_Grafik(doc)
{
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    m_Grafik.m_bHochformat = 1;
    m_Grafik.m_bDrucken = 0;
    Rollbereich();
}

// Device pixels per 0.1 mm: the chart fills the window with its proportions
// kept, fonts and lines scaled with it; the zoom draws it half as large again,
// to be scrolled. The axis scaling does not depend on it.
double CGrafikWidget::PixelJeEinheit() const
{
    const double natuerlich = logicalDpiX() / 254.0;
    const CGrafik::CFlaeche f = m_Grafik.Zeichenflaeche();
    const double lupe = m_Grafik.m_bGrafiklupe == 1 ? kLupe : 1.0;
    const QSize sicht = viewport()->size();
    const double einpassen =
        std::min(sicht.width() / (f.breite / lupe * natuerlich), sicht.height() / (f.hoehe / lupe * natuerlich));
    return natuerlich * std::clamp(einpassen, kKleinste, kGroesste);
}

void CGrafikWidget::Rollbereich()
{
    const double s = PixelJeEinheit();
    const QSize sicht = viewport()->size();
    const CGrafik::CFlaeche f = m_Grafik.Zeichenflaeche();
    horizontalScrollBar()->setRange(0, std::max(0, int(f.breite * s) - sicht.width()));
    horizontalScrollBar()->setPageStep(sicht.width());
    horizontalScrollBar()->setSingleStep(int(50 * s));
    verticalScrollBar()->setRange(0, std::max(0, int(f.hoehe * s) - sicht.height()));
    verticalScrollBar()->setPageStep(sicht.height());
    verticalScrollBar()->setSingleStep(int(44 * s));
}

void CGrafikWidget::resizeEvent(QResizeEvent* ereignis)
{
    QAbstractScrollArea::resizeEvent(ereignis);
    Rollbereich();
}

void CGrafikWidget::showEvent(QShowEvent* ereignis)
{
    QAbstractScrollArea::showEvent(ereignis);
    m_Grafik.NeueZeichnung();
}

void CGrafikWidget::Aktualisieren()
{
    m_Grafik.NeueZeichnung();
    viewport()->update();
}

void CGrafikWidget::paintEvent(QPaintEvent*)
{
    m_Grafik.OnGraf(); // the plot size first: the scale follows from it
    Rollbereich();
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    CQtDC dc(painter, PixelJeEinheit());
    m_Gesammelt.m_saTexte.clear();
    m_Grafik.Diagramm(dc, m_Gesammelt);
    if (!m_Gesammelt.m_saTexte.empty())
        QTimer::singleShot(0, this, [this] { MeldungenZeigen(); });
}

// A message box cannot open inside a paint: it follows right after.
void CGrafikWidget::MeldungenZeigen()
{
    const auto texte = m_Gesammelt.m_saTexte;
    m_Gesammelt.m_saTexte.clear();
    for (const auto& t : texte)
        m_Meldungen.Meldung(t);
}

void CGrafikWidget::OnGrafiklupe()
{
    m_Grafik.m_bGrafiklupe = m_Grafik.m_bGrafiklupe ? 0 : 1;
    m_Grafik.OnGraf();
    Aktualisieren();
}

void CGrafikWidget::OnPreparePrinting()
{
    m_Grafik.m_bDrucken = 1;
}

bool CGrafikWidget::Drucken(QPrinter& drucker)
{
    m_Grafik.m_bDrucken = 1;
    QPainter painter;
    if (!painter.begin(&drucker))
        return false;
    const QRectF seite = drucker.pageRect(QPrinter::DevicePixel);
    m_Grafik.m_bHochformat = seite.height() > seite.width() ? 1 : 0;
    const double skala = drucker.resolution() / 254.0;
    CQtDC dc(painter, skala);
    m_Grafik.NeueZeichnung();
    m_Grafik.OnGraf();
    CAufgezeichneteMeldungen gedruckt;
    m_Grafik.Diagramm(dc, gedruckt);
    painter.end();
    for (const auto& t : gedruckt.m_saTexte)
        m_Meldungen.Meldung(t);
    return true;
}

void CGrafikWidget::OnEndPrinting()
{
    m_Grafik.m_bHochformat = 1;
    m_Grafik.m_bDrucken = 0;
    m_Grafik.transform();
    Aktualisieren();
}
