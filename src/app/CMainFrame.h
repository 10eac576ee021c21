#pragma once
// The main window: menus, the report view, files, and the dialogs of the
// document's data commands.

#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

#include <QMainWindow>

class CKalvoViewWidget;
class QAction;

// Message boxes with German buttons, over the window that is active.
class CQtMeldungen : public IMeldungen {
public:
    void Meldung(const std::string& text) override;
    bool Frage(const std::string& text) override;
};

class CMainFrame : public QMainWindow, private IDialoge {
    Q_OBJECT
public:
    CMainFrame();
    bool DateiOeffnen(const QString& pfad);
    CKalvoDoc& Dokument() { return m_Doc; }

protected:
    void closeEvent(QCloseEvent* ereignis) override;

private:
    // IDialoge: the Qt dialogs, run modally.
    bool DatenDialog(CDlgInput& dlg) override;
    bool ProfilDialog(DlgVerkauf& dlg) override;
    bool GeaendertesDokumentSichern() override;

    void MenuesAnlegen();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool Speichern(const QString& pfad);
    void Aktualisieren();

    CQtMeldungen m_Meldungen;
    CKalvoDoc m_Doc;
    CKalvoViewWidget* m_pView = nullptr;
    QAction* m_pBlock = nullptr;
    QAction* m_pLinien = nullptr;
};
