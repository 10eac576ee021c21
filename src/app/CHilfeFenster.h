#pragma once
// Kalvo's own help window: the German help page in Qt's text browser, with
// back and forward and the page's links; the desktop's web browser is not
// needed.

#include <QDialog>

class QTextBrowser;

class CHilfeFenster : public QDialog {
    Q_OBJECT
public:
    explicit CHilfeFenster(QWidget* eltern);
    // Shows the page; false when it does not exist.
    bool Zeigen(const QString& pfad);
    QTextBrowser* Browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};

// The help page that ships with Kalvo: beside the installed program, or in
// the source tree when run from the build. Empty when there is none.
QString HilfeSeite();
