#include "app/CKalvoApp.h"

#include <cstdio>
#include <cstring>

// kalvo [DATEI.kvo | DATEI.planung.json]. The version and the usage are
// answered before Qt is started, so that they work without a screen.
int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("Kalvo " KALVO_VERSION);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::puts("Aufruf: kalvo [DATEI.kvo | DATEI.planung.json]\n"
                  "Öffnet Kalvo, die Förderplanung für Erdgasfelder, mit dem Dokument DATEI\n"
                  "(eine Planungsdatei öffnet das Dokument neben ihr). Die Rechnung von der\n"
                  "Kommandozeile: kalvo-batch --help.");
        return 0;
    }
    CKalvoApp app(argc, argv);
    return app.Starten();
}
