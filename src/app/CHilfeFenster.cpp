#include "app/CHilfeFenster.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#ifndef KALVO_HILFE
#define KALVO_HILFE ""
#endif

CHilfeFenster::CHilfeFenster(QWidget* eltern) : QDialog(eltern), m_pBrowser(new QTextBrowser(this))
{
    setWindowTitle("Hilfe zu Kalvo");
    m_pBrowser->setOpenExternalLinks(true); // links to other places open in the desktop's browser
    auto* zurueck = new QPushButton("< Zurück", this);
    auto* vor = new QPushButton("Vorwärts >", this);
    auto* schliessen = new QPushButton("Schließen", this);
    zurueck->setEnabled(false);
    vor->setEnabled(false);
    connect(zurueck, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(vor, &QPushButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, zurueck, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, vor, &QPushButton::setEnabled);
    connect(schliessen, &QPushButton::clicked, this, &QDialog::close);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(zurueck);
    knoepfe->addWidget(vor);
    knoepfe->addStretch();
    knoepfe->addWidget(schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(knoepfe);
    layout->addWidget(m_pBrowser);
    resize(760, 640);
}

bool CHilfeFenster::Zeigen(const QString& pfad)
{
    if (pfad.isEmpty() || !QFileInfo::exists(pfad))
        return false;
    m_pBrowser->setSource(QUrl::fromLocalFile(QFileInfo(pfad).absoluteFilePath()));
    show();
    raise();
    activateWindow();
    return true;
}

QString HilfeSeite()
{
    const QString programm = QApplication::applicationDirPath();
    const QStringList orte = {programm + "/../share/kalvo/KALVO.html", programm + "/KALVO.html",
                              QString::fromUtf8(KALVO_HILFE)};
    for (const QString& ort : orte)
        if (!ort.isEmpty() && QFileInfo::exists(ort))
            return ort;
    return {};
}
