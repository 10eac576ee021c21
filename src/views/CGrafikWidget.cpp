#include "views/CGrafikWidget.h"

#include "doc/CKalvoDoc.h"
#include "views/CQtDC.h"

#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QTimer>

namespace {

// Scroll extent in 0.1 mm.
constexpr int kBreite = 2500, kHoehe = 2200;

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

double CGrafikWidget::PixelJeEinheit() const
{
    return logicalDpiX() / 254.0;
}

void CGrafikWidget::Rollbereich()
{
    const double s = PixelJeEinheit();
    const QSize sicht = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(kBreite * s) - sicht.width()));
    horizontalScrollBar()->setPageStep(sicht.width());
    horizontalScrollBar()->setSingleStep(int(50 * s));
    verticalScrollBar()->setRange(0, std::max(0, int(kHoehe * s) - sicht.height()));
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
    QPainter painter(viewport());
    painter.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    CQtDC dc(painter, PixelJeEinheit());
    m_Grafik.OnGraf();
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
