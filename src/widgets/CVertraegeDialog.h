#pragma once
// "Verträge…": the plan's contracts as two tables, the contracts (name, gas
// family, unit, peak factor, monthly shares in %, empty for shares by days)
// and their quantities per project year (a row per year, a column per
// contract), pasted from a spreadsheet with "Einfügen" (Ctrl+V). OK reads
// every cell by the number rule and checks the plan by the plan file's
// rules: a bad cell is named and the dialog stays open.

#include "planung/Vertragstabelle.h"

#include <QDialog>

class QTableWidget;

class CVertraegeDialog : public QDialog {
    Q_OBJECT
public:
    CVertraegeDialog(const CPlanung& plan, int projektstart, int projektende, QWidget* eltern = nullptr);
    void accept() override;
    // The plan with the contracts as accepted.
    const CPlanung& Planung() const { return m_Planung; }
    // Pastes a block into the quantities from the current cell on (the
    // clipboard's text in the dialog); false with a message when refused.
    bool Einfuegen(const QString& text);

private:
    void VertragHinzufuegen(const CVertragszeile& zeile, const std::vector<std::string>& mengen);
    void VertragLoeschen(int zeile);
    void Spaltennamen();
    CVertragseingabe Eingabe() const;

    CPlanung m_Planung;
    int m_iProjektstart = 0, m_iProjektende = 0;
    QTableWidget* m_pVertraege = nullptr;
    QTableWidget* m_pMengen = nullptr;
};
