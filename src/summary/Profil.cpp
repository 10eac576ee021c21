#include "summary/Profil.h"

#include "doc/CKalvoDoc.h"
#include "platform/Cp1252.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <fstream>

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

std::string ProfilzeileEingabe(int jahr, float produktion, float rate)
{
    return Format("%d  %12.1f  %12.1f", jahr, double(produktion), double(rate));
}

std::string ProfilzeileImport(int jahr, float produktion, float rate)
{
    return Format("%5d   %12.1f  %12.1f", jahr, double(produktion), double(rate));
}

// Places a profile's lines into its year series by position: line j goes to
// entry (first year − project start) + j, whatever year it states.
void CKalvoDoc::ProfilUebernehmen(bool restfelder)
{
    const auto& zeilen = restfelder ? m_saRestfelder : m_saVerkaufsprofil;
    int* jahre = restfelder ? m_iRestJahr : m_iVerkaufJahr;
    float* produktion = restfelder ? m_fRestProduktion : m_fSollProduktion;
    float* rate = restfelder ? m_fRestRate : m_fSollRate;

    const long long n = static_cast<long long>(zeilen.size());
    if (n == 0)
        return;
    int erstes = 0, letztes = 0;
    float p = 0, r = 0;
    if (ProfilzeileLesen(zeilen.front(), erstes, p, r) < 1 || ProfilzeileLesen(zeilen.back(), letztes, p, r) < 1)
        return; // lines are checked where they enter; nothing to place
    const long long istart = static_cast<long long>(erstes) - m_iProjektstart;
    if (erstes >= m_iProjektende) {
        m_Meldungen.Meldung(restfelder ? "Die Restdaten beginnen erst nach Projektende!"
                                       : "Die Verkaufsdaten beginnen erst nach Projektende!");
        return;
    }
    if (letztes <= m_iProjektstart) {
        m_Meldungen.Meldung(restfelder ? "Die Restdaten enden vor dem Projektbeginn!"
                                       : "Die Verkaufsdaten enden vor dem Projektbeginn!");
        return;
    }
    for (long long k = std::max(istart, 0LL); k < kMaxJahre && k < istart + n; ++k)
        ProfilzeileLesen(zeilen[static_cast<size_t>(k - istart)], jahre[k], produktion[k], rate[k]);
}

CProfilImport ProfilImportieren(std::istream& datei, int projektstart, IMeldungen& meldungen)
{
    constexpr int kMaxZeilen = 33;     // title line + 32 profile lines
    constexpr size_t kMaxZeichen = 99; // characters of a line
    CProfilImport ergebnis;
    std::string roh;
    for (int c = 0; std::getline(datei, roh); ++c) {
        if (!roh.empty() && roh.back() == '\r')
            roh.pop_back();
        if (c == kMaxZeilen) {
            meldungen.Meldung("Es werden maximal 33 Zeilen eingelesen!");
            break;
        }
        if (c == 0)
            continue; // title line, any content
        if (roh.size() > kMaxZeichen) {
            meldungen.Meldung(Format("In der %d.Zeile 100 Zeichen gelesen", c + 1));
            break;
        }
        const std::string zeile = Cp1252ZuUtf8(roh);
        int jahr = 0;
        float produktion = 0, rate = 0;
        const int werte = ProfilzeileLesen(zeile, jahr, produktion, rate);
        if (werte < 3) {
            meldungen.Meldung(Format("Die Zeile enhält keine 3 Werte\n %s", zeile.c_str()));
            break;
        }
        if (c == 1 && jahr != projektstart) {
            meldungen.Meldung(Format("1.Jahr %d ist nicht der Projektstart:%d", jahr, projektstart));
            break;
        }
        if (c >= 2 && static_cast<long long>(jahr) != static_cast<long long>(projektstart) + c - 1) {
            meldungen.Meldung("Die Jahre sind nichr aufsteigend");
            break;
        }
        ergebnis.m_saZeilen.push_back(ProfilzeileImport(jahr, produktion, rate));
        ergebnis.m_bGeaendert = true;
    }
    ergebnis.m_sStatus = Format("%zu Zeilen wurden eingelesen", ergebnis.m_saZeilen.size());
    return ergebnis;
}

CProfilImport ProfilImportierenAusDatei(const std::string& pfad, int projektstart, IMeldungen& meldungen)
{
    meldungen.Meldung(pfad + " wird geöffnet");
    std::ifstream datei(pfad, std::ios::binary);
    return ProfilImportieren(datei, projektstart, meldungen);
}
