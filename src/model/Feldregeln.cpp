#include "model/Feldregeln.h"

#include <functional>

#include "platform/Cp1252.h"
#include "platform/Format.h"
#include "platform/Zahlregel.h"

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

// `wo` names the value's place in the message; it is made only for a value
// out of range (the run checks every field of every run).
CErgebnis<> BereichPruefen(EFeldwert wert, double x, const std::function<std::string()>& wo = {})
{
    if (ImBereich(x, Bereich(wert)))
        return {};
    return CFehler{Ausserhalb(wert, x, wo ? wo() : "")};
}

// A stage row the forecast applies: its year lies after the start year.
CErgebnis<> StufePruefen(const CStufenzeile& s, int nummer)
{
    const auto wo = [nummer] { return Format(" der %d.Stufenzeile", nummer); };
    for (const auto& [wert, x] : {std::pair{EFeldwert::StufeAbJahr, double(s.m_iStufeAbJahr)},
                                  {EFeldwert::StufeFoerderstunden, double(s.m_iStufeFoerderstunden)},
                                  {EFeldwert::StufeKopfdruck, double(s.m_fStufeKopfdruck)},
                                  {EFeldwert::StufeBohrungen, double(s.m_iStufeBohrungen)},
                                  {EFeldwert::StufeKonsAnteil, double(s.m_fStufeKonsAnteil)}}) {
        if (CErgebnis<> r = BereichPruefen(wert, x, wo); !r)
            return r;
    }
    return {};
}

} // namespace

CBereich Bereich(EFeldwert wert)
{
    return Regel(wert).bereich;
}

CErgebnis<> FeldregelnPruefen(const CFeldwerte& f, const CStufen& stufen)
{
    double summe = 0;
    for (float a : f.m_fAnteil)
        summe += a;
    if (!(summe > 0))
        return CFehler{"die Gaszusammensetzung fehlt"};
    if (!(f.m_fOGIP > 0))
        return CFehler{"das OGIP ist nicht größer als 0"};
    if (!(f.m_fPi > 0))
        return CFehler{"der Initialdruck ist nicht größer als 0"};
    if (!(f.m_fWasserinvasion < 100))
        return CFehler{"die Wasserinvasion ist nicht kleiner als 100 %"};

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
        if (CErgebnis<> r = BereichPruefen(wert, x); !r)
            return r;
    }
    for (int k = 0; k < kAnzahlKomponenten; ++k) {
        const auto wo = [k] { return Format(" der %d. Komponente", k + 1); };
        if (CErgebnis<> r = BereichPruefen(EFeldwert::Anteil, f.m_fAnteil[static_cast<size_t>(k)], wo); !r)
            return r;
    }
    for (int k = 0; k < kAnzahlStufen; ++k) {
        const CStufenzeile& s = stufen[static_cast<size_t>(k)];
        if (s.m_iStufeAbJahr <= f.m_iFoerderbeginn)
            continue; // never applied
        if (CErgebnis<> r = StufePruefen(s, k + 1); !r)
            return r;
    }
    return {};
}

CErgebnis<> FeldPruefen(const CFeldwerte& f, const CStufen& stufen)
{
    if (CErgebnis<> r = FeldregelnPruefen(f, stufen); !r)
        return r;
    // The gas produced before the project must leave some of the gas in
    // place, gas must flow from the reservoir to the wellhead at the start,
    // and a well's rate is capped by a positive maximum.
    if (!(f.m_fKumProdBeginn < f.m_fOGIP))
        return CFehler{Format("die kumulative Anfangsproduktion (%g Mio m³) ist nicht kleiner als das OGIP (%g Mio m³)",
                              double(f.m_fKumProdBeginn), double(f.m_fOGIP))};
    if (!(f.m_fKopfdruck < f.m_fPi))
        return CFehler{Format("der Kopffließdruck (%g bar) ist nicht kleiner als der Initialdruck (%g bar)",
                              double(f.m_fKopfdruck), double(f.m_fPi))};
    if (!(f.m_fMaxRate > 0))
        return CFehler{Format("die maximale Entnahmerate (%g m³/h) ist nicht größer als 0", double(f.m_fMaxRate))};
    return {};
}

CErgebnis<> FeldVollstaendigPruefen(const CFeldwerte& f, const CStufen& stufen)
{
    if (CErgebnis<> r = FeldPruefen(f, stufen); !r)
        return r;
    return FaktorenPruefen(f);
}

CErgebnis<> FeldnamePruefen(std::string_view name)
{
    const std::string zitat = "Der Feldname „" + Zitat(name) + "“ ";
    if (!FeldnameGueltig(name))
        return CFehler{zitat + "ist leer oder enthält Leerzeichen."};
    if (AnzahlZeichen(name) > kMaxNamenslaenge)
        return CFehler{zitat + Format("hat mehr als %d Zeichen.", kMaxNamenslaenge)};
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7f)
            return CFehler{zitat + "enthält Steuerzeichen."};
    if (!IstCp1252Darstellbar(name))
        return CFehler{zitat + "enthält Zeichen, die in einer Kalvo-Datei nicht gespeichert werden können "
                               "(erlaubt sind Buchstaben, Ziffern und Zeichen westeuropäischer Sprachen)."};
    return {};
}

CErgebnis<> FelddatenPruefen(const CFeldwerte& f, int projektende)
{
    // Only 0 is refused in the first six checks; negative values pass.
    if (f.m_fOGIP == 0)
        return CFehler{"Bitte OGIP eingeben"};
    // Gas in place is positive, and the gas produced before the project must
    // leave some of it: at or above the OGIP the field has nothing to produce.
    if (f.m_fOGIP < 0)
        return CFehler{"Das OGIP muß größer als 0 sein"};
    if (!(f.m_fKumProdBeginn < f.m_fOGIP))
        return CFehler{"Die Kum.Anfangsproduktion muß kleiner als das OGIP sein"};
    if (f.m_fPermHorizontal == 0 || f.m_fPermVertikal == 0)
        return CFehler{"Bitte Permeabilität eingeben"};
    if (f.m_fMaechtigkeitBankrecht == 0 || f.m_fMaechtigkeitErbohrt == 0)
        return CFehler{"Bitte Mächtigkeit eingeben"};
    if (f.m_fEinflussradius == 0)
        return CFehler{"Bitte Einflussradius eingeben"};
    if (f.m_fTeufe == 0)
        return CFehler{"Bitte Lagerstättenteufe eingeben"};
    if (f.m_fSteigrohrDi == 0)
        return CFehler{"Bitte Steigrohrdurchmesser eingeben"};
    if (!(f.m_fKopfdruck < f.m_fPi))
        return CFehler{"Der Kopffliessdruck muß kleiner als der Initialdruck sein"};
    if (2 * f.m_fEinflussradius < f.m_fHorizontallaenge)
        return CFehler{"Die Horizontalbohrlänge > 2*Einflußradius"};
    if (f.m_fMaechtigkeitErbohrt < f.m_fMaechtigkeitBankrecht)
        return CFehler{"Erbohrte Mächtigkeit < Bankrechte Mächtigkeit"};
    if (projektende <= f.m_iFoerderbeginn)
        return CFehler{"Das letzte Jahr muß größer als das Startjahr sein!"};
    return {};
}

CErgebnis<> FaktorenPruefen(const CFeldwerte& f)
{
    if (f.m_fA1 == 0 || f.m_fB1 == 0 || f.m_fCWert == 0)
        return CFehler{"Bitte DRUCKVERLUSTFAKTOREN eingeben"};
    if (f.m_fB1 < 1)
        return CFehler{"Der B1-Wert für das Gassäulengewicht muß >=1 sein"};
    // A negative maximum would make the rate negative: refused like 0.
    if (!(f.m_fMaxRate > 0))
        return CFehler{"Die max.Entnahmerate muß größer Null sein!"};
    return {};
}
