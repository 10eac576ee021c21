#include "model/Feldsatz.h"

#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <vector>

std::string StufenzeileText(const CStufenzeile& s, EStufenformat format)
{
    const char* f = "%d %13d %17.1f %12d %21.3f %15.2f";
    if (format == EStufenformat::Gelesen)
        f = "%d %9d %17.1f %12d %21.3f %12.2f";
    else if (format == EStufenformat::Geaendert)
        f = "%d %9d %17.1f %12d %21.4f %12.2f";
        // The format is one of three literals, all with the same conversions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return Format(f, s.m_iStufeAbJahr, s.m_iStufeFoerderstunden, double(s.m_fStufeKopfdruck), s.m_iStufeBohrungen,
                  double(s.m_fStufeCWert), double(s.m_fStufeKonsAnteil));
#pragma GCC diagnostic pop
}

namespace {

// Reads white-space separated values one after another, like scanf: each
// reader returns false at the first missing or unreadable token.
class CWortLeser {
public:
    explicit CWortLeser(std::string_view text) : m_Rest(text) {}
    bool Int(int& wert) { return LiesInt(ErstesWort(m_Rest, &m_Rest), wert); }
    bool Float(float& wert) { return LiesFloat(ErstesWort(m_Rest, &m_Rest), wert); }
    bool Wort(std::string& wert)
    {
        const std::string_view w = ErstesWort(m_Rest, &m_Rest);
        if (w.empty())
            return false;
        wert.assign(w);
        return true;
    }

private:
    std::string_view m_Rest;
};

// Reads the values of a stage row into `s`, counting conversions in `n`.
bool StufeLesen(CWortLeser& l, CStufenzeile& s, int& n)
{
    return l.Int(s.m_iStufeAbJahr) && ++n && l.Int(s.m_iStufeFoerderstunden) && ++n && l.Float(s.m_fStufeKopfdruck) &&
           ++n && l.Int(s.m_iStufeBohrungen) && ++n && l.Float(s.m_fStufeCWert) && ++n &&
           l.Float(s.m_fStufeKonsAnteil) && ++n;
}

} // namespace

int StufenzeileLesen(std::string_view text, CStufenzeile& stufe)
{
    CWortLeser l(text);
    int n = 0;
    StufeLesen(l, stufe, n);
    return n;
}

std::string DatenInZeile(const CFeldwerte& f, const CStufenTexte& stufen)
{
    const auto d = [](float v) { return static_cast<double>(v); };
    const auto& a = f.m_fAnteil;
    std::string zeile =
        Format("%s %d %8.3f %8.3f %8.3f %8.3f %8.3f  %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f "
               "%8.3f %8.3f  %6.1f %6.1f %7.1f %7.1f %8.3f %8.3f  %6.1f %6.1f %7.1f %7.1f %6.1f %7.1f  "
               "%7.1f %7.1f %d %7.1f %7.3f %d  %7.1f %6.2f %7.3f %7.3f %8.4f %d ",
               f.m_sFeldname.c_str(), f.m_iFoerderbeginn, d(a[0]), d(a[1]), d(a[2]), d(a[3]), d(a[4]), d(a[5]), d(a[6]),
               d(a[7]), d(a[8]), d(a[9]), d(a[10]), d(a[11]), d(a[12]), d(a[13]), d(a[14]), d(f.m_fTcel),
               d(f.m_fKopftemperatur), d(f.m_fOGIP), d(f.m_fPi), d(f.m_fPermHorizontal), d(f.m_fPermVertikal),
               d(f.m_fMaechtigkeitBankrecht), d(f.m_fMaechtigkeitErbohrt), d(f.m_fEinflussradius), d(f.m_fTeufe),
               d(f.m_fSteigrohrDi), d(f.m_fHorizontallaenge), d(f.m_fKumProdBeginn), d(f.m_fKopfdruck), f.m_iBohrungen,
               d(f.m_fMaxRate), d(f.m_fWasserinvasion), f.m_iFoerderstunden, d(f.m_fReferenzdruck), d(f.m_fKonsAnteil),
               d(f.m_fA1), d(f.m_fB1), d(f.m_fCWert), f.m_bDruckabhaengig);
    // The tail starts with one space; each row adds one space and its text.
    zeile += ' ';
    for (const auto& s : stufen) {
        zeile += ' ';
        zeile += s;
    }
    return zeile;
}

int FeldzeileLesen(std::string_view zeile, CFeldwerte& f, CStufen& stufen)
{
    CWortLeser l(zeile);
    int n = 0;
    std::string name;
    if (!l.Wort(name) || AnzahlZeichen(name) > kMaxNamenslaenge)
        return n;
    f.m_sFeldname = name;
    ++n;
    if (!l.Int(f.m_iFoerderbeginn))
        return n;
    ++n;
    for (float& anteil : f.m_fAnteil) {
        if (!l.Float(anteil))
            return n;
        ++n;
    }
    float* const fliess1[] = {&f.m_fTcel,
                              &f.m_fKopftemperatur,
                              &f.m_fOGIP,
                              &f.m_fPi,
                              &f.m_fPermHorizontal,
                              &f.m_fPermVertikal,
                              &f.m_fMaechtigkeitBankrecht,
                              &f.m_fMaechtigkeitErbohrt,
                              &f.m_fEinflussradius,
                              &f.m_fTeufe,
                              &f.m_fSteigrohrDi,
                              &f.m_fHorizontallaenge,
                              &f.m_fKumProdBeginn,
                              &f.m_fKopfdruck};
    for (float* w : fliess1) {
        if (!l.Float(*w))
            return n;
        ++n;
    }
    if (!l.Int(f.m_iBohrungen) || !++n || !l.Float(f.m_fMaxRate) || !++n || !l.Float(f.m_fWasserinvasion) || !++n ||
        !l.Int(f.m_iFoerderstunden) || !++n)
        return n;
    float* const fliess2[] = {&f.m_fReferenzdruck, &f.m_fKonsAnteil, &f.m_fA1, &f.m_fB1, &f.m_fCWert};
    for (float* w : fliess2) {
        if (!l.Float(*w))
            return n;
        ++n;
    }
    int flag = 0;
    if (!l.Int(flag))
        return n;
    ++n;
    f.m_bDruckabhaengig = (flag == 1) ? 1 : 0;
    for (auto& s : stufen)
        if (!StufeLesen(l, s, n))
            return n;
    return n;
}

CErgebnis<> FeldsatzPruefen(std::string_view zeile)
{
    std::string_view rest;
    const std::string_view name = ErstesWort(zeile, &rest);
    if (name.empty())
        return CFehler{"der Satz ist leer."};
    if (AnzahlZeichen(name) > kMaxNamenslaenge)
        return CFehler{Format("der Feldname ist länger als %d Zeichen.", kMaxNamenslaenge)};
    CFeldwerte feld;
    CStufen stufen;
    const int n = FeldzeileLesen(zeile, feld, stufen);
    const std::string sName(name);
    if (n != kWerteJeSatz)
        return CFehler{Format("Feld \"%s\": der %d. von %d Werten fehlt oder ist keine Zahl.", sName.c_str(), n + 1,
                              kWerteJeSatz)};
    for (int k = 1; k < kWerteJeSatz; ++k)
        ErstesWort(rest, &rest);
    if (!ErstesWort(rest).empty())
        return CFehler{Format("Feld \"%s\": der Satz enthält mehr als %d Werte.", sName.c_str(), kWerteJeSatz)};
    if (!JahrPlausibel(feld.m_iFoerderbeginn))
        return CFehler{Format("Feld \"%s\": das Startjahr %d ist unmöglich (ein Jahr von 1 bis 9999).", sName.c_str(),
                              feld.m_iFoerderbeginn)};
    return {};
}

bool FeldzeileLesenDialog(const CFeldsatz& satz, CFeldwerte& feld, CStufenTexte& stufenTexte, IMeldungen& meldungen)
{
    if (!satz.Lesbar()) {
        // The values read before the first unreadable one, over those shown.
        CFeldwerte teil = feld;
        CStufen stufen{};
        FeldzeileLesen(satz.Text(), teil, stufen);
        feld = teil;
        meldungen.Meldung("Einlesefehler");
        return false;
    }
    feld = satz.Werte();
    for (int i = 0; i < kAnzahlStufen; ++i)
        stufenTexte[i] = StufenzeileText(satz.Stufen()[i], EStufenformat::Gelesen);
    return true;
}

int SatzkopfLesen(std::string_view zeile, std::string& name, int& foerderbeginn)
{
    CWortLeser l(zeile);
    std::string naechstes;
    int n = 0;
    if (l.Wort(name) && ++n && l.Int(foerderbeginn) && ++n && l.Wort(naechstes))
        ++n;
    return n;
}

int FeldIndex(const std::vector<std::string>& saetze, std::string_view name, int ausser)
{
    for (size_t i = 0; i < saetze.size(); ++i)
        if (static_cast<int>(i) != ausser && ErstesWort(saetze[i]) == name)
            return static_cast<int>(i);
    return -1;
}

CFeldsatz::CFeldsatz(std::string satz) : m_sText(std::move(satz)), m_nTextHash(std::hash<std::string>{}(m_sText))
{
    m_iGelesen = FeldzeileLesen(m_sText, m_Werte, m_Stufen);
}

CFeldsatz CFeldsatz::AusWerten(const CFeldsatz& satz, const CAbwandlung& aenderungen, const CFeldwerte& werte,
                               const CStufen& stufen)
{
    CFeldsatz s;
    s.m_sText = satz.m_sText;
    s.m_nTextHash = satz.m_nTextHash;
    s.m_Abwandlung = satz.m_Abwandlung;
    s.m_Abwandlung.insert(s.m_Abwandlung.end(), aenderungen.begin(), aenderungen.end());
    s.m_Werte = werte;
    s.m_Stufen = stufen;
    s.m_iGelesen = kWerteJeSatz;
    return s;
}

std::string_view CFeldsatz::Name() const
{
    return ErstesWort(m_sText);
}

int FeldIndex(const CFeldsaetze& saetze, std::string_view name, int ausser)
{
    for (size_t i = 0; i < saetze.size(); ++i)
        if (static_cast<int>(i) != ausser && saetze[i].Name() == name)
            return static_cast<int>(i);
    return -1;
}

std::vector<std::string> Satztexte(const CFeldsaetze& saetze)
{
    std::vector<std::string> texte;
    texte.reserve(saetze.size());
    for (const CFeldsatz& s : saetze)
        texte.push_back(s.Text());
    return texte;
}

CFeldsaetze AusSatztexten(const std::vector<std::string>& texte)
{
    return CFeldsaetze(texte.begin(), texte.end());
}

bool FeldnameGueltig(std::string_view name)
{
    std::string_view rest;
    const std::string_view erstes = ErstesWort(name, &rest);
    return !erstes.empty() && ErstesWort(rest).empty();
}

void InitDataWerte(CFeldwerte& f, CStufenzeile& stufe, CStufenTexte& stufenTexte)
{
    f.m_sFeldname = "Feldname";
    f.m_fAnteil[3] = 100.0f;
    f.m_fPermHorizontal = f.m_fPermVertikal = 1.0f;
    f.m_fMaechtigkeitBankrecht = f.m_fMaechtigkeitErbohrt = 1.0f;
    f.m_fSteigrohrDi = 11.0f;
    f.m_fEinflussradius = 1000.0f;
    f.m_fTeufe = 1000.0f;
    f.m_fKonsAnteil = 100.0f;
    f.m_fPi = f.m_fKopfdruck = f.m_fReferenzdruck = 1.0f;
    f.m_iBohrungen = 1;
    f.m_iFoerderstunden = 8740;
    f.m_bDruckabhaengig = 0;

    stufe.m_iStufeAbJahr = f.m_iFoerderbeginn;
    stufe.m_iStufeFoerderstunden = 8740;
    stufe.m_fStufeKopfdruck = 1.0f;
    stufe.m_iStufeBohrungen = 1;
    stufe.m_fStufeKonsAnteil = 100.0f; // the stage C-Wert keeps its value
    for (auto& t : stufenTexte)
        t = StufenzeileText(stufe, EStufenformat::Vorgabe);
}
