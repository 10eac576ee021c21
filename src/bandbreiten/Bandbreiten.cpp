#include "bandbreiten/Bandbreiten.h"

#include "anpassung/Druckanpassung.h"

#include "model/Feldregeln.h"
#include "platform/Cp1252.h"
#include "platform/Csv.h"
#include "platform/Format.h"
#include "platform/Zahlregel.h"
#include "studie/Plateau.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <mutex>
#include <new>
#include <random>
#include <thread>

namespace {

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

// The first `n` cells of a line, the table's: the rest is not split.
std::string_view ErsteZellen(std::string_view zeile, int n)
{
    size_t pos = 0;
    for (int k = 0; k < n; ++k) {
        pos = zeile.find(';', pos);
        if (pos == std::string_view::npos)
            return zeile;
        ++pos;
    }
    return zeile.substr(0, pos - 1);
}

// Whether the heading has the fifth column "Art".
bool MitArt(const std::vector<std::string>& kopf)
{
    return kopf.size() >= 5 && KleinSchreibung(CsvGetrimmt(kopf[4])) == "art";
}

bool IstMessung(std::string_view zelle)
{
    return KleinSchreibung(CsvGetrimmt(zelle)) == "messung";
}

// P90 and P10 of a normal distribution lie 1.2816 standard deviations from its mean.
constexpr double kP10Abstand = 1.2815515655446004;

double Aufgeloest(const CAngabe& a, double grundwert)
{
    return a.prozent ? grundwert * a.wert / 100.0 : a.wert;
}

std::string Zahl(double w)
{
    return Format("%g", w);
}

// The ranges of a line "Feld;OGIP;Messung;Messung": the named field's, or
// for * every field whose measurements give a fit.
CErgebnis<std::vector<CSpanne>> MessungsSpannen(const std::string& feld, const CGroessenName& g, int nr,
                                                const CFeldsaetze& felder, const CPlanung* planung)
{
    if (g.groesse != EGroesse::OGIP)
        return CFehler{"„Messung“ gilt nur für das OGIP (aus den gemessenen Drücken)."};
    if (!planung || planung->messungen.empty())
        return CFehler{"„Messung“ braucht gemessene Drücke in der Planung (oder --messungen)."};
    std::vector<CSpanne> spannen;
    for (const auto& [name, punkte] : planung->messungen) {
        if (feld != "*" && name != feld)
            continue;
        const int i = FeldIndex(felder, name);
        if (i < 0 || !felder[static_cast<size_t>(i)].Lesbar()) {
            if (feld == "*")
                continue;
            return CFehler{"Das Feld „" + Zitat(feld) + "“ gibt es im Dokument nicht."};
        }
        const CFeldsatz& satz = felder[static_cast<size_t>(i)];
        const CDruckanpassung a = Druckanpassung(satz.Werte(), punkte, planung->wasserAnpassen);
        if (!a.Gelungen() || !(a.ogipFehler > 0)) {
            if (feld == "*")
                continue;
            return CFehler{Format("Die Messungen von %s geben kein OGIP mit Standardfehler (%s).",
                                  Anzeigename(name).c_str(),
                                  a.Gelungen() ? "die Punkte liegen genau auf der Geraden" : a.grund.c_str())};
        }
        double kum = satz.Werte().m_fKumProdBeginn;
        for (const CMessung& m : punkte)
            kum = std::max(kum, m.kum);
        CSpanne s;
        s.zeile = nr;
        s.feld = i;
        s.groesse = EGroesse::OGIP;
        s.messung = true;
        s.mittel = a.ogip;
        s.sigma = a.ogipFehler;
        s.untergrenze = kum * (1 + 1e-6) + 1e-3;
        s.basis = Grundwert(satz, EGroesse::OGIP);
        s.tief = std::max(a.ogip - kP10Abstand * a.ogipFehler, s.untergrenze);
        s.hoch = a.ogip + kP10Abstand * a.ogipFehler;
        if (a.wasserAngepasst)
            s.wasser = a.wasserinvasion;
        spannen.push_back(s);
    }
    if (spannen.empty())
        return CFehler{feld == "*" ? "Kein Feld hat Messungen, die ein OGIP mit Standardfehler geben."
                                   : "Für das Feld „" + Zitat(feld) + "“ gibt es keine Messungen in der Planung."};
    return spannen;
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
    const int spalten = !zeilen.empty() && MitArt(CsvZellen(ErsteZellen(zeilen[0], 5))) ? 5 : 4;
    for (size_t nr = 2; nr <= zeilen.size(); ++nr) { // line 1 is the heading
        const std::vector<std::string> z = CsvZellen(ErsteZellen(zeilen[nr - 1], spalten));
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
    const bool art =
        std::any_of(zeilen.begin(), zeilen.end(), [](const CBandbreitenZeile& z) { return !z[4].empty(); });
    std::string text = art ? "Feld;Groesse;Tief;Hoch;Art\n" : "Feld;Groesse;Tief;Hoch\n";
    for (const CBandbreitenZeile& z : zeilen)
        text += z[0] + ";" + z[1] + ";" + z[2] + ";" + z[3] + (art ? ";" + z[4] : std::string()) + "\n";
    return text;
}

CErgebnis<std::vector<CSpanne>> BandbreitenLesen(std::string_view bytes, const CFeldsaetze& felder,
                                                 const CPlanung* planung)
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
    const bool mitArt = MitArt(kopf);
    for (int nr = 2; nr <= static_cast<int>(tabelle->size()); ++nr) {
        const auto fehler = [nr](const std::string& t) { return CFehler{Format("Zeile %d: ", nr) + t}; };
        const std::vector<std::string>& z = (*tabelle)[static_cast<size_t>(nr - 1)];
        if (CsvLeer(z))
            continue; // an empty line, or one a spreadsheet wrote as ";;;"
        if (z.size() < 4)
            return fehler("Es fehlen Angaben; erwartet werden Feld;Groesse;Tief;Hoch.");
        const CGroessenName* g = GroesseNamens(z[1]);
        if (!g)
            return fehler("Die Größe „" + Zitat(z[1]) +
                          "“ gibt es nicht (OGIP, C-Wert, A1, Wasserinvasion, Kopfdruck, Bohrungen, "
                          "Startverzoegerung).");
        int gemeinsam = 0;
        if (mitArt && z.size() >= 5 && !CsvGetrimmt(z[4]).empty()) {
            const std::string art = KleinSchreibung(CsvGetrimmt(z[4]));
            if (art == "gemeinsam") {
                if (z[0] != "*")
                    return fehler("„gemeinsam“ gilt nur für * (alle Felder ziehen einen Wert).");
                gemeinsam = nr;
            } else if (art != "einzeln") {
                return fehler("Die Art „" + Zitat(z[4]) + "“ gibt es nicht (gemeinsam, einzeln oder leer).");
            }
        }
        if (IstMessung(z[2]) || IstMessung(z[3])) {
            CErgebnis<std::vector<CSpanne>> m = MessungsSpannen(z[0], *g, nr, felder, planung);
            if (!m)
                return fehler(m.Fehlertext());
            if (!IstMessung(z[2]) || !IstMessung(z[3]))
                return fehler("Tief und Hoch sind beide „Messung“ oder beide Werte.");
            for (CSpanne s : *m) {
                if (const auto [it, neu] = gesehen.try_emplace({s.feld, g->groesse}, nr); !neu)
                    return fehler(Format("%s von %s steht schon in Zeile %d.", GroessenName(g->groesse),
                                         Anzeigename(felder[static_cast<size_t>(s.feld)].Name()).c_str(), it->second));
                s.gemeinsam = gemeinsam;
                spannen.push_back(s);
            }
            continue;
        }
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
            s.gemeinsam = gemeinsam;
            s.basis = Grundwert(satz, g->groesse);
            s.tief = Aufgeloest(tief, s.basis);
            s.hoch = Aufgeloest(hoch, s.basis);
            if (s.tief > s.hoch)
                return fehler("Tief ist für " + name + " größer als Hoch.");
            if (s.basis < s.tief || s.basis > s.hoch)
                return fehler(Format("Der Wert von %s (%s) liegt nicht zwischen Tief (%s) und Hoch (%s).", name.c_str(),
                                     Zahl(s.basis).c_str(), Zahl(s.tief).c_str(), Zahl(s.hoch).c_str()));
            // A run rounds a well count and takes at least 1: an end below 1
            // would silently be 1 well.
            if (g->groesse == EGroesse::Bohrungen)
                for (const auto& [ende, wert] : {std::pair{"Tief", s.tief}, std::pair{"Hoch", s.hoch}})
                    if (wert < 1 || wert > 100)
                        return fehler(Format("%s bei %s: die Bohrungsanzahl (%s) liegt nicht zwischen 1 und 100.",
                                             name.c_str(), ende, Zahl(wert).c_str()));
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

// A range's value in a run, and with a measured OGIP the fit's water invasion.
std::vector<CVariation> Variationen(const CSpanne& s, double wert)
{
    std::vector<CVariation> v = {{s.feld, s.groesse, wert}};
    if (s.wasser >= 0)
        v.push_back({s.feld, EGroesse::Wasserinvasion, s.wasser});
    return v;
}

} // namespace

CErgebnis<CSensitivitaetsErgebnis> Sensitivitaeten(const CLaufEingabe& basis, const std::vector<CSpanne>& spannen,
                                                   std::optional<int> plateauJahre, int threads, const CWeiter& weiter)
{
    try {
        const CStudie studie(basis, threads);
        const CLaufErgebnis& grund = studie.Basis();
        CSensitivitaetsErgebnis s;
        s.erstesJahr = grund.projektstart;
        s.letztesJahr = grund.projektstart + std::max(0, Projektjahre(grund) - 1);
        s.plateau = plateauJahre.has_value();
        if (plateauJahre)
            s.letztesJahr = grund.projektstart + *plateauJahre - 1;
        const double mitte = plateauJahre ? HoechstesPlateau(basis, *plateauJahre).menge : KumulierteIst(grund);

        // Run 2k at range k's Tief, run 2k + 1 at its Hoch.
        std::vector<double> werte(2 * spannen.size());
        const auto variation = [&](int k) {
            const CSpanne& sp = spannen[static_cast<size_t>(k / 2)];
            return Variationen(sp, k % 2 == 0 ? sp.tief : sp.hoch);
        };
        const int n = static_cast<int>(werte.size());
        const CErgebnis<bool> fertig =
            plateauJahre
                ? studie.Jobs(
                      n,
                      [&](int k, CFeldspeicher&) {
                          werte[static_cast<size_t>(k)] =
                              HoechstesPlateau(studie.Eingabe(variation(k)), *plateauJahre).menge;
                      },
                      weiter)
                : studie.Laeufe(
                      n, variation,
                      [&](int k, const CLaufErgebnis& r) { werte[static_cast<size_t>(k)] = KumulierteIst(r); }, weiter);
        if (!fertig)
            return CFehler{fertig.Fehlertext()};
        if (!*fertig)
            return CSensitivitaetsErgebnis{}; // cancelled
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

double NormalQuantil(double u)
{
    // P. J. Acklam's rational approximation (relative error below 1.2·10⁻⁹),
    // refined by one Halley step on the exact distribution function.
    constexpr double a[] = {-3.969683028665376e+01, 2.209460984245205e+02,  -2.759285104469687e+02,
                            1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
    constexpr double b[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                            6.680131188771972e+01, -1.328068155288572e+01};
    constexpr double c[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                            -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
    constexpr double d[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00, 3.754408661907416e+00};
    constexpr double unten = 0.02425;
    u = std::clamp(u, 1e-300, 1 - 1e-16);
    double x = 0;
    if (u < unten) {
        const double q = std::sqrt(-2 * std::log(u));
        x = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
            ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    } else if (u <= 1 - unten) {
        const double q = u - 0.5, r = q * q;
        x = (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q /
            (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
    } else {
        const double q = std::sqrt(-2 * std::log1p(-u));
        x = -(((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5]) /
            ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    }
    const double e = 0.5 * std::erfc(-x / std::sqrt(2.0)) - u;
    const double h = e * std::sqrt(2 * M_PI) * std::exp(x * x / 2);
    return x - h / (1 + x * h / 2);
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
    std::map<int, double> gemeinsam; // a line's one draw, by its line
    for (const CSpanne& s : spannen) {
        const auto gleichverteilt = [&] { return static_cast<double>(zufall() >> 11) * 0x1.0p-53; };
        double u = 0;
        if (s.gemeinsam > 0) {
            const auto [it, neu] = gemeinsam.try_emplace(s.gemeinsam, 0.0);
            if (neu)
                it->second = gleichverteilt();
            u = it->second;
        } else {
            u = gleichverteilt();
        }
        if (s.messung) {
            // u = 0 lies outside (0, 1): the smallest share the generator gives.
            const double z = NormalQuantil(std::max(u, 0x1.0p-53));
            werte.push_back(std::clamp(s.mittel + s.sigma * z, s.untergrenze, s.mittel + 8 * s.sigma));
        } else {
            werte.push_back(Dreieck(s.tief, s.basis, s.hoch, u));
        }
    }
    return werte;
}

std::vector<CVariation> LaufVariationen(const std::vector<CSpanne>& spannen, uint64_t seed, int lauf)
{
    const std::vector<double> werte = LaufWerte(spannen, seed, lauf);
    std::vector<CVariation> v;
    for (size_t i = 0; i < spannen.size(); ++i)
        for (const CVariation& x : Variationen(spannen[i], werte[i]))
            v.push_back(x);
    return v;
}

namespace {

// What a run holds for the probabilities: per P(SOLL) column and project
// year whether the Soll is met, its cumulative Ist and each field's reserve.
constexpr char kOhneSoll = 2; // a contract without a quantity that year

struct CLaufTreffer {
    std::vector<std::vector<char>> getroffen; // [column][year]: 1 met, 0 short, kOhneSoll
    double kumuliert = 0;
    std::vector<double> reserven; // in the base run's field order
};

// The P(SOLL) columns of a study: each contract's name, else one for the Soll.
std::vector<std::string> Sollspalten(const CLaufErgebnis& grund)
{
    std::vector<std::string> spalten;
    for (const CVertragsjahr& j : grund.vertraege)
        if (std::find(spalten.begin(), spalten.end(), j.vertrag) == spalten.end())
            spalten.push_back(j.vertrag);
    if (spalten.empty())
        spalten.push_back("");
    return spalten;
}

CLaufTreffer Treffer(const CLaufErgebnis& r, const CLaufErgebnis& grund, const std::vector<std::string>& spalten,
                     bool rate)
{
    CLaufTreffer t;
    const int jahre = Projektjahre(grund);
    const bool vertraege = !grund.vertraege.empty();
    t.getroffen.assign(spalten.size(), std::vector<char>(static_cast<size_t>(jahre), vertraege ? kOhneSoll : 0));
    if (!vertraege) {
        const CJahreswerte w = Jahreswerte(Jahresreihen(r, rate));
        for (int i = 0; i < jahre && i < w.anzahl; ++i)
            t.getroffen[0][static_cast<size_t>(i)] = w.ist[i] >= w.soll[i] - w.Toleranz(i) ? 1 : 0;
    } else {
        for (const CVertragsjahr& j : r.vertraege) {
            const auto k = static_cast<size_t>(std::find(spalten.begin(), spalten.end(), j.vertrag) - spalten.begin());
            const int i = j.jahr - grund.projektstart;
            if (k < spalten.size() && i >= 0 && i < jahre)
                t.getroffen[k][static_cast<size_t>(i)] = Unterdeckung(j) ? 0 : 1;
        }
    }
    t.kumuliert = KumulierteIst(r);
    for (const CFeldreihe& g : grund.feldreihen) {
        const auto f = std::find_if(r.feldreihen.begin(), r.feldreihen.end(),
                                    [&](const CFeldreihe& x) { return x.feld == g.feld; });
        t.reserven.push_back(f == r.feldreihen.end() ? 0.0 : f->reserve);
    }
    return t;
}

CPerzentile Perzentile(std::string name, const std::vector<double>& werte)
{
    return {std::move(name), Perzentil(werte, 0.1), Perzentil(werte, 0.5), Perzentil(werte, 0.9)};
}

// The runs' hits as the study's probabilities and percentiles.
void Wahrscheinlichkeiten(CUnsicherheit& u, const std::vector<CLaufTreffer>& laeufe, const CLaufErgebnis& grund,
                          std::vector<std::string> spalten)
{
    u.pSoll.assign(spalten.size(), std::vector<double>(u.jahre.size(), 0.0));
    for (size_t k = 0; k < spalten.size(); ++k)
        for (size_t i = 0; i < u.jahre.size(); ++i) {
            int treffer = 0, mitSoll = 0;
            for (const CLaufTreffer& t : laeufe) {
                const char g = t.getroffen[k][i];
                treffer += g == 1 ? 1 : 0;
                mitSoll += g == kOhneSoll ? 0 : 1;
            }
            u.pSoll[k][i] = mitSoll > 0 ? treffer / double(mitSoll) : -1; // -1: no Soll, an empty cell
        }
    u.sollSpalten = std::move(spalten);
    std::vector<double> werte;
    for (const CLaufTreffer& t : laeufe)
        werte.push_back(t.kumuliert);
    u.kumuliert = Perzentile("", werte);
    for (size_t f = 0; f < grund.feldreihen.size(); ++f) {
        werte.clear();
        for (const CLaufTreffer& t : laeufe)
            werte.push_back(t.reserven[f]);
        u.reserven.push_back(Perzentile(Anzeigename(grund.feldreihen[f].name), werte));
    }
}

} // namespace

CErgebnis<CUnsicherheit> MonteCarlo(const CLaufEingabe& basis, const std::vector<CSpanne>& spannen, int n,
                                    uint64_t seed, int threads, const CWeiter& weiter, bool wahrscheinlichkeiten)
{
    try {
        const CStudie studie(basis, threads);
        const CLaufErgebnis& grund = studie.Basis();
        const bool rate = basis.rate;
        const size_t laeufe = static_cast<size_t>(std::max(0, n));
        std::vector<std::vector<double>> jahre(static_cast<size_t>(Projektjahre(grund)), std::vector<double>(laeufe));
        const std::vector<std::string> spalten = Sollspalten(grund);
        std::vector<CLaufTreffer> treffer(wahrscheinlichkeiten ? laeufe : 0);
        const CErgebnis<bool> fertig = studie.Laeufe(
            n, [&](int k) { return LaufVariationen(spannen, seed, k); },
            [&](int k, const CLaufErgebnis& r) {
                for (int i = 0; i < Projektjahre(grund); ++i)
                    jahre[static_cast<size_t>(i)][static_cast<size_t>(k)] = IstJahr(r, i, rate);
                if (wahrscheinlichkeiten)
                    treffer[static_cast<size_t>(k)] = Treffer(r, grund, spalten, rate);
            },
            weiter);
        if (!fertig)
            return CFehler{fertig.Fehlertext()};
        CUnsicherheit u;
        if (!*fertig || n <= 0)
            return u;
        u.laeufe = n;
        u.rate = rate;
        for (int i = 0; i < Projektjahre(grund); ++i) {
            const std::vector<double>& w = jahre[static_cast<size_t>(i)];
            u.jahre.push_back({grund.projektstart + i, Perzentil(w, 0.1), Perzentil(w, 0.5), Perzentil(w, 0.9),
                               IstJahr(grund, i, rate)});
        }
        if (wahrscheinlichkeiten)
            Wahrscheinlichkeiten(u, treffer, grund, spalten);
        return u;
    } catch (const std::bad_alloc&) {
        return CFehler{kSpeicherFehlt};
    }
}
