#include "summary/Profil.h"

#include "model/Grenzen.h"
#include "platform/Cp1252.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <algorithm>
#include <fstream>
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

std::string ProfilzeileEingabe(int jahr, float produktion, float rate)
{
    return Format("%d  %12.1f  %12.1f", jahr, double(produktion), double(rate));
}

std::string ProfilzeileImport(int jahr, float produktion, float rate)
{
    return Format("%5d   %12.1f  %12.1f", jahr, double(produktion), double(rate));
}

CProfilImport ProfilImportieren(std::istream& datei, int projektstart, IMeldungen& meldungen)
{
    constexpr int kMaxZeilen = kMaxJahre; // title line + 32 profile lines
    constexpr size_t kMaxZeichen = 99;    // characters of a line
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

CProfilImport ProfilEinfuegen(const std::string& text, int projektstart, IMeldungen& meldungen)
{
    std::string zeilen = text;
    std::replace(zeilen.begin(), zeilen.end(), ';', ' ');
    // The import reads its first line as a title: a heading takes that place,
    // else an empty one is put before the first profile line.
    int jahr = 0;
    const bool ueberschrift = !LiesInt(ErstesWort(zeilen.substr(0, zeilen.find('\n'))), jahr);
    std::string bytes; // the import reads Windows-1252, as files are written
    if (!Utf8ZuCp1252(zeilen, bytes))
        bytes = zeilen;
    std::istringstream datei((ueberschrift ? "" : "\n") + bytes);
    CProfilImport ergebnis = ProfilImportieren(datei, projektstart, meldungen);
    ergebnis.m_sStatus = Format("%zu Zeilen wurden eingefügt", ergebnis.m_saZeilen.size());
    return ergebnis;
}

CProfilImport ProfilImportierenAusDatei(const std::string& pfad, int projektstart, IMeldungen& meldungen)
{
    meldungen.Meldung(pfad + " wird geöffnet");
    std::ifstream datei(pfad, std::ios::binary);
    return ProfilImportieren(datei, projektstart, meldungen);
}
