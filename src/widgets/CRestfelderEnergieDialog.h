#pragma once
// "Restfelder-Energie…": what the rest-field profile is made of, per gas
// family its share in % and its gross calorific value Hs,n in kWh/m³ (both
// empty: the family has none). OK checks the cells by the number rule and
// the plan file's rules (the shares sum to 100 %).

#include "planung/Vertragstabelle.h"

#include <QDialog>

class QTableWidget;

class CRestfelderEnergieDialog : public QDialog {
    Q_OBJECT
public:
    CRestfelderEnergieDialog(const CPlanung& plan, int projektstart, int projektende, QWidget* eltern = nullptr);
    void accept() override;
    const CPlanung& Planung() const { return m_Planung; }

private:
    CPlanung m_Planung;
    int m_iProjektstart = 0, m_iProjektende = 0;
    QTableWidget* m_pTabelle = nullptr;
};
