// The profile import on arbitrary file contents, and the merge of its lines.
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"
#include "summary/Profil.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    CStilleMeldungen meldungen;
    const CProfilImport e =
        ProfilImportieren(std::string_view(reinterpret_cast<const char*>(daten), groesse), meldungen);
    CKalvoDoc doc(meldungen);
    doc.m_saVerkaufsprofil = AusProfiltexten(e.m_saZeilen);
    doc.m_saRestfelder = AusProfiltexten(e.m_saZeilen);
    doc.Berechnen();
    return 0;
}
