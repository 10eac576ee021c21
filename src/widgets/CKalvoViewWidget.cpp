#include "widgets/CKalvoViewWidget.h"

#include "doc/CKalvoDoc.h"
#include "render/BerichtDruck.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>

namespace {

// Width scrolled at least: the report's widest lines (about 130 characters).
constexpr int kBreite = 1400;

} // namespace

CKalvoViewWidget::CKalvoViewWidget(CKalvoDoc& doc, QWidget* parent) : QAbstractScrollArea(parent), m_Doc(doc)
{
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    Rollbereich();
}

QFont CKalvoViewWidget::Schrift() const
{
    // A character cell of 18 pixels: the em of Liberation Mono is 16 of them.
    QFont schrift("Liberation Mono");
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPixelSize(16);
    schrift.setWeight(QFont::ExtraBold);
    return schrift;
}

// The scroll range ends with the report's last line (and one empty line
// below it): no scrolling into blank pages.
void CKalvoViewWidget::Rollbereich()
{
    const QSize sicht = viewport()->size();
    const QFontMetrics fm(Schrift());
    const int hoehe = (static_cast<int>(m_Doc.m_saBericht.size()) + 1) * fm.height();
    horizontalScrollBar()->setRange(0, std::max(0, kBreite - sicht.width()));
    horizontalScrollBar()->setPageStep(sicht.width());
    verticalScrollBar()->setRange(0, std::max(0, hoehe - sicht.height()));
    verticalScrollBar()->setPageStep(sicht.height());
    verticalScrollBar()->setSingleStep(fm.height());
}

// Ctrl+Home and Ctrl+End go to the report's first and last line, Home and
// End to its left and right end; the rest as in every scrolling view.
void CKalvoViewWidget::keyPressEvent(QKeyEvent* ereignis)
{
    const bool strg = ereignis->modifiers() & Qt::ControlModifier;
    QScrollBar* leiste = strg ? verticalScrollBar() : horizontalScrollBar();
    if (ereignis->key() == Qt::Key_Home)
        leiste->setValue(leiste->minimum());
    else if (ereignis->key() == Qt::Key_End)
        leiste->setValue(leiste->maximum());
    else
        QAbstractScrollArea::keyPressEvent(ereignis);
}

void CKalvoViewWidget::resizeEvent(QResizeEvent* ereignis)
{
    QAbstractScrollArea::resizeEvent(ereignis);
    Rollbereich();
}

void CKalvoViewWidget::Aktualisieren()
{
    Rollbereich();
    NeuesZeigen();
    viewport()->update();
}

void CKalvoViewWidget::NeuesZeigen()
{
    const std::vector<std::string>& bericht = m_Doc.m_saBericht;
    const bool mehr = !m_saGezeigt.empty() && bericht.size() > m_saGezeigt.size();
    const size_t neu = static_cast<size_t>(
        std::mismatch(m_saGezeigt.begin(), m_saGezeigt.end(), bericht.begin(), bericht.end()).first -
        m_saGezeigt.begin());
    m_saGezeigt = bericht;
    if (!mehr)
        return;
    const int cy = QFontMetrics(Schrift()).height();
    const int oben = verticalScrollBar()->value();
    const int zeile = static_cast<int>(neu) * cy;
    // In view already: the new lines, or as many of them as the window holds
    // (a table that begins on the window's last line is not yet seen).
    const int neueHoehe = std::min(static_cast<int>(bericht.size() - neu) * cy, viewport()->height() - cy);
    if (zeile >= oben && zeile + std::max(cy, neueHoehe) <= oben + viewport()->height())
        return;
    verticalScrollBar()->setValue(std::max(0, zeile - cy)); // with the blank line above it
}

void CKalvoViewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(Schrift());
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetrics fm(painter.font());
    const int cx = fm.horizontalAdvance('W');
    const int cy = fm.height();
    const int dx = horizontalScrollBar()->value();
    const int dy = verticalScrollBar()->value();
    // Only the visible lines are drawn; each stands at its index times the pitch.
    const int erste = std::max(0, dy / cy);
    const int letzte = std::min<int>(static_cast<int>(m_Doc.m_saBericht.size()), (dy + viewport()->height()) / cy + 1);
    for (int i = erste; i < letzte; ++i)
        painter.drawText(cx - dx, i * cy - dy + fm.ascent(), QString::fromStdString(m_Doc.m_saBericht[size_t(i)]));
}

int CKalvoViewWidget::Drucken(QPrinter& drucker, int von, int bis)
{
    return BerichtDrucken(m_Doc, drucker, von, bis);
}

int CKalvoViewWidget::Seitenzahl(QPrinter& drucker) const
{
    return BerichtSeitenzahl(m_Doc, drucker);
}
