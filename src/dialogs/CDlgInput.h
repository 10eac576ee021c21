#pragma once
// The field data dialog without a window: its members, its two list boxes,
// the texts of its controls and its handlers. The Qt dialog that shows it
// (CDlgInputWidget) copies texts to and from the controls and forwards events.

#include "dialogs/CDatenaustausch.h"
#include "dialogs/CListBox.h"
#include "gas/CGaseigenschaften.h"
#include "model/Feldsatz.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class IMeldungen;

// Control ids of the field data dialog.
namespace IDC_Input {
enum : int {
    FeldListe = 1000,
    Feld = 1001,
    Startjahr = 1002,
    H2S = 1003,
    CO2,
    N2,
    CH4,
    C2H6,
    C3H8,
    iC4H10,
    nC4H10,
    iC5H12,
    nC5H12,
    C6H14,
    C7H16,
    C8H18,
    C9H20,
    C10H22 = 1017,
    Tcel = 1018,
    OGIP = 1019,
    PermH = 1020,
    MaechtigkeitB = 1021,
    Einflussradius = 1022,
    SteigrohrDi = 1023,
    KumProd = 1024,
    Bohrungen = 1025,
    Wasserinvasion = 1026,
    Referenzdruck = 1027,
    Kopftemperatur = 1028,
    Pi = 1029,
    PermV = 1030,
    MaechtigkeitE = 1031,
    Teufe = 1032,
    Horizontallaenge = 1033,
    Kopfdruck = 1034,
    MaxRate = 1035,
    Foerderstunden = 1036,
    KonsAnteil = 1037,
    A1 = 1038,
    B1 = 1039,
    CWert = 1040,
    Druckabhaengig = 1041,
    ZeilenListe = 1042,
    FeldAnhaengen = 1043,
    FeldAendern = 1044,
    FeldLoeschen = 1045,
    ZeileAendern = 1046,
    ZeileStatus = 1047,
    FeldStatus = 1049,
    ZeileAbJahr = 1050,
    ZeileFoerderstunden = 1051,
    ZeileKopfdruck = 1052,
    ZeileBohrungen = 1053,
    ZeileCWert = 1054,
    ZeileKonsAnteil = 1055,
    OK = 1056,
    ComputeAbc = 1057,
    Vorschlag = 1058,
    Gaseigenschaften = 1059,
    LetztesJahr = 1060,
    Einzelfeld = 1061,
    Detailausgabe = 1062,
    Produktion = 1074,
    Rate = 1075,
    WasserinvasionGrafik = 1076,
    Feldesreserven = 1077,
    VorschlagUebernehmen = 1078,
    Abbrechen = 2,
};
}

// The line beside the composition: calorific value, Wobbe index and gas
// family of the sales gas of the 15 percentages as typed (decimal comma or
// point), updated as the user types.
std::string VerkaufsgasAnzeige(const std::array<std::string, kAnzahlKomponenten>& texte);

class CDlgInput {
public:
    explicit CDlgInput(IMeldungen& meldungen);

    // ---- values of the controls ----
    CFeldwerte m_Feld;    // the field being edited
    CStufenzeile m_Zeile; // the stage row being edited
    int m_iProjektende = 0;
    int m_bDetailausgabe = 0;
    int m_bFeldesreserven = 0;
    int m_iGrafikRate = -1;
    std::string m_sZeileStatus, m_sFeldStatus, m_sVorschlag;

    // ---- other members ----
    CFeldsaetze m_saFelder; // the fields in, and after OK out
    std::string m_sEinzelfeld;
    int m_iEinzelfeld = -1;
    int m_bGeaendert = 0;
    int m_iFeld = -1;
    int m_iStartfeld = 0; // the field shown first (the field table opens the dialog on one)
    std::string m_sAuswahl;
    // The loaded field's control texts as shown, to find at OK values typed
    // but not taken with "Feld ändern".
    struct CGeladen {
        int feld = -1;
        std::map<int, std::string> texte;
        int druckabhaengig = 0;
        std::vector<std::string> stufen;
        bool operator==(const CGeladen&) const = default;
    };
    CGeladen m_Geladen;
    CGeladen Angezeigt() const;
    void GeladenMerken() { m_Geladen = Angezeigt(); }
    std::string m_sFeldzeile;
    std::string m_sZeile;
    std::string m_sMeldung;
    CListBox m_lbFelder{true};
    CListBox m_lbZeilen{false};
    CGaseigenschaften m_Gas;     // of the field being edited
    bool m_bVorschlagDa = false; // a proposal is shown (m_sVorschlag) and can be taken over
    float m_fVorschlagA1 = 0, m_fVorschlagB1 = 0, m_fVorschlagCWert = 0;

    // ---- controls and the end of the dialog ----
    CDatenaustausch m_Austausch;
    bool UpdateData(bool bSaveAndValidate = true);
    enum class EEnde { Offen, OK, Abbrechen } m_Ende = EEnde::Offen;
    // Runs the water-invasion chart with a value; set by the window.
    std::function<void(float)> m_fnWasserinvasion;

    // ---- handlers ----
    void OnInitDialog();
    void OnOK();
    void OnCancel() { m_Ende = EEnde::Abbrechen; }
    void FeldAuswaehlen();
    void FeldAnhaengen();
    // `fragen` = false: the user already said yes (OK with values not yet taken).
    void FeldAendern(bool fragen = true);
    void FeldLoeschen();
    void OnDruckabhaengig();
    void ZeileAuswaehlen();
    void ZeileAendern();
    void OnKillFocusKopfwerte();
    void OnKillFocusLetztesJahr();
    void OnKillFocusInitialdruck();
    void OnKillFocusReferenzdruck();
    void OnKillFocusZusammensetzung();
    void OnKillFocusWasserinvasion() { UpdateData(true); }
    void OnKillFocusFeldname();
    void OnEinzelfeldberechnung();
    void OnFeldesreserven();
    void OnDetailausgabe();
    void OnGaseigenschaften();
    void OnComputeAbc();
    void OnWasserinvasion();
    void OnVorschlagUebernehmen(); // button "Übernehmen" beside the proposal

    // ---- operations ----
    void InitData();
    bool FeldzeileLesen(const CFeldsatz& satz);
    void DatenInZeile();
    // Each shows its refusal and says whether the values were accepted.
    bool PruefeFelddaten();
    bool PruefeFaktoren();
    bool PruefeZusammensetzung();

private:
    void SteuerelementeAnlegen();
    void ZeileInEingabe(const std::string& text);
    void StufenzeilenNachfuehren(const CStufenzeile& alt, const CStufenzeile& neu);
    CStufenzeile Kopfzeile() const;
    int AbweichendeStufenzeilen() const;
    void StufenzeilenFuerNeuesFeld();
    bool Frage(const std::string& text);
    int FeldPosition(std::string_view name, int ausser = -1) const;
    bool NameFrei(int ausser = -1);
    void Meldung(const std::string& text);

    // The records of the field list by their text: the document's as they
    // came, a record the dialog formatted read once when it is needed.
    std::unordered_map<std::string, CFeldsatz> m_Saetze;
    const CFeldsatz& Satz(int i);

    IMeldungen& m_Meldungen;
};
