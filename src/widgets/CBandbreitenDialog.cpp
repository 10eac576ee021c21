#include "widgets/CBandbreitenDialog.h"

#include "platform/Datei.h"

#include <QDialogButtonBox>

#include <cstdio>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CBandbreitenDialog::CBandbreitenDialog(const CFeldsaetze& felder, const CPlanung* planung, std::string pfad,
                                       QWidget* eltern)
    : QDialog(eltern), m_Felder(felder), m_pPlanung(planung), m_sPfad(std::move(pfad))
{
    setWindowTitle("Bandbreiten");
    auto* layout = new QVBoxLayout(this);
    auto* hinweis = new QLabel(
        "Feld: Name eines Feldes oder * für alle. Größe: OGIP, C-Wert, A1, Wasserinvasion, Kopfdruck, Bohrungen, "
        "Startverzoegerung (Jahre).\nTief und Hoch: Werte oder Prozent des Feldwertes (z. B. „80 %“); "
        "dazwischen liegt der Wert des Dokuments. OGIP „Messung“ in Tief und Hoch: aus den gemessenen Drücken.\n"
        "Art „gemeinsam“ (nur bei *): alle Felder ziehen in jedem Lauf einen gemeinsamen Wert.",
        this);
    hinweis->setWordWrap(true);
    layout->addWidget(hinweis);
    m_pTabelle = new QTableWidget(0, 5, this);
    m_pTabelle->setHorizontalHeaderLabels({"Feld", "Größe", "Tief", "Hoch", "Art"});
    m_pTabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(m_pTabelle);

    auto* knoepfe = new QHBoxLayout;
    auto* hinzu = new QPushButton("Zeile &hinzufügen", this);
    auto* weg = new QPushButton("Zeile &löschen", this);
    knoepfe->addWidget(hinzu);
    knoepfe->addWidget(weg);
    knoepfe->addStretch();
    layout->addLayout(knoepfe);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(hinzu, &QPushButton::clicked, this, [this] {
        ZeileHinzufuegen({"*", "OGIP", "80 %", "120 %", ""});
        m_pTabelle->setCurrentCell(m_pTabelle->rowCount() - 1, 0);
    });
    connect(weg, &QPushButton::clicked, this, [this] {
        if (m_pTabelle->currentRow() >= 0)
            m_pTabelle->removeRow(m_pTabelle->currentRow());
    });

    if (const CErgebnis<std::string> text = DateiLesen(m_sPfad); text)
        for (const CBandbreitenZeile& z : BandbreitenZeilen(*text))
            ZeileHinzufuegen(z);
    resize(620, 360);
}

void CBandbreitenDialog::ZeileHinzufuegen(const CBandbreitenZeile& zeile)
{
    const int r = m_pTabelle->rowCount();
    m_pTabelle->insertRow(r);
    for (int k = 0; k < 5; ++k)
        m_pTabelle->setItem(r, k, new QTableWidgetItem(QString::fromStdString(zeile[static_cast<size_t>(k)])));
}

std::vector<CBandbreitenZeile> CBandbreitenDialog::Zeilen() const
{
    std::vector<CBandbreitenZeile> zeilen;
    for (int r = 0; r < m_pTabelle->rowCount(); ++r) {
        CBandbreitenZeile z;
        for (int k = 0; k < 5; ++k) {
            const QTableWidgetItem* zelle = m_pTabelle->item(r, k);
            // One line per row: a separator or line break typed into a cell is no cell of its own.
            QString text = zelle ? zelle->text().trimmed() : QString();
            text.replace(';', ' ').replace('\n', ' ');
            z[static_cast<size_t>(k)] = text.toStdString();
        }
        zeilen.push_back(z);
    }
    return zeilen;
}

void CBandbreitenDialog::accept()
{
    const std::string datei = BandbreitenDatei(Zeilen());
    if (const auto geprueft = BandbreitenLesen(datei, m_Felder, m_pPlanung); !geprueft) {
        // The file's line N (after its heading) is the table's row N − 1.
        std::string text = geprueft.Fehlertext();
        int zeile = 0;
        if (std::sscanf(text.c_str(), "Zeile %d:", &zeile) == 1 && zeile > 1)
            text = "Tabellenzeile " + std::to_string(zeile - 1) + text.substr(text.find(':'));
        QMessageBox::warning(this, "Bandbreiten", QString::fromStdString(text));
        return;
    }
    if (const CErgebnis<> geschrieben = DateiAtomarSchreiben(m_sPfad, datei); !geschrieben) {
        QMessageBox::warning(this, "Bandbreiten", QString::fromStdString(geschrieben.Fehlertext()));
        return;
    }
    QDialog::accept();
}
