// The profile import on arbitrary file contents, and the merge of its lines.
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"
#include "summary/Profil.h"

#include <cstdint>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    std::istringstream datei(std::string(reinterpret_cast<const char*>(daten), groesse));
    CStilleMeldungen meldungen;
    const CProfilImport e = ProfilImportieren(datei, 2002, meldungen);
    CKalvoDoc doc(meldungen);
    doc.m_saVerkaufsprofil = e.m_saZeilen;
    doc.m_saRestfelder = e.m_saZeilen;
    doc.Berechnen();
    return 0;
}
