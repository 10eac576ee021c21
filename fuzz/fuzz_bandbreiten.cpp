// The ranges file on arbitrary contents, against the sample's fields: a file
// it takes gives ranges whose ends keep to the field rules, and a study over
// them runs without a crash.
#include "bandbreiten/Bandbreiten.h"
#include "model/Feldregeln.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

CLaufEingabe Eingabe()
{
    CLaufEingabe e;
    CFeldwerte f;
    f.m_iFoerderbeginn = 2005;
    CStufenzeile eingabe;
    CStufenTexte stufen;
    InitDataWerte(f, eingabe, stufen); // a new field's values, then a gas field's
    f.m_sFeldname = "Feld";
    f.m_fTcel = 100;
    f.m_fKopftemperatur = 20;
    f.m_fOGIP = 5000;
    f.m_fPi = f.m_fReferenzdruck = 300;
    f.m_fKopfdruck = 50;
    f.m_fMaxRate = 50000;
    f.m_fA1 = 10;
    f.m_fB1 = 1.2f;
    f.m_fCWert = 2;
    e.felder.emplace_back(DatenInZeile(f, stufen));
    e.projektende = 2015;
    e.threads = 1;
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse)
{
    static const CLaufEingabe basis = Eingabe();
    const CErgebnis<std::vector<CSpanne>> spannen =
        BandbreitenLesen(std::string_view(reinterpret_cast<const char*>(daten), groesse), basis.felder);
    if (!spannen)
        return 0;
    for (const CSpanne& s : *spannen) {
        if (!(s.tief <= s.basis && s.basis <= s.hoch))
            std::abort();
        for (double wert : {s.tief, s.hoch}) {
            const CFeldsatz a = Abgewandelt(basis.felder[size_t(s.feld)], {{s.groesse, wert}});
            if (!FeldVollstaendigPruefen(a.Werte(), a.Stufen()))
                std::abort();
        }
    }
    if (!spannen->empty())
        MonteCarlo(basis, *spannen, 3, 1, 1);
    return 0;
}
