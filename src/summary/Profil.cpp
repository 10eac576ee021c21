#include "summary/Profil.h"

#include "model/Grenzen.h"
#include "platform/Cp1252.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <algorithm>
#include <sstream>

int ProfilzeileLesen(std::string_view zeile, int& jahr, float& produktion, float& rate)
{
    std::string_view rest = zeile;
    if (!LiesInt(ErstesWort(rest, &rest), jahr))
        return 0;
    if (!LiesEingabeFloat(ErstesWort(rest, &rest), produktion))
        return 1;
    if (!LiesEingabeFloat(ErstesWort(rest, &rest), rate))
        return 2;
    return 3;
}

CProfilzeile::CProfilzeile(std::string zeile) : text(std::move(zeile))
{
    gelesen = ProfilzeileLesen(text, jahr, produktion, rate);
}

std::vector<std::string> Profiltexte(const CProfil& profil)
{
    std::vector<std::string> texte;
    texte.reserve(profil.size());
    for (const CProfilzeile& z : profil)
        texte.push_back(z.text);
    return texte;
}

CProfil AusProfiltexten(const std::vector<std::string>& texte)
{
    return CProfil(texte.begin(), texte.end());
}

std::string ProfilzeileEingabe(int jahr, float produktion, float rate)
{
    return Format("%d  %12.1f  %12.1f", jahr, double(produktion), double(rate));
}

std::string ProfilzeileImport(int jahr, float produktion, float rate)
{
    return Format("%5d   %12.1f  %12.1f", jahr, double(produktion), double(rate));
}

namespace {

// A line of exactly year, production and rate: what a heading never is.
bool IstProfilzeile(std::string_view zeile)
{
    int jahr = 0;
    float p = 0, r = 0;
    if (ProfilzeileLesen(zeile, jahr, p, r) < 3)
        return false;
    for (int k = 0; k < 3; ++k)
        ErstesWort(zeile, &zeile);
    return ErstesWort(zeile).empty() && JahrPlausibel(jahr);
}

CProfilImport Fehler(IMeldungen& meldungen, const std::string& text)
{
    meldungen.Warnung(text);
    return {};
}

} // namespace

CProfilImport ProfilLesen(std::string_view text, IMeldungen& meldungen)
{
    constexpr size_t kMaxZeichen = 99; // characters of a line
    std::string ohneSemikolon(text);
    std::replace(ohneSemikolon.begin(), ohneSemikolon.end(), ';', ' ');
    std::istringstream datei(ohneSemikolon);
    CProfilImport ergebnis;
    std::string zeile;
    int erstesJahr = 0;
    for (int c = 0; std::getline(datei, zeile); ++c) {
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.pop_back();
        if (ErstesWort(zeile).empty())
            continue;
        if (c == 0 && !IstProfilzeile(zeile))
            continue; // a heading
        if (AnzahlZeichen(zeile) > kMaxZeichen)
            return Fehler(meldungen, Format("In der %d.Zeile 100 Zeichen gelesen", c + 1));
        int jahr = 0;
        float produktion = 0, rate = 0;
        if (ProfilzeileLesen(zeile, jahr, produktion, rate) < 3)
            return Fehler(meldungen, Format("Die Zeile enhält keine 3 Werte\n %s", zeile.c_str()));
        const long long n = static_cast<long long>(ergebnis.m_saZeilen.size());
        if (n == 0 ? !JahrPlausibel(jahr) : jahr != erstesJahr + n)
            return Fehler(meldungen, "Die Jahre sind nichr aufsteigend");
        if (n == kMaxProfilzeilen)
            return Fehler(meldungen, Format("Es werden maximal %d Zeilen eingelesen!", kMaxProfilzeilen));
        if (n == 0)
            erstesJahr = jahr;
        ergebnis.m_saZeilen.push_back(ProfilzeileImport(jahr, produktion, rate));
    }
    ergebnis.m_bGeaendert = !ergebnis.m_saZeilen.empty();
    ergebnis.m_sStatus = Format("%zu Zeilen wurden eingelesen", ergebnis.m_saZeilen.size());
    return ergebnis;
}

CProfilImport ProfilEinfuegen(const std::string& text, IMeldungen& meldungen)
{
    CProfilImport ergebnis = ProfilLesen(text, meldungen);
    ergebnis.m_sStatus = Format("%zu Zeilen wurden eingefügt", ergebnis.m_saZeilen.size());
    return ergebnis;
}

CProfilImport ProfilImportieren(std::string_view bytes, IMeldungen& meldungen)
{
    return ProfilLesen(TextAusDatei(bytes), meldungen);
}

CProfilImport ProfilImportierenAusDatei(const std::string& pfad, IMeldungen& meldungen)
{
    meldungen.Meldung(pfad + " wird geöffnet");
    const CErgebnis<std::string> bytes = DateiLesen(pfad);
    if (!bytes)
        return Fehler(meldungen, bytes.Fehlertext());
    return ProfilImportieren(*bytes, meldungen);
}
