#include "bandbreiten/Bandbreiten.h"

#include "model/Feldregeln.h"
#include "platform/Cp1252.h"
#include "platform/Csv.h"
#include "platform/Format.h"
#include "platform/Zahlregel.h"
#include "run/Plateau.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <mutex>
#include <new>
#include <random>
#include <thread>

namespace {

struct CGroessenName {
    EGroesse groesse;
    const char* name;    // as the file and the tables write it
    const char* anderer; // the same with umlaut
    const char* genitiv; // for a message: "der C-Wert"
};

const CGroessenName kGroessen[] = {
    {EGroesse::OGIP, "OGIP", "OGIP", "das OGIP"},
    {EGroesse::CWert, "C-Wert", "C-Wert", "der C-Wert"},
    {EGroesse::A1, "A1", "A1", "A1"},
    {EGroesse::Wasserinvasion, "Wasserinvasion", "Wasserinvasion", "die Wasserinvasion"},
    {EGroesse::Kopfdruck, "Kopfdruck", "Kopfdruck", "der Kopfdruck"},
    {EGroesse::Bohrungen, "Bohrungen", "Bohrungen", "die Bohrungsanzahl"},
    {EGroesse::Startverzoegerung, "Startverzoegerung", "Startverzögerung", "die Startverzögerung"},
};

// More cells than a ranges line has, with room for a spreadsheet's own.
constexpr size_t kMaxZellen = 100;

// A value of the file: a number (decimal comma or point), or percent with "%".
struct CAngabe {
    double wert = 0;
    bool prozent = false;
};

// The reason is "" on success, else the number rule's ("ist keine Zahl.").
std::string AngabeLesen(std::string_view text, EZahlschreibung schreibung, CAngabe& a)
{
    a.prozent = !text.empty() && text.back() == '%';
    if (a.prozent)
        text = CsvGetrimmt(text.substr(0, text.size() - 1));
    const CErgebnis<float> w = ZahlLesen(text, schreibung);
    if (!w)
        return w.Fehlertext();
    a.wert = *w;
    return {};
}

// The file decides once whether its numbers carry a decimal comma.
EZahlschreibung SchreibungDerDatei(const CCsvTabelle& tabelle)
{
    for (size_t nr = 1; nr < tabelle.size(); ++nr) {
        for (size_t k = 2; k < 4 && k < tabelle[nr].size(); ++k) {
            std::string_view zahl = tabelle[nr][k];
            if (!zahl.empty() && zahl.back() == '%')
                zahl = CsvGetrimmt(zahl.substr(0, zahl.size() - 1));
            if (HatDezimalkomma(zahl))
                return EZahlschreibung::Dezimalkomma;
        }
    }
    return EZahlschreibung::Dezimalpunkt;
}

// The first four cells of a line, the table's: the rest is not split.
std::string_view VierZellen(std::string_view zeile)
{
    size_t pos = 0;
    for (int k = 0; k < 4; ++k) {
        pos = zeile.find(';', pos);
        if (pos == std::string_view::npos)
            return zeile;
        ++pos;
    }
    return zeile.substr(0, pos - 1);
}

double Aufgeloest(const CAngabe& a, double grundwert)
{
    return a.prozent ? grundwert * a.wert / 100.0 : a.wert;
}

std::string Zahl(double w)
{
    return Format("%g", w);
}

// The stage value changed by the head value's factor; 0 (no change) stays 0.
float Skaliert(float stufe, double faktor)
{
    return static_cast<float>(stufe * faktor);
}

int Bohrungen(double wert)
{
    return std::max(1, static_cast<int>(std::lround(wert)));
}

} // namespace

std::string BandbreitenPfad(const std::string& dokument)
{
    std::string pfad = dokument;
    const size_t punkt = pfad.rfind('.');
    if (punkt != std::string::npos && pfad.find('/', punkt) == std::string::npos)
        pfad.resize(punkt);
    return pfad + ".bandbreiten.csv";
}

std::vector<CBandbreitenZeile> BandbreitenZeilen(std::string_view bytes)
{
    const std::string text = TextAusDatei(bytes);
    const std::vector<std::string_view> zeilen = CsvZeilen(text);
    std::vector<CBandbreitenZeile> ergebnis;
    for (size_t nr = 2; nr <= zeilen.size(); ++nr) { // line 1 is the heading
        const std::vector<std::string> z = CsvZellen(VierZellen(zeilen[nr - 1]));
        if (CsvLeer(z))
            continue;
        CBandbreitenZeile zeile;
        for (size_t k = 0; k < zeile.size() && k < z.size(); ++k)
            zeile[k] = z[k];
        ergebnis.push_back(zeile);
    }
    return ergebnis;
}

std::string BandbreitenDatei(const std::vector<CBandbreitenZeile>& zeilen)
{
    std::string text = "Feld;Groesse;Tief;Hoch\n";
    for (const CBandbreitenZeile& z : zeilen)
        text += z[0] + ";" + z[1] + ";" + z[2] + ";" + z[3] + "\n";
    return text;
}

const char* GroessenName(EGroesse g)
{
    for (const auto& n : kGroessen)
        if (n.groesse == g)
            return n.name;
    return "";
}

double Grundwert(const CFeldsatz& satz, EGroesse g)
{
    const CFeldwerte& f = satz.Werte();
    switch (g) {
    case EGroesse::OGIP: return f.m_fOGIP;
    case EGroesse::CWert: return f.m_fCWert;
    case EGroesse::A1: return f.m_fA1;
    case EGroesse::Wasserinvasion: return f.m_fWasserinvasion;
    case EGroesse::Kopfdruck: return f.m_fKopfdruck;
    case EGroesse::Bohrungen: return f.m_iBohrungen;
    case EGroesse::Startverzoegerung: return 0;
    }
    return 0;
}

CFeldsatz Abgewandelt(const CFeldsatz& satz, const std::vector<std::pair<EGroesse, double>>& werte)
{
    CFeldwerte f = satz.Werte();
    CStufen stufen = satz.Stufen();
    std::string text = satz.Text();
    for (const auto& [g, w] : werte) {
        // The key of the variation in a field store: the quantity and the
        // value's bytes (exact, and far cheaper than printing it).
        text += '|';
        text += static_cast<char>('0' + static_cast<int>(g));
        text.append(reinterpret_cast<const char*>(&w), sizeof w);
        const double basis = Grundwert(satz, g);
        const double faktor = basis != 0 ? w / basis : 1.0;
        switch (g) {
        case EGroesse::OGIP: f.m_fOGIP = static_cast<float>(w); break;
        case EGroesse::CWert:
            f.m_fCWert = static_cast<float>(w);
            for (CStufenzeile& s : stufen)
                s.m_fStufeCWert = Skaliert(s.m_fStufeCWert, faktor);
            break;
        case EGroesse::A1: f.m_fA1 = static_cast<float>(w); break;
        case EGroesse::Wasserinvasion: f.m_fWasserinvasion = static_cast<float>(w); break;
        case EGroesse::Kopfdruck:
            f.m_fKopfdruck = static_cast<float>(w);
            for (CStufenzeile& s : stufen)
                s.m_fStufeKopfdruck = Skaliert(s.m_fStufeKopfdruck, faktor);
            break;
        case EGroesse::Bohrungen: {
            const int neu = Bohrungen(w);
            const double wirklich = satz.Werte().m_iBohrungen != 0 ? double(neu) / satz.Werte().m_iBohrungen : 1.0;
            f.m_iBohrungen = neu;
            for (CStufenzeile& s : stufen)
                if (s.m_iStufeBohrungen > 0)
                    s.m_iStufeBohrungen = Bohrungen(s.m_iStufeBohrungen * wirklich);
            break;
        }
        case EGroesse::Startverzoegerung: {
            // Whole years: the start and the stage rows move together (an
            // empty row, year 0, stays empty).
            const int jahre = static_cast<int>(std::lround(w));
            f.m_iFoerderbeginn += jahre;
            for (CStufenzeile& s : stufen)
                if (s.m_iStufeAbJahr > 0)
                    s.m_iStufeAbJahr += jahre;
            break;
        }
        }
    }
    return CFeldsatz::AusWerten(std::move(text), f, stufen);
}

CErgebnis<std::vector<CSpanne>> BandbreitenLesen(std::string_view bytes, const CFeldsaetze& felder)
{
    const std::string text = TextAusDatei(bytes);
    std::vector<CSpanne> spannen;
    std::map<std::pair<int, EGroesse>, int> gesehen; // field and quantity → line
    const CErgebnis<CCsvTabelle> tabelle = CsvTabelle(text, kMaxZellen);
    if (!tabelle)
        return CFehler{tabelle.Fehlertext()};
    const std::vector<std::string> kopf = tabelle->empty() ? std::vector<std::string>() : (*tabelle)[0];
    if (kopf.size() < 4 || KleinSchreibung(kopf[0]) != "feld" ||
        (KleinSchreibung(kopf[1]) != "groesse" && KleinSchreibung(kopf[1]) != "größe") ||
        KleinSchreibung(kopf[2]) != "tief" || KleinSchreibung(kopf[3]) != "hoch")
        return CFehler{"Zeile 1: Die Kopfzeile muss „Feld;Groesse;Tief;Hoch“ lauten."};
    const EZahlschreibung schreibung = SchreibungDerDatei(*tabelle);
    for (int nr = 2; nr <= static_cast<int>(tabelle->size()); ++nr) {
        const auto fehler = [nr](const std::string& t) { return CFehler{Format("Zeile %d: ", nr) + t}; };
        const std::vector<std::string>& z = (*tabelle)[static_cast<size_t>(nr - 1)];
        if (CsvLeer(z))
            continue; // an empty line, or one a spreadsheet wrote as ";;;"
        if (z.size() < 4)
            return fehler("Es fehlen Angaben; erwartet werden Feld;Groesse;Tief;Hoch.");
        const CGroessenName* g = nullptr;
        for (const auto& n : kGroessen)
            if (KleinSchreibung(z[1]) == KleinSchreibung(n.name) || KleinSchreibung(z[1]) == KleinSchreibung(n.anderer))
                g = &n;
        if (!g)
            return fehler("Die Größe „" + Zitat(z[1]) +
                          "“ gibt es nicht (OGIP, C-Wert, A1, Wasserinvasion, Kopfdruck, Bohrungen, "
                          "Startverzoegerung).");
        CAngabe tief, hoch;
        if (const std::string grund = AngabeLesen(z[2], schreibung, tief); !grund.empty())
            return fehler("Tief („" + Zitat(z[2]) + "“) " + grund);
        if (const std::string grund = AngabeLesen(z[3], schreibung, hoch); !grund.empty())
            return fehler("Hoch („" + Zitat(z[3]) + "“) " + grund);
        if (g->groesse == EGroesse::Startverzoegerung && (tief.prozent || hoch.prozent))
            return fehler("Die Startverzögerung wird in Jahren angegeben, nicht in %.");
        if (tief.prozent == hoch.prozent && tief.wert > hoch.wert)
            return fehler("Tief (" + Zitat(z[2]) + ") ist größer als Hoch (" + Zitat(z[3]) + ").");

        std::vector<int> welche;
        if (z[0] == "*") {
            for (size_t i = 0; i < felder.size(); ++i)
                if (felder[i].Lesbar())
                    welche.push_back(static_cast<int>(i));
        } else {
            const int i = FeldIndex(felder, z[0]);
            if (i < 0)
                return fehler("Das Feld „" + Zitat(z[0]) + "“ gibt es im Dokument nicht.");
            welche.push_back(i);
        }
        for (int i : welche) {
            const CFeldsatz& satz = felder[static_cast<size_t>(i)];
            const std::string name = Anzeigename(satz.Name());
            if (const auto [it, neu] = gesehen.try_emplace({i, g->groesse}, nr); !neu)
                return fehler(
                    Format("%s von %s steht schon in Zeile %d.", GroessenName(g->groesse), name.c_str(), it->second));
            CSpanne s{nr, i, g->groesse};
            s.basis = Grundwert(satz, g->groesse);
            s.tief = Aufgeloest(tief, s.basis);
            s.hoch = Aufgeloest(hoch, s.basis);
            if (s.tief > s.hoch)
                return fehler("Tief ist für " + name + " größer als Hoch.");
            if (s.basis < s.tief || s.basis > s.hoch)
                return fehler(Format("Der Wert von %s (%s) liegt nicht zwischen Tief (%s) und Hoch (%s).", name.c_str(),
                                     Zahl(s.basis).c_str(), Zahl(s.tief).c_str(), Zahl(s.hoch).c_str()));
            // The field's rules hold at both ends (a field the document cannot
            // compute anyway is left as it is).
            if (FeldVollstaendigPruefen(satz.Werte(), satz.Stufen())) {
                for (const auto& [ende, wert] : {std::pair{"Tief", s.tief}, std::pair{"Hoch", s.hoch}}) {
                    const CFeldsatz a = Abgewandelt(satz, {{g->groesse, wert}});
                    if (const CErgebnis<> r = FeldVollstaendigPruefen(a.Werte(), a.Stufen()); !r)
                        return fehler(Format("%s bei %s: ", name.c_str(), ende) + r.Fehlertext());
                }
            }
            spannen.push_back(s);
        }
    }
    return spannen;
}

// ---- runs ----

namespace {

const char* const kSpeicherFehlt = "Der Arbeitsspeicher reicht für diese Studie nicht aus; sie wurde abgebrochen. "
                                   "Weniger Läufe oder weniger Bandbreiten brauchen weniger Speicher.";

} // namespace

CErgebnis<> Parallel(int anzahl, int threads, const CFeldspeicher& vorlage,
                     const std::function<bool(int, CFeldspeicher&)>& job)
{
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::max(1, std::min(threads, anzahl));
    std::atomic<int> naechster{0};
    std::atomic<bool> abbruch{false};
    std::mutex fehlerSchutz;
    std::optional<CFehler> fehler; // the first failure
    const auto scheitern = [&](std::string text) {
        abbruch = true;
        const std::lock_guard<std::mutex> schutz(fehlerSchutz);
        if (!fehler)
            fehler = CFehler{std::move(text)};
    };
    const auto arbeiter = [&] {
        try {
            CFeldspeicher speicher;
            speicher.gastabellen = vorlage.gastabellen;
            for (int k; !abbruch && (k = naechster++) < anzahl;)
                if (!job(k, speicher))
                    abbruch = true;
        } catch (const std::bad_alloc&) {
            scheitern(kSpeicherFehlt);
        } catch (const std::exception&) {
            scheitern("Ein Lauf der Studie ist fehlgeschlagen; die Studie wurde abgebrochen.");
        }
    };
    std::vector<std::thread> weitere;
    try {
        for (int t = 1; t < threads; ++t)
            weitere.emplace_back(arbeiter);
    } catch (const std::exception&) {
        // Fewer threads than asked for (none could be started): the others share the work.
    }
    arbeiter();
    for (std::thread& t : weitere)
        t.join();
    if (fehler)
        return *fehler;
    return {};
}

namespace {

// The run's input with some fields' values changed, on the base run's
// calendar: its project starts in the base run's first year even when a
// field now starts earlier (that field enters it as it stands then), so
// that every variation covers the base run's years. Runs inside the study
// make no threads of their own.
CLaufEingabe Eingabe(const CLaufEingabe& basis, int projektstart, const std::vector<CSpanne>& spannen,
                     const std::vector<double>& werte)
{
    CLaufEingabe e = basis;
    e.threads = 1;
    e.projektstartFest = projektstart;
    std::map<int, std::vector<std::pair<EGroesse, double>>> jeFeld;
    for (size_t k = 0; k < spannen.size(); ++k)
        jeFeld[spannen[k].feld].emplace_back(spannen[k].groesse, werte[k]);
    for (const auto& [feld, w] : jeFeld)
        e.felder[static_cast<size_t>(feld)] = Abgewandelt(basis.felder[static_cast<size_t>(feld)], w);
    return e;
}

// The Ist of project year i of run r (on the base run's calendar), in the
// chart quantity.
double IstJahr(const CLaufErgebnis& r, int i, bool rate)
{
    return rate ? double(r.rateFelder[i]) + r.restRate[i] : double(r.restProduktion[i]) + r.produktionFelder[i];
}

// The cumulative Ist production over the base run's years, summed as the
// summary sums it (each addition rounded to float).
double KumulierteIst(const CLaufErgebnis& r)
{
    float summe = 0;
    for (int i = 0; i < r.anzahl; ++i)
        summe = static_cast<float>(double(summe) + IstJahr(r, i, false));
    return summe;
}

} // namespace

CErgebnis<CSensitivitaetsErgebnis> Sensitivitaeten(const CLaufEingabe& basis, const std::vector<CSpanne>& spannen,
                                                   std::optional<int> plateauJahre, int threads)
{
    try {
        CFeldspeicher vorlage;
        CLaufEingabe b = basis;
        b.threads = threads;
        const CLaufErgebnis grund = Lauf(b, &vorlage);
        const auto ergebnis = [&](const CLaufEingabe& e, CFeldspeicher& speicher) {
            if (plateauJahre)
                return HoechstesPlateau(e, *plateauJahre).menge;
            return KumulierteIst(Lauf(e, &speicher));
        };

        CSensitivitaetsErgebnis s;
        s.erstesJahr = grund.projektstart;
        s.letztesJahr = grund.projektstart + std::max(0, grund.anzahl - 1);
        s.plateau = plateauJahre.has_value();
        if (plateauJahre)
            s.letztesJahr = grund.projektstart + *plateauJahre - 1;
        const double mitte = plateauJahre ? HoechstesPlateau(basis, *plateauJahre).menge : KumulierteIst(grund);

        std::vector<double> werte(2 * spannen.size());
        const CErgebnis<> gerechnet =
            Parallel(static_cast<int>(werte.size()), threads, vorlage, [&](int k, CFeldspeicher& speicher) {
                const CSpanne& sp = spannen[static_cast<size_t>(k / 2)];
                const double wert = k % 2 == 0 ? sp.tief : sp.hoch;
                werte[static_cast<size_t>(k)] = ergebnis(Eingabe(basis, grund.projektstart, {sp}, {wert}), speicher);
                return true;
            });
        if (!gerechnet)
            return CFehler{gerechnet.Fehlertext()};
        for (size_t k = 0; k < spannen.size(); ++k) {
            const CSpanne& sp = spannen[k];
            s.zeilen.push_back({Anzeigename(basis.felder[static_cast<size_t>(sp.feld)].Name()), sp.groesse,
                                werte[2 * k], mitte, werte[2 * k + 1]});
        }
        SensitivitaetenOrdnen(s.zeilen);
        return s;
    } catch (const std::bad_alloc&) {
        return CFehler{kSpeicherFehlt};
    }
}

void SensitivitaetenOrdnen(std::vector<CSensitivitaet>& zeilen)
{
    std::stable_sort(zeilen.begin(), zeilen.end(), [](const CSensitivitaet& a, const CSensitivitaet& b) {
        return std::fabs(a.hoch - a.tief) > std::fabs(b.hoch - b.tief);
    });
}

double Dreieck(double a, double c, double b, double u)
{
    if (!(b > a))
        return a;
    const double fc = (c - a) / (b - a);
    if (u < fc)
        return a + std::sqrt(u * (b - a) * (c - a));
    return b - std::sqrt((1 - u) * (b - a) * (b - c));
}

double Perzentil(std::vector<double> werte, double anteil)
{
    if (werte.empty())
        return 0;
    std::sort(werte.begin(), werte.end());
    const auto rang = static_cast<size_t>(std::ceil(anteil * static_cast<double>(werte.size()) - 1e-9));
    return werte[std::clamp<size_t>(rang, 1, werte.size()) - 1];
}

std::mt19937_64 LaufZufall(uint64_t seed, int lauf)
{
    const auto nr = static_cast<uint64_t>(lauf);
    std::seed_seq keim{static_cast<uint32_t>(seed), static_cast<uint32_t>(seed >> 32), static_cast<uint32_t>(nr),
                       static_cast<uint32_t>(nr >> 32)};
    return std::mt19937_64(keim);
}

std::vector<double> LaufWerte(const std::vector<CSpanne>& spannen, uint64_t seed, int lauf)
{
    // The run's own stream: its draws depend on the seed and its number only.
    std::mt19937_64 zufall = LaufZufall(seed, lauf);
    std::vector<double> werte;
    werte.reserve(spannen.size());
    for (const CSpanne& s : spannen) {
        const double u = static_cast<double>(zufall() >> 11) * 0x1.0p-53;
        werte.push_back(Dreieck(s.tief, s.basis, s.hoch, u));
    }
    return werte;
}

CErgebnis<CUnsicherheit> MonteCarlo(const CLaufEingabe& basis, const std::vector<CSpanne>& spannen, int n,
                                    uint64_t seed, int threads, const std::function<bool(int)>& weiter)
{
    try {
        CFeldspeicher vorlage;
        CLaufEingabe b = basis;
        b.threads = threads;
        const CLaufErgebnis grund = Lauf(b, &vorlage);

        const bool rate = basis.rate;
        const size_t laeufe = static_cast<size_t>(std::max(0, n));
        std::vector<std::vector<double>> jahre(static_cast<size_t>(grund.anzahl), std::vector<double>(laeufe));
        std::atomic<int> fertig{0};
        std::atomic<bool> abgebrochen{false};
        const CErgebnis<> gerechnet = Parallel(n, threads, vorlage, [&](int k, CFeldspeicher& speicher) {
            const CLaufErgebnis r =
                Lauf(Eingabe(basis, grund.projektstart, spannen, LaufWerte(spannen, seed, k)), &speicher);
            for (int i = 0; i < grund.anzahl; ++i)
                jahre[static_cast<size_t>(i)][static_cast<size_t>(k)] = IstJahr(r, i, rate);
            const int f = ++fertig;
            if (weiter && !weiter(f)) {
                abgebrochen = true;
                return false;
            }
            return true;
        });
        if (!gerechnet)
            return CFehler{gerechnet.Fehlertext()};
        CUnsicherheit u;
        if (abgebrochen || n <= 0)
            return u;
        u.laeufe = n;
        u.rate = rate;
        for (int i = 0; i < grund.anzahl; ++i) {
            const std::vector<double>& w = jahre[static_cast<size_t>(i)];
            u.jahre.push_back({grund.projektstart + i, Perzentil(w, 0.1), Perzentil(w, 0.5), Perzentil(w, 0.9),
                               IstJahr(grund, i, rate)});
        }
        return u;
    } catch (const std::bad_alloc&) {
        return CFehler{kSpeicherFehlt};
    }
}
