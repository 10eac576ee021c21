#include "app/CKalvoApp.h"

int main(int argc, char** argv)
{
    CKalvoApp app(argc, argv);
    return app.Starten();
}
