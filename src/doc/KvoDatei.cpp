// The document file (.kvo): project start and end as 32-bit little-endian
// integers, then the field records, the sales profile and the rest fields as
// text arrays; texts in Windows-1252. No header, no version.

#include "doc/CKalvoDoc.h"

#include "platform/Archiv.h"
#include "platform/Cp1252.h"
#include "platform/Format.h"
#include "platform/Zahlregel.h"

#include <algorithm>

namespace {

std::vector<std::string> NachCp1252(const std::vector<std::string>& texte)
{
    std::vector<std::string> ergebnis;
    ergebnis.reserve(texte.size());
    for (const auto& t : texte) {
        std::string bytes;
        Utf8ZuCp1252(t, bytes); // texts are checked where they are typed
        ergebnis.push_back(std::move(bytes));
    }
    return ergebnis;
}

void NachUtf8(std::vector<std::string>& texte)
{
    for (auto& t : texte)
        t = Cp1252ZuUtf8(t);
}

// A profile line starts with its year; production and rate that cannot be
// read count as 0 in the run, as they always have.
bool ProfilzeileLesbar(const std::string& zeile)
{
    int jahr = 0;
    return LiesInt(ErstesWort(zeile), jahr) && JahrPlausibel(jahr);
}

CErgebnis<> ProfilPruefen(const std::vector<std::string>& zeilen, const char* name)
{
    for (size_t i = 0; i < zeilen.size(); ++i)
        if (!ProfilzeileLesbar(zeilen[i]))
            return CFehler{Format("Die %zu. Zeile des Profils \"%s\" beginnt nicht mit einem Jahr.", i + 1, name)};
    return {};
}

} // namespace

void CKalvoDoc::Serialize(CArchivSchreiber& ar) const
{
    ar.Int32(m_iProjektstart);
    ar.Int32(m_iProjektende);
    ar.TextArray(NachCp1252(Satztexte(m_saFelder)));
    ar.TextArray(NachCp1252(Profiltexte(m_saVerkaufsprofil)));
    ar.TextArray(NachCp1252(Profiltexte(m_saRestfelder)));
}

std::string CKalvoDoc::Speichern() const
{
    CArchivSchreiber ar;
    Serialize(ar);
    return ar.Bytes();
}

CErgebnis<> CKalvoDoc::Laden(std::string_view bytes)
{
    if (bytes.empty())
        return CFehler{"Die Datei ist leer."};
    CArchivLeser ar(bytes);
    CErgebnis<> gelesen = Serialize(ar);
    if (gelesen)
        DoppelteNamenMelden();
    return gelesen;
}

// A file written by another program may hold a name twice: it loads, and
// each field is computed from its own record, but a search by name (the
// single field, a variant, a range) finds only the first. Or a name with a
// control character: it loads as well, with a message.
void CKalvoDoc::DoppelteNamenMelden()
{
    for (size_t i = 0; i < m_saFelder.size(); ++i) {
        const int erstes = ::FeldIndex(m_saFelder, m_saFelder[i].Name());
        if (erstes >= 0 && static_cast<size_t>(erstes) < i)
            m_Meldungen.Warnung(Format("Der Feldname %s steht zweimal in der Datei (Feld %d und %zu). Beide Felder "
                                       "werden berechnet; wo ein Feld über seinen Namen gefunden wird "
                                       "(Einzelfeld, Variante, Bandbreiten), gilt das erste. Bitte eines umbenennen.",
                                       Zitat(m_saFelder[i].Name()).c_str(), erstes + 1, i + 1));
        // A control character no dialog lets through: the field is computed,
        // every table shows '?' in its place, and the user is told.
        const std::string_view name = m_saFelder[i].Name();
        if (std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
            m_Meldungen.Warnung(Format("Der Feldname %s (Feld %zu) enthält Steuerzeichen; Bericht und Tabellen "
                                       "zeigen sie als „?“. Bitte das Feld umbenennen.",
                                       Zitat(name).c_str(), i + 1));
    }
}

CErgebnis<> CKalvoDoc::Serialize(CArchivLeser& ar)
{
    int32_t start = 0, ende = 0;
    std::vector<std::string> felder, verkauf, rest;
    if (!ar.Int32(start) || !ar.Int32(ende) || !ar.TextArray(felder) || !ar.TextArray(verkauf) || !ar.TextArray(rest))
        return CFehler{ar.Fehler()};
    if (!ar.AmEnde())
        return CFehler{"Die Datei enthält nach den Daten weitere Bytes; sie ist keine Kalvo-Datei."};
    NachUtf8(felder);
    NachUtf8(verkauf);
    NachUtf8(rest);
    if (!JahrPlausibel(start) || !JahrPlausibel(ende))
        return CFehler{Format("Die Datei enthält ein unmögliches Projektjahr (%d bis %d).", start, ende)};
    for (size_t i = 0; i < felder.size(); ++i)
        if (const CErgebnis<> satz = FeldsatzPruefen(felder[i]); !satz)
            return CFehler{Format("Der %zu. Feldsatz ist unlesbar: %s", i + 1, satz.Fehlertext().c_str())};
    for (const CErgebnis<>& profil : {ProfilPruefen(verkauf, "Verkaufsprofil"), ProfilPruefen(rest, "Restfelder")})
        if (!profil)
            return profil;

    m_iProjektstart = start;
    m_iProjektende = ende;
    m_saFelder = AusSatztexten(felder);
    m_saVerkaufsprofil = AusProfiltexten(verkauf);
    m_saRestfelder = AusProfiltexten(rest);
    return {};
}

void CKalvoDoc::NachDemLaden()
{
    SetModifiedFlag(true);
    m_iGrafikRate = 0;
    m_bBlockdiagramm = 1;
    m_bDetailausgabe = 0;
}
