#include "widgets/CSzenarienDialog.h"

#include "widgets/Tabellenzelle.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kArt = 0, kName = 1, kGroesse = 2, kWert = 3;

} // namespace

CSzenarienDialog::CSzenarienDialog(const CPlanung& plan, int projektstart, int projektende, QWidget* eltern)
    : QDialog(eltern), m_Planung(plan), m_iProjektstart(projektstart), m_iProjektende(projektende),
      m_Eingabe(Szenarieneingabe(plan))
{
    setWindowTitle("Szenarien");
    auto* layout = new QVBoxLayout(this);
    auto* hinweis = new QLabel(
        "Ein Szenario ändert das Dokument und seine Planung: ein Feld (Größe OGIP, C-Wert, A1, Wasserinvasion, "
        "Kopfdruck, Bohrungen oder Startverzoegerung), die Kapazität einer Anlage (Mio m³/a), die Verteilung "
        "(lieferbar, reserven, rang, plateau) oder die Mengen eines Vertrags (Faktor). Oder es nennt ein anderes "
        "Dokument, etwa den Plan des Vorjahres.",
        this);
    hinweis->setWordWrap(true);
    layout->addWidget(hinweis);

    auto* mitte = new QHBoxLayout;
    auto* links = new QVBoxLayout;
    m_pListe = new QListWidget(this);
    m_pListe->setObjectName("Szenarien");
    links->addWidget(m_pListe, 1);
    auto* hinzu = new QPushButton("Szenario &hinzufügen", this);
    auto* umbenennen = new QPushButton("&Umbenennen", this);
    auto* loeschen = new QPushButton("Szenario &löschen", this);
    for (QPushButton* k : {hinzu, umbenennen, loeschen})
        links->addWidget(k);
    mitte->addLayout(links, 1);

    auto* rechts = new QVBoxLayout;
    auto* datei = new QHBoxLayout;
    auto* dateiName = new QLabel("Anderes &Dokument:", this);
    datei->addWidget(dateiName);
    m_pDatei = new QLineEdit(this);
    m_pDatei->setObjectName("Datei");
    dateiName->setBuddy(m_pDatei);
    datei->addWidget(m_pDatei, 1);
    auto* waehlen = new QPushButton("&Wählen...", this);
    datei->addWidget(waehlen);
    rechts->addLayout(datei);
    m_pAenderungen = new QTableWidget(0, 4, this);
    m_pAenderungen->setObjectName("Aenderungen");
    m_pAenderungen->setHorizontalHeaderLabels({"Änderung", "Name", "Größe", "Wert"});
    m_pAenderungen->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    rechts->addWidget(m_pAenderungen, 1);
    auto* zeilen = new QHBoxLayout;
    auto* zeileHinzu = new QPushButton("&Zeile hinzufügen", this);
    auto* zeileWeg = new QPushButton("Zeile &entfernen", this);
    zeilen->addWidget(zeileHinzu);
    zeilen->addWidget(zeileWeg);
    zeilen->addStretch();
    rechts->addLayout(zeilen);
    mitte->addLayout(rechts, 3);
    layout->addLayout(mitte, 1);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    QPushButton* rechnen = box->addButton("Alle &rechnen", QDialogButtonBox::ActionRole);
    rechnen->setObjectName("Rechnen");
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(rechnen, &QPushButton::clicked, this, [this] {
        m_bRechnen = true;
        accept(); // refused: the dialog stays open and asks nothing to run
    });

    connect(hinzu, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QString name = QInputDialog::getText(this, "Szenario hinzufügen",
                                                   "Name des Szenarios:", QLineEdit::Normal, QString(), &ok);
        if (ok)
            Hinzufuegen(name.trimmed());
    });
    connect(umbenennen, &QPushButton::clicked, this, [this] {
        const int zeile = m_pListe->currentRow();
        if (zeile < 0)
            return;
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, "Szenario umbenennen", "Neuer Name:", QLineEdit::Normal,
                                  QString::fromStdString(m_Eingabe[static_cast<size_t>(zeile)].name), &ok);
        if (ok)
            Umbenennen(zeile, name.trimmed());
    });
    connect(loeschen, &QPushButton::clicked, this, [this] { Loeschen(m_pListe->currentRow()); });
    connect(waehlen, &QPushButton::clicked, this, [this] {
        const QString pfad = QFileDialog::getOpenFileName(this, "Anderes Dokument", QString(),
                                                          "Kalvo-Dokumente (*.kvo *.KVO);;Alle Dateien (*)");
        if (!pfad.isEmpty())
            m_pDatei->setText(pfad);
    });
    connect(zeileHinzu, &QPushButton::clicked, this, [this] { ZeileAnfuegen({"Feld", "", "OGIP", ""}); });
    connect(zeileWeg, &QPushButton::clicked, this, [this] {
        if (m_pAenderungen->currentRow() >= 0)
            m_pAenderungen->removeRow(m_pAenderungen->currentRow());
    });
    connect(m_pListe, &QListWidget::currentRowChanged, this, [this](int zeile) { Zeigen(zeile); });

    for (const CSzenarioeingabe& e : m_Eingabe)
        m_pListe->addItem(QString::fromStdString(e.name));
    if (!m_Eingabe.empty())
        m_pListe->setCurrentRow(0);
    else
        Zeigen(-1);
    resize(900, 480);
}

void CSzenarienDialog::ZeileAnfuegen(const CAenderungszeile& z)
{
    const int r = m_pAenderungen->rowCount();
    m_pAenderungen->insertRow(r);
    auto* art = new QComboBox(m_pAenderungen);
    for (const char* a : kAenderungsarten)
        art->addItem(QString::fromUtf8(a));
    art->setCurrentText(QString::fromStdString(z.art));
    m_pAenderungen->setCellWidget(r, kArt, art);
    m_pAenderungen->setItem(r, kName, new QTableWidgetItem(QString::fromStdString(z.name)));
    m_pAenderungen->setItem(r, kGroesse, new QTableWidgetItem(QString::fromStdString(z.groesse)));
    m_pAenderungen->setItem(r, kWert, new QTableWidgetItem(QString::fromStdString(z.wert)));
}

void CSzenarienDialog::Merken()
{
    if (m_iGezeigt < 0 || m_iGezeigt >= static_cast<int>(m_Eingabe.size()))
        return;
    CSzenarioeingabe& e = m_Eingabe[static_cast<size_t>(m_iGezeigt)];
    e.datei = m_pDatei->text().trimmed().toStdString();
    e.aenderungen.clear();
    for (int r = 0; r < m_pAenderungen->rowCount(); ++r)
        e.aenderungen.push_back({Zellentext(m_pAenderungen, r, kArt), Zellentext(m_pAenderungen, r, kName),
                                 Zellentext(m_pAenderungen, r, kGroesse), Zellentext(m_pAenderungen, r, kWert)});
}

void CSzenarienDialog::Zeigen(int zeile)
{
    Merken();
    m_iGezeigt = zeile;
    m_pAenderungen->setRowCount(0);
    m_pDatei->clear();
    const bool da = zeile >= 0 && zeile < static_cast<int>(m_Eingabe.size());
    m_pAenderungen->setEnabled(da);
    m_pDatei->setEnabled(da);
    if (!da)
        return;
    const CSzenarioeingabe& e = m_Eingabe[static_cast<size_t>(zeile)];
    m_pDatei->setText(QString::fromStdString(e.datei));
    for (const CAenderungszeile& z : e.aenderungen)
        ZeileAnfuegen(z);
}

void CSzenarienDialog::Hinzufuegen(const QString& name)
{
    if (name.isEmpty())
        return;
    Merken();
    m_Eingabe.push_back({name.toStdString(), "", {}});
    m_pListe->addItem(name);
    m_pListe->setCurrentRow(m_pListe->count() - 1);
}

void CSzenarienDialog::Umbenennen(int zeile, const QString& name)
{
    if (zeile < 0 || zeile >= static_cast<int>(m_Eingabe.size()) || name.isEmpty())
        return;
    m_Eingabe[static_cast<size_t>(zeile)].name = name.toStdString();
    m_pListe->item(zeile)->setText(name);
}

void CSzenarienDialog::Loeschen(int zeile)
{
    if (zeile < 0 || zeile >= static_cast<int>(m_Eingabe.size()))
        return;
    m_iGezeigt = -1; // the shown cells belong to the deleted one
    m_Eingabe.erase(m_Eingabe.begin() + zeile);
    delete m_pListe->takeItem(zeile);
    Zeigen(m_pListe->currentRow());
}

void CSzenarienDialog::accept()
{
    Merken();
    CErgebnis<CPlanung> neu = SzenarienUebernehmen(m_Planung, m_Eingabe, m_iProjektstart, m_iProjektende);
    if (!neu) {
        m_bRechnen = false;
        QMessageBox::warning(this, "Szenarien", QString::fromStdString(neu.Fehlertext()));
        return;
    }
    m_Planung = std::move(neu).value();
    QDialog::accept();
}
