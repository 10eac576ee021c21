#include "app/CMainFrame.h"

#include "platform/Datei.h"
#include "views/CKalvoViewWidget.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

void CQtMeldungen::Meldung(const std::string& text)
{
    QMessageBox::information(m_pEltern, "Kalvo", QString::fromStdString(text));
}

bool CQtMeldungen::Frage(const std::string& text)
{
    return QMessageBox::question(m_pEltern, "Kalvo", QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

CMainFrame::CMainFrame() : m_Meldungen(this), m_Doc(m_Meldungen)
{
    m_pView = new CKalvoViewWidget(m_Doc, this);
    setCentralWidget(m_pView);
    m_Doc.BeobachterHinzufuegen([this] {
        m_pView->Aktualisieren();
        TitelSetzen();
    });
    MenuesAnlegen();
    statusBar()->showMessage("Bereit");
    resize(1100, 750);
    TitelSetzen();
}

void CMainFrame::MenuesAnlegen()
{
    QMenu* datei = menuBar()->addMenu("&Datei");
    datei->addAction("Ö&ffnen...", QKeySequence::Open, this, &CMainFrame::OnFileOpen);
    datei->addAction("&Speichern", QKeySequence::Save, this, [this] { OnFileSave(); });
    datei->addAction("Speichern &unter...", this, [this] { OnFileSaveAs(); });
    datei->addSeparator();
    datei->addAction("&Beenden", this, &QWidget::close);
}

void CMainFrame::TitelSetzen()
{
    const QString name = m_sPfad.isEmpty() ? "Unbenannt" : QFileInfo(m_sPfad).fileName();
    setWindowTitle(name + (m_Doc.IsModified() ? "*" : "") + " - Kalvo");
}

bool CMainFrame::DateiOeffnen(const QString& pfad)
{
    std::string bytes, grund;
    if (!DateiLesen(pfad.toStdString(), bytes, grund) || !m_Doc.Laden(bytes, grund)) {
        m_Meldungen.Meldung("Die Datei " + pfad.toStdString() + " kann nicht geöffnet werden.\n" + grund);
        return false;
    }
    m_Doc.NachDemLaden();
    m_Doc.Berechnen();
    m_Doc.SetModifiedFlag(false);
    m_sPfad = pfad;
    m_Doc.UpdateAllViews();
    return true;
}

void CMainFrame::OnFileOpen()
{
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
    m_sPfad = pfad;
    m_Doc.SetModifiedFlag(false);
    TitelSetzen();
    return true;
}

bool CMainFrame::OnFileSave()
{
    return m_sPfad.isEmpty() ? OnFileSaveAs() : Speichern(m_sPfad);
}

bool CMainFrame::OnFileSaveAs()
{
    QString pfad = QFileDialog::getSaveFileName(this, "Speichern unter", m_sPfad, "Dateityp Kalvo (*.kvo)");
    if (pfad.isEmpty())
        return false;
    if (QFileInfo(pfad).suffix().isEmpty())
        pfad += ".kvo";
    return Speichern(pfad);
}
