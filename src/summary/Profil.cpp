#include "summary/Profil.h"

#include "model/Grenzen.h"
#include "platform/Cp1252.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "platform/Zahlregel.h"

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

namespace {

// The numbers of a profile's text: every token but the first word of a line
// (a year, or a heading's word), for the block's decision on the decimal sign.
EZahlschreibung SchreibungDesProfils(const std::string& text)
{
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t ende = rest.find('\n');
        const std::vector<std::string_view> w = Woerter(rest.substr(0, ende));
        for (size_t k = 1; k < w.size(); ++k)
            if (HatDezimalkomma(w[k]))
                return EZahlschreibung::Dezimalkomma;
        rest = ende == std::string_view::npos ? std::string_view() : rest.substr(ende + 1);
    }
    return EZahlschreibung::Dezimalpunkt;
}

// A line holds a number when any of its tokens reads as one.
bool HatZahl(std::string_view zeile)
{
    const std::vector<std::string_view> w = Woerter(zeile);
    return std::any_of(w.begin(), w.end(), [](std::string_view t) {
        return ZahlLesen(t, EZahlschreibung::Dezimalpunkt) || ZahlLesen(t, EZahlschreibung::Dezimalkomma);
    });
}

// In a profile written with decimal commas a point is a thousands point:
// the line is refused with its number and the column.
std::string PunktUnterKommas(std::string_view zeile, int nummer)
{
    constexpr const char* kSpalten[] = {"Jahr", "Produktion (Mio m3)", "Rate (m3/h)"};
    const std::vector<std::string_view> w = Woerter(zeile);
    for (size_t k = 1; k < w.size() && k < 3; ++k)
        if (const CErgebnis<float> z = ZahlLesen(w[k], EZahlschreibung::Dezimalkomma);
            !z && w[k].find('.') != std::string_view::npos)
            return Format("Zeile %d: „%s“ („%s“) ", nummer, kSpalten[k], Zitat(w[k]).c_str()) + z.Fehlertext();
    return {};
}

} // namespace

CProfilImport ProfilLesen(std::string_view text, IMeldungen& meldungen, EProfilquelle quelle)
{
    constexpr size_t kMaxZeichen = 99; // characters of a line
    std::string ohneSemikolon(text);
    std::replace(ohneSemikolon.begin(), ohneSemikolon.end(), ';', ' ');
    const EZahlschreibung schreibung = SchreibungDesProfils(ohneSemikolon);
    std::istringstream datei(ohneSemikolon);
    CProfilImport ergebnis;
    std::string zeile;
    int erstesJahr = 0;
    for (int c = 0; std::getline(datei, zeile); ++c) {
        if (!zeile.empty() && zeile.back() == '\r')
            zeile.pop_back();
        if (ErstesWort(zeile).empty())
            continue;
        // A file's first line that is no profile line is its heading; a
        // pasted first line only when it holds no number at all, so that a
        // mistyped first year is named rather than dropped.
        if (c == 0 && (quelle == EProfilquelle::Datei ? !IstProfilzeile(zeile) : !HatZahl(zeile)))
            continue;
        if (AnzahlZeichen(zeile) > kMaxZeichen)
            return Fehler(meldungen, Format("In der %d.Zeile 100 Zeichen gelesen", c + 1));
        if (schreibung == EZahlschreibung::Dezimalkomma)
            if (const std::string punkt = PunktUnterKommas(zeile, c + 1); !punkt.empty())
                return Fehler(meldungen, punkt);
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
    CProfilImport ergebnis = ProfilLesen(text, meldungen, EProfilquelle::Einfuegen);
    const size_t n = ergebnis.m_saZeilen.size();
    ergebnis.m_sStatus = n == 1 ? "1 Zeile wurde eingefügt" : Format("%zu Zeilen wurden eingefügt", n);
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
