#include "batch/CBatch.h"

#include "bandbreiten/Bandbreiten.h"
#include "bandbreiten/Plateauverteilung.h"
#include "bericht/Jahresreihentabelle.h"
#include "doc/CKalvoDoc.h"
#include "gas/Feldpruefung.h"
#include "model/Feldtabelle.h"
#include "optionen/Optionstabelle.h"
#include "planung/Messungen.h"
#include "platform/Cp1252.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "studie/Plateau.h"
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
#include <tuple>

namespace {

constexpr int kOk = 0;
constexpr int kAufruf = 1;
constexpr int kDatei = 2;
constexpr int kUnvollstaendig = 3; // printed, but a field could not be computed

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

// The proposal for A1, B1 and C-Wert of one field, as the field data dialog
// computes it: the gas property text and the proposal line on stdout (in
// Windows-1252 with --cp1252, as the report), the dialog's messages on stderr.
int Vorschlag(const CKalvoDoc& doc, const std::string& name, bool cp1252, std::ostream& aus, IMeldungen& meldungen)
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
    std::string ausgabe = text + "\n\n" + vorschlag.m_sVorschlag + '\n';
    if (cp1252) {
        std::string bytes;
        Utf8ZuCp1252(ausgabe, bytes);
        ausgabe = std::move(bytes);
    }
    aus << ausgabe;
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
        fehler << "kalvo-batch: " << aufrufFehler << "\n\n" << Hilfetext();
        return kAufruf;
    }
    if (o.hilfe) {
        aus << Hilfetext();
        return Ausgegeben(aus, fehler, kOk);
    }
    if (o.version) {
        aus << "kalvo-batch " << KALVO_VERSION << '\n';
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
        const int status = Ausgegeben(aus, fehler, Vorschlag(doc, *o.vorschlag, o.cp1252, aus, meldungen));
        return status == kOk ? DateienSchreiben(o, doc, meldungen, fehler) : status;
    }
    // The plan beside the document (or the one named): its options are the
    // document's; a plan that cannot be read or breaks a rule runs nothing.
    if (!o.ohnePlanung) {
        if (const CErgebnis<> plan = o.planung ? doc.PlanungLaden(*o.planung, false) : doc.PlanungLaden(o.datei);
            !plan) {
            fehler << "kalvo-batch: " << plan.Fehlertext() << '\n';
            return kDatei;
        }
    }
    if (o.messungen) {
        const CErgebnis<std::string> text = DateiLesen(*o.messungen);
        if (!text) {
            fehler << "kalvo-batch: " << *o.messungen << ": " << text.Fehlertext() << '\n';
            return kDatei;
        }
        CErgebnis<CMessungen> gelesen = MessungenLesen(*text);
        if (!gelesen) {
            fehler << "kalvo-batch: " << *o.messungen << ": " << gelesen.Fehlertext() << '\n';
            return kAufruf;
        }
        CPlanung plan = doc.Planung().value_or(CPlanung{});
        plan.messungen = std::move(*gelesen);
        doc.PlanungSetzen(std::move(plan));
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
    // A switch of the command line turns an option on over the plan's.
    doc.m_bDeckung = doc.m_bDeckung || o.deckung;
    doc.m_bFelderEinzeln = o.felderEinzeln;
    doc.m_bGemeinsameAchse = o.eineAchse;
    doc.m_bBedarf = doc.m_bBedarf || o.bedarf;
    doc.m_bEnergie = doc.m_bEnergie || o.energie;
    doc.m_bAktenbericht = o.aktenbericht;
    if (o.eigenverbrauch)
        doc.m_dEigenverbrauch = *o.eigenverbrauch;
    if (o.sollKonstant)
        doc.m_fSollKonstant = *o.sollKonstant;
    if (o.monate) {
        if (!doc.Planung() || doc.Planung()->vertraege.empty()) {
            fehler << "kalvo-batch: --monate gilt nur mit Verträgen der Planung.\n";
            return kAufruf;
        }
        std::tie(doc.m_iMonateVon, doc.m_iMonateBis) = *o.monate;
    }
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
        CErgebnis<std::vector<CSpanne>> gelesen =
            BandbreitenLesen(*text, doc.m_saFelder, doc.Planung() ? &*doc.Planung() : nullptr);
        if (!gelesen) {
            fehler << "kalvo-batch: " << *o.bandbreiten << ": " << gelesen.Fehlertext() << '\n';
            return kAufruf;
        }
        spannen = std::move(*gelesen);
        // As the desktop: a study of no range is refused, not an empty table.
        if (spannen.empty()) {
            fehler << "kalvo-batch: " << *o.bandbreiten << ": Die Bandbreiten enthalten keine Zeile.\n";
            return kAufruf;
        }
        doc.m_sBandbreitenDatei = std::filesystem::path(*o.bandbreiten).filename().string();
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
    if (const int letztes = doc.m_iProjektstart + doc.m_iAnzahl - 1;
        o.plateauAb && (*o.plateauAb < doc.m_iProjektstart || *o.plateauAb + *o.plateau - 1 > letztes)) {
        fehler << "kalvo-batch: --plateau-ab " << *o.plateauAb << ": " << *o.plateau
               << " Jahre ab diesem Jahr liegen nicht im Projekt (" << doc.m_iProjektstart << " bis " << letztes
               << ").\n";
        return kAufruf;
    }
    if (const int letztes = doc.m_iProjektstart + doc.m_iAnzahl - 1;
        o.monate && (o.monate->first < doc.m_iProjektstart || o.monate->second > letztes)) {
        fehler << "kalvo-batch: --monate " << o.monate->first << '-' << o.monate->second
               << ": die Jahre liegen nicht im Projekt (" << doc.m_iProjektstart << " bis " << letztes << ").\n";
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
        CErgebnis<CUnsicherheit> u =
            MonteCarlo(doc.LaufEingabe(), spannen, *o.monteCarlo, o.seed, o.threads, {}, o.pSoll);
        if (!u) {
            fehler << "kalvo-batch: " << u.Fehlertext() << '\n';
            return kDatei;
        }
        CUnsicherheit unsicherheit = std::move(u).value();
        if (o.plateau) { // each run's plateau: its P90, P50 and P10 after the table
            CErgebnis<std::vector<CPlateauperzentile>> p = PlateauMonteCarlo(
                doc.LaufEingabe(), spannen, *o.monteCarlo, o.seed, *o.plateau, o.plateauAb.value_or(0), o.threads);
            if (!p) {
                fehler << "kalvo-batch: " << p.Fehlertext() << '\n';
                return kDatei;
            }
            unsicherheit.plateaus = std::move(p).value();
        }
        doc.m_nSeed = o.seed;
        doc.UnsicherheitSetzen(std::move(unsicherheit));
    }

    if (o.plateau) {
        // Part of the report: printed, and in the report as PDF as well.
        doc.PlateauSetzen(HoechstePlateaus(doc.LaufEingabe(), *o.plateau, {}, o.plateauAb.value_or(0)));
    }
    if (o.szenarien) {
        if (!doc.Planung() || doc.Planung()->szenarien.empty()) {
            fehler << "kalvo-batch: --szenarien: die Planung enthält keine Szenarien.\n";
            return kAufruf;
        }
        // With ranges, Monte Carlo runs and the plateau: each row's P90 plateau too.
        std::optional<CSzenarioBandbreiten> bandbreiten;
        if (!spannen.empty() && o.monteCarlo && o.plateau)
            bandbreiten = CSzenarioBandbreiten{spannen, *o.monteCarlo, o.seed};
        CErgebnis<CSzenarienergebnis> s = doc.SzenarienRechnen(o.plateau.value_or(0), o.plateauAb.value_or(0),
                                                               o.threads, {}, bandbreiten ? &*bandbreiten : nullptr);
        if (!s) {
            fehler << "kalvo-batch: " << s.Fehlertext() << '\n';
            return kDatei;
        }
        doc.SzenarienSetzen(std::move(s).value());
        doc.m_bSzenarienGrafik = true; // --grafik draws the scenarios' lines
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
