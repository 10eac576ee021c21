#include "widgets/DlgVerkaufWidget.h"

#include "dialogs/DlgVerkauf.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace IDC_Verkauf;

DlgVerkaufWidget::DlgVerkaufWidget(DlgVerkauf& dlg, QWidget* eltern) : CDialogFenster(eltern), m_Dlg(dlg)
{
    GroesseSetzen(268, 95);
    auto* liste = Liste(IDC_Verkauf::Liste, 7, 48, 119, 40);
    Eingabe(Zeile, 7, 34, 119, 14);
    Knopf(OK, "OK", 211, 7, 50, 14, [this] {
        m_Dlg.OnOK();
        if (m_Dlg.m_Ende == DlgVerkauf::EEnde::OK)
            QMetaObject::invokeMethod(
                this, [this] { QDialog::accept(); }, Qt::QueuedConnection);
    });
    Knopf(Abbrechen, "Abbrechen", 161, 7, 50, 14, [this] {
        QMetaObject::invokeMethod(
            this, [this] { reject(); }, Qt::QueuedConnection);
    });
    Knopf(DatenEinlesen, "Daten einlesen", 185, 20, 54, 14, [this] { m_Dlg.FileOpen(); });
    Knopf(ZeileAnhaengen, "Zeile anhängen", 133, 46, 58, 14, [this] { m_Dlg.ZeileAnhaengen(); });
    Knopf(ZeileAendern, "Zeile ändern", 133, 60, 58, 14, [this] { m_Dlg.ZeileAendern(); });
    Knopf(ZeileLoeschen, "Zeile löschen", 133, 74, 57, 14, [this] { m_Dlg.ZeileLoeschen(); });
    Text("Jahr    ", 7, 17, 16, 8);
    Text("            (Mio m3/Jahr)      (m3/h)", 7, 26, 122, 8);
    Text("Produktion", 35, 17, 35, 8);
    Text("Rate", 89, 17, 16, 8);
    Text("", 133, 36, 98, 8, Status);
    Knopf(AlleLoeschen, "Alle Zeilen löschen", 198, 55, 63, 14, [this] { m_Dlg.AlleZeilenLoeschen(); });
    Text("", 7, 7, 119, 8, Kopf);
    Knopf(Einfuegen, "Einfügen", 198, 72, 63, 14, [this] {
        m_Dlg.Einfuegen(QGuiApplication::clipboard()->text().toStdString());
    })->setToolTip("Profil aus der Zwischenablage einfügen: je Zeile Jahr, Produktion, Rate");
    // Enter in the line appends it, as "Zeile anhängen" does.
    connect(qobject_cast<QLineEdit*>(Element(Zeile)), &QLineEdit::returnPressed, this,
            [this] { Ausfuehren([this] { m_Dlg.ZeileAnhaengen(); }); });
    connect(liste, &QListWidget::currentRowChanged, this, [this](int r) { m_Dlg.m_lbZeilen.SetCurSel(r); });
    connect(liste, &QListWidget::itemDoubleClicked, this, [this] { Ausfuehren([this] { m_Dlg.ZeileAuswaehlen(); }); });
    m_Dlg.m_fnDateiWaehlen = [this] {
        QFileDialog waehlen(this, "Daten einlesen");
        waehlen.setFileMode(QFileDialog::ExistingFile);
        waehlen.setNameFilters({"Textdateien (*.TXT *.txt)", "Alle Dateien (*)"});
        waehlen.selectFile("*.TXT");
        if (waehlen.exec() != QDialog::Accepted || waehlen.selectedFiles().isEmpty())
            return std::string();
        return waehlen.selectedFiles().first().toStdString();
    };
    Ausfuehren([this] { m_Dlg.OnInitDialog(); });
    setWindowTitle(QString::fromStdString(m_Dlg.m_sTitel));
}

void DlgVerkaufWidget::TexteHolen()
{
    m_Dlg.m_sTextZeile = qobject_cast<QLineEdit*>(Element(Zeile))->text().toStdString();
    m_Dlg.m_sTextStatus = qobject_cast<QLabel*>(Element(Status))->text().toStdString();
    m_Dlg.m_sTextKopf = qobject_cast<QLabel*>(Element(Kopf))->text().toStdString();
}

void DlgVerkaufWidget::TexteZeigen()
{
    auto* zeile = qobject_cast<QLineEdit*>(Element(Zeile));
    if (zeile->text().toStdString() != m_Dlg.m_sTextZeile)
        zeile->setText(QString::fromStdString(m_Dlg.m_sTextZeile));
    TextEinpassen(qobject_cast<QLabel*>(Element(Status)), QString::fromStdString(m_Dlg.m_sTextStatus));
    qobject_cast<QLabel*>(Element(Kopf))->setText(QString::fromStdString(m_Dlg.m_sTextKopf));
    auto* liste = qobject_cast<QListWidget*>(Element(IDC_Verkauf::Liste));
    const QSignalBlocker sperre(liste);
    liste->clear();
    for (const auto& e : m_Dlg.m_lbZeilen.Eintraege())
        liste->addItem(QString::fromStdString(e));
    liste->setCurrentRow(m_Dlg.m_lbZeilen.GetCurSel());
}

void DlgVerkaufWidget::reject()
{
    m_Dlg.OnCancel();
    QDialog::reject();
}
