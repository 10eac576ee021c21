// The record parser on arbitrary text; a record that reads is computed.
#include "doc/CKalvoDoc.h"
#include "model/Feldsatz.h"
#include "platform/Meldungen.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const std::string zeile(reinterpret_cast<const char*>(daten), groesse);
    CFeldwerte feld;
    CStufen stufen;
    FeldzeileLesen(zeile, feld, stufen);
    CStilleMeldungen meldungen;
    CStufenTexte texte;
    FeldzeileLesenDialog(zeile, feld, texte, meldungen);
    if (FeldsatzPruefen(zeile)) {
        CKalvoDoc doc(meldungen);
        doc.m_saFelder = {zeile};
        doc.m_iProjektende = feld.m_iFoerderbeginn + 5;
        doc.m_bDetailausgabe = 1;
        doc.Berechnen();
    }
    return 0;
}
