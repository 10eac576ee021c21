#include "model/Feldregeln.h"

#include "platform/Format.h"

namespace {

// One range rule: the value's German name for a message and its unit.
struct CRegel {
    EFeldwert wert;
    CBereich bereich;
    const char* name;
    const char* einheit;
};

// Pressures end at 1000 bar: the p/z and viscosity tables reach 991 bar.
// Percentages and hours of a year cannot exceed 100 % and 8760 h.
constexpr CRegel kRegeln[] = {
    {EFeldwert::Pi, {1, 1000}, "der Initialdruck", "bar"},
    {EFeldwert::Kopfdruck, {1, 1000}, "der Kopffließdruck", "bar"},
    {EFeldwert::Referenzdruck, {1, 1000}, "der Referenzdruck", "bar"},
    {EFeldwert::Bohrungen, {1, 100}, "die Bohrungsanzahl", ""},
    {EFeldwert::Foerderstunden, {0, 8760}, "die Förderstundenzahl", "h"},
    {EFeldwert::KonsAnteil, {0, 100}, "der Konsortialanteil", "%"},
    {EFeldwert::Wasserinvasion, {0, 100}, "die Wasserinvasion", "%"},
    {EFeldwert::Einflussradius, {1, 10000}, "der Einflussradius", "m"},
    {EFeldwert::Startjahr, {kErstesJahr, kLetztesJahr}, "das Startjahr", ""},
    {EFeldwert::Anteil, {0, 100}, "der Anteil", "mol-%"},
    {EFeldwert::StufeAbJahr, {kErstesJahr, kLetztesJahr}, "das Jahr", ""},
    {EFeldwert::StufeFoerderstunden, {0, 8760}, "die Förderstundenzahl", "h"},
    {EFeldwert::StufeKopfdruck, {1, 1000, true}, "der Kopffließdruck", "bar"},
    {EFeldwert::StufeBohrungen, {1, 100, true}, "die Bohrungsanzahl", ""},
    {EFeldwert::StufeKonsAnteil, {0, 100}, "der Konsortialanteil", "%"},
};

const CRegel& Regel(EFeldwert wert)
{
    for (const CRegel& r : kRegeln)
        if (r.wert == wert)
            return r;
    return kRegeln[0]; // every value has its rule above
}

bool ImBereich(double x, const CBereich& b)
{
    return (b.nullErlaubt && x == 0) || (x >= b.min && x <= b.max);
}

// "der Initialdruck (5000 bar) liegt nicht zwischen 1 und 1000 bar", with
// `wo` naming a stage row or a component.
std::string Ausserhalb(EFeldwert wert, double x, const std::string& wo = "")
{
    const CRegel& r = Regel(wert);
    const std::string einheit = *r.einheit ? std::string(" ") + r.einheit : "";
    return Format("%s%s (%g%s) liegt nicht zwischen %g und %g%s", r.name, wo.c_str(), x, einheit.c_str(), r.bereich.min,
                  r.bereich.max, einheit.c_str());
}

std::string BereichVerletzt(EFeldwert wert, double x, const std::string& wo = "")
{
    return ImBereich(x, Bereich(wert)) ? std::string() : Ausserhalb(wert, x, wo);
}

// A stage row the forecast applies: its year lies after the start year.
std::string StufeVerletzt(const CStufenzeile& s, int nummer)
{
    const std::string wo = Format(" der %d.Stufenzeile", nummer);
    for (const auto& [wert, x] : {std::pair{EFeldwert::StufeAbJahr, double(s.m_iStufeAbJahr)},
                                  {EFeldwert::StufeFoerderstunden, double(s.m_iStufeFoerderstunden)},
                                  {EFeldwert::StufeKopfdruck, double(s.m_fStufeKopfdruck)},
                                  {EFeldwert::StufeBohrungen, double(s.m_iStufeBohrungen)},
                                  {EFeldwert::StufeKonsAnteil, double(s.m_fStufeKonsAnteil)}}) {
        std::string grund = BereichVerletzt(wert, x, wo);
        if (!grund.empty())
            return grund;
    }
    return {};
}

} // namespace

CBereich Bereich(EFeldwert wert)
{
    return Regel(wert).bereich;
}

std::string FeldregelVerletzt(const CFeldwerte& f, const CStufen& stufen)
{
    double summe = 0;
    for (float a : f.m_fAnteil)
        summe += a;
    if (!(summe > 0))
        return "die Gaszusammensetzung fehlt";
    if (!(f.m_fOGIP > 0))
        return "das OGIP ist nicht größer als 0";
    if (!(f.m_fPi > 0))
        return "der Initialdruck ist nicht größer als 0";
    if (!(f.m_fWasserinvasion < 100))
        return "die Wasserinvasion ist nicht kleiner als 100 %";

    // The values the forecast reads; the reference pressure only when the
    // factors follow the pressure.
    std::pair<EFeldwert, double> werte[] = {
        {EFeldwert::Startjahr, f.m_iFoerderbeginn},
        {EFeldwert::Pi, f.m_fPi},
        {EFeldwert::Kopfdruck, f.m_fKopfdruck},
        {EFeldwert::Referenzdruck, f.m_bDruckabhaengig == 1 ? f.m_fReferenzdruck : 1.0},
        {EFeldwert::Bohrungen, f.m_iBohrungen},
        {EFeldwert::Foerderstunden, f.m_iFoerderstunden},
        {EFeldwert::KonsAnteil, f.m_fKonsAnteil},
        {EFeldwert::Wasserinvasion, f.m_fWasserinvasion},
    };
    for (const auto& [wert, x] : werte) {
        std::string grund = BereichVerletzt(wert, x);
        if (!grund.empty())
            return grund;
    }
    for (int k = 0; k < kAnzahlKomponenten; ++k) {
        std::string grund = BereichVerletzt(EFeldwert::Anteil, f.m_fAnteil[static_cast<size_t>(k)],
                                            Format(" der %d. Komponente", k + 1));
        if (!grund.empty())
            return grund;
    }
    for (int k = 0; k < kAnzahlStufen; ++k) {
        const CStufenzeile& s = stufen[static_cast<size_t>(k)];
        if (s.m_iStufeAbJahr <= f.m_iFoerderbeginn)
            continue; // never applied
        std::string grund = StufeVerletzt(s, k + 1);
        if (!grund.empty())
            return grund;
    }
    return {};
}
