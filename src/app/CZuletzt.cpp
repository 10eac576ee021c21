#include "app/CZuletzt.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

constexpr int kEintraege = 4; // files in the list
const char* const kSchluessel = "ZuletztGeoeffnet";

} // namespace

CZuletzt::CZuletzt(QMenu* menue, std::function<void(const QString&)> oeffnen)
    : m_pMenue(menue), m_fnOeffnen(std::move(oeffnen))
{
    Aufbauen();
}

void CZuletzt::Merken(const QString& pfad)
{
    QSettings einstellungen;
    QStringList liste = einstellungen.value(kSchluessel).toStringList();
    const QString absolut = QFileInfo(pfad).absoluteFilePath();
    liste.removeAll(absolut);
    liste.prepend(absolut);
    while (liste.size() > kEintraege)
        liste.removeLast();
    einstellungen.setValue(kSchluessel, liste);
    Aufbauen();
}

void CZuletzt::Vergessen(const QString& pfad)
{
    QSettings einstellungen;
    QStringList liste = einstellungen.value(kSchluessel).toStringList();
    liste.removeAll(QFileInfo(pfad).absoluteFilePath());
    einstellungen.setValue(kSchluessel, liste);
    Aufbauen();
}

void CZuletzt::Aufbauen()
{
    m_pMenue->clear();
    const QStringList liste = QSettings().value(kSchluessel).toStringList();
    for (int i = 0; i < liste.size(); ++i) {
        const QString pfad = liste[i];
        QAction* a = m_pMenue->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(pfad).fileName()));
        a->setStatusTip(pfad);
        QObject::connect(a, &QAction::triggered, m_pMenue, [this, pfad] { m_fnOeffnen(pfad); });
    }
    m_pMenue->setEnabled(!liste.isEmpty());
}
