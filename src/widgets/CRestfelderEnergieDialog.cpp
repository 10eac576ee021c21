#include "widgets/CRestfelderEnergieDialog.h"

#include "widgets/Tabellenzelle.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CRestfelderEnergieDialog::CRestfelderEnergieDialog(const CPlanung& plan, int projektstart, int projektende,
                                                   QWidget* eltern)
    : QDialog(eltern), m_Planung(plan), m_iProjektstart(projektstart), m_iProjektende(projektende)
{
    setWindowTitle("Restfelder-Energie");
    auto* layout = new QVBoxLayout(this);
    auto* hinweis = new QLabel("Anteile am Restfeldprofil in % (zusammen 100) und ihr Brennwert Hs,n in kWh/m³; "
                               "das Gas der Restfelder zählt als Verkaufsgas.",
                               this);
    hinweis->setWordWrap(true);
    layout->addWidget(hinweis);
    m_pTabelle = new QTableWidget(2, 2, this);
    m_pTabelle->setHorizontalHeaderLabels({"Anteil (%)", "Brennwert (kWh/m³)"});
    m_pTabelle->setVerticalHeaderLabels({"L-Gas", "H-Gas"});
    m_pTabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    const std::array<CRestfeldzeile, 2> zeilen = Restfeldeingabe(plan);
    for (int r = 0; r < 2; ++r) {
        const CRestfeldzeile& z = zeilen[static_cast<size_t>(r)];
        m_pTabelle->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(z.anteil)));
        m_pTabelle->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(z.brennwert)));
    }
    layout->addWidget(m_pTabelle);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(420, 200);
}

void CRestfelderEnergieDialog::accept()
{
    std::array<CRestfeldzeile, 2> zeilen{};
    for (int r = 0; r < 2; ++r)
        zeilen[static_cast<size_t>(r)] = {Zellentext(m_pTabelle, r, 0), Zellentext(m_pTabelle, r, 1)};
    const CErgebnis<CPlanung> p = RestfelderUebernehmen(m_Planung, zeilen, m_iProjektstart, m_iProjektende);
    if (!p) {
        QMessageBox::warning(this, "Restfelder-Energie", QString::fromStdString(p.Fehlertext()));
        return;
    }
    m_Planung = *p;
    QDialog::accept();
}
