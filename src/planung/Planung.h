#pragma once
// The plan beside a document: `<Dokument>.planung.json`, versioned JSON
// ("format": "kalvo-planung", "version": 1). It holds the options that change
// the figures, the contracts per gas family (energy in GWh or sales gas in
// Mio m³ per year, monthly shares, peak factor), the fields' gas families
// where the plan sets them, and the rest fields' energy. The `.kvo` file
// stays as it is. Keys the plan does not know are kept on save.

#include "platform/Fehler.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A gas family of the sales gas: L-gas or H-gas.
enum class EGasart { L, H };
const char* GasartName(EGasart g);
std::optional<EGasart> GasartZu(std::string_view name);

// The options that change the figures; without a plan file all are off.
struct CPlanoptionen {
    bool bedarf = false;       // production limited to the demand
    bool energie = false;      // sales gas and energy table
    bool deckung = false;      // coverage of the sales profile
    double eigenverbrauch = 0; // %, the plant's own use of the sales gas
    bool operator==(const CPlanoptionen&) const = default;
};

struct CVertrag {
    std::string name;
    EGasart gasart = EGasart::H;
    bool gwh = true;                 // quantities in GWh; false: sales gas in Mio m³
    std::map<int, double> mengen;    // year → quantity
    std::array<double, 12> monate{}; // shares of the year in %, January first, summing to 100
    double spitzenfaktor = 1;        // the peak hour's rate over the year's mean rate
    bool operator==(const CVertrag&) const = default;
};

// A part of the rest-field profile with its energy.
struct CRestfeldanteil {
    EGasart gasart = EGasart::H;
    double anteil = 0;    // % of the rest-field profile
    double brennwert = 0; // Hs,n, kWh/m³
    bool operator==(const CRestfeldanteil&) const = default;
};

// How a demand-limited run shares the demand among its fields.
enum class EVerteilung {
    Lieferbar, // one common factor on every field's rates
    Reserven,  // in proportion to the remaining reserves, none above its deliverability
    Rang,      // by rank at full deliverability, the next rank swings
    Plateau,   // where it costs the least of next year's deliverability
};
const char* VerteilungName(EVerteilung v); // "lieferbar", "reserven", "rang", "plateau"
std::optional<EVerteilung> VerteilungZu(std::string_view name);

// A plant several fields share: together they produce at most its capacity.
struct CAnlage {
    std::string name;
    double kapazitaet = 0; // raw gas, Mio m³ a year
    std::vector<std::string> felder;
    bool operator==(const CAnlage&) const = default;
};

// A field's dispatch values; 0 where the plan sets none.
struct CFeldvorgabe {
    int rang = 0;            // 1 first; 0: after every ranked field
    double mindestrate = 0;  // m³/h, the field's own sustained rate (before its share)
    double aufgabedruck = 0; // bar: below it the field is abandoned
    double gewinnungMax = 0; // % of the OGIP: the largest recovery (gas trapped behind the water front)
    bool operator==(const CFeldvorgabe&) const = default;
};

// A measured static reservoir pressure of a field.
struct CMessung {
    std::string zeit; // when: a year "2019" or a date "2019-07-01", as the file writes it
    double druck = 0; // bar
    double kum = 0;   // the field's cumulative production at that time, Mio m³
    bool operator==(const CMessung&) const = default;
};
using CMessungen = std::map<std::string, std::vector<CMessung>>; // field → its measurements

// A change a scenario makes to the document and its plan: a field's quantity
// (one the ranges file knows, by its name there), a plant's capacity, the
// dispatch rule, or a contract's quantities times a factor.
struct CSzenarioaenderung {
    enum class EArt { Feld, Anlage, Verteilung, Vertrag };
    EArt art = EArt::Feld;
    std::string name;    // the field, plant or contract
    std::string groesse; // a field's quantity as the plan writes it ("Startverzoegerung")
    double wert = 0;     // the quantity's value, the capacity (Mio m³/a) or the factor
    EVerteilung verteilung = EVerteilung::Lieferbar;
    bool operator==(const CSzenarioaenderung&) const = default;
};

// A named scenario: changes to the document, or another document (last
// year's plan), its path as the plan writes it (relative: to the plan file).
struct CSzenario {
    std::string name;
    std::vector<CSzenarioaenderung> aenderungen;
    std::string datei;
    bool operator==(const CSzenario&) const = default;
};

// A change as the report for the file lists it: "Heidkamp_N: Startverzoegerung
// = 2", "Anlage Sauergasanlage: Kapazitaet = 250 Mio m³/a", "Verteilung: rang",
// "Vertrag L-Gas Nord: Mengen x 0.95".
std::string AenderungText(const CSzenarioaenderung& a);

struct CPlanung {
    CPlanoptionen optionen;
    std::vector<CVertrag> vertraege;
    std::map<std::string, EGasart> feldGasart; // fields whose family the plan sets
    std::vector<CRestfeldanteil> restfelder;
    EVerteilung verteilung = EVerteilung::Lieferbar;
    std::vector<CAnlage> anlagen;
    std::map<std::string, CFeldvorgabe> feldVorgaben; // fields with dispatch values
    CMessungen messungen;                             // measured reservoir pressures, per field
    bool wasserAnpassen = false;      // the history match fits the water invasion too (three points or more)
    std::vector<CSzenario> szenarien; // named scenarios, compared with the plan as it stands
    std::string roh;                  // the file's text as read: the keys it does not know are kept from it
    bool operator==(const CPlanung&) const = default;
};

// Whether the plan dispatches the fields (plants, dispatch values or a rule
// other than the common factor): the run then goes year by year.
bool MitVerteilung(const CPlanung& plan);

// The days of month 1 … 12 in a year of 365 days.
int Monatstage(int monat);

// The months' shares by default: equal by days (a year of 365 days), %.
std::array<double, 12> MonateNachTagen();

// Reads a plan file's text and checks its rules against the document's
// project years. A refusal names the line (a syntax error) or the key:
// "Planungsdatei, „vertraege[0].gasart“: …".
CErgebnis<CPlanung> PlanungLesen(std::string_view text, int projektstart, int projektende);

// The plan as a file's text (two blanks' indent, keys in the order read,
// unknown keys kept, a line end at the end): reading it back gives the same
// plan, and writing that again the same bytes.
std::string PlanungText(const CPlanung& planung);

// The plan file beside a document: "Feld.kvo" → "Feld.planung.json".
std::string Planungspfad(const std::string& dokument);

// The document a plan file belongs to, for a plan opened from the file
// manager: "Feld.planung.json" → "Feld.kvo" (or "Feld.KVO" when only that
// exists); any other path as it is.
std::string DokumentZurPlanung(const std::string& pfad);
