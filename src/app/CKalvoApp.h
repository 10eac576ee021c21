#pragma once
// The application: German texts of Qt's own dialogs, settings (the list of
// recently used files), the main window and the file of the command line.

#include <QApplication>
#include <QTranslator>

#include <memory>

class CMainFrame;

class CKalvoApp : public QApplication {
    Q_OBJECT
public:
    CKalvoApp(int& argc, char** argv);
    ~CKalvoApp() override;
    int Starten();

private:
    QTranslator m_QtDeutsch;
    std::unique_ptr<CMainFrame> m_pRahmen;
};
