#pragma once
// The profile dialog (sales profile or rest fields) without a window: the
// list of profile lines, the edit field, the status texts and the handlers.

#include "dialogs/CListBox.h"

#include <functional>
#include <string>
#include <vector>

class IMeldungen;
struct CProfilImport;

namespace IDC_Verkauf {
enum : int {
    Liste = 1000,
    Zeile = 1063,
    OK = 1056,
    Abbrechen = 2,
    DatenEinlesen = 1067,
    ZeileAnhaengen = 1065,
    ZeileAendern = 1046,
    ZeileLoeschen = 1066,
    Status = 1049,
    AlleLoeschen = 1078,
    Kopf = 1079,
    Einfuegen = 1080,
};
}

class DlgVerkauf {
public:
    explicit DlgVerkauf(IMeldungen& meldungen) : m_Meldungen(meldungen) {}

    int m_bRestfelder = 0;
    int m_bGeaendert = 0;
    int m_iProjektstart = 0;
    int m_iProjektende = 0;
    std::vector<std::string> m_saZeilen;
    std::string m_sZeile;
    std::string m_sStatus;
    std::string m_sKopf;
    int m_iJahr = 0;
    float m_fProduktion = 0, m_fRate = 0;
    int m_iZeile = -1;
    std::string m_sMeldung;
    std::string m_sTitel;
    CListBox m_lbZeilen{false};

    // The texts of the edit and the two static texts, by control id.
    std::string m_sTextZeile, m_sTextStatus, m_sTextKopf;
    void UpdateData(bool bSaveAndValidate = true);

    enum class EEnde { Offen, OK, Abbrechen } m_Ende = EEnde::Offen;
    // Chooses an import file (empty: cancelled); set by the window.
    std::function<std::string()> m_fnDateiWaehlen;

    void OnInitDialog();
    void OnOK();
    void OnCancel() { m_Ende = EEnde::Abbrechen; }
    bool ZeilePruefen(int p);
    void ZeileAnhaengen();
    void ZeileAuswaehlen();
    void ZeileAendern();
    void ZeileLoeschen();
    void AlleZeilenLoeschen();
    void FileOpen();
    // Takes a profile pasted from the clipboard (button "Einfügen"); text
    // that is not a profile gets the import's messages and changes nothing.
    void Einfuegen(const std::string& text);

private:
    void ImportZeigen(const CProfilImport& e);
    bool ErsetzenErlaubt(const CProfilImport& e);
    long long ErstesJahr(int position) const;
    bool Frage(const std::string& text);
    void Meldung(const std::string& text);

    IMeldungen& m_Meldungen;
};
