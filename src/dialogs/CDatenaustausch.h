#pragma once
// Data exchange between a dialog's members and the texts of its controls:
// "show the values" writes every member into its control's text, "take the
// values" reads the texts back in the dialog's fixed order, checking each
// range right after its value. A value that cannot be read or lies outside its
// range gets the standard message; taking stops there and the control is
// marked to get the focus back. Numbers a user types may carry a decimal
// comma; numbers shown carry a decimal point.

#include <map>
#include <string>
#include <variant>
#include <vector>

class IMeldungen;

enum class EAustausch { Zahl, Text, Haken, Radio };

struct CSteuerelement {
    int m_iId = 0;
    EAustausch m_Art = EAustausch::Zahl;
    std::variant<int*, float*, std::string*> m_pWert; // the member
    bool m_bBereich = false;
    double m_dMin = 0, m_dMax = 0; // range, when m_bBereich
    int m_iMaxZeichen = 0;         // text: at most this many characters (0 = any)
    int m_iRadioBis = 0;           // radio group: ids m_iId … m_iRadioBis
    bool m_bNullErlaubt = false;   // 0 passes the range too (a stage row's "unchanged")
};

class CDatenaustausch {
public:
    explicit CDatenaustausch(IMeldungen& meldungen) : m_Meldungen(meldungen) {}

    // The controls in the order in which their values are taken.
    std::vector<CSteuerelement> m_Elemente;
    // The controls' state: texts of edits and static texts, 0/1 of check
    // boxes and radio buttons, by control id.
    std::map<int, std::string> m_Texte;
    std::map<int, int> m_Haken;
    int m_iFokus = 0; // control that gets the focus back after a refusal
    // The texts as last shown: a text the user did not touch is never doubted.
    std::map<int, std::string> m_Gezeigt;

    // true = take the values (with checks), false = show the values.
    bool UpdateData(bool bSaveAndValidate);

private:
    bool Nehmen(const CSteuerelement& e);
    void Zeigen(const CSteuerelement& e);
    bool Ablehnen(const CSteuerelement& e, const std::string& text);

    IMeldungen& m_Meldungen;
};

// The standard messages of the data exchange.
std::string MeldungGanzeZahl();
std::string MeldungZahl();
std::string MeldungGanzeZahlZwischen(double min, double max);
std::string MeldungZahlZwischen(double min, double max);
std::string MeldungNullOderGanzeZahlZwischen(double min, double max);
std::string MeldungNullOderZahlZwischen(double min, double max);
std::string MeldungMaxZeichen(int n);
std::string MeldungZeichensatz();
std::string MeldungSteuerzeichen();
// (A typed thousands point: MeldungTausenderpunkt of platform/Zahlregel.h.)
