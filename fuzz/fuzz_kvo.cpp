// The .kvo reader on arbitrary bytes; a file that loads is also computed.
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    CStilleMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    if (doc.Laden(std::string_view(reinterpret_cast<const char*>(daten), groesse)) && doc.m_saFelder.size() <= 4) {
        doc.m_iProjektende = std::min(doc.m_iProjektende, doc.m_iProjektstart + 40);
        doc.m_bDetailausgabe = groesse % 2;
        doc.m_bFeldesreserven = (groesse / 2) % 2;
        doc.Berechnen();
        (void)doc.Speichern();
    }
    return 0;
}
