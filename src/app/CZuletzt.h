#pragma once
// The list of the four files opened last, kept in the user's settings and
// shown as the submenu "Letzte Datei".

#include <QString>

#include <functional>

class QMenu;

class CZuletzt {
public:
    // `oeffnen` runs when the user picks an entry.
    CZuletzt(QMenu* menue, std::function<void(const QString&)> oeffnen);
    void Merken(const QString& pfad);    // puts the file at the top
    void Vergessen(const QString& pfad); // a file that no longer opens

private:
    void Aufbauen();

    QMenu* m_pMenue;
    std::function<void(const QString&)> m_fnOeffnen;
};
