#include "render/CQtDC.h"

#include <QFontMetricsF>

#include <algorithm>

namespace {

QColor Farbe(const CFarbe& f)
{
    return QColor(f.r, f.g, f.b);
}

} // namespace

CQtDC::CQtDC(QPainter& painter, double pixelJeEinheit) : m_Painter(painter), m_dSkala(pixelJeEinheit)
{
    m_Painter.setRenderHint(QPainter::Antialiasing, true);
    m_Painter.setRenderHint(QPainter::TextAntialiasing, true);
    StiftSetzen(m_Stift);
    PinselSetzen(m_Pinsel);
    // The font stays the painter's (the device's default) until one is selected.
}

// Logical (0.1 mm, y up, window origin at the top-left corner) to device pixels.
QPointF CQtDC::Abbilden(int x, int y) const
{
    if (m_iMapMode == MM_TEXT)
        return {double(x - m_iUrsprungX), double(y - m_iUrsprungY)};
    return {(x - m_iUrsprungX) * m_dSkala, (m_iUrsprungY - y) * m_dSkala};
}

void CQtDC::SetMapMode(int modus)
{
    m_iMapMode = modus;
    // Pixel drawings (dialogs) keep their one-pixel lines crisp.
    m_Painter.setRenderHint(QPainter::Antialiasing, modus != MM_TEXT);
}

void CQtDC::SetWindowOrg(int x, int y)
{
    m_iUrsprungX = x;
    m_iUrsprungY = y;
}

CStift CQtDC::SelectObject(const CStift& stift)
{
    const CStift alt = m_Stift;
    StiftSetzen(stift);
    return alt;
}

// The painter's pen and brush from ours; not virtual, so the constructor may call them.
void CQtDC::StiftSetzen(const CStift& stift)
{
    m_Stift = stift;
    QPen pen(Farbe(stift.m_Farbe));
    const bool gepunktet = stift.m_Stil == EStiftStil::Gepunktet;
    // A dotted grid stays one device pixel wide, so that its dots show.
    pen.setWidthF(gepunktet ? 1.0 : std::max(1.0, stift.m_iBreite * m_dSkala));
    pen.setStyle(gepunktet ? Qt::DotLine : stift.m_Stil == EStiftStil::Gestrichelt ? Qt::DashLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    m_Painter.setPen(pen);
}

CPinsel CQtDC::SelectObject(const CPinsel& pinsel)
{
    const CPinsel alt = m_Pinsel;
    PinselSetzen(pinsel);
    return alt;
}

void CQtDC::PinselSetzen(const CPinsel& pinsel)
{
    m_Pinsel = pinsel;
    const Qt::BrushStyle stil = pinsel.m_bLeer          ? Qt::NoBrush
                                : pinsel.m_bSchraffiert ? Qt::DiagCrossPattern
                                                        : Qt::SolidPattern;
    m_Painter.setBrush(QBrush(Farbe(pinsel.m_Farbe), stil));
}

CSchrift CQtDC::SelectObject(const CSchrift& schrift)
{
    const CSchrift alt = m_Schrift;
    m_Schrift = schrift;
    QFont font("Liberation Mono");
    font.setStyleHint(QFont::TypeWriter);
    // The height is the character cell; the em of the face is about 0.85 of it.
    font.setPixelSize(std::max(1, static_cast<int>(schrift.m_iHoehe * m_dSkala * 0.85 + 0.5)));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(schrift.m_iGewicht, 100, 900)));
    m_Painter.setFont(font);
    return alt;
}

unsigned CQtDC::SetTextAlign(unsigned ausrichtung)
{
    const unsigned alt = m_iAusrichtung;
    m_iAusrichtung = ausrichtung;
    return alt;
}

void CQtDC::MoveTo(int x, int y)
{
    m_Aktuell = {x, y};
}

void CQtDC::LineTo(int x, int y)
{
    m_Painter.drawLine(Abbilden(m_Aktuell.x, m_Aktuell.y), Abbilden(x, y));
    m_Aktuell = {x, y};
}

void CQtDC::Polyline(const CPunkt* punkte, int anzahl)
{
    if (anzahl < 2)
        return;
    QPolygonF linie;
    for (int i = 0; i < anzahl; ++i)
        linie << Abbilden(punkte[i].x, punkte[i].y);
    m_Painter.drawPolyline(linie);
}

void CQtDC::Rectangle(int x1, int y1, int x2, int y2)
{
    m_Painter.drawRect(QRectF(Abbilden(x1, y1), Abbilden(x2, y2)).normalized());
}

void CQtDC::TextOut(int x, int y, const std::string& text)
{
    const QString s = QString::fromStdString(text);
    const QFontMetricsF fm(m_Painter.font(), m_Painter.device());
    const QPointF p = Abbilden(x, y);
    double links = p.x();
    if (m_iAusrichtung == TA_CENTER)
        links -= fm.horizontalAdvance(s) / 2;
    else if (m_iAusrichtung == TA_RIGHT)
        links -= fm.horizontalAdvance(s);
    const QPen pen = m_Painter.pen();
    m_Painter.setPen(Qt::black);
    m_Painter.drawText(QPointF(links, p.y() + fm.ascent()), s);
    m_Painter.setPen(pen);
}

int CQtDC::GetTextExtent(const std::string& text)
{
    const QFontMetricsF fm(m_Painter.font(), m_Painter.device());
    const double breite = fm.horizontalAdvance(QString::fromStdString(text));
    return static_cast<int>(m_iMapMode == MM_TEXT ? breite : breite / m_dSkala);
}
