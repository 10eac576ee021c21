#pragma once
// The options of Kalvo, each declared once: its name on the command line, the
// value it takes and its range, its help text, what it sets, and its entry in
// the desktop's menu. The reader of the command line, the help text, the
// desktop's menu entries (text, status tip, setting, range of the number
// dialog) and the checks of the README's table all come from this one table.
// No Qt, no document: a plain table and its reader.

#include "platform/Zahlregel.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What one call of kalvo-batch asks for, as the command line says it.
struct COptionen {
    bool detail = false, reserven = false, rate = false, cp1252 = false, hilfe = false, version = false;
    bool szenarien = false; // the plan's scenarios side by side
    bool linien = false, serien = false, quer = false;
    bool deckung = false, felderEinzeln = false, eineAchse = false, bedarf = false;
    bool energie = false, aktenbericht = false;
    std::optional<double> eigenverbrauch; // %, instead of the plan's
    std::optional<std::string> planung;   // the plan file instead of the one beside the document
    std::optional<std::string> messungen; // measured pressures (CSV) instead of the plan's
    bool ohnePlanung = false;             // no plan file at all
    bool sensitivitaet = false;
    std::optional<std::string> bandbreiten;
    std::optional<int> monteCarlo;
    bool pSoll = false; // P(SOLL) per year and the percentiles of cumulative and reserves
    uint64_t seed = 1;
    int threads = 0; // 0: one per processor core
    std::optional<float> sollKonstant;
    std::optional<int> plateau;
    std::optional<int> plateauAb;              // the plateau's first year (after a build-up)
    std::optional<std::pair<int, int>> monate; // the years of the months table, first and last
    std::optional<std::string> vergleich;
    std::optional<std::string> grafik;
    std::optional<std::string> berichtPdf;
    std::optional<std::string> einzelfeld;
    std::optional<int> ende;
    std::optional<std::string> csv;
    std::optional<std::string> felderCsv, felderAus, xlsx;
    std::optional<std::string> vorschlag;
    std::string datei;

    bool operator==(const COptionen&) const = default;
};

// The kind of value an option takes after its name.
enum class EWertart {
    Schalter,  // none: the option alone switches something on
    GanzeZahl, // digits, within `bereich`
    Zahl,      // a number by the number rule ("2,5", "2.5"; never "14.000"), within `bereich`
    Jahr,      // a year the program can count with (1 to 9999)
    Jahre,     // years VON-BIS ("2027-2029"), or one year ("2027")
    Dateiname, // any text: the file is opened (or written) only after every check
    Name,      // a field's name, looked up in the document
};

// The value read after an option's name: `zahl` for the numbers (a whole
// number exactly), `text` for a file or a field name.
struct CWert {
    double zahl = 0;
    int bis = 0; // the last of the years VON-BIS (zahl the first)
    std::string text;
};

// The upper end of a range that has none a person would type: the largest
// float, so that every value fits the float it goes into.
inline constexpr double kOhneGrenze = std::numeric_limits<float>::max();

// An option's entry in the desktop's menu: a check mark for a switch, a
// command with a number dialog for a number (its range the option's).
struct CMenuepunkt {
    const char* text = nullptr;        // "Förderung nach &Bedarf"; nullptr: the menu has none
    const char* hinweis = nullptr;     // the status bar's text
    const char* einstellung = nullptr; // the user's setting that keeps it ("Ansicht/FelderEinzeln")
    const char* plan = nullptr;        // or the key of the plan's "optionen" that keeps it ("bedarf")
    bool vorgabe = false;              // a switch's state without a setting
};

struct COption {
    const char* name;        // on the command line: "--eigenverbrauch"
    const char* platzhalter; // the value in the help text: "P" ("" for a switch)
    // The help text exactly as `--help` prints it, '\n' between its lines.
    const char* hilfe;
    EWertart art = EWertart::Schalter;
    // What a refusal says the option needs: "einen Anteil in %" ("braucht
    // einen Anteil in % (0 bis unter 100)"); for a file or a name the whole
    // need ("einen Dateinamen").
    const char* braucht = "";
    // The range of a number; `max` kOhneGrenze is open ("0 oder mehr").
    CZahlbereich bereich{};
    void (*setzen)(COptionen&, const CWert&) = nullptr;
    // Changes the figures: a run's input or a study of further runs, so that
    // another value means computing again (the chart, the files and the
    // coding of the report do not).
    bool neuerLauf = false;
    // The label under which the report for the file (--aktenbericht) lists
    // the option's value among the options of the calculation; nullptr when
    // it does not.
    const char* imAktenbericht = nullptr;
    // Given only with this other option, else refused: "--quer gilt nur mit --bericht-pdf."
    const char* nurMit = nullptr;
    // Refused with --vorschlag: the proposal computes no forecast, so what
    // the run would give is refused rather than dropped.
    bool ohneVorschlag = false;
    const char* kurzname = nullptr; // a second spelling ("-h")
    CMenuepunkt menue{};
};

// All options, in the order of `--help`.
std::span<const COption> Optionstabelle();

// The option a command-line word names, or nullptr.
const COption* OptionZu(std::string_view name);
// The option of that name, which the caller knows is in the table.
const COption& Option(std::string_view name);

// The text of `--help` (also printed after a refusal of the call).
std::string Hilfetext();

// Reads the arguments into `o`; returns the refusal for bad usage, else "".
std::string OptionenLesen(const std::vector<std::string>& args, COptionen& o);

// An argument as a message quotes it: control characters shown as '?', and
// at most 40 characters, so that a pasted block does not flood the terminal.
std::string Zitiert(std::string_view text);
