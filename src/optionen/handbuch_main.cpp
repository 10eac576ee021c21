// Build tool: writes kalvo-batch's manual page from its template and the
// option table.  handbuch VORLAGE ZIEL
#include "optionen/Handbuch.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Aufruf: handbuch VORLAGE ZIEL\n";
        return 1;
    }
    std::ifstream vorlage(argv[1], std::ios::binary);
    std::stringstream text;
    text << vorlage.rdbuf();
    std::ofstream ziel(argv[2], std::ios::binary);
    ziel << HandbuchSeite(text.str(), KALVO_VERSION);
    return vorlage && ziel ? 0 : 1;
}
