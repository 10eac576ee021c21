#include "app/CMainFrame.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kalvo");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator qtDeutsch;
    if (qtDeutsch.load(QLocale(QLocale::German), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtDeutsch);

    CMainFrame rahmen;
    rahmen.show();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        rahmen.DateiOeffnen(args.at(1));
    return app.exec();
}
