#include "dialogs/CDlgInput.h"

#include <set>

#include "gas/Brennwert.h"

#include "gas/Feldpruefung.h"
#include "model/Feldregeln.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <algorithm>

using namespace IDC_Input;

CDlgInput::CDlgInput(IMeldungen& meldungen) : m_Austausch(meldungen), m_Meldungen(meldungen)
{
    SteuerelementeAnlegen();
}

// The controls in the order in which their values are taken.
void CDlgInput::SteuerelementeAnlegen()
{
    using E = EAustausch;
    const auto zahl = [](int id, auto* wert) { return CSteuerelement{id, E::Zahl, wert}; };
    // The ranges are the field rules'; a stage row's 0 means "unchanged from the row before".
    const auto bereich = [](int id, auto* wert, EFeldwert regel) {
        const CBereich b = Bereich(regel);
        return CSteuerelement{id, E::Zahl, wert, true, b.min, b.max, 0, 0, b.nullErlaubt};
    };
    const auto text = [](int id, std::string* wert, int max = 0) {
        return CSteuerelement{id, E::Text, wert, false, 0, 0, max};
    };
    const auto haken = [](int id, int* wert) { return CSteuerelement{id, E::Haken, wert}; };
    m_Austausch.m_Elemente = {
        zahl(A1, &m_Feld.m_fA1),
        zahl(B1, &m_Feld.m_fB1),
        bereich(Bohrungen, &m_Feld.m_iBohrungen, EFeldwert::Bohrungen),
        zahl(CWert, &m_Feld.m_fCWert),
        zahl(SteigrohrDi, &m_Feld.m_fSteigrohrDi),
        bereich(Referenzdruck, &m_Feld.m_fReferenzdruck, EFeldwert::Referenzdruck),
        text(Feld, &m_Feld.m_sFeldname, kMaxNamenslaenge),
        zahl(KumProd, &m_Feld.m_fKumProdBeginn),
        zahl(MaechtigkeitB, &m_Feld.m_fMaechtigkeitBankrecht),
        zahl(MaechtigkeitE, &m_Feld.m_fMaechtigkeitErbohrt),
        zahl(PermH, &m_Feld.m_fPermHorizontal),
        bereich(KonsAnteil, &m_Feld.m_fKonsAnteil, EFeldwert::KonsAnteil),
        zahl(Horizontallaenge, &m_Feld.m_fHorizontallaenge),
        bereich(ZeileKonsAnteil, &m_Zeile.m_fStufeKonsAnteil, EFeldwert::StufeKonsAnteil),
        bereich(ZeileBohrungen, &m_Zeile.m_iStufeBohrungen, EFeldwert::StufeBohrungen),
        zahl(ZeileCWert, &m_Zeile.m_fStufeCWert),
        bereich(ZeileFoerderstunden, &m_Zeile.m_iStufeFoerderstunden, EFeldwert::StufeFoerderstunden),
        bereich(ZeileAbJahr, &m_Zeile.m_iStufeAbJahr, EFeldwert::StufeAbJahr),
        bereich(ZeileKopfdruck, &m_Zeile.m_fStufeKopfdruck, EFeldwert::StufeKopfdruck),
        zahl(MaxRate, &m_Feld.m_fMaxRate),
        zahl(OGIP, &m_Feld.m_fOGIP),
        bereich(Einflussradius, &m_Feld.m_fEinflussradius, EFeldwert::Einflussradius),
        bereich(Startjahr, &m_Feld.m_iFoerderbeginn, EFeldwert::Startjahr),
        text(FeldStatus, &m_sFeldStatus),
        text(ZeileStatus, &m_sZeileStatus),
        bereich(Foerderstunden, &m_Feld.m_iFoerderstunden, EFeldwert::Foerderstunden),
        zahl(Tcel, &m_Feld.m_fTcel),
        zahl(Kopftemperatur, &m_Feld.m_fKopftemperatur),
        zahl(Teufe, &m_Feld.m_fTeufe),
        bereich(Wasserinvasion, &m_Feld.m_fWasserinvasion, EFeldwert::Wasserinvasion),
        bereich(H2S, &m_Feld.m_fAnteil[0], EFeldwert::Anteil),
        bereich(CO2, &m_Feld.m_fAnteil[1], EFeldwert::Anteil),
        bereich(C6H14, &m_Feld.m_fAnteil[10], EFeldwert::Anteil),
        bereich(C7H16, &m_Feld.m_fAnteil[11], EFeldwert::Anteil),
        bereich(C8H18, &m_Feld.m_fAnteil[12], EFeldwert::Anteil),
        bereich(C9H20, &m_Feld.m_fAnteil[13], EFeldwert::Anteil),
        bereich(C10H22, &m_Feld.m_fAnteil[14], EFeldwert::Anteil),
        bereich(N2, &m_Feld.m_fAnteil[2], EFeldwert::Anteil),
        bereich(CH4, &m_Feld.m_fAnteil[3], EFeldwert::Anteil),
        bereich(C2H6, &m_Feld.m_fAnteil[4], EFeldwert::Anteil),
        bereich(C3H8, &m_Feld.m_fAnteil[5], EFeldwert::Anteil),
        bereich(iC4H10, &m_Feld.m_fAnteil[6], EFeldwert::Anteil),
        bereich(nC4H10, &m_Feld.m_fAnteil[7], EFeldwert::Anteil),
        bereich(iC5H12, &m_Feld.m_fAnteil[8], EFeldwert::Anteil),
        bereich(nC5H12, &m_Feld.m_fAnteil[9], EFeldwert::Anteil),
        zahl(PermV, &m_Feld.m_fPermVertikal),
        bereich(Pi, &m_Feld.m_fPi, EFeldwert::Pi),
        bereich(Kopfdruck, &m_Feld.m_fKopfdruck, EFeldwert::Kopfdruck),
        haken(Druckabhaengig, &m_Feld.m_bDruckabhaengig),
        text(Vorschlag, &m_sVorschlag),
        zahl(LetztesJahr, &m_iProjektende),
        haken(Detailausgabe, &m_bDetailausgabe),
        CSteuerelement{Produktion, E::Radio, &m_iGrafikRate, false, 0, 0, 0, Rate},
        haken(Feldesreserven, &m_bFeldesreserven),
    };
}

bool CDlgInput::UpdateData(bool bSaveAndValidate)
{
    return m_Austausch.UpdateData(bSaveAndValidate);
}

bool CDlgInput::Frage(const std::string& text)
{
    m_sMeldung = text;
    return m_Meldungen.Frage(text);
}

// The dialog's messages refuse a value or an action: warnings.
void CDlgInput::Meldung(const std::string& text)
{
    m_sMeldung = text;
    m_Meldungen.Warnung(text);
}

// ---- record ↔ controls ----

void CDlgInput::InitData()
{
    CStufenTexte texte;
    InitDataWerte(m_Feld, m_Zeile, texte);
    m_lbZeilen.ResetContent();
    for (const auto& t : texte)
        m_lbZeilen.AddString(t);
    m_sFeldStatus = "Bitte Felddaten eingeben";
}

bool CDlgInput::FeldzeileLesen(const CFeldsatz& satz)
{
    CStufenTexte texte;
    // The values converted before an error stay shown, as they always did.
    if (!FeldzeileLesenDialog(satz, m_Feld, texte, m_Meldungen))
        return false;
    m_lbZeilen.ResetContent();
    for (const auto& t : texte)
        m_lbZeilen.AddString(t);
    m_lbZeilen.SetCurSel(0);
    ZeileInEingabe(texte[0]);
    m_sZeileStatus = "1.Zeile wurde ausgewählt";
    return true;
}

const CFeldsatz& CDlgInput::Satz(int i)
{
    const std::string& text = m_lbFelder.GetText(i);
    auto satz = m_Saetze.find(text);
    if (satz == m_Saetze.end())
        satz = m_Saetze.emplace(text, CFeldsatz(text)).first;
    return satz->second;
}

void CDlgInput::DatenInZeile()
{
    CStufenTexte texte;
    for (int i = 0; i < kAnzahlStufen; ++i)
        texte[i] = i < m_lbZeilen.GetCount() ? m_lbZeilen.GetText(i) : std::string();
    m_Feld.m_bDruckabhaengig = m_Austausch.m_Haken[Druckabhaengig] ? 1 : 0;
    m_sFeldzeile = ::DatenInZeile(m_Feld, texte);
}

// The six values of a stage-row text into the stage input fields.
void CDlgInput::ZeileInEingabe(const std::string& text)
{
    m_Zeile = {};
    StufenzeileLesen(text, m_Zeile);
}

std::string VerkaufsgasAnzeige(const std::array<std::string, kAnzahlKomponenten>& texte)
{
    std::array<float, kAnzahlKomponenten> anteil{};
    for (size_t i = 0; i < texte.size(); ++i) {
        const std::string_view t = ErstesWort(texte[i]);
        if (!t.empty() && !LiesEingabeFloat(t, anteil[i]))
            return "Verkaufsgas: –";
    }
    return VerkaufsgasKurztext(anteil);
}

// ---- checks ----

bool CDlgInput::PruefeZusammensetzung()
{
    const auto vorher = m_Feld.m_fAnteil;
    UpdateData(true);
    if (!ZusammensetzungFehlt(m_Feld))
        return true;
    m_Feld.m_fAnteil = vorher;
    UpdateData(false);
    return false;
}

bool CDlgInput::PruefeFelddaten()
{
    UpdateData(true);
    return FelddatenAnnehmen(m_Feld, m_iProjektende, m_Meldungen, m_Gas);
}

bool CDlgInput::PruefeFaktoren()
{
    return FaktorenAnnehmen(m_Feld, m_Meldungen);
}

// ---- handlers ----

void CDlgInput::OnInitDialog()
{
    m_lbFelder.ResetContent();
    m_Saetze.clear();
    for (const CFeldsatz& satz : m_saFelder) {
        m_Saetze.insert_or_assign(satz.Text(), satz);
        m_lbFelder.AddString(satz.Text());
    }
    if (m_lbFelder.GetCount() > 0) {
        m_iFeld = std::clamp(m_iStartfeld, 0, m_lbFelder.GetCount() - 1);
        m_lbFelder.SetCurSel(m_iFeld);
        FeldzeileLesen(Satz(m_iFeld));
        m_sAuswahl = m_Feld.m_sFeldname;
        FeldAuswaehlen();
    } else {
        InitData();
    }
    UpdateData(false);
}

// Position of the listed field named `name`, leaving out position `ausser`; -1 when none.
int CDlgInput::FeldPosition(std::string_view name, int ausser) const
{
    return FeldIndex(m_lbFelder.Eintraege(), name, ausser);
}

// Field names identify a field (the single-field run, a variant's field):
// two fields of one name are refused.
bool CDlgInput::NameFrei(int ausser)
{
    if (FeldPosition(m_Feld.m_sFeldname, ausser) < 0)
        return true;
    Meldung("Ein Feld dieses Namens gibt es schon.");
    return false;
}

void CDlgInput::OnOK()
{
    const int n = m_lbFelder.GetCount();
    m_saFelder.clear();
    if (n == 0) {
        Meldung("Es wurden keine Felder angehängt!");
        return;
    }
    // Values typed into the loaded field but not taken with "Feld ändern"
    // are not lost unasked.
    if (m_Geladen.feld >= 0 && m_Geladen.feld == m_iFeld && Angezeigt() != m_Geladen) {
        if (Frage(Format("Die Änderungen am %d.Feld %s wurden noch nicht mit „Feld ändern“ übernommen. Sollen sie "
                         "übernommen werden?",
                         m_iFeld + 1, m_sAuswahl.c_str()))) {
            FeldAendern(false);
            if (Angezeigt() != m_Geladen)
                return; // refused by a check: the dialog stays open
        }
    }
    // The last data exchange comes first: if a value is refused, the dialog
    // stays open with its field list intact.
    if (!UpdateData(true))
        return;
    m_saFelder.clear();
    for (int i = 0; i < n; ++i)
        m_saFelder.push_back(Satz(i));
    // The chosen single field is known by its name; its place may have moved.
    if (!m_sEinzelfeld.empty())
        m_iEinzelfeld = FeldPosition(m_sEinzelfeld);
    m_lbFelder.ResetContent();
    m_Ende = EEnde::OK;
}

void CDlgInput::FeldAuswaehlen()
{
    if (m_lbFelder.GetCount() == 0)
        return;
    m_iFeld = m_lbFelder.GetCurSel();
    if (m_iFeld < 0)
        return;
    m_sFeldStatus = Format("%d.Feld ausgewählt", m_iFeld + 1);
    // A proposal belongs to the field it was made for.
    m_sVorschlag = "";
    m_bVorschlagDa = false;
    FeldzeileLesen(Satz(m_iFeld));
    m_sAuswahl = m_Feld.m_sFeldname;
    m_lbZeilen.SetCurSel(0);
    ZeileAuswaehlen();
    UpdateData(false);
    GeladenMerken();
}

CDlgInput::CGeladen CDlgInput::Angezeigt() const
{
    // Everything but the stage input row, the status texts, the proposal and
    // the run's options belongs to the field.
    using namespace IDC_Input;
    static const std::set<int> kNichtFeld = {
        ZeileKonsAnteil, ZeileBohrungen, ZeileCWert,  ZeileFoerderstunden, ZeileAbJahr, ZeileKopfdruck, FeldStatus,
        ZeileStatus,     Vorschlag,      LetztesJahr, Detailausgabe,       Produktion,  Feldesreserven};
    CGeladen g;
    g.feld = m_iFeld;
    for (const CSteuerelement& e : m_Austausch.m_Elemente)
        if (e.m_Art != EAustausch::Haken && e.m_Art != EAustausch::Radio && !kNichtFeld.contains(e.m_iId)) {
            const auto it = m_Austausch.m_Texte.find(e.m_iId);
            g.texte[e.m_iId] = it == m_Austausch.m_Texte.end() ? std::string() : it->second;
        }
    const auto haken = m_Austausch.m_Haken.find(Druckabhaengig);
    g.druckabhaengig = haken == m_Austausch.m_Haken.end() ? 0 : haken->second;
    for (int i = 0; i < m_lbZeilen.GetCount(); ++i)
        g.stufen.push_back(m_lbZeilen.GetText(i));
    return g;
}

void CDlgInput::FeldAnhaengen()
{
    UpdateData(true);
    if (!PruefeFelddaten() || !PruefeFaktoren() || !NameFrei())
        return;
    if (!Frage(Format("Soll das Feld %s angehängt werden?", m_Feld.m_sFeldname.c_str())))
        return;
    if (!PruefeZusammensetzung())
        return;
    StufenzeilenFuerNeuesFeld();
    DatenInZeile();
    m_lbFelder.AddString(m_sFeldzeile);
    m_sFeldStatus = Format("%d.Feld wurde angehängt", m_lbFelder.GetCount());
    m_bGeaendert = 1;
    UpdateData(false);
    m_iFeld = -1;
    m_lbFelder.SetCurSel(-1);
    m_sAuswahl = "AUSWAHL FEHLT";
}

void CDlgInput::FeldAendern(bool fragen)
{
    if (!PruefeFelddaten() || !PruefeFaktoren())
        return;
    if (m_lbFelder.GetCount() == 0)
        return;
    UpdateData(true);
    if (m_iFeld < 0 || m_lbFelder.GetCurSel() != m_iFeld) {
        Meldung("FELD durch Doppelklick auswählen!");
        return;
    }
    if (!NameFrei(m_iFeld))
        return;
    if (fragen && !Frage(Format("Soll das %d.Feld %s geändert werden?", m_iFeld + 1, m_sAuswahl.c_str())))
        return;
    if (!PruefeZusammensetzung())
        return;
    // The single-field choice follows its field through a rename.
    if (!m_sEinzelfeld.empty() && ErstesWort(m_lbFelder.GetText(m_iFeld)) == m_sEinzelfeld)
        m_sEinzelfeld = m_Feld.m_sFeldname;
    DatenInZeile();
    m_lbFelder.Ersetzen(m_iFeld, m_sFeldzeile);
    m_sFeldStatus = Format("%d.Feld wurde geändert", m_iFeld + 1);
    m_bGeaendert = 1;
    UpdateData(false);
    GeladenMerken();
}

void CDlgInput::FeldLoeschen()
{
    if (m_lbFelder.GetCount() == 0) {
        m_sFeldStatus = "Das letzte Feld wurde gelöscht";
        UpdateData(false);
        return;
    }
    if (m_iFeld < 0 || m_lbFelder.GetCurSel() != m_iFeld) {
        Meldung("FELD durch Doppelklick auswählen!");
        return;
    }
    if (Frage(Format("Soll das %d.Feld %s gelöscht werden?", m_iFeld + 1, m_Feld.m_sFeldname.c_str()))) {
        if (!m_sEinzelfeld.empty() && ErstesWort(m_lbFelder.GetText(m_iFeld)) == m_sEinzelfeld) {
            Meldung(Format("Das Feld %s war für die Einzelfeldberechnung gewählt; es werden wieder alle "
                           "Felder berechnet.",
                           m_sEinzelfeld.c_str()));
            m_sEinzelfeld.clear();
            m_iEinzelfeld = -1;
        }
        m_bGeaendert = 1;
        if (m_lbFelder.Entfernen(m_iFeld)) {
            m_iFeld = 0;
            FeldAuswaehlen();
        } else {
            m_iFeld = -1;
            m_sFeldStatus = "Das letzte Feld wurde gelöscht";
            InitData();
        }
    }
    UpdateData(false);
}

void CDlgInput::OnDruckabhaengig()
{
    UpdateData(true);
    if (m_lbFelder.GetCurSel() >= 0)
        FeldAendern();
    else
        Meldung("Feld durch Doppelklick anwählen");
}

void CDlgInput::ZeileAuswaehlen()
{
    const int r = m_lbZeilen.GetCurSel();
    if (r < 0)
        return;
    m_sZeileStatus = Format("%d.Zeile ausgewählt", r + 1);
    ZeileInEingabe(m_lbZeilen.GetText(r));
    UpdateData(false);
}

void CDlgInput::ZeileAendern()
{
    UpdateData(true);
    const int r = m_lbZeilen.GetCurSel();
    if (r < 0) {
        Meldung("Zeile durch Doppelklick auswählen!");
        return;
    }
    if (!Frage(Format("Soll die %d.Zeile des Feldes %s geändert werden?", r + 1, m_Feld.m_sFeldname.c_str())))
        return;
    const CStufenzeile s = m_Zeile;
    m_lbZeilen.Ersetzen(r, StufenzeileText(s, EStufenformat::Geaendert));
    m_sZeileStatus = Format("%d.Zeile wurde geändert", r + 1);
    // The forecast applies a row only from a year after the field's start.
    if (s.m_iStufeAbJahr <= m_Feld.m_iFoerderbeginn &&
        StufenzeileText(s, EStufenformat::Vorgabe) != StufenzeileText(Kopfzeile(), EStufenformat::Vorgabe))
        Meldung(Format("Die %d.Zeile (ab %d) wird nie angewendet: das Jahr liegt nicht nach dem Startjahr %d.", r + 1,
                       s.m_iStufeAbJahr, m_Feld.m_iFoerderbeginn));
    m_bGeaendert = 1;
    if (m_iFeld >= 0)
        FeldAendern();
    m_lbZeilen.SetCurSel(r);
    UpdateData(false);
}

void CDlgInput::OnKillFocusKopfwerte()
{
    const int jahr = m_Feld.m_iFoerderbeginn, stunden = m_Feld.m_iFoerderstunden, bohrungen = m_Feld.m_iBohrungen;
    const float kopfdruck = m_Feld.m_fKopfdruck, anteil = m_Feld.m_fKonsAnteil, cwert = m_Feld.m_fCWert;
    UpdateData(true);
    if (static_cast<long long>(m_iProjektende) - m_Feld.m_iFoerderbeginn > kMaxJahre - 1) {
        Meldung("Es werden maximal 33 Jahre verarbeitet!");
        m_Feld.m_iFoerderbeginn = jahr;
        UpdateData(false);
        return;
    }
    if (m_Feld.m_fKopfdruck < 1 || m_Feld.m_fKopfdruck > 1000) {
        m_Feld.m_fKopfdruck = kopfdruck;
        return;
    }
    if (jahr == m_Feld.m_iFoerderbeginn && stunden == m_Feld.m_iFoerderstunden && bohrungen == m_Feld.m_iBohrungen &&
        kopfdruck == m_Feld.m_fKopfdruck && anteil == m_Feld.m_fKonsAnteil && cwert == m_Feld.m_fCWert)
        return;
    if (m_Feld.m_iFoerderbeginn < kErstesJahr || m_Feld.m_iFoerderbeginn > kLetztesJahr) {
        m_Feld.m_iFoerderbeginn = jahr;
        return;
    }
    if (m_Feld.m_iBohrungen < 0 || m_Feld.m_iBohrungen > 100) {
        m_Feld.m_iBohrungen = bohrungen;
        return;
    }
    if (m_Feld.m_fKonsAnteil < 0 || m_Feld.m_fKonsAnteil > 100) {
        m_Feld.m_fKonsAnteil = anteil;
        return;
    }
    if (m_Feld.m_iFoerderstunden < 0 || m_Feld.m_iFoerderstunden > 8760) {
        m_Feld.m_iFoerderstunden = stunden;
        return;
    }
    const CStufenzeile alt{jahr, stunden, kopfdruck, bohrungen, cwert, anteil};
    StufenzeilenNachfuehren(alt, Kopfzeile());
    m_lbZeilen.SetCurSel(0);
    ZeileAuswaehlen();
}

// The stage rows of the head values as the default row shows them.
CStufenzeile CDlgInput::Kopfzeile() const
{
    return {m_Feld.m_iFoerderbeginn, m_Feld.m_iFoerderstunden, m_Feld.m_fKopfdruck,
            m_Feld.m_iBohrungen,     m_Feld.m_fCWert,          m_Feld.m_fKonsAnteil};
}

// Rows that differ from the head values, e.g. the drilling schedule of the
// field shown before a new one was typed over it.
int CDlgInput::AbweichendeStufenzeilen() const
{
    const std::string kopf = StufenzeileText(Kopfzeile(), EStufenformat::Vorgabe);
    int n = 0;
    for (int i = 0; i < m_lbZeilen.GetCount(); ++i) {
        CStufenzeile zeile;
        if (StufenzeileLesen(m_lbZeilen.GetText(i), zeile) != kWerteJeStufe ||
            StufenzeileText(zeile, EStufenformat::Vorgabe) != kopf)
            ++n;
    }
    return n;
}

// A new field takes the rows on view only when the user says so; otherwise
// its four rows are its own head values.
void CDlgInput::StufenzeilenFuerNeuesFeld()
{
    const int n = AbweichendeStufenzeilen();
    const std::string abweichend = n == 1 ? "1 Stufenzeile weicht" : Format("%d Stufenzeilen weichen", n);
    if (n == 0 || Frage(abweichend + Format(" von den Kopfwerten ab (etwa der Bohrplan des zuvor gezeigten "
                                            "Feldes). Soll das neue Feld %s sie übernehmen?",
                                            m_Feld.m_sFeldname.c_str())))
        return;
    m_sZeile = StufenzeileText(Kopfzeile(), EStufenformat::Vorgabe);
    m_lbZeilen.ResetContent();
    for (int i = 0; i < kAnzahlStufen; ++i)
        m_lbZeilen.AddString(m_sZeile);
}

// The head values are the defaults of the stage rows. Rows that still equal
// the row built from the old head values follow the new ones; rows the user
// made different (a drilling schedule, a later wellhead pressure) stay.
void CDlgInput::StufenzeilenNachfuehren(const CStufenzeile& alt, const CStufenzeile& neu)
{
    m_sZeile = StufenzeileText(neu, EStufenformat::Vorgabe);
    if (m_lbZeilen.GetCount() != kAnzahlStufen) {
        m_lbZeilen.ResetContent();
        for (int i = 0; i < kAnzahlStufen; ++i)
            m_lbZeilen.AddString(m_sZeile);
        return;
    }
    // Compared as the default row shows them, so that a row read back from a
    // record (other widths and decimals) counts as equal to its default.
    const std::string altText = StufenzeileText(alt, EStufenformat::Vorgabe);
    for (int i = 0; i < kAnzahlStufen; ++i) {
        CStufenzeile zeile;
        if (StufenzeileLesen(m_lbZeilen.GetText(i), zeile) != kWerteJeStufe ||
            StufenzeileText(zeile, EStufenformat::Vorgabe) != altText)
            continue;
        m_lbZeilen.DeleteString(i);
        m_lbZeilen.InsertString(i, m_sZeile);
    }
}

void CDlgInput::OnKillFocusLetztesJahr()
{
    const int ende = m_iProjektende;
    UpdateData(true);
    if (static_cast<long long>(m_iProjektende) - m_Feld.m_iFoerderbeginn > kMaxJahre - 1) {
        Meldung("Es werden maximal 33 Jahre verarbeitet!");
        m_iProjektende = ende;
        UpdateData(false);
    }
}

// A new initial pressure brings the pressure of the C-Wert along. Only a new
// one: passing through the control with Tab must not overwrite the pressure
// at which a measured C-Wert was taken.
void CDlgInput::OnKillFocusInitialdruck()
{
    const float pi = m_Feld.m_fPi;
    UpdateData(true);
    if (m_Feld.m_fPi == pi)
        return;
    m_Feld.m_fReferenzdruck = m_Feld.m_fPi;
    UpdateData(false);
}

void CDlgInput::OnKillFocusReferenzdruck()
{
    const float vorher = m_Feld.m_fReferenzdruck;
    UpdateData(true);
    if (m_Feld.m_fReferenzdruck > m_Feld.m_fPi) {
        Meldung("Der Druck beim C-Wert muß kleiner als der Initialdruck sein!");
        m_Feld.m_fReferenzdruck = vorher;
        UpdateData(false);
    }
}

void CDlgInput::OnKillFocusZusammensetzung()
{
    if (!PruefeZusammensetzung())
        Meldung("Die Gaszusammensetzung fehlt");
}

void CDlgInput::OnKillFocusFeldname()
{
    const std::string vorher = m_Feld.m_sFeldname;
    UpdateData(true);
    if (!FeldnameGueltig(m_Feld.m_sFeldname)) {
        Meldung("Der Feldname enthält Leerzeichen");
        m_Feld.m_sFeldname = vorher;
        UpdateData(false);
    }
}

void CDlgInput::OnEinzelfeldberechnung()
{
    if (m_iFeld >= 0 && m_lbFelder.GetCount() > 0) {
        // The listed field itself, not a name typed but not yet confirmed.
        const std::string name(ErstesWort(m_lbFelder.GetText(m_iFeld)));
        if (Frage(Format("Soll das %d.ausgewählte Feld: %s berechnet werden?", m_iFeld + 1, name.c_str()))) {
            m_bFeldesreserven = 0;
            m_sEinzelfeld = name;
            m_iEinzelfeld = m_iFeld;
            UpdateData(false);
        }
    } else {
        Meldung("Es wurde kein Feld angehängt bzw. ausgewählt");
    }
}

void CDlgInput::OnFeldesreserven()
{
    UpdateData(true);
    if (m_bFeldesreserven == 1)
        m_bDetailausgabe = 0;
    UpdateData(false);
}

void CDlgInput::OnDetailausgabe()
{
    UpdateData(true);
    if (m_bDetailausgabe == 1)
        m_bFeldesreserven = 0;
    UpdateData(false);
}

void CDlgInput::OnGaseigenschaften()
{
    // The values are taken first, so that a value just typed is used.
    UpdateData(true);
    GaseigenschaftenDialog(m_Feld, true, m_Meldungen, m_Gas);
}

void CDlgInput::OnComputeAbc()
{
    if (!PruefeZusammensetzung())
        return;
    CVorschlag vorschlag;
    if (::OnComputeAbc(m_Feld, m_iProjektende, m_Meldungen, vorschlag, m_Gas)) {
        m_sVorschlag = vorschlag.m_sVorschlag;
        // The values as the proposal text shows them, as a user would type them.
        m_bVorschlagDa = LiesFloat(Format("%.1f", vorschlag.a1_), m_fVorschlagA1) &&
                         LiesFloat(Format("%.3f", vorschlag.b1_), m_fVorschlagB1) &&
                         LiesFloat(Format("%.4f", vorschlag.c1_), m_fVorschlagCWert);
        UpdateData(false);
    }
}

// Takes the shown proposal into A1, B1 and C-Wert, asking first when that
// replaces values the field already has.
void CDlgInput::OnVorschlagUebernehmen()
{
    if (!m_bVorschlagDa)
        return;
    UpdateData(true);
    const bool andere = (m_Feld.m_fA1 != 0 && m_Feld.m_fA1 != m_fVorschlagA1) ||
                        (m_Feld.m_fB1 != 0 && m_Feld.m_fB1 != m_fVorschlagB1) ||
                        (m_Feld.m_fCWert != 0 && m_Feld.m_fCWert != m_fVorschlagCWert);
    if (andere && !Frage(Format("Sollen A1 %g, B1 %g und C-Wert %g durch den Vorschlag A1 %g, B1 %g, C-Wert %g "
                                "ersetzt werden?",
                                double(m_Feld.m_fA1), double(m_Feld.m_fB1), double(m_Feld.m_fCWert),
                                double(m_fVorschlagA1), double(m_fVorschlagB1), double(m_fVorschlagCWert))))
        return;
    // The C-Wert is a head value: the stage rows that follow the head take the
    // proposal as they take a typed C-Wert.
    const CStufenzeile alt = Kopfzeile();
    m_Feld.m_fA1 = m_fVorschlagA1;
    m_Feld.m_fB1 = m_fVorschlagB1;
    m_Feld.m_fCWert = m_fVorschlagCWert;
    StufenzeilenNachfuehren(alt, Kopfzeile());
    m_lbZeilen.SetCurSel(0);
    ZeileAuswaehlen();
    UpdateData(false);
}

void CDlgInput::OnWasserinvasion()
{
    if (m_fnWasserinvasion)
        m_fnWasserinvasion(m_Feld.m_fWasserinvasion);
}
