#pragma once
// The main window: menus, the report view, open and save.

#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

#include <QMainWindow>

class CKalvoViewWidget;

// Message boxes with German buttons.
class CQtMeldungen : public IMeldungen {
public:
    explicit CQtMeldungen(QWidget* eltern) : m_pEltern(eltern) {}
    void Meldung(const std::string& text) override;
    bool Frage(const std::string& text) override;

private:
    QWidget* m_pEltern;
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame();
    bool DateiOeffnen(const QString& pfad);

private:
    void MenuesAnlegen();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool Speichern(const QString& pfad);
    void TitelSetzen();

    CQtMeldungen m_Meldungen;
    CKalvoDoc m_Doc;
    CKalvoViewWidget* m_pView = nullptr;
    QString m_sPfad;
};
