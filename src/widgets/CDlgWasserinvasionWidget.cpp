#include "widgets/CDlgWasserinvasionWidget.h"

#include "render/CQtDC.h"

#include <QKeyEvent>
#include <QPainter>

CDlgWasserinvasionWidget::CDlgWasserinvasionWidget(float we, QWidget* eltern) : CDialogFenster(eltern)
{
    setWindowTitle("Einfluß der Wasserinvasion We");
    GroesseSetzen(186, 95);
    m_Dlg.m_fWe = we;
}

void CDlgWasserinvasionWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    CQtDC dc(painter, 1.0);
    dc.SetMapMode(MM_TEXT);
    m_Dlg.OnPaint(dc, width(), height());
}

void CDlgWasserinvasionWidget::keyPressEvent(QKeyEvent* ereignis)
{
    // Without buttons, Enter closes the dialog like Escape.
    if (ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter)
        accept();
    else
        QDialog::keyPressEvent(ereignis);
}
