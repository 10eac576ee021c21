#include "app/CMainFrame.h"

#include "dialogs/CDlgInputWidget.h"
#include "dialogs/DlgVerkaufWidget.h"
#include "platform/Datei.h"
#include "views/CKalvoViewWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

void CQtMeldungen::Meldung(const std::string& text)
{
    QMessageBox::information(QApplication::activeWindow(), "Kalvo", QString::fromStdString(text));
}

bool CQtMeldungen::Frage(const std::string& text)
{
    return QMessageBox::question(QApplication::activeWindow(), "Kalvo", QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

CMainFrame::CMainFrame() : m_Doc(m_Meldungen)
{
    m_pView = new CKalvoViewWidget(m_Doc, this);
    setCentralWidget(m_pView);
    m_Doc.SetDialoge(this);
    m_Doc.BeobachterHinzufuegen([this] { Aktualisieren(); });
    MenuesAnlegen();
    statusBar()->showMessage("Bereit");
    resize(1100, 750);
    Aktualisieren();
}

void CMainFrame::MenuesAnlegen()
{
    QMenu* datei = menuBar()->addMenu("&Datei");
    datei->addAction("&Neu", QKeySequence::New, this, [this] { m_Doc.OnFileNew(); });
    datei->addAction("Ö&ffnen...", QKeySequence::Open, this, &CMainFrame::OnFileOpen);
    datei->addAction("&Speichern", QKeySequence::Save, this, [this] { OnFileSave(); });
    datei->addAction("Speichern &unter...", this, [this] { OnFileSaveAs(); });
    datei->addSeparator();
    datei->addAction("&Beenden", this, &QWidget::close);

    QMenu* daten = menuBar()->addMenu("D&aten");
    daten->addAction("Daten ändern", QKeySequence(Qt::Key_F2), this, [this] { m_Doc.OnDatenAendern(); });
    daten->addAction("Verkaufsprofil", this, [this] { m_Doc.OnVerkaufsprofil(); });
    daten->addAction("Restfelder", this, [this] { m_Doc.OnRestfelder(); });

    QMenu* ansicht = menuBar()->addMenu("&Ansicht");
    m_pBlock = ansicht->addAction("Blockdiagramm", this, [this] { m_Doc.OnBlockdiagramm(); });
    m_pLinien = ansicht->addAction("Liniendiagramm", this, [this] { m_Doc.OnLiniendiagramm(); });
}

void CMainFrame::Aktualisieren()
{
    m_pView->Aktualisieren();
    if (m_pBlock) {
        m_pBlock->setEnabled(m_Doc.BlockdiagrammAktiv());
        m_pLinien->setEnabled(m_Doc.LiniendiagrammAktiv());
    }
    setWindowTitle(QString::fromStdString(m_Doc.GetTitle()) + (m_Doc.IsModified() ? "*" : "") + " - Kalvo");
}

bool CMainFrame::DatenDialog(CDlgInput& dlg)
{
    CDlgInputWidget fenster(dlg, this);
    return fenster.exec() == QDialog::Accepted;
}

bool CMainFrame::ProfilDialog(DlgVerkauf& dlg)
{
    DlgVerkaufWidget fenster(dlg, this);
    return fenster.exec() == QDialog::Accepted;
}

bool CMainFrame::GeaendertesDokumentSichern()
{
    if (!m_Doc.IsModified())
        return true;
    const auto antwort = QMessageBox::question(
        this, "Kalvo",
        QString("Sollen die Änderungen in %1 gespeichert werden?").arg(QString::fromStdString(m_Doc.GetTitle())),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (antwort == QMessageBox::Cancel)
        return false;
    if (antwort == QMessageBox::Save)
        return OnFileSave();
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* ereignis)
{
    if (GeaendertesDokumentSichern())
        ereignis->accept();
    else
        ereignis->ignore();
}

bool CMainFrame::DateiOeffnen(const QString& pfad)
{
    std::string bytes, grund;
    if (!DateiLesen(pfad.toStdString(), bytes, grund) || !m_Doc.OnOpenDocument(bytes, pfad.toStdString(), grund)) {
        m_Meldungen.Meldung("Die Datei " + pfad.toStdString() + " kann nicht geöffnet werden.\n" + grund);
        return false;
    }
    Aktualisieren();
    return true;
}

void CMainFrame::OnFileOpen()
{
    if (!GeaendertesDokumentSichern())
        return;
    const QString pfad = QFileDialog::getOpenFileName(this, "Öffnen", QString(), "Dateityp Kalvo (*.kvo)");
    if (!pfad.isEmpty())
        DateiOeffnen(pfad);
}

bool CMainFrame::Speichern(const QString& pfad)
{
    std::string grund;
    if (!DateiAtomarSchreiben(pfad.toStdString(), m_Doc.Speichern(), grund)) {
        m_Meldungen.Meldung("Die Datei " + pfad.toStdString() + " kann nicht gespeichert werden.\n" + grund);
        return false;
    }
    m_Doc.SetPathName(pfad.toStdString());
    m_Doc.SetModifiedFlag(false);
    Aktualisieren();
    return true;
}

bool CMainFrame::OnFileSave()
{
    const QString pfad = QString::fromStdString(m_Doc.GetPathName());
    return pfad.isEmpty() ? OnFileSaveAs() : Speichern(pfad);
}

bool CMainFrame::OnFileSaveAs()
{
    QString pfad = QFileDialog::getSaveFileName(this, "Speichern unter", QString::fromStdString(m_Doc.GetPathName()),
                                                "Dateityp Kalvo (*.kvo)");
    if (pfad.isEmpty())
        return false;
    if (QFileInfo(pfad).suffix().isEmpty())
        pfad += ".kvo";
    return Speichern(pfad);
}
