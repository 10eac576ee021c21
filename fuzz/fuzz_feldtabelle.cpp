// The field table reader on arbitrary file contents: every table it takes
// holds fields the run computes without a crash, and the reader never takes
// a row the field rules refuse.
#include "doc/CKalvoDoc.h"
#include "model/Feldregeln.h"
#include "model/Feldtabelle.h"
#include "platform/Meldungen.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    const CErgebnis<CFeldsaetze> felder =
        FeldtabelleLesen(std::string_view(reinterpret_cast<const char*>(daten), groesse));
    if (!felder)
        return 0;
    for (const CFeldsatz& f : *felder)
        if (!f.Lesbar() || !FeldVollstaendigPruefen(f.Werte(), f.Stufen()) || !FeldnamePruefen(f.Name()))
            std::abort();
    CStilleMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    doc.m_saFelder = *felder;
    doc.m_iProjektende = 2040;
    doc.Berechnen();
    return 0;
}
