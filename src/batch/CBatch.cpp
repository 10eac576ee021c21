#include "batch/CBatch.h"

#include "bandbreiten/Bandbreiten.h"
#include "doc/CKalvoDoc.h"
#include "gas/Feldpruefung.h"
#include "model/Feldtabelle.h"
#include "platform/Cp1252.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "platform/Zahlregel.h"
#include "run/Plateau.h"
#include "summary/Jahresreihen.h"
#include "views/CGrafik.h"
#ifdef KALVO_GRAFIK
#include "batch/Grafikumgebung.h"
#include "render/Arbeitsmappe.h"
#include "render/BerichtDruck.h"
#include "render/GrafikDatei.h"
#endif

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>

namespace {

constexpr int kOk = 0;
constexpr int kAufruf = 1;
constexpr int kDatei = 2;
constexpr int kUnvollstaendig = 3; // printed, but a field could not be computed

// An argument as a message quotes it: control characters shown as '?', and
// at most 40 characters, so that a pasted block does not flood the terminal.
std::string Zitiert(std::string_view text)
{
    return "„" + Zitat(text) + "“";
}

// ", nicht „<wert>“" for a value an option refuses (nothing when it is missing).
std::string Nicht(const std::string* wert)
{
    return wert ? ", nicht " + Zitiert(*wert) : std::string();
}

const char* const kHilfe =
    "Aufruf: kalvo-batch [Optionen] DATEI.kvo\n"
    "Berechnet die Förderprognose eines Kalvo-Dokuments und gibt den Bericht aus.\n"
    "\n"
    "Optionen:\n"
    "  --detail            Detailausgabe: Gaseigenschaften und Jahrestabellen jedes Feldes\n"
    "  --reserven          Feldesreserven statt der Zusammenfassung\n"
    "  --rate              Grafik zeigt die Rate statt der Jahresproduktion\n"
    "  --einzelfeld NAME   nur das Feld NAME berechnen (ab seinem Startjahr)\n"
    "  --ende JAHR         letztes Projektjahr (sonst das der Datei; mit --vergleich für beide)\n"
    "  --deckung           Deckung des Verkaufsprofils nach dem Bericht ausgeben\n"
    "  --bedarf            Förderung nach Bedarf: die Felder fördern höchstens Soll minus\n"
    "                      Restfelder (ein gemeinsamer Faktor je Jahr); Tabelle nach dem Bericht\n"
    "  --soll-konstant M   Soll jedes Projektjahres M Mio m³ statt des Verkaufsprofils\n"
    "  --energie           Verkaufsgas (ohne H2S und CO2) und Energie (Hs,n bei 25/0 °C) der\n"
    "                      Felder nach dem Bericht\n"
    "  --eigenverbrauch P  Eigenverbrauch der Aufbereitung in % des Verkaufsgases (sonst 0)\n"
    "  --bandbreiten F     Bandbreiten (CSV: Feld;Groesse;Tief;Hoch) für --sensitivitaet und\n"
    "                      --monte-carlo\n"
    "  --sensitivitaet     je Zeile der Bandbreiten ein Lauf bei Tief und einer bei Hoch: kumulierte\n"
    "                      Ist-Produktion (mit --plateau das Plateau); Tabelle nach dem Bericht\n"
    "  --monte-carlo N     N Läufe mit Werten aus den Bandbreiten (Dreiecksverteilung):\n"
    "                      P90, P50, P10 des Ist je Jahr; Tabelle nach dem Bericht\n"
    "  --seed S            Startwert des Zufallsgenerators (mt19937_64) für --monte-carlo (sonst 1)\n"
    "  --threads T         Threads der Läufe (sonst einer je Prozessorkern)\n"
    "  --plateau JAHRE     höchstes Plateau, das die ersten JAHRE Projektjahre gehalten wird\n"
    "  --vergleich B.kvo   Vergleich mit der Variante B nach dem Bericht ausgeben\n"
    "  --csv DATEI         Jahresreihen als CSV-Tabelle (Semikolon, Dezimalkomma) schreiben,\n"
    "                      mit einer Spalte je Feld (Produktion, mit --rate die Rate)\n"
    "  --xlsx DATEI        Ergebnisse als Arbeitsmappe (Excel): Zusammenfassung, Felder, die\n"
    "                      Tabellen des Berichts und die Eingaben\n"
    "  --felder-csv DATEI  Feldtabelle schreiben: eine Zeile je Feld, Kopfzeile mit Einheiten\n"
    "                      (Semikolon, Dezimalkomma, UTF-8)\n"
    "  --felder-aus DATEI  das Dokument mit den Feldern der Feldtabelle DATEI statt seiner eigenen\n"
    "                      rechnen (auch aus einer Tabellenkalkulation: Windows-1252, Dezimalpunkt)\n"
    "  --vorschlag NAME    Gaseigenschaften und Vorschlag für A1, B1, C-Wert des Feldes NAME\n"
    "  --grafik DATEI      Grafik als .png, .svg oder .pdf schreiben (wie am Bildschirm)\n"
    "  --linien            Liniendiagramm statt Blockdiagramm\n"
    "  --felder-einzeln    Grafik: Ist als gestapelte Balken der Felder und Restfelder\n"
    "  --eine-achse        Grafik: Ist und Soll auf der linken Achse\n"
    "  --serien            Grafikdaten und Achsen als JSON statt des Berichts ausgeben\n"
    "  --bericht-pdf DATEI Bericht als PDF schreiben, wie ihn das Programm druckt (A4 hoch)\n"
    "  --quer              den PDF-Bericht im Querformat schreiben\n"
    "  --aktenbericht      den PDF-Bericht mit Druckdatum, \"Seite n von m\" und am Ende Einheiten,\n"
    "                      Bezugszustand und Optionen der Rechnung\n"
    "  --cp1252            Bericht in Windows-1252 statt UTF-8 ausgeben\n"
    "  --help              diese Hilfe\n"
    "\n"
    "Ausgabedateien werden nach dem Bericht geschrieben, erst wenn alle Prüfungen bestanden\n"
    "sind; ein Gerät oder eine Pipe (/dev/stdout, mkfifo) wird beschrieben, nicht ersetzt.\n"
    "\n"
    "Rückgabewert: 0 erfolgreich, 1 falscher Aufruf (auch zwei Ausgaben in eine Datei, eine\n"
    "Ausgabe auf eine Eingabedatei, --vorschlag mit einer Ausgabe der Rechnung), 2 Datei nicht\n"
    "lesbar oder schreibbar (auch die Standardausgabe), 3 Bericht unvollständig: ein Feld konnte\n"
    "nicht berechnet werden (der Bericht nennt es am Ende; die Dateien werden geschrieben).\n";

// Messages of the run go to stderr, one per line group.
class CStderrMeldungen : public IMeldungen {
public:
    explicit CStderrMeldungen(std::ostream& aus) : m_Aus(aus) {}
    void Meldung(const std::string& text) override { m_Aus << "kalvo-batch: " << text << '\n'; }
    bool Frage(const std::string& text) override
    {
        m_Aus << "kalvo-batch: " << text << " (Nein)\n";
        return false;
    }

private:
    std::ostream& m_Aus;
};

struct COptionen {
    bool detail = false, reserven = false, rate = false, cp1252 = false, hilfe = false;
    bool linien = false, serien = false, quer = false;
    bool deckung = false, felderEinzeln = false, eineAchse = false, bedarf = false;
    bool energie = false, aktenbericht = false;
    double eigenverbrauch = 0; // %, as the desktop keeps it
    bool sensitivitaet = false;
    std::optional<std::string> bandbreiten;
    std::optional<int> monteCarlo;
    uint64_t seed = 1;
    int threads = 0;
    std::optional<float> sollKonstant;
    std::optional<int> plateau;
    std::optional<std::string> vergleich;
    std::optional<std::string> grafik;
    std::optional<std::string> berichtPdf;
    std::optional<std::string> einzelfeld;
    std::optional<int> ende;
    std::optional<std::string> csv;
    std::optional<std::string> felderCsv, felderAus, xlsx;
    std::optional<std::string> vorschlag;
    std::string datei;
};

// Parses the arguments; returns an error text for bad usage, else "".
std::string OptionenLesen(const std::vector<std::string>& args, COptionen& o)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const auto wert = [&]() -> const std::string* {
            if (i + 1 >= args.size())
                return nullptr;
            return &args[++i];
        };
        if (a == "--help" || a == "-h") {
            o.hilfe = true;
        } else if (a == "--detail") {
            o.detail = true;
        } else if (a == "--reserven") {
            o.reserven = true;
        } else if (a == "--rate") {
            o.rate = true;
        } else if (a == "--linien") {
            o.linien = true;
        } else if (a == "--deckung") {
            o.deckung = true;
        } else if (a == "--bedarf") {
            o.bedarf = true;
        } else if (a == "--aktenbericht") {
            o.aktenbericht = true;
        } else if (a == "--energie") {
            o.energie = true;
        } else if (a == "--eigenverbrauch") {
            const std::string* w = wert();
            // The number rule of every typed number: "2,5" and "2.5", never "14.000".
            const CErgebnis<double> prozent = w ? ZahlImBereich(*w, {0, 100, false, true}) : CFehler{""};
            if (!prozent)
                return "--eigenverbrauch braucht einen Anteil in % (0 bis unter 100)" + Nicht(w) + ".";
            o.eigenverbrauch = *prozent;
        } else if (a == "--sensitivitaet") {
            o.sensitivitaet = true;
        } else if (a == "--bandbreiten") {
            const std::string* w = wert();
            if (!w)
                return "--bandbreiten braucht einen Dateinamen.";
            o.bandbreiten = *w;
        } else if (a == "--monte-carlo") {
            const std::string* w = wert();
            int n = 0;
            if (!w || !LiesInt(*w, n) || n < 1 || n > 1000000)
                return "--monte-carlo braucht eine Zahl von Läufen (1 bis 1000000)" + Nicht(w) + ".";
            o.monteCarlo = n;
        } else if (a == "--seed") {
            const std::string* w = wert();
            int s = 0;
            if (!w || !LiesInt(*w, s) || s < 0)
                return "--seed braucht eine ganze Zahl (0 oder mehr)" + Nicht(w) + ".";
            o.seed = static_cast<uint64_t>(s);
        } else if (a == "--threads") {
            const std::string* w = wert();
            int t = 0;
            if (!w || !LiesInt(*w, t) || t < 1 || t > 256)
                return "--threads braucht eine Zahl von Threads (1 bis 256)" + Nicht(w) + ".";
            o.threads = t;
        } else if (a == "--soll-konstant") {
            const std::string* w = wert();
            const CErgebnis<float> menge = w ? ZahlLesen(*w) : CFehler{""};
            if (!menge || *menge < 0)
                return "--soll-konstant braucht eine Menge in Mio m³ (0 oder mehr)" + Nicht(w) + ".";
            o.sollKonstant = *menge;
        } else if (a == "--plateau") {
            const std::string* w = wert();
            int jahre = 0;
            if (!w || !LiesInt(*w, jahre) || jahre < 1)
                return "--plateau braucht eine Zahl von Jahren (1 oder mehr)" + Nicht(w) + ".";
            o.plateau = jahre;
        } else if (a == "--felder-einzeln") {
            o.felderEinzeln = true;
        } else if (a == "--eine-achse") {
            o.eineAchse = true;
        } else if (a == "--vergleich") {
            const std::string* w = wert();
            if (!w)
                return "--vergleich braucht einen Dateinamen.";
            o.vergleich = *w;
        } else if (a == "--serien") {
            o.serien = true;
        } else if (a == "--grafik") {
            const std::string* w = wert();
            if (!w)
                return "--grafik braucht einen Dateinamen.";
            o.grafik = *w;
        } else if (a == "--bericht-pdf") {
            const std::string* w = wert();
            if (!w)
                return "--bericht-pdf braucht einen Dateinamen.";
            o.berichtPdf = *w;
        } else if (a == "--quer") {
            o.quer = true;
        } else if (a == "--cp1252") {
            o.cp1252 = true;
        } else if (a == "--einzelfeld") {
            const std::string* w = wert();
            if (!w)
                return "--einzelfeld braucht einen Feldnamen.";
            o.einzelfeld = *w;
        } else if (a == "--ende") {
            const std::string* w = wert();
            int jahr = 0;
            if (!w || !LiesInt(*w, jahr) || !JahrPlausibel(jahr))
                return "--ende braucht ein Jahr (1 bis 9999)" + Nicht(w) + ".";
            o.ende = jahr;
        } else if (a == "--csv") {
            const std::string* w = wert();
            if (!w)
                return "--csv braucht einen Dateinamen.";
            o.csv = *w;
        } else if (a == "--xlsx") {
            const std::string* w = wert();
            if (!w)
                return "--xlsx braucht einen Dateinamen.";
            o.xlsx = *w;
        } else if (a == "--felder-csv") {
            const std::string* w = wert();
            if (!w)
                return "--felder-csv braucht einen Dateinamen.";
            o.felderCsv = *w;
        } else if (a == "--felder-aus") {
            const std::string* w = wert();
            if (!w)
                return "--felder-aus braucht einen Dateinamen.";
            o.felderAus = *w;
        } else if (a == "--vorschlag") {
            const std::string* w = wert();
            if (!w)
                return "--vorschlag braucht einen Feldnamen.";
            o.vorschlag = *w;
        } else if (a.size() > 1 && a[0] == '-') {
            return "Unbekannte Option " + Zitiert(a) + ".";
        } else if (!o.datei.empty()) {
            return "Nur eine Datei angeben (" + Zitiert(o.datei) + " und " + Zitiert(a) + ").";
        } else {
            o.datei = a;
        }
    }
    if (!o.hilfe && o.datei.empty())
        return "Keine Datei angegeben.";
    if (o.quer && !o.berichtPdf)
        return "--quer gilt nur mit --bericht-pdf.";
    if (o.aktenbericht && !o.berichtPdf)
        return "--aktenbericht gilt nur mit --bericht-pdf.";
    if ((o.sensitivitaet || o.monteCarlo) && !o.bandbreiten)
        return "--sensitivitaet und --monte-carlo brauchen --bandbreiten DATEI.";
    if (o.bandbreiten && !o.sensitivitaet && !o.monteCarlo)
        return "--bandbreiten gilt nur mit --sensitivitaet oder --monte-carlo.";
    if (o.reserven && (o.sensitivitaet || o.monteCarlo))
        return "--sensitivitaet und --monte-carlo gelten nicht mit --reserven.";
    if (o.reserven && (o.deckung || o.vergleich || o.bedarf || o.plateau))
        return "--deckung, --vergleich, --bedarf und --plateau gelten nicht mit --reserven.";
    if (o.vorschlag) {
        // The proposal computes no forecast: whatever the run would give is refused, not dropped.
        const std::pair<bool, const char*> laufabhaengig[] = {
            {o.csv.has_value(), "--csv"},
            {o.xlsx.has_value(), "--xlsx"},
            {o.grafik.has_value(), "--grafik"},
            {o.berichtPdf.has_value(), "--bericht-pdf"},
            {o.serien, "--serien"},
            {o.detail, "--detail"},
            {o.reserven, "--reserven"},
            {o.einzelfeld.has_value(), "--einzelfeld"},
            {o.deckung, "--deckung"},
            {o.bedarf, "--bedarf"},
            {o.energie, "--energie"},
            {o.plateau.has_value(), "--plateau"},
            {o.vergleich.has_value(), "--vergleich"},
            {o.sensitivitaet, "--sensitivitaet"},
            {o.monteCarlo.has_value(), "--monte-carlo"},
        };
        for (const auto& [gegeben, option] : laufabhaengig)
            if (gegeben)
                return std::string(option) +
                       " gilt nicht mit --vorschlag: der Vorschlag für A1, B1, C-Wert rechnet keine Prognose.";
    }
    return {};
}

// The proposal for A1, B1 and C-Wert of one field, as the field data dialog
// computes it: the gas property text and the proposal line on stdout, the
// dialog's messages on stderr.
int Vorschlag(const CKalvoDoc& doc, const std::string& name, std::ostream& aus, IMeldungen& meldungen)
{
    const int i = doc.FeldIndex(name);
    if (i < 0) {
        meldungen.Meldung("Das Feld " + Zitiert(name) + " gibt es nicht.");
        return kAufruf;
    }
    const CFeldwerte& feld = doc.m_saFelder[static_cast<size_t>(i)].Werte();
    if (ZusammensetzungFehlt(feld)) {
        meldungen.Meldung("Die Gaszusammensetzung fehlt");
        return kDatei;
    }
    CGaseigenschaften gas;
    CVorschlag vorschlag;
    if (!OnComputeAbc(feld, doc.m_iProjektende, meldungen, vorschlag, gas))
        return kDatei;
    std::string text;
    CStilleMeldungen still; // the checks above have already spoken
    GaseigenschaftenDialog(feld, false, still, gas, &text);
    aus << text << "\n\n" << vorschlag.m_sVorschlag << '\n';
    return kOk;
}

std::string JsonText(const std::string& s)
{
    std::string j = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\')
            j += '\\', j += static_cast<char>(c);
        else if (c < 0x20)
            j += Format("\\u%04x", c);
        else
            j += static_cast<char>(c);
    }
    return j + "\"";
}

// The chart data of the run and the twelve axis members after scaling.
std::string SerienJson(const CKalvoDoc& d, const CGrafik& g)
{
    const int n = std::min(d.m_iAnzahl, kMaxJahre);
    std::string x, y, y1;
    for (int i = 0; i < n; ++i) {
        const char* k = i ? ", " : "";
        x += Format("%s%d", k, d.X[i]);
        y += Format("%s%.9g", k, double(d.Y[i]));
        y1 += Format("%s%.9g", k, double(d.Y1[i]));
    }
    std::string j = "{\n";
    j += Format("  \"m_iProjektstart\": %d,\n  \"m_iAnzahl\": %d,\n", d.m_iProjektstart, d.m_iAnzahl);
    j += "  \"X\": [" + x + "],\n  \"Y\": [" + y + "],\n  \"Y1\": [" + y1 + "],\n";
    const std::pair<const char*, const std::string*> texte[] = {
        {"m_sTitel", &d.m_sTitel},        {"m_sUntertitel", &d.m_sUntertitel}, {"m_sAchseX", &d.m_sAchseX},
        {"m_sAchseY", &d.m_sAchseY},      {"m_sAchseY1", &d.m_sAchseY1},       {"m_sLegendeY", &d.m_sLegendeY},
        {"m_sLegendeY1", &d.m_sLegendeY1}};
    for (const auto& [name, text] : texte)
        j += Format("  \"%s\": ", name) + JsonText(*text) + ",\n";
    const std::pair<const char*, double> achsen[] = {
        {"xmin", g.xmin},       {"xmax", g.xmax},     {"ymin", g.ymin},     {"ymax", g.ymax},
        {"y1min", g.y1min},     {"y1max", g.y1max},   {"xstart", g.xstart}, {"ystart", g.ystart},
        {"y1start", g.y1start}, {"deltax", g.deltax}, {"deltay", g.deltay}, {"deltay1", g.deltay1}};
    for (size_t i = 0; i < std::size(achsen); ++i)
        j += Format("  \"%s\": %.17g%s\n", achsen[i].first, achsen[i].second, i + 1 < std::size(achsen) ? "," : "");
    return j + "}\n";
}

// The file a path names, through links (also one whose file does not exist
// yet) and any spelling: "./a.csv" and "a.csv" are one file.
std::filesystem::path Aufgeloest(const std::string& pfad)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path p = fs::absolute(pfad, ec);
    for (int schritte = 0; schritte < 40 && fs::is_symlink(p, ec); ++schritte) {
        const fs::path weiter = fs::read_symlink(p, ec);
        if (ec)
            break;
        p = weiter.is_absolute() ? weiter : p.parent_path() / weiter;
    }
    const fs::path echt = fs::weakly_canonical(p, ec);
    return ec ? p.lexically_normal() : echt;
}

// True when `ausgabe` names the file `eingabe` (also through a link, a hard
// link or another spelling of the path).
bool DieselbeDatei(const std::string& ausgabe, const std::string& eingabe)
{
    std::error_code ec;
    if (std::filesystem::equivalent(ausgabe, eingabe, ec))
        return true;
    // An output that does not exist yet may still be the input's name spelled otherwise.
    return Aufgeloest(ausgabe) == Aufgeloest(eingabe);
}

struct CAusgabe {
    const char* option;
    std::string pfad;
};

// The files asked for, in the order they are written.
std::vector<CAusgabe> Ausgaben(const COptionen& o)
{
    std::vector<CAusgabe> a;
    const std::pair<const char*, const std::optional<std::string>*> alle[] = {{"--felder-csv", &o.felderCsv},
                                                                              {"--csv", &o.csv},
                                                                              {"--grafik", &o.grafik},
                                                                              {"--xlsx", &o.xlsx},
                                                                              {"--bericht-pdf", &o.berichtPdf}};
    for (const auto& [option, pfad] : alle)
        if (*pfad)
            a.push_back({option, **pfad});
    return a;
}

// A device or a pipe is written in place: it cannot destroy an input file.
bool Strom(const std::string& pfad)
{
    std::error_code ec;
    return std::filesystem::is_character_file(pfad, ec) || std::filesystem::is_fifo(pfad, ec);
}

// Refuses outputs that would overwrite the document, the variant or another
// input, and two outputs onto one file (also through another spelling of its
// path or a link); "" when none does. Two outputs onto one character device
// follow one another (as the report and `--csv /dev/stdout` do); onto one
// pipe they are refused: its reader ends with the first, and the second
// would wait for ever.
std::string AusgabenUeberschneiden(const COptionen& o)
{
    std::vector<std::string> eingaben{o.datei};
    if (o.vergleich)
        eingaben.push_back(*o.vergleich);
    for (const auto* eingabe : {&o.felderAus, &o.bandbreiten})
        if (*eingabe)
            eingaben.push_back(**eingabe);
    const std::vector<CAusgabe> ausgaben = Ausgaben(o);
    for (size_t i = 0; i < ausgaben.size(); ++i) {
        const CAusgabe& a = ausgaben[i];
        std::error_code ec;
        if (std::filesystem::is_character_file(a.pfad, ec))
            continue;
        for (const std::string& e : eingaben)
            if (!Strom(a.pfad) && DieselbeDatei(a.pfad, e))
                return Format("Die Ausgabe %s ist die Eingabedatei %s; sie wird nicht überschrieben.", a.pfad.c_str(),
                              e.c_str());
        for (size_t k = 0; k < i; ++k)
            if (DieselbeDatei(a.pfad, ausgaben[k].pfad))
                return Format("%s und %s schreiben beide in die Datei %s; jede Ausgabe braucht ihre eigene Datei.",
                              ausgaben[k].option, a.option, a.pfad.c_str());
    }
    return {};
}

// Every file asked for can be written where it is to go (an existing folder,
// no directory or write-protected file in its place, a chart name with a
// known ending): checked before anything runs, so that a long study does not
// end in a refusal. "" when all can, else the message.
std::string AusgabenPruefen(const COptionen& o)
{
    for (const CAusgabe& a : Ausgaben(o)) {
#ifndef KALVO_GRAFIK
        if (a.option != std::string_view("--felder-csv") && a.option != std::string_view("--csv"))
            return a.option + std::string(": Diese Ausgabe wurde ohne Grafik gebaut.");
#endif
        if (a.option == std::string_view("--grafik")) {
            std::string endung = std::filesystem::path(a.pfad).extension().string();
            std::transform(endung.begin(), endung.end(), endung.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (endung != ".png" && endung != ".svg" && endung != ".pdf")
                return a.pfad + ": Unbekanntes Grafikformat; möglich sind .png, .svg und .pdf.";
        }
        if (const CErgebnis<> ziel = ZielPruefen(a.pfad); !ziel)
            return a.pfad + ": " + ziel.Fehlertext();
    }
    return {};
}

// A report nobody received is no success: a full disk or a closed pipe on
// standard output ends the run with status 2.
int Ausgegeben(std::ostream& aus, std::ostream& fehler, int status)
{
    if (aus.flush())
        return status;
    fehler << "kalvo-batch: Die Standardausgabe konnte nicht geschrieben werden (Datenträger voll oder "
              "Ausgabe geschlossen).\n";
    return kDatei;
}

// Writes the files asked for, after the report: each one whole or not at
// all. The first that fails ends the run with status 2; the files before it
// stay written (the message names the one that failed).
int DateienSchreiben(const COptionen& o, CKalvoDoc& doc, IMeldungen& meldungen, std::ostream& fehler)
{
    for (const CAusgabe& a : Ausgaben(o)) {
        const std::string_view option = a.option;
        CErgebnis<> geschrieben;
        if (option == "--felder-csv") {
            geschrieben = DateiAtomarSchreiben(a.pfad, FeldtabelleCsv(doc.m_saFelder));
        } else if (option == "--csv") {
            geschrieben = DateiAtomarSchreiben(a.pfad, JahresreihenCsv(doc.Jahresreihen()));
        } else {
#ifdef KALVO_GRAFIK
            GrafikUmgebung();
            if (option == "--grafik") {
                CGrafik bild(doc); // its own chart: the file does not change what --serien prints
                geschrieben = GrafikSchreiben(bild, a.pfad, meldungen);
            } else if (option == "--xlsx") {
                geschrieben = ArbeitsmappeSchreiben(doc, a.pfad);
            } else {
                geschrieben = BerichtPdfSchreiben(doc, a.pfad, o.quer);
            }
#else
            (void)meldungen;
            geschrieben = CFehler{"Diese Ausgabe wurde ohne Grafik gebaut."};
#endif
        }
        if (!geschrieben) {
            fehler << "kalvo-batch: " << a.pfad << ": " << geschrieben.Fehlertext() << '\n';
            return kDatei;
        }
    }
    return kOk;
}

} // namespace

int KalvoBatch(const std::vector<std::string>& argumente, std::ostream& aus, std::ostream& fehler)
{
    COptionen o;
    const std::string aufrufFehler = OptionenLesen(argumente, o);
    if (!aufrufFehler.empty()) {
        fehler << "kalvo-batch: " << aufrufFehler << "\n\n" << kHilfe;
        return kAufruf;
    }
    if (o.hilfe) {
        aus << kHilfe;
        return Ausgegeben(aus, fehler, kOk);
    }
    if (const std::string ueberschneiden = AusgabenUeberschneiden(o); !ueberschneiden.empty()) {
        fehler << "kalvo-batch: " << ueberschneiden << '\n';
        return kAufruf;
    }
    if (const std::string ziel = AusgabenPruefen(o); !ziel.empty()) {
        fehler << "kalvo-batch: " << ziel << '\n';
        return kDatei;
    }

    // Every check below comes before the first file is written: a run that
    // ends with status 1 or 2 here writes none.
    CStderrMeldungen meldungen(fehler);
    CKalvoDoc doc(meldungen);
    const CErgebnis<std::string> bytes = DateiLesen(o.datei);
    const CErgebnis<> geladen = bytes ? doc.Laden(*bytes) : CFehler{bytes.Fehlertext()};
    if (!geladen) {
        fehler << "kalvo-batch: " << o.datei << ": " << geladen.Fehlertext() << '\n';
        return kDatei;
    }
    if (o.felderAus) {
        const CErgebnis<std::string> text = DateiLesen(*o.felderAus);
        if (!text) {
            fehler << "kalvo-batch: " << *o.felderAus << ": " << text.Fehlertext() << '\n';
            return kDatei;
        }
        CErgebnis<CFeldsaetze> felder = FeldtabelleLesen(*text);
        if (!felder) {
            fehler << "kalvo-batch: " << *o.felderAus << ": " << felder.Fehlertext() << '\n';
            return kAufruf;
        }
        doc.m_saFelder = std::move(*felder);
    }
    doc.NachDemLaden();
    doc.SetTitle(std::filesystem::path(o.datei).filename().string());
    if (o.ende)
        doc.m_iProjektende = *o.ende;
    if (o.vorschlag) {
        const int status = Ausgegeben(aus, fehler, Vorschlag(doc, *o.vorschlag, aus, meldungen));
        return status == kOk ? DateienSchreiben(o, doc, meldungen, fehler) : status;
    }
    doc.m_bDetailausgabe = o.detail ? 1 : 0;
    doc.m_bFeldesreserven = o.reserven ? 1 : 0;
    doc.m_iGrafikRate = o.rate ? 1 : 0;
    if (o.einzelfeld && !doc.EinzelfeldWaehlen(*o.einzelfeld)) {
        fehler << "kalvo-batch: " << o.datei << ": Das Feld " << Zitiert(*o.einzelfeld) << " gibt es nicht.\n";
        return kAufruf;
    }

    if (o.linien)
        doc.OnLiniendiagramm();
    doc.m_bDeckung = o.deckung;
    doc.m_bFelderEinzeln = o.felderEinzeln;
    doc.m_bGemeinsameAchse = o.eineAchse;
    doc.m_bBedarf = o.bedarf;
    doc.m_bEnergie = o.energie;
    doc.m_bAktenbericht = o.aktenbericht;
    doc.m_dEigenverbrauch = o.eigenverbrauch;
    if (o.sollKonstant)
        doc.m_fSollKonstant = *o.sollKonstant;
    if (o.vergleich) {
        if (const CErgebnis<> geladen = doc.VarianteLaden(*o.vergleich); !geladen) {
            fehler << "kalvo-batch: " << *o.vergleich << ": " << geladen.Fehlertext() << '\n';
            return kDatei;
        }
        if (o.ende)
            doc.VarianteDokument()->m_iProjektende = *o.ende;
    }

    // The ranges are read before anything runs: a bad line runs nothing.
    std::vector<CSpanne> spannen;
    if (o.bandbreiten) {
        const CErgebnis<std::string> text = DateiLesen(*o.bandbreiten);
        if (!text) {
            fehler << "kalvo-batch: " << *o.bandbreiten << ": " << text.Fehlertext() << '\n';
            return kDatei;
        }
        CErgebnis<std::vector<CSpanne>> gelesen = BandbreitenLesen(*text, doc.m_saFelder);
        if (!gelesen) {
            fehler << "kalvo-batch: " << *o.bandbreiten << ": " << gelesen.Fehlertext() << '\n';
            return kAufruf;
        }
        spannen = std::move(*gelesen);
    }

    doc.Berechnen();
    // A field left out (status 3) still gives the report, and the files as
    // well: they hold what the report holds, and the status says it.
    const int status = doc.NichtBerechnet().empty() ? kOk : kUnvollstaendig;
    for (const std::string& hinweis : doc.Hinweise()) // legal but implausible: named, not refused
        fehler << "kalvo-batch: Hinweis: " << hinweis << '\n';
    if (o.plateau && *o.plateau > doc.m_iAnzahl) {
        fehler << "kalvo-batch: --plateau " << *o.plateau << ": das Projekt hat nur " << doc.m_iAnzahl << " Jahre.\n";
        return kAufruf;
    }
    // A study that fails (the memory ran out) ends like an output that cannot be written.
    if (o.sensitivitaet) {
        CErgebnis<CSensitivitaetsErgebnis> s = Sensitivitaeten(doc.LaufEingabe(), spannen, o.plateau, o.threads);
        if (!s) {
            fehler << "kalvo-batch: " << s.Fehlertext() << '\n';
            return kDatei;
        }
        doc.SensitivitaetSetzen(std::move(s).value());
        doc.m_bTornado = true; // --grafik writes the tornado
    }
    if (o.monteCarlo) {
        CErgebnis<CUnsicherheit> u = MonteCarlo(doc.LaufEingabe(), spannen, *o.monteCarlo, o.seed, o.threads);
        if (!u) {
            fehler << "kalvo-batch: " << u.Fehlertext() << '\n';
            return kDatei;
        }
        doc.UnsicherheitSetzen(std::move(u).value());
    }

    if (o.plateau) {
        // Part of the report: printed, and in the report as PDF as well.
        doc.PlateauSetzen(HoechstesPlateau(doc.LaufEingabe(), *o.plateau));
    }

    if (o.serien) {
        CGrafik grafik(doc);
        grafik.OnGraf();
        aus << SerienJson(doc, grafik);
    } else {
        for (const auto& zeile : doc.m_saBericht) {
            if (o.cp1252) {
                std::string b;
                Utf8ZuCp1252(zeile, b);
                aus << b << '\n';
            } else {
                aus << zeile << '\n';
            }
        }
    }
    // The report first, then the files: one sent to /dev/stdout follows it.
    if (Ausgegeben(aus, fehler, kOk) != kOk)
        return kDatei;
    if (DateienSchreiben(o, doc, meldungen, fehler) != kOk)
        return kDatei;
    return status;
}
