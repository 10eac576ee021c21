#include "batch/Grafikumgebung.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdio>

void GrafikUmgebung()
{
    if (QGuiApplication::instance())
        return;
    // A command-line program has no screen: Qt renders on its offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the missing desktop session are no news to the user.
    qInstallMessageHandler([](QtMsgType typ, const QMessageLogContext&, const QString& text) {
        if (typ == QtCriticalMsg || typ == QtFatalMsg)
            fprintf(stderr, "kalvo-batch: %s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "kalvo-batch";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives until the process ends
    // Qt has taken the environment's locale for the C library; the report
    // keeps its decimal point.
    std::setlocale(LC_NUMERIC, "C");
}
