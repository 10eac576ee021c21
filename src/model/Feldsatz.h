#pragma once
// The field record: one text line per gas field, 65 values separated by white
// space: 41 field values, then 4 stage rows of 6 values.

#include "model/Grenzen.h"
#include "platform/Fehler.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class IMeldungen;

constexpr int kAnzahlKomponenten = 15;
constexpr int kAnzahlStufen = 4;     // stage rows in a record
constexpr int kWerteJeSatz = 65;     // values in a record
constexpr int kWerteJeStufe = 6;     // values in a stage row
constexpr int kMaxNamenslaenge = 99; // characters of a field name

// The 41 field values, in record order. Units: pressures bar, temperatures °C,
// volumes Mio m³ (normal state), rates m³/h, lengths m (tubing cm), mD, percent.
struct CFeldwerte {
    std::string m_sFeldname;
    int m_iFoerderbeginn = 0;
    std::array<float, kAnzahlKomponenten> m_fAnteil{}; // mol %, H2S … C10H22
    float m_fTcel = 0;
    float m_fKopftemperatur = 0;
    float m_fOGIP = 0;
    float m_fPi = 0;
    float m_fPermHorizontal = 0;
    float m_fPermVertikal = 0;
    float m_fMaechtigkeitBankrecht = 0;
    float m_fMaechtigkeitErbohrt = 0;
    float m_fEinflussradius = 0;
    float m_fTeufe = 0;
    float m_fSteigrohrDi = 0;
    float m_fHorizontallaenge = 0;
    float m_fKumProdBeginn = 0;
    float m_fKopfdruck = 0;
    int m_iBohrungen = 0;
    float m_fMaxRate = 0;
    float m_fWasserinvasion = 0;
    int m_iFoerderstunden = 0;
    float m_fReferenzdruck = 0;
    float m_fKonsAnteil = 0;
    float m_fA1 = 0;
    float m_fB1 = 0;
    float m_fCWert = 0;
    int m_bDruckabhaengig = 0;
};

// One stage row: from year m_iStufeAbJahr on, values > 0 replace the field's.
struct CStufenzeile {
    int m_iStufeAbJahr = 0;
    int m_iStufeFoerderstunden = 0;
    float m_fStufeKopfdruck = 0;
    int m_iStufeBohrungen = 0;
    float m_fStufeCWert = 0;
    float m_fStufeKonsAnteil = 0;
    bool operator==(const CStufenzeile&) const = default;
};

using CStufen = std::array<CStufenzeile, kAnzahlStufen>;
using CStufenTexte = std::array<std::string, kAnzahlStufen>;

// The three text forms of a stage row in the dialog's stage list.
enum class EStufenformat {
    Vorgabe,   // default rows and rows regenerated from the head values
    Gelesen,   // rows rebuilt when a record is read into the dialog
    Geaendert, // a row replaced by "Zeile ändern" (C-Wert with 4 decimals)
};

std::string StufenzeileText(const CStufenzeile& stufe, EStufenformat format);

// Reads a stage-row text ("%d %d %f %d %f %f"); returns the values converted.
int StufenzeileLesen(std::string_view text, CStufenzeile& stufe);

// Formats the field values and the 4 stage-row texts into one record line.
std::string DatenInZeile(const CFeldwerte& feld, const CStufenTexte& stufen);

// Reads a record as scanf would with the record format: values in order, up to
// the first one that is missing or unreadable. Returns the number converted
// (65 for a complete record). A name of more than 99 characters is not read.
// m_bDruckabhaengig becomes 1 only for a scanned 1.
int FeldzeileLesen(std::string_view zeile, CFeldwerte& feld, CStufen& stufen);

// Checks a record that comes from outside (a file): exactly 65 readable values,
// a name of at most 99 characters, plausible years. The error's text is the
// German reason, naming the field.
CErgebnis<> FeldsatzPruefen(std::string_view zeile);

// The name of a field, head of a record ("%s  %d %s"): returns the number of
// values read (name, year, next token), as the project start needs them.
int SatzkopfLesen(std::string_view zeile, std::string& name, int& foerderbeginn);

// Position of the record of the field named `name` (its first token), leaving
// out position `ausser`; -1 when there is none. A field is known by its name.
int FeldIndex(const std::vector<std::string>& saetze, std::string_view name, int ausser = -1);

// A field as the document holds it: its values and stage rows as numbers,
// read once from the record text, and that text as the file holds it. The
// text is what a file gets back, so that a record nobody changed keeps its
// bytes; the values are what the run and the dialogs use. A record made by
// the dialog is its formatted text read back, so that its values are those
// a saved and reopened file gives.
class CFeldsatz {
public:
    CFeldsatz() = default;
    CFeldsatz(std::string satz); // NOLINT: a record is made from its text
    CFeldsatz(const char* satz) : CFeldsatz(std::string(satz)) {}
    const std::string& Text() const { return m_sText; }
    size_t TextHash() const { return m_nTextHash; } // std::hash of the text, taken once
    // Values and stage rows change only with the text: they are its reading.
    const CFeldwerte& Werte() const { return m_Werte; }
    const CStufen& Stufen() const { return m_Stufen; }
    bool Lesbar() const { return m_iGelesen == kWerteJeSatz; }
    // Name and first year were read (an unreadable rest still names the field).
    bool KopfLesbar() const { return m_iGelesen >= 2; }
    std::string_view Name() const;
    bool operator==(const CFeldsatz& b) const { return m_sText == b.m_sText && m_Abwandlung == b.m_Abwandlung; }

    // A study's change of a record: which quantities (a caller's number for
    // each) were set to which values. With the record's text it keys the
    // field's result in a field store.
    using CAbwandlung = std::vector<std::pair<int, double>>;
    const CAbwandlung& Abwandlung() const { return m_Abwandlung; }
    // A record made from values (a variation of a study): the text and name
    // of `satz`, its changes and these; it is never saved.
    static CFeldsatz AusWerten(const CFeldsatz& satz, const CAbwandlung& aenderungen, const CFeldwerte& werte,
                               const CStufen& stufen);

private:
    std::string m_sText;
    size_t m_nTextHash = 0;
    CAbwandlung m_Abwandlung;
    CFeldwerte m_Werte;
    CStufen m_Stufen{};
    int m_iGelesen = 0; // values the text gave, in order (kWerteJeSatz when complete)
};
using CFeldsaetze = std::vector<CFeldsatz>;

// Position of the field named `name` (the first token of its record), leaving
// out position `ausser`; -1 when there is none.
int FeldIndex(const CFeldsaetze& saetze, std::string_view name, int ausser = -1);

// The record texts, as a file or the dialog's list holds them.
std::vector<std::string> Satztexte(const CFeldsaetze& saetze);
CFeldsaetze AusSatztexten(const std::vector<std::string>& texte);

// Dialog side: takes the record's values and rebuilds the 4 stage-row texts
// in the "Gelesen" format. Shows "Einlesefehler" and returns false unless all
// 65 values were read; the values converted so far are then in `feld`.
bool FeldzeileLesenDialog(const CFeldsatz& satz, CFeldwerte& feld, CStufenTexte& stufenTexte, IMeldungen& meldungen);

// A field name must be exactly one token without white space.
bool FeldnameGueltig(std::string_view name);

// Defaults of a new field (InitData): sets the values the dialog presets, the
// stage input row, and 4 identical default stage rows.
void InitDataWerte(CFeldwerte& feld, CStufenzeile& stufeneingabe, CStufenTexte& stufenTexte);
