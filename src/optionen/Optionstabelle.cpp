#include "optionen/Optionstabelle.h"

#include "model/Grenzen.h"
#include "platform/Format.h"

#include <cmath>
#include <stdexcept>

namespace {

using enum EWertart;

constexpr CZahlbereich kJahre{1, 9999, true}; // as JahrPlausibel counts them

// In the order of `--help`. A row's `hilfe` is the help text as printed;
// `braucht` and `bereich` word its refusal.
const COption kOptionen[] = {
    {.name = "--detail",
     .platzhalter = "",
     .hilfe = "Detailausgabe: Gaseigenschaften und Jahrestabellen jedes Feldes",
     .setzen = [](COptionen& o, const CWert&) { o.detail = true; },
     .neuerLauf = true,
     .imAktenbericht = "Detailausgabe",
     .ohneVorschlag = true},
    {.name = "--reserven",
     .platzhalter = "",
     .hilfe = "Feldesreserven statt der Zusammenfassung",
     .setzen = [](COptionen& o, const CWert&) { o.reserven = true; },
     .neuerLauf = true,
     .imAktenbericht = "Feldesreserven",
     .ohneVorschlag = true},
    {.name = "--rate",
     .platzhalter = "",
     .hilfe = "Grafik zeigt die Rate statt der Jahresproduktion",
     .setzen = [](COptionen& o, const CWert&) { o.rate = true; },
     .neuerLauf = true,
     .imAktenbericht = "Grafik"},
    {.name = "--einzelfeld",
     .platzhalter = "NAME",
     .hilfe = "nur das Feld NAME berechnen (ab seinem Startjahr)",
     .art = Name,
     .braucht = "einen Feldnamen",
     .setzen = [](COptionen& o, const CWert& w) { o.einzelfeld = w.text; },
     .neuerLauf = true,
     .imAktenbericht = "Einzelfeld",
     .ohneVorschlag = true},
    {.name = "--ende",
     .platzhalter = "JAHR",
     .hilfe = "letztes Projektjahr (sonst das der Datei; mit --vergleich für beide)",
     .art = Jahr,
     .braucht = "ein Jahr",
     .bereich = kJahre,
     .setzen = [](COptionen& o, const CWert& w) { o.ende = static_cast<int>(w.zahl); },
     .neuerLauf = true,
     .imAktenbericht = "Zeitraum"},
    {.name = "--deckung",
     .platzhalter = "",
     .hilfe = "Deckung des Verkaufsprofils nach dem Bericht ausgeben",
     .setzen = [](COptionen& o, const CWert&) { o.deckung = true; },
     .ohneVorschlag = true,
     .menue = {"Deckung des Verkaufsprofils",
               "Zeigt nach der Zusammenfassung die Deckung des Verkaufsprofils und in der Grafik die Jahre der "
               "Unterdeckung.",
               nullptr, "deckung"}},
    {.name = "--bedarf",
     .platzhalter = "",
     .hilfe = "Förderung nach Bedarf: die Felder fördern höchstens Soll minus\n"
              "Restfelder (ein gemeinsamer Faktor je Jahr); Tabelle nach dem Bericht",
     .setzen = [](COptionen& o, const CWert&) { o.bedarf = true; },
     .neuerLauf = true,
     .imAktenbericht = "Foerderung nach Bedarf",
     .ohneVorschlag = true,
     .menue = {"Förderung nach &Bedarf",
               "Die Felder fördern je Jahr höchstens, was das Verkaufsprofil nach den Restfeldern verlangt; "
               "das übrige Gas bleibt in der Lagerstätte.",
               nullptr, "bedarf"}},
    {.name = "--soll-konstant",
     .platzhalter = "M",
     .hilfe = "Soll jedes Projektjahres M Mio m³ statt des Verkaufsprofils",
     .art = Zahl,
     .braucht = "eine Menge in Mio m³",
     .bereich = {0, kOhneGrenze},
     .setzen = [](COptionen& o, const CWert& w) { o.sollKonstant = static_cast<float>(w.zahl); },
     .neuerLauf = true,
     .imAktenbericht = "Soll konstant"},
    {.name = "--energie",
     .platzhalter = "",
     .hilfe = "Verkaufsgas (ohne H2S und CO2) und Energie (Hs,n bei 25/0 °C) der\n"
              "Felder nach dem Bericht",
     .setzen = [](COptionen& o, const CWert&) { o.energie = true; },
     .neuerLauf = true,
     .ohneVorschlag = true,
     .menue = {"&Verkaufsgas und Energie",
               "Zeigt nach der Zusammenfassung Brennwert, Wobbe-Index und Gasgruppe der Felder sowie je Jahr "
               "Rohgas, Verkaufsgas (ohne H2S und CO2) und Energie.",
               nullptr, "energie"}},
    {.name = "--eigenverbrauch",
     .platzhalter = "P",
     .hilfe = "Eigenverbrauch der Aufbereitung in % des Verkaufsgases (sonst der\n"
              "Planungsdatei, ohne sie 0)",
     .art = Zahl,
     .braucht = "einen Anteil in %",
     .bereich = {0, 100, false, true},
     .setzen = [](COptionen& o, const CWert& w) { o.eigenverbrauch = w.zahl; },
     .neuerLauf = true,
     .imAktenbericht = "Eigenverbrauch",
     .menue = {"&Eigenverbrauch...",
               "Legt den Eigenverbrauch der Aufbereitung in % des Verkaufsgases fest (für Verkaufsgas und "
               "Energie).",
               nullptr, "eigenverbrauch"}},
    {.name = "--planung",
     .platzhalter = "DATEI",
     .hilfe = "die Planungsdatei (JSON) statt der neben dem Dokument\n"
              "(<Dokument>.planung.json); ihre Optionen gelten wie die gleichnamigen",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.planung = w.text; },
     .neuerLauf = true,
     .imAktenbericht = "Planung"},
    {.name = "--monate",
     .platzhalter = "VON-BIS",
     .hilfe = "mit Verträgen der Planung: die Monate der Jahre VON bis BIS\n"
              "(sonst des ersten Projektjahres)",
     .art = Jahre,
     .braucht = "Jahre VON-BIS",
     .bereich = kJahre,
     .setzen = [](COptionen& o, const CWert& w) { o.monate = std::pair(static_cast<int>(w.zahl), w.bis); },
     .neuerLauf = true,
     .imAktenbericht = "Monate"},
    {.name = "--ohne-planung",
     .platzhalter = "",
     .hilfe = "keine Planungsdatei lesen: alle Planungsoptionen aus, wie ohne Datei",
     .setzen = [](COptionen& o, const CWert&) { o.ohnePlanung = true; },
     .neuerLauf = true},
    {.name = "--messungen",
     .platzhalter = "DATEI",
     .hilfe = "gemessene Lagerstättendrücke (CSV: Feld;Jahr;Druck;Kum) statt der Messungen\n"
              "der Planung: Tabelle DRUCKANPASSUNG (OGIP an p/z angepasst)",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.messungen = w.text; },
     .neuerLauf = true,
     .imAktenbericht = "Messungen"},
    {.name = "--bandbreiten",
     .platzhalter = "F",
     .hilfe = "Bandbreiten (CSV: Feld;Groesse;Tief;Hoch) für --sensitivitaet und\n"
              "--monte-carlo",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.bandbreiten = w.text; },
     .neuerLauf = true,
     .imAktenbericht = "Bandbreiten"},
    {.name = "--sensitivitaet",
     .platzhalter = "",
     .hilfe = "je Zeile der Bandbreiten ein Lauf bei Tief und einer bei Hoch: kumulierte\n"
              "Ist-Produktion (mit --plateau das Plateau); Tabelle nach dem Bericht",
     .setzen = [](COptionen& o, const CWert&) { o.sensitivitaet = true; },
     .neuerLauf = true,
     .ohneVorschlag = true},
    {.name = "--monte-carlo",
     .platzhalter = "N",
     .hilfe = "N Läufe mit Werten aus den Bandbreiten (Dreiecksverteilung):\n"
              "P90, P50, P10 des Ist je Jahr; Tabelle nach dem Bericht",
     .art = GanzeZahl,
     .braucht = "eine Zahl von Läufen",
     .bereich = {1, 1000000, true},
     .setzen = [](COptionen& o, const CWert& w) { o.monteCarlo = static_cast<int>(w.zahl); },
     .neuerLauf = true,
     .imAktenbericht = "Monte Carlo",
     .ohneVorschlag = true},
    {.name = "--p-soll",
     .platzhalter = "",
     .hilfe = "zur Monte-Carlo-Tabelle die Spalte P(SOLL) (Anteil der Läufe, deren Ist das\n"
              "Soll deckt; je Vertrag) und P90/P50/P10 der kumulierten Förderung und der\n"
              "Reserven je Feld",
     .setzen = [](COptionen& o, const CWert&) { o.pSoll = true; },
     .neuerLauf = true,
     .nurMit = "--monte-carlo"},
    {.name = "--seed",
     .platzhalter = "S",
     .hilfe = "Startwert des Zufallsgenerators (mt19937_64) für --monte-carlo (sonst 1)",
     .art = GanzeZahl,
     .braucht = "eine ganze Zahl",
     .bereich = {0, kOhneGrenze, true},
     .setzen = [](COptionen& o, const CWert& w) { o.seed = static_cast<uint64_t>(w.zahl); },
     .neuerLauf = true},
    {.name = "--threads",
     .platzhalter = "T",
     .hilfe = "Threads der Läufe (sonst einer je Prozessorkern)",
     .art = GanzeZahl,
     .braucht = "eine Zahl von Threads",
     .bereich = {1, 256, true},
     // The same seed gives the same figures on any number of threads.
     .setzen = [](COptionen& o, const CWert& w) { o.threads = static_cast<int>(w.zahl); }},
    {.name = "--plateau",
     .platzhalter = "JAHRE",
     .hilfe = "höchstes Plateau, das die ersten JAHRE Projektjahre gehalten wird",
     .art = GanzeZahl,
     .braucht = "eine Zahl von Jahren",
     .bereich = {1, kOhneGrenze, true},
     .setzen = [](COptionen& o, const CWert& w) { o.plateau = static_cast<int>(w.zahl); },
     .neuerLauf = true,
     .imAktenbericht = "Plateau",
     .ohneVorschlag = true,
     .menue = {"Höchstes &Plateau...",
               "Sucht die höchste gleichbleibende Verkaufsmenge, die die ersten Projektjahre gehalten wird."}},
    {.name = "--plateau-ab",
     .platzhalter = "JAHR",
     .hilfe = "mit --plateau: das Plateau ab JAHR (davor fördern die Felder nach dem\n"
              "Verkaufsprofil, etwa im Aufbau)",
     .art = Jahr,
     .braucht = "ein Jahr",
     .bereich = kJahre,
     .setzen = [](COptionen& o, const CWert& w) { o.plateauAb = static_cast<int>(w.zahl); },
     .neuerLauf = true,
     .nurMit = "--plateau",
     .ohneVorschlag = true},
    {.name = "--szenarien",
     .platzhalter = "",
     .hilfe = "die Szenarien der Planung nebeneinander: Tabelle SZENARIEN (kumulierte\n"
              "Förderung, Plateau mit --plateau, Energie, Reserven, erste Unterdeckung)",
     .setzen = [](COptionen& o, const CWert&) { o.szenarien = true; },
     .neuerLauf = true,
     .ohneVorschlag = true},
    {.name = "--vergleich",
     .platzhalter = "B.kvo",
     .hilfe = "Vergleich mit der Variante B nach dem Bericht ausgeben",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.vergleich = w.text; },
     .neuerLauf = true,
     .imAktenbericht = "Variante",
     .ohneVorschlag = true},
    {.name = "--csv",
     .platzhalter = "DATEI",
     .hilfe = "Jahresreihen als CSV-Tabelle (Semikolon, Dezimalkomma) schreiben,\n"
              "mit einer Spalte je Feld (Produktion, mit --rate die Rate)",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.csv = w.text; },
     .ohneVorschlag = true},
    {.name = "--xlsx",
     .platzhalter = "DATEI",
     .hilfe = "Ergebnisse als Arbeitsmappe (Excel): Zusammenfassung, Felder, die\n"
              "Tabellen des Berichts und die Eingaben",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.xlsx = w.text; },
     .ohneVorschlag = true},
    {.name = "--felder-csv",
     .platzhalter = "DATEI",
     .hilfe = "Feldtabelle schreiben: eine Zeile je Feld, Kopfzeile mit Einheiten\n"
              "(Semikolon, Dezimalkomma, UTF-8)",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.felderCsv = w.text; }},
    {.name = "--felder-aus",
     .platzhalter = "DATEI",
     .hilfe = "das Dokument mit den Feldern der Feldtabelle DATEI statt seiner eigenen\n"
              "rechnen (auch aus einer Tabellenkalkulation: Windows-1252, Dezimalpunkt)",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.felderAus = w.text; },
     .neuerLauf = true},
    {.name = "--vorschlag",
     .platzhalter = "NAME",
     .hilfe = "Gaseigenschaften und Vorschlag für A1, B1, C-Wert des Feldes NAME",
     .art = Name,
     .braucht = "einen Feldnamen",
     .setzen = [](COptionen& o, const CWert& w) { o.vorschlag = w.text; }},
    {.name = "--grafik",
     .platzhalter = "DATEI",
     .hilfe = "Grafik als .png, .svg oder .pdf schreiben (wie am Bildschirm)",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.grafik = w.text; },
     .ohneVorschlag = true},
    {.name = "--linien",
     .platzhalter = "",
     .hilfe = "Liniendiagramm statt Blockdiagramm",
     .setzen = [](COptionen& o, const CWert&) { o.linien = true; }},
    {.name = "--felder-einzeln",
     .platzhalter = "",
     .hilfe = "Grafik: Ist als gestapelte Balken der Felder und Restfelder",
     .setzen = [](COptionen& o, const CWert&) { o.felderEinzeln = true; },
     .menue = {"Felder einzeln", "Zeichnet die Ist-Werte als gestapelte Balken der Felder und Restfelder.",
               "Ansicht/FelderEinzeln"}},
    {.name = "--eine-achse",
     .platzhalter = "",
     .hilfe = "Grafik: Ist und Soll auf der linken Achse",
     .setzen = [](COptionen& o, const CWert&) { o.eineAchse = true; },
     .menue = {"Ist und Soll auf einer Achse", "Skaliert Ist und Soll auf der linken Achse.",
               "Ansicht/GemeinsameAchse"}},
    {.name = "--serien",
     .platzhalter = "",
     .hilfe = "Grafikdaten und Achsen als JSON statt des Berichts ausgeben",
     .setzen = [](COptionen& o, const CWert&) { o.serien = true; },
     .ohneVorschlag = true},
    {.name = "--bericht-pdf",
     .platzhalter = "DATEI",
     .hilfe = "Bericht als PDF schreiben, wie ihn das Programm druckt (A4 hoch)",
     .art = Dateiname,
     .braucht = "einen Dateinamen",
     .setzen = [](COptionen& o, const CWert& w) { o.berichtPdf = w.text; },
     .ohneVorschlag = true},
    {.name = "--quer",
     .platzhalter = "",
     .hilfe = "den PDF-Bericht im Querformat schreiben",
     .setzen = [](COptionen& o, const CWert&) { o.quer = true; },
     .nurMit = "--bericht-pdf"},
    {.name = "--aktenbericht",
     .platzhalter = "",
     .hilfe = "den PDF-Bericht mit Druckdatum, \"Seite n von m\" und am Ende Einheiten,\n"
              "Bezugszustand und Optionen der Rechnung",
     .setzen = [](COptionen& o, const CWert&) { o.aktenbericht = true; },
     .nurMit = "--bericht-pdf",
     .menue = {"Bericht für die &Akte",
               "Druckt den Bericht mit Druckdatum, „Seite n von m“ und am Ende Einheiten, Bezugszustand und "
               "Optionen.",
               "Drucken/Aktenbericht", nullptr, true}},
    {.name = "--cp1252",
     .platzhalter = "",
     .hilfe = "Bericht in Windows-1252 statt UTF-8 ausgeben",
     .setzen = [](COptionen& o, const CWert&) { o.cp1252 = true; }},
    {.name = "--version",
     .platzhalter = "",
     .hilfe = "die Version ausgeben",
     .setzen = [](COptionen& o, const CWert&) { o.version = true; }},
    {.name = "--help",
     .platzhalter = "",
     .hilfe = "diese Hilfe",
     .setzen = [](COptionen& o, const CWert&) { o.hilfe = true; },
     .kurzname = "-h"},
};

const char* const kHilfeKopf = "Aufruf: kalvo-batch [Optionen] DATEI.kvo\n"
                               "Berechnet die Förderprognose eines Kalvo-Dokuments und gibt den Bericht aus.\n"
                               "\n"
                               "Optionen:\n";

const char* const kHilfeFuss =
    "\n"
    "Ausgabedateien werden nach dem Bericht geschrieben, erst wenn alle Prüfungen bestanden\n"
    "sind; ein Gerät oder eine Pipe (/dev/stdout, mkfifo) wird beschrieben, nicht ersetzt.\n"
    "\n"
    "Rückgabewert: 0 erfolgreich, 1 falscher Aufruf (auch zwei Ausgaben in eine Datei, eine\n"
    "Ausgabe auf eine Eingabedatei, --vorschlag mit einer Ausgabe der Rechnung), 2 Datei nicht\n"
    "lesbar oder schreibbar (auch die Standardausgabe), 3 Bericht unvollständig: ein Feld konnte\n"
    "nicht berechnet werden (der Bericht nennt es am Ende; die Dateien werden geschrieben).\n";

// The option and its value take the first 19 columns after two blanks; the
// text begins in column 23, and so does each further line of it.
constexpr size_t kAufrufBreite = 19;
constexpr size_t kTextEinzug = 2 + kAufrufBreite + 1;

// ", nicht „<wert>“" for a value an option refuses (nothing when it is missing).
std::string Nicht(const std::string* wert)
{
    return wert ? ", nicht " + Zitiert(*wert) : std::string();
}

// A limit as a person reads it: 1000000, not 1e+06.
std::string Grenze(double x)
{
    return x == std::floor(x) ? Format("%.0f", x) : Format("%g", x);
}

// The range as a refusal words it: "1 bis 256", "0 bis unter 100", "0 oder mehr".
std::string Bereich(const CZahlbereich& b)
{
    if (b.max >= kOhneGrenze)
        return Grenze(b.min) + " oder mehr";
    return Grenze(b.min) + (b.obenOffen ? " bis unter " : " bis ") + Grenze(b.max);
}

bool ImBereich(int n, const CZahlbereich& b)
{
    return n >= b.min && n <= b.max && !(b.obenOffen && n >= b.max);
}

// Reads the value `w` of `option` (nullptr when the arguments ended before
// it); returns the refusal, else "".
std::string WertLesen(const COption& option, const std::string* w, CWert& wert)
{
    switch (option.art) {
    case Schalter: return {};
    case Dateiname:
    case Name:
        if (!w)
            return std::string(option.name) + " braucht " + option.braucht + ".";
        wert.text = *w;
        return {};
    case GanzeZahl:
    case Jahr:
        if (int n = 0; w && LiesInt(*w, n) && (option.art == Jahr ? JahrPlausibel(n) : ImBereich(n, option.bereich))) {
            wert.zahl = n;
            return {};
        }
        break;
    case Jahre:
        if (w) {
            const size_t strich = w->find('-', 1);
            int von = 0, bis = 0;
            if (LiesInt(w->substr(0, strich), von) &&
                (strich == std::string::npos ? (bis = von, true) : LiesInt(w->substr(strich + 1), bis)) &&
                JahrPlausibel(von) && JahrPlausibel(bis) && von <= bis) {
                wert.zahl = von;
                wert.bis = bis;
                return {};
            }
        }
        return std::string(option.name) + " braucht " + option.braucht + " (Jahre von 1 bis 9999, VON nicht nach BIS)" +
               Nicht(w) + ".";
    case Zahl:
        // The number rule of every typed number: "2,5" and "2.5", never "14.000".
        if (const CErgebnis<double> zahl = w ? ZahlImBereich(*w, option.bereich) : CFehler{""}) {
            wert.zahl = *zahl;
            return {};
        }
        break;
    }
    return std::string(option.name) + " braucht " + option.braucht + " (" + Bereich(option.bereich) + ")" + Nicht(w) +
           ".";
}

size_t Zeile(const COption& option)
{
    return static_cast<size_t>(&option - kOptionen);
}

} // namespace

std::string Zitiert(std::string_view text)
{
    return "„" + Zitat(text) + "“";
}

std::span<const COption> Optionstabelle()
{
    return kOptionen;
}

const COption* OptionZu(std::string_view name)
{
    for (const COption& option : kOptionen)
        if (name == option.name || (option.kurzname && name == option.kurzname))
            return &option;
    return nullptr;
}

const COption& Option(std::string_view name)
{
    if (const COption* option = OptionZu(name))
        return *option;
    throw std::invalid_argument("keine Option " + std::string(name));
}

std::string Hilfetext()
{
    std::string text = kHilfeKopf;
    for (const COption& option : kOptionen) {
        std::string aufruf = option.name;
        if (*option.platzhalter)
            aufruf += std::string(" ") + option.platzhalter;
        std::string_view hilfe = option.hilfe;
        text += "  " + Linksbuendig(aufruf, kAufrufBreite) + " ";
        for (size_t umbruch; (umbruch = hilfe.find('\n')) != std::string_view::npos; hilfe.remove_prefix(umbruch + 1))
            text += std::string(hilfe.substr(0, umbruch)) + "\n" + std::string(kTextEinzug, ' ');
        text += std::string(hilfe) + "\n";
    }
    return text + kHilfeFuss;
}

std::string OptionenLesen(const std::vector<std::string>& args, COptionen& o)
{
    std::vector<bool> gegeben(std::size(kOptionen));
    const auto mit = [&](std::string_view name) { return gegeben[Zeile(*OptionZu(name))]; };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (const COption* option = OptionZu(a)) {
            const std::string* w = option->art != Schalter && i + 1 < args.size() ? &args[++i] : nullptr;
            CWert wert;
            if (std::string fehler = WertLesen(*option, w, wert); !fehler.empty())
                return fehler;
            option->setzen(o, wert);
            gegeben[Zeile(*option)] = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return "Unbekannte Option " + Zitiert(a) + ".";
        } else if (!o.datei.empty()) {
            return "Nur eine Datei angeben (" + Zitiert(o.datei) + " und " + Zitiert(a) + ").";
        } else {
            o.datei = a;
        }
    }
    if (!o.hilfe && !o.version && o.datei.empty())
        return "Keine Datei angegeben.";
    for (const COption& option : kOptionen)
        if (option.nurMit && gegeben[Zeile(option)] && !mit(option.nurMit))
            return std::string(option.name) + " gilt nur mit " + option.nurMit + ".";
    const bool studie = mit("--sensitivitaet") || mit("--monte-carlo");
    if (studie && !mit("--bandbreiten"))
        return "--sensitivitaet und --monte-carlo brauchen --bandbreiten DATEI.";
    if (mit("--bandbreiten") && !studie)
        return "--bandbreiten gilt nur mit --sensitivitaet oder --monte-carlo.";
    if (mit("--reserven") && studie)
        return "--sensitivitaet und --monte-carlo gelten nicht mit --reserven.";
    if (mit("--reserven") && (mit("--deckung") || mit("--vergleich") || mit("--bedarf") || mit("--plateau")))
        return "--deckung, --vergleich, --bedarf und --plateau gelten nicht mit --reserven.";
    if (mit("--planung") && mit("--ohne-planung"))
        return "--planung und --ohne-planung schließen einander aus.";
    if (mit("--vorschlag"))
        for (const COption& option : kOptionen)
            if (option.ohneVorschlag && gegeben[Zeile(option)])
                return std::string(option.name) +
                       " gilt nicht mit --vorschlag: der Vorschlag für A1, B1, C-Wert rechnet keine Prognose.";
    return {};
}
