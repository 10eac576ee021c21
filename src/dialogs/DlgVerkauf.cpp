#include "dialogs/DlgVerkauf.h"

#include "dialogs/CDatenaustausch.h"
#include "model/Grenzen.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "platform/Zahlregel.h"
#include "summary/Profil.h"

void DlgVerkauf::UpdateData(bool bSaveAndValidate)
{
    // Plain texts: nothing to check.
    if (bSaveAndValidate) {
        m_sZeile = m_sTextZeile;
        m_sStatus = m_sTextStatus;
        m_sKopf = m_sTextKopf;
    } else {
        m_sTextZeile = m_sZeile;
        m_sTextStatus = m_sStatus;
        m_sTextKopf = m_sKopf;
    }
}

bool DlgVerkauf::Frage(const std::string& text)
{
    m_sMeldung = text;
    return m_Meldungen.Frage(text);
}

// The dialog's messages refuse a line or an action: warnings.
void DlgVerkauf::Meldung(const std::string& text)
{
    m_sMeldung = text;
    m_Meldungen.Warnung(text);
}

void DlgVerkauf::OnInitDialog()
{
    m_sTitel = m_bRestfelder == 1 ? "Dialogfeld zur Eingabe der Restfelder" : "Verkaufsprofil eingeben";
    m_lbZeilen.ResetContent();
    m_bGeaendert = 0;
    m_sKopf = Format("Startjahr: %d Projektende: %d", m_iProjektstart, m_iProjektende);
    for (const auto& z : m_saZeilen)
        m_lbZeilen.AddString(z);
    UpdateData(false);
}

bool DlgVerkauf::ZeilePruefen(int p)
{
    if (ProfilzeileLesen(m_sZeile, m_iJahr, m_fProduktion, m_fRate) < 3) {
        Meldung("Die Zeile enthält keine 3 Werte!");
        return false;
    }
    // A typed "14.000" is a German thousands point, not 14.
    std::string_view rest = m_sZeile;
    ErstesWort(rest, &rest);
    for (int k = 0; k < 2; ++k) {
        const std::string wert(ErstesWort(rest, &rest));
        if (SiehtNachTausenderpunktAus(wert)) {
            Meldung(MeldungTausenderpunkt(wert));
            return false;
        }
    }
    const int n = m_lbZeilen.GetCount();
    if (n == 0 || (n == 1 && p == 0)) {
        // The first line of a profile: a year of the project.
        if (m_iJahr < m_iProjektstart) {
            Meldung(Format("Das Jahr:%d ist kleiner als der Projektstart:%d", m_iJahr, m_iProjektstart));
            return false;
        }
        if (m_iJahr > m_iProjektende) {
            Meldung(Format("Das Jahr:%d ist größer als das Projektende:%d", m_iJahr, m_iProjektende));
            return false;
        }
    } else if (static_cast<long long>(m_iJahr) != ErstesJahr(p) + p) {
        // The years run up by one from the profile's first line, which may lie
        // before the project (the document places the lines by year).
        Meldung("Bitte die Jahre aufsteigend eingeben!");
        return false;
    }
    m_sZeile = ProfilzeileEingabe(m_iJahr, m_fProduktion, m_fRate);
    UpdateData(false);
    return true;
}

// The year of the list's first line; when line p = 0 is being changed, as
// the second line fixes it.
long long DlgVerkauf::ErstesJahr(int position) const
{
    int jahr = 0;
    float p = 0, r = 0;
    if (position != 0 && ProfilzeileLesen(m_lbZeilen.GetText(0), jahr, p, r) >= 1)
        return jahr;
    if (m_lbZeilen.GetCount() > 1 && ProfilzeileLesen(m_lbZeilen.GetText(1), jahr, p, r) >= 1)
        return static_cast<long long>(jahr) - 1;
    return m_iProjektstart;
}

void DlgVerkauf::ZeileAnhaengen()
{
    UpdateData(true);
    m_iZeile = m_lbZeilen.GetCount() - 1;
    if (!ZeilePruefen(m_lbZeilen.GetCount()))
        return;
    if (!Frage(Format("Soll die Zeile %s angehängt werden?", m_sZeile.c_str())))
        return;
    m_lbZeilen.AddString(m_sZeile);
    m_sStatus = Format("%d.Zeile wurde angehängt", m_lbZeilen.GetCount());
    m_bGeaendert = 1;
    UpdateData(false);
    m_iZeile = m_lbZeilen.GetCount() - 1;
    m_lbZeilen.SetCurSel(m_iZeile);
    ZeileAuswaehlen();
}

void DlgVerkauf::ZeileAuswaehlen()
{
    if (m_lbZeilen.GetCount() == 0 || m_lbZeilen.GetCurSel() < 0)
        return;
    m_iZeile = m_lbZeilen.GetCurSel();
    m_sZeile = m_lbZeilen.GetText(m_iZeile);
    m_sStatus = Format("Die %d.Zeile wurde ausgewählt", m_iZeile + 1);
    UpdateData(false);
}

void DlgVerkauf::ZeileAendern()
{
    if (m_lbZeilen.GetCount() == 0)
        return;
    if (m_iZeile < 0) {
        Meldung("Zeile durch Doppelklick anwählen");
        return;
    }
    if (!Frage(Format("Soll die %d.Zeile  geändert werden?", m_iZeile + 1)))
        return;
    UpdateData(true);
    if (!ZeilePruefen(m_iZeile))
        return;
    m_lbZeilen.Ersetzen(m_iZeile, m_sZeile);
    m_sStatus = Format("%d.Feld wurde geändert", m_iZeile + 1);
    m_bGeaendert = 1;
    UpdateData(false);
}

void DlgVerkauf::ZeileLoeschen()
{
    if (m_lbZeilen.GetCount() == 0) {
        m_sStatus = "Das letzte Feld wurde gelöscht";
        UpdateData(false);
        return;
    }
    // Only the first or the last line can go.
    const bool erste = m_iZeile == 0;
    const int kandidat = erste ? 0 : m_lbZeilen.GetCount() - 1;
    m_sZeile = m_lbZeilen.GetText(kandidat);
    const std::string frage = erste ? Format("Soll die erste Zeile %s gelöscht werden?", m_sZeile.c_str())
                                    : Format("Soll die letzte Zeile %s gelöscht werden?", m_sZeile.c_str());
    if (Frage(frage)) {
        m_bGeaendert = 1;
        if (m_lbZeilen.Entfernen(kandidat)) {
            ZeileAuswaehlen();
        } else {
            m_sZeile.clear();
            m_iZeile = -1;
            m_sStatus = "Das letzte Feld wurde gelöscht";
        }
    } else {
        m_sZeile.clear();
    }
    UpdateData(false);
}

void DlgVerkauf::AlleZeilenLoeschen()
{
    m_saZeilen.clear();
    m_lbZeilen.ResetContent();
    m_iZeile = -1;
    m_bGeaendert = 1;
}

// Every line goes back, also those beyond the project's 33 years: the run
// uses the years it needs, and a profile that runs past the project is kept.
void DlgVerkauf::OnOK()
{
    m_saZeilen = m_lbZeilen.Eintraege();
    m_lbZeilen.ResetContent();
    m_Ende = EEnde::OK;
}

void DlgVerkauf::FileOpen()
{
    const std::string pfad = m_fnDateiWaehlen ? m_fnDateiWaehlen() : std::string();
    if (pfad.empty())
        return;
    const CProfilImport e = ProfilImportierenAusDatei(pfad, m_Meldungen);
    if (e.m_bGeaendert && ErsetzenErlaubt(e))
        ImportZeigen(e);
}

void DlgVerkauf::Einfuegen(const std::string& text)
{
    const CProfilImport e = ProfilEinfuegen(text, m_Meldungen);
    if (!e.m_bGeaendert || !ErsetzenErlaubt(e))
        return; // not a profile: the import's message has been shown, nothing changes
    ImportZeigen(e);
    m_sMeldung = e.m_sStatus;
    m_Meldungen.Meldung(e.m_sStatus);
}

// Lines the user has are not replaced without asking.
bool DlgVerkauf::ErsetzenErlaubt(const CProfilImport& e)
{
    const int n = m_lbZeilen.GetCount();
    const size_t neu = e.m_saZeilen.size();
    const std::string liste = n == 1 ? "Soll die Zeile" : Format("Sollen die %d Zeilen", n);
    const std::string neue = neu == 1 ? "die neue Zeile" : Format("die %zu neuen Zeilen", neu);
    return n == 0 || Frage(liste + " der Liste durch " + neue + " ersetzt werden?");
}

// The imported or pasted lines replace the list; no line is selected.
void DlgVerkauf::ImportZeigen(const CProfilImport& e)
{
    m_sZeile.clear();
    m_saZeilen = e.m_saZeilen;
    m_lbZeilen.ResetContent();
    for (const auto& z : e.m_saZeilen)
        m_lbZeilen.AddString(z);
    if (e.m_bGeaendert)
        m_bGeaendert = 1;
    m_sStatus = e.m_sStatus;
    m_iZeile = -1;
    m_lbZeilen.SetCurSel(-1);
    UpdateData(false);
}
