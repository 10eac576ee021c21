#include "widgets/CDialogFenster.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

CDialogFenster::CDialogFenster(QWidget* eltern) : QDialog(eltern)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // A sans face of 8 points, as the dialog layouts were made for.
    QFont schrift("Liberation Sans");
    schrift.setPointSize(8);
    setFont(schrift);
    // Dialog base units: average character width and line height of the font.
    const QFontMetrics fm(font());
    m_iBasisX = std::max(1, fm.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") / 52);
    m_iBasisY = std::max(1, fm.height());
}

QRect CDialogFenster::Rechteck(int x, int y, int w, int h) const
{
    return {x * m_iBasisX / 4, y * m_iBasisY / 8, w * m_iBasisX / 4, h * m_iBasisY / 8};
}

void CDialogFenster::GroesseSetzen(int breite, int hoehe)
{
    const QRect r = Rechteck(0, 0, breite, hoehe);
    setFixedSize(r.width(), r.height());
}

QLineEdit* CDialogFenster::Eingabe(int id, int x, int y, int w, int h)
{
    auto* e = new QLineEdit(this);
    e->setGeometry(Rechteck(x, y, w, h));
    e->installEventFilter(this);
    e->setProperty("kalvoId", id);
    m_Elemente[id] = e;
    return e;
}

QLabel* CDialogFenster::Text(const QString& text, int x, int y, int w, int h, int id, bool vertieft)
{
    auto* l = new QLabel(text, this);
    if (w > 0)
        l->setGeometry(Rechteck(x, y, w, h));
    else {
        l->move(Rechteck(x, y, 0, 0).topLeft());
        l->adjustSize();
    }
    if (vertieft)
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (id)
        m_Elemente[id] = l;
    return l;
}

void CDialogFenster::TextEinpassen(QLabel* label, const QString& text)
{
    label->setText(text);
    QFont schrift = label->parentWidget() ? label->parentWidget()->font() : label->font();
    const int platz = label->contentsRect().width() - 2;
    while (schrift.pointSizeF() > 6 && QFontMetrics(schrift).horizontalAdvance(text) > platz)
        schrift.setPointSizeF(schrift.pointSizeF() - 0.5);
    label->setFont(schrift);
    label->setToolTip(QFontMetrics(label->font()).horizontalAdvance(text) > platz ? text : QString());
}

QPushButton* CDialogFenster::Knopf(int id, const QString& text, int x, int y, int w, int h,
                                   std::function<void()> aktion)
{
    auto* k = new QPushButton(text, this);
    k->setGeometry(Rechteck(x, y, w, h));
    k->setAutoDefault(false); // Enter closes nothing
    m_Elemente[id] = k;
    connect(k, &QPushButton::clicked, this, [this, aktion] { Ausfuehren(aktion); });
    return k;
}

QListWidget* CDialogFenster::Liste(int id, int x, int y, int w, int h)
{
    auto* l = new QListWidget(this);
    l->setGeometry(Rechteck(x, y, w, h));
    m_Elemente[id] = l;
    return l;
}

QCheckBox* CDialogFenster::Haken(int id, const QString& text, int x, int y, int w, int h)
{
    auto* c = new QCheckBox(text, this);
    c->setGeometry(Rechteck(x, y, w, h));
    m_Elemente[id] = c;
    return c;
}

QRadioButton* CDialogFenster::Radio(int id, const QString& text, int x, int y, int w, int h)
{
    auto* r = new QRadioButton(text, this);
    r->setGeometry(Rechteck(x, y, w, h));
    m_Elemente[id] = r;
    return r;
}

void CDialogFenster::Ausfuehren(const std::function<void()>& handler)
{
    if (m_bImHandler)
        return;
    m_bImHandler = true;
    TexteHolen();
    handler();
    TexteZeigen();
    m_bImHandler = false;
}

bool CDialogFenster::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (ereignis->type() == QEvent::FocusOut) {
        const auto* fokus = static_cast<QFocusEvent*>(ereignis);
        // Focus lost to another window (a message box, another program) is no
        // kill focus of the dialog's own, and a running handler is not re-entered.
        const bool fensterwechsel =
            fokus->reason() == Qt::ActiveWindowFocusReason || fokus->reason() == Qt::PopupFocusReason;
        // Leaving an edit for "Abbrechen" checks nothing: the dialog is being
        // left, and a refused value must not hold the user in it.
        QWidget* abbrechen = Element(kIdAbbrechen);
        const bool zumAbbrechen = abbrechen && QApplication::focusWidget() == abbrechen;
        const int id = objekt->property("kalvoId").toInt();
        if (!fensterwechsel && !zumAbbrechen && !m_bImHandler && m_Fokusverlust.contains(id))
            Ausfuehren(m_Fokusverlust[id]);
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void CDialogFenster::keyPressEvent(QKeyEvent* ereignis)
{
    if (ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter)
        return; // the dialog's own OK operation is empty
    QDialog::keyPressEvent(ereignis);
}
