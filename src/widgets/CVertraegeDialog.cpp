#include "widgets/CVertraegeDialog.h"

#include "widgets/Tabellenzelle.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kName = 0, kGasart = 1, kEinheit = 2, kSpitzenfaktor = 3, kErsterMonat = 4;
const char* const kMonate[12] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

QComboBox* Auswahl(QWidget* eltern, const QStringList& werte, const std::string& wert)
{
    auto* box = new QComboBox(eltern);
    box->addItems(werte);
    box->setCurrentText(QString::fromStdString(wert));
    return box;
}

} // namespace

CVertraegeDialog::CVertraegeDialog(const CPlanung& plan, int projektstart, int projektende, QWidget* eltern)
    : QDialog(eltern), m_Planung(plan), m_iProjektstart(projektstart), m_iProjektende(projektende)
{
    setWindowTitle("Verträge");
    auto* layout = new QVBoxLayout(this);
    auto* hinweis = new QLabel(
        "Je Gasart ein Vertrag. Mengen in GWh (oder Mio m³ Verkaufsgas) je Jahr; Monatsanteile in % (zusammen 100, "
        "leer: nach Tagen); Spitzenfaktor: Rate der Spitzenstunde durch die mittlere Rate des Jahres.\n"
        "Mengen aus einer Tabellenkalkulation: Zellen markieren, kopieren, hier die erste Zelle wählen und "
        "„Einfügen“ (Strg+V).",
        this);
    hinweis->setWordWrap(true);
    layout->addWidget(hinweis);

    m_pVertraege = new QTableWidget(0, kErsterMonat + 12, this);
    m_pVertraege->setObjectName("Vertraege");
    QStringList kopf = {"Name", "Gasart", "Einheit", "Spitzenfaktor"};
    for (const char* monat : kMonate)
        kopf << QString::fromUtf8(monat);
    m_pVertraege->setHorizontalHeaderLabels(kopf);
    m_pVertraege->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_pVertraege, 1);
    auto* knoepfe = new QHBoxLayout;
    auto* hinzu = new QPushButton("Vertrag &hinzufügen", this);
    auto* weg = new QPushButton("Vertrag &löschen", this);
    auto* einfuegen = new QPushButton("&Einfügen", this);
    for (QPushButton* k : {hinzu, weg, einfuegen})
        knoepfe->addWidget(k);
    knoepfe->addStretch();
    layout->addLayout(knoepfe);

    m_pMengen = new QTableWidget(0, 0, this);
    m_pMengen->setObjectName("Mengen");
    QStringList jahre;
    for (int jahr = projektstart; jahr <= projektende; ++jahr)
        jahre << QString::number(jahr);
    m_pMengen->setRowCount(static_cast<int>(jahre.size()));
    m_pMengen->setVerticalHeaderLabels(jahre);
    m_pMengen->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(m_pMengen, 2);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(hinzu, &QPushButton::clicked, this, [this] {
        // The family without a contract first: one contract per family.
        bool hatL = false;
        for (int r = 0; r < m_pVertraege->rowCount(); ++r)
            hatL = hatL || Zellentext(m_pVertraege, r, kGasart) == "L";
        VertragHinzufuegen({hatL ? "H-Gas" : "L-Gas", hatL ? "H" : "L", "GWh", "1", {}}, {});
        m_pVertraege->setCurrentCell(m_pVertraege->rowCount() - 1, kName);
    });
    connect(weg, &QPushButton::clicked, this, [this] { VertragLoeschen(m_pVertraege->currentRow()); });
    const auto ausZwischenablage = [this] { Einfuegen(QApplication::clipboard()->text()); };
    connect(einfuegen, &QPushButton::clicked, this, ausZwischenablage);
    auto* strgV = new QShortcut(QKeySequence::Paste, m_pMengen);
    strgV->setContext(Qt::WidgetWithChildrenShortcut);
    connect(strgV, &QShortcut::activated, this, ausZwischenablage);
    connect(m_pVertraege, &QTableWidget::cellChanged, this, [this](int, int spalte) {
        if (spalte == kName)
            Spaltennamen();
    });

    const CVertragseingabe e = Vertragseingabe(plan, projektstart, projektende);
    for (size_t k = 0; k < e.vertraege.size(); ++k) {
        std::vector<std::string> mengen;
        for (const auto& zeile : e.mengen)
            mengen.push_back(zeile[k]);
        VertragHinzufuegen(e.vertraege[k], mengen);
    }
    resize(980, 560);
}

void CVertraegeDialog::VertragHinzufuegen(const CVertragszeile& z, const std::vector<std::string>& mengen)
{
    const int r = m_pVertraege->rowCount();
    m_pVertraege->insertRow(r);
    m_pVertraege->setItem(r, kName, new QTableWidgetItem(QString::fromStdString(z.name)));
    m_pVertraege->setCellWidget(r, kGasart, Auswahl(m_pVertraege, {"L", "H"}, z.gasart));
    m_pVertraege->setCellWidget(r, kEinheit, Auswahl(m_pVertraege, {"GWh", "Mio m3"}, z.einheit));
    m_pVertraege->setItem(r, kSpitzenfaktor, new QTableWidgetItem(QString::fromStdString(z.spitzenfaktor)));
    for (int m = 0; m < 12; ++m)
        m_pVertraege->setItem(r, kErsterMonat + m,
                              new QTableWidgetItem(QString::fromStdString(z.monate[static_cast<size_t>(m)])));
    m_pMengen->insertColumn(r);
    for (int j = 0; j < m_pMengen->rowCount(); ++j) {
        const size_t i = static_cast<size_t>(j);
        m_pMengen->setItem(j, r, new QTableWidgetItem(i < mengen.size() ? QString::fromStdString(mengen[i]) : ""));
    }
    Spaltennamen();
}

void CVertraegeDialog::VertragLoeschen(int zeile)
{
    if (zeile < 0 || zeile >= m_pVertraege->rowCount())
        return;
    m_pVertraege->removeRow(zeile);
    m_pMengen->removeColumn(zeile);
    Spaltennamen();
}

// The quantities' columns carry the contracts' names.
void CVertraegeDialog::Spaltennamen()
{
    QStringList namen;
    for (int r = 0; r < m_pVertraege->rowCount(); ++r)
        namen << QString::fromStdString(Zellentext(m_pVertraege, r, kName));
    m_pMengen->setHorizontalHeaderLabels(namen);
}

CVertragseingabe CVertraegeDialog::Eingabe() const
{
    CVertragseingabe e;
    e.projektstart = m_iProjektstart;
    for (int r = 0; r < m_pVertraege->rowCount(); ++r) {
        CVertragszeile z{Zellentext(m_pVertraege, r, kName),
                         Zellentext(m_pVertraege, r, kGasart),
                         Zellentext(m_pVertraege, r, kEinheit),
                         Zellentext(m_pVertraege, r, kSpitzenfaktor),
                         {}};
        for (int m = 0; m < 12; ++m)
            z.monate[static_cast<size_t>(m)] = Zellentext(m_pVertraege, r, kErsterMonat + m);
        e.vertraege.push_back(z);
    }
    for (int j = 0; j < m_pMengen->rowCount(); ++j) {
        std::vector<std::string> zeile;
        for (int k = 0; k < m_pMengen->columnCount(); ++k)
            zeile.push_back(Zellentext(m_pMengen, j, k));
        e.mengen.push_back(std::move(zeile));
    }
    return e;
}

bool CVertraegeDialog::Einfuegen(const QString& text)
{
    const auto block = MengenblockLesen(text.toStdString());
    std::string fehler = block ? std::string() : block.Fehlertext();
    const int r0 = std::max(0, m_pMengen->currentRow()), c0 = std::max(0, m_pMengen->currentColumn());
    if (block) {
        const size_t zeilen = block->size();
        size_t spalten = 0;
        for (const auto& z : *block)
            spalten = std::max(spalten, z.size());
        if (m_pMengen->columnCount() == 0)
            fehler = "Zuerst einen Vertrag hinzufügen: die Mengen stehen in seiner Spalte.";
        else if (r0 + zeilen > size_t(m_pMengen->rowCount()))
            fehler = "Der Block reicht über das Projektende hinaus (" + std::to_string(zeilen) + " Jahre ab " +
                     std::to_string(m_iProjektstart + r0) + ").";
        else if (c0 + spalten > size_t(m_pMengen->columnCount()))
            fehler = "Der Block hat mehr Spalten, als Verträge rechts der gewählten Zelle stehen.";
    }
    if (!fehler.empty()) {
        QMessageBox::warning(this, "Verträge", QString::fromStdString(fehler));
        return false;
    }
    for (size_t r = 0; r < block->size(); ++r)
        for (size_t c = 0; c < (*block)[r].size(); ++c) {
            const std::optional<double>& menge = (*block)[r][c];
            m_pMengen->setItem(r0 + int(r), c0 + int(c),
                               new QTableWidgetItem(menge ? QString::fromStdString(Tabellenzahl(*menge)) : ""));
        }
    return true;
}

void CVertraegeDialog::accept()
{
    const CErgebnis<CPlanung> p = VertraegeUebernehmen(m_Planung, Eingabe(), m_iProjektstart, m_iProjektende);
    if (!p) {
        QMessageBox::warning(this, "Verträge", QString::fromStdString(p.Fehlertext()));
        return;
    }
    m_Planung = *p;
    QDialog::accept();
}
