#include "gas/Feldpruefung.h"

#include "model/Feldregeln.h"
#include "platform/Meldungen.h"

namespace {

// A broken rule refuses the action: a warning with the rule's text.
bool Annehmen(const CErgebnis<>& regel, IMeldungen& meldungen)
{
    if (!regel)
        meldungen.Warnung(regel.Fehlertext());
    return regel.has_value();
}

} // namespace

bool FelddatenAnnehmen(const CFeldwerte& f, int projektende, IMeldungen& m, CGaseigenschaften& gas)
{
    return Annehmen(FelddatenPruefen(f, projektende), m) && GaseigenschaftenDialog(f, false, m, gas);
}

bool FaktorenAnnehmen(const CFeldwerte& f, IMeldungen& m)
{
    return Annehmen(FaktorenPruefen(f), m);
}

bool ZusammensetzungFehlt(const CFeldwerte& f)
{
    float summe = 0;
    for (float a : f.m_fAnteil)
        summe += a;
    return summe == 0;
}

bool OnComputeAbc(const CFeldwerte& f, int projektende, IMeldungen& m, CVorschlag& vorschlag, CGaseigenschaften& gas)
{
    if (ZusammensetzungFehlt(f))
        return false;
    if (!FelddatenAnnehmen(f, projektende, m, gas))
        return false;
    GaseigenschaftenDialog(f, false, m, gas);
    if (ZwertDialog(gas, f.m_fTcel, f.m_fReferenzdruck, m) <= 0) {
        m.Meldung("ABBRUCH Z-Wert<=0 Kein Vorschlag!");
        return false;
    }
    vorschlag = KonstanteABC(f, gas, m);
    if (vorschlag.c1_ < 0) {
        m.Meldung("ERROR C-Wert<0");
        vorschlag.c1_ = 0; // the text keeps the value it was formatted with
    }
    return true;
}
