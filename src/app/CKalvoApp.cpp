#include "app/CKalvoApp.h"

#include "app/CMainFrame.h"
#include "planung/Planung.h"

#include <QLibraryInfo>
#include <QLocale>

#include <clocale>

CKalvoApp::CKalvoApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName("Kalvo");
    setOrganizationName("Kalvo");
    setApplicationDisplayName("Kalvo");
    // Qt has taken the desktop's locale for the C library; numbers in files,
    // reports and charts keep their decimal point.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (m_QtDeutsch.load(QLocale(QLocale::German), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_QtDeutsch);
}

CKalvoApp::~CKalvoApp() = default;

int CKalvoApp::Starten()
{
    m_pRahmen = std::make_unique<CMainFrame>();
    m_pRahmen->show();
    const QStringList args = arguments();
    if (args.size() > 1)
        // A plan file opened from the file manager opens its document (which
        // reads the plan beside it). A file that cannot be read: its message,
        // an empty document.
        m_pRahmen->DateiOeffnen(QString::fromStdString(DokumentZurPlanung(args.at(1).toStdString())));
    return exec();
}
