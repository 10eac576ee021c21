#pragma once
// "Szenarien…": the plan's named scenarios. On the left their list (add,
// rename, delete); on the right the chosen scenario's changes, a row each
// (what, name, quantity, value), or another document in its place. OK takes
// them over by the plan file's rules (a bad cell is named and the dialog
// stays open); "Alle rechnen" takes them over and asks the program to run
// them all.

#include "planung/Szenariotabelle.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QTableWidget;

class CSzenarienDialog : public QDialog {
    Q_OBJECT
public:
    CSzenarienDialog(const CPlanung& plan, int projektstart, int projektende, QWidget* eltern = nullptr);
    void accept() override;
    // The plan with the scenarios as accepted.
    const CPlanung& Planung() const { return m_Planung; }
    // Whether the dialog was closed with "Alle rechnen".
    bool Rechnen() const { return m_bRechnen; }

    // The list's commands, also for tests: each keeps what the table shows.
    void Hinzufuegen(const QString& name);
    void Umbenennen(int zeile, const QString& name);
    void Loeschen(int zeile);
    void Zeigen(int zeile);

private:
    void ZeileAnfuegen(const CAenderungszeile& z);
    void Merken(); // the shown scenario's cells into m_Eingabe

    CPlanung m_Planung;
    int m_iProjektstart = 0, m_iProjektende = 0;
    std::vector<CSzenarioeingabe> m_Eingabe;
    int m_iGezeigt = -1;
    bool m_bRechnen = false;
    QListWidget* m_pListe = nullptr;
    QLineEdit* m_pDatei = nullptr;
    QTableWidget* m_pAenderungen = nullptr;
};
