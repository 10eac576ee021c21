#include "planung/Planung.h"

#include "planung/Messungen.h"

#include "platform/Format.h"

#include <filesystem>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <set>

namespace {

using Json = nlohmann::ordered_json; // keys stay in the order of the file

constexpr const char* kFormat = "kalvo-planung";
constexpr int kVersion = 1;
constexpr std::array<int, 12> kTage = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// A rule the plan breaks: the key's path and the German reason.
struct CPlanfehler {
    std::string text;
};

[[noreturn]] void Fehler(const std::string& schluessel, const std::string& grund)
{
    throw CPlanfehler{"Planungsdatei, „" + schluessel + "“: " + grund};
}

std::string Zahltext(double x)
{
    std::string t = Format("%g", x);
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

// The value of a key that must be a number, within [min, max] (max open when `obenOffen`).
double Zahl(const Json& j, const std::string& pfad, double min, double max, bool obenOffen = false)
{
    if (!j.is_number())
        Fehler(pfad, "eine Zahl wird erwartet.");
    const double x = j.get<double>();
    if (!std::isfinite(x) || x < min || x > max || (obenOffen && x >= max))
        Fehler(pfad, Zahltext(x) + " liegt nicht im Bereich von " + Zahltext(min) +
                         (obenOffen ? " bis unter " : " bis ") + Zahltext(max) + ".");
    return x;
}

bool Schalter(const Json& j, const std::string& pfad)
{
    if (!j.is_boolean())
        Fehler(pfad, "true oder false wird erwartet.");
    return j.get<bool>();
}

std::string Text(const Json& j, const std::string& pfad)
{
    if (!j.is_string())
        Fehler(pfad, "ein Text wird erwartet.");
    return j.get<std::string>();
}

EGasart Gasart(const Json& j, const std::string& pfad)
{
    const std::string name = Text(j, pfad);
    const std::optional<EGasart> g = GasartZu(name);
    if (!g)
        Fehler(pfad, "unbekannte Gasart „" + name + "“ (L oder H).");
    return *g;
}

const Json& Objekt(const Json& j, const std::string& pfad)
{
    if (!j.is_object())
        Fehler(pfad, "ein Objekt { … } wird erwartet.");
    return j;
}

const Json& Liste(const Json& j, const std::string& pfad)
{
    if (!j.is_array())
        Fehler(pfad, "eine Liste [ … ] wird erwartet.");
    return j;
}

CPlanoptionen Optionen(const Json& j)
{
    CPlanoptionen o;
    Objekt(j, "optionen");
    for (const auto& [schluessel, wert] : j.items()) {
        const std::string pfad = "optionen." + schluessel;
        if (schluessel == "bedarf")
            o.bedarf = Schalter(wert, pfad);
        else if (schluessel == "energie")
            o.energie = Schalter(wert, pfad);
        else if (schluessel == "deckung")
            o.deckung = Schalter(wert, pfad);
        else if (schluessel == "eigenverbrauch")
            o.eigenverbrauch = Zahl(wert, pfad, 0, 100, true);
    }
    return o;
}

std::array<double, 12> Monate(const Json& j, const std::string& pfad)
{
    Liste(j, pfad);
    if (j.size() != 12)
        Fehler(pfad, Format("12 Monatsanteile werden erwartet, nicht %zu.", j.size()));
    std::array<double, 12> m{};
    for (size_t k = 0; k < 12; ++k)
        m[k] = Zahl(j[k], Format("%s[%zu]", pfad.c_str(), k), 0, 100);
    const double summe = std::accumulate(m.begin(), m.end(), 0.0);
    if (std::fabs(summe - 100) > 1e-6)
        Fehler(pfad, "die Monatsanteile ergeben " + Zahltext(summe) + " statt 100 %.");
    return m;
}

CVertrag Vertrag(const Json& j, const std::string& pfad, int projektstart, int projektende)
{
    Objekt(j, pfad);
    CVertrag v;
    if (!j.contains("name"))
        Fehler(pfad, "der Vertrag braucht einen „name“.");
    v.name = Text(j["name"], pfad + ".name");
    if (v.name.empty())
        Fehler(pfad + ".name", "der Name ist leer.");
    if (!j.contains("gasart"))
        Fehler(pfad, "der Vertrag braucht eine „gasart“ (L oder H).");
    v.gasart = Gasart(j["gasart"], pfad + ".gasart");
    if (j.contains("einheit")) {
        const std::string einheit = Text(j["einheit"], pfad + ".einheit");
        if (einheit != "GWh" && einheit != "Mio m3")
            Fehler(pfad + ".einheit", "unbekannte Einheit „" + einheit + "“ (GWh oder Mio m3).");
        v.gwh = einheit == "GWh";
    }
    if (j.contains("mengen")) {
        const std::string mpfad = pfad + ".mengen";
        for (const auto& [jahrText, menge] : Objekt(j["mengen"], mpfad).items()) {
            const std::string jpfad = mpfad + "." + jahrText;
            const bool ziffern =
                !jahrText.empty() && jahrText.size() <= 4 &&
                std::all_of(jahrText.begin(), jahrText.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (!ziffern)
                Fehler(jpfad, "ein Jahr wird erwartet.");
            const int jahr = std::stoi(jahrText);
            if (jahr < projektstart || jahr > projektende)
                Fehler(jpfad, Format("das Jahr %d liegt außerhalb des Projekts (%d bis %d).", jahr, projektstart,
                                     projektende));
            v.mengen[jahr] = Zahl(menge, jpfad, 0, 1e9);
        }
    }
    v.monate = j.contains("monate") ? Monate(j["monate"], pfad + ".monate") : MonateNachTagen();
    if (j.contains("spitzenfaktor"))
        v.spitzenfaktor = Zahl(j["spitzenfaktor"], pfad + ".spitzenfaktor", 1, 100);
    return v;
}

CFeldvorgabe Feldvorgabe(const Json& feld, const std::string& pfad)
{
    CFeldvorgabe v;
    if (feld.contains("rang")) {
        if (!feld["rang"].is_number_integer())
            Fehler(pfad + ".rang", "eine ganze Zahl (1 zuerst) wird erwartet.");
        v.rang = static_cast<int>(Zahl(feld["rang"], pfad + ".rang", 1, 1000));
    }
    if (feld.contains("mindestrate"))
        v.mindestrate = Zahl(feld["mindestrate"], pfad + ".mindestrate", 0, 1e9);
    if (feld.contains("aufgabedruck"))
        v.aufgabedruck = Zahl(feld["aufgabedruck"], pfad + ".aufgabedruck", 0, 1000);
    if (feld.contains("gewinnung_max"))
        v.gewinnungMax = Zahl(feld["gewinnung_max"], pfad + ".gewinnung_max", 1, 100);
    return v;
}

void Setzen(Json& j, const std::string& schluessel, double wert);

// A date "JJJJ-MM-TT" of a real day between 1900 and 2200.
bool IstDatum(const std::string& t)
{
    return t.size() == 10 && Messzeit(t) == t;
}

// The measured pressures: per field a list of {jahr | datum, druck, kum}.
CMessungen Messungen(const Json& j)
{
    CMessungen messungen;
    for (const auto& [name, liste] : Objekt(j, "messungen").items()) {
        const std::string pfad = "messungen." + name;
        Liste(liste, pfad);
        if (liste.empty())
            Fehler(pfad, "die Liste der Messungen ist leer.");
        std::vector<CMessung>& punkte = messungen[name];
        for (size_t k = 0; k < liste.size(); ++k) {
            const std::string ppfad = Format("%s[%zu]", pfad.c_str(), k);
            const Json& m = Objekt(liste[k], ppfad);
            CMessung punkt;
            if (m.contains("jahr")) {
                if (!m["jahr"].is_number_integer())
                    Fehler(ppfad + ".jahr", "ein Jahr (ganze Zahl) wird erwartet.");
                punkt.zeit = std::to_string(static_cast<int>(Zahl(m["jahr"], ppfad + ".jahr", 1900, 2200)));
            } else if (m.contains("datum")) {
                punkt.zeit = Text(m["datum"], ppfad + ".datum");
                if (!IstDatum(punkt.zeit))
                    Fehler(ppfad + ".datum", "„" + punkt.zeit + "“ ist kein Datum der Form JJJJ-MM-TT.");
            } else {
                Fehler(ppfad, "„jahr“ oder „datum“ fehlt.");
            }
            for (const char* noetig : {"druck", "kum"})
                if (!m.contains(noetig))
                    Fehler(ppfad, std::string("„") + noetig + "“ fehlt.");
            punkt.druck = Zahl(m["druck"], ppfad + ".druck", 0, 1000);
            if (!(punkt.druck > 0))
                Fehler(ppfad + ".druck", "der Druck muss über 0 bar liegen.");
            punkt.kum = Zahl(m["kum"], ppfad + ".kum", 0, 1e9);
            punkte.push_back(punkt);
        }
    }
    return messungen;
}

Json MessungenJson(const CMessungen& messungen)
{
    Json j = Json::object();
    for (const auto& [name, punkte] : messungen) {
        Json liste = Json::array();
        for (const CMessung& m : punkte) {
            Json e = Json::object();
            if (m.zeit.find('-') != std::string::npos)
                e["datum"] = m.zeit;
            else
                e["jahr"] = std::stoi(m.zeit);
            Setzen(e, "druck", m.druck);
            Setzen(e, "kum", m.kum);
            liste.push_back(e);
        }
        j[name] = liste;
    }
    return j;
}

// The plants: each a name of its own, a capacity above 0 and its fields, a
// field in one plant at most.
std::vector<CAnlage> Anlagen(const Json& j)
{
    std::vector<CAnlage> anlagen;
    std::set<std::string> namen, felder;
    const Json& liste = Liste(j, "anlagen");
    for (size_t k = 0; k < liste.size(); ++k) {
        const std::string pfad = Format("anlagen[%zu]", k);
        const Json& a = Objekt(liste[k], pfad);
        for (const char* noetig : {"name", "kapazitaet", "felder"})
            if (!a.contains(noetig))
                Fehler(pfad, std::string("„") + noetig + "“ fehlt.");
        CAnlage anlage;
        anlage.name = Text(a["name"], pfad + ".name");
        if (anlage.name.empty())
            Fehler(pfad + ".name", "der Name ist leer.");
        if (!namen.insert(anlage.name).second)
            Fehler(pfad + ".name", "die Anlage „" + anlage.name + "“ gibt es schon.");
        anlage.kapazitaet = Zahl(a["kapazitaet"], pfad + ".kapazitaet", 0, 1e9);
        if (!(anlage.kapazitaet > 0))
            Fehler(pfad + ".kapazitaet", "die Kapazität muss über 0 liegen.");
        const Json& fl = Liste(a["felder"], pfad + ".felder");
        for (size_t i = 0; i < fl.size(); ++i) {
            const std::string feld = Text(fl[i], Format("%s.felder[%zu]", pfad.c_str(), i));
            if (!felder.insert(feld).second)
                Fehler(Format("%s.felder[%zu]", pfad.c_str(), i),
                       "das Feld „" + feld + "“ gehört schon zu einer Anlage.");
            anlage.felder.push_back(feld);
        }
        anlagen.push_back(std::move(anlage));
    }
    return anlagen;
}

// The scenarios: each a name of its own and either changes or another
// document. A plant or contract a change names must be in the plan; a field
// and its quantity are checked against the document when the scenario runs.
std::vector<CSzenario> Szenarien(const Json& j, const CPlanung& p)
{
    using EArt = CSzenarioaenderung::EArt;
    std::vector<CSzenario> szenarien;
    std::set<std::string> namen;
    const Json& liste = Liste(j, "szenarien");
    for (size_t k = 0; k < liste.size(); ++k) {
        const std::string pfad = Format("szenarien[%zu]", k);
        const Json& s = Objekt(liste[k], pfad);
        CSzenario sz;
        if (!s.contains("name"))
            Fehler(pfad, "„name“ fehlt.");
        sz.name = Text(s["name"], pfad + ".name");
        if (sz.name.empty() || sz.name == "Basis")
            Fehler(pfad + ".name", sz.name.empty() ? "der Name ist leer." : "„Basis“ ist der Name der Planung selbst.");
        if (!namen.insert(sz.name).second)
            Fehler(pfad + ".name", "das Szenario „" + sz.name + "“ gibt es schon.");
        if (s.contains("datei") == s.contains("aenderungen"))
            Fehler(pfad, "entweder „datei“ oder „aenderungen“ wird erwartet.");
        if (s.contains("datei")) {
            sz.datei = Text(s["datei"], pfad + ".datei");
            if (sz.datei.empty())
                Fehler(pfad + ".datei", "der Dateiname ist leer.");
        }
        const Json leer = Json::array();
        const Json& aenderungen = s.contains("aenderungen") ? Liste(s["aenderungen"], pfad + ".aenderungen") : leer;
        for (size_t i = 0; i < aenderungen.size(); ++i) {
            const std::string ort = Format("%s.aenderungen[%zu]", pfad.c_str(), i);
            const Json& a = Objekt(aenderungen[i], ort);
            CSzenarioaenderung ae;
            const auto noetig = [&](const char* schluessel) {
                if (!a.contains(schluessel))
                    Fehler(ort, std::string("„") + schluessel + "“ fehlt.");
                return a[schluessel];
            };
            if (a.contains("feld")) {
                ae.art = EArt::Feld;
                ae.name = Text(a["feld"], ort + ".feld");
                ae.groesse = Text(noetig("groesse"), ort + ".groesse");
                ae.wert = Zahl(noetig("wert"), ort + ".wert", -1e9, 1e9);
            } else if (a.contains("anlage")) {
                ae.art = EArt::Anlage;
                ae.name = Text(a["anlage"], ort + ".anlage");
                if (std::none_of(p.anlagen.begin(), p.anlagen.end(),
                                 [&](const CAnlage& x) { return x.name == ae.name; }))
                    Fehler(ort + ".anlage", "die Anlage „" + ae.name + "“ steht nicht in „anlagen“.");
                ae.wert = Zahl(noetig("kapazitaet"), ort + ".kapazitaet", 0, 1e9);
                if (!(ae.wert > 0))
                    Fehler(ort + ".kapazitaet", "die Kapazität muss über 0 liegen.");
            } else if (a.contains("verteilung")) {
                ae.art = EArt::Verteilung;
                const std::string name = Text(a["verteilung"], ort + ".verteilung");
                const std::optional<EVerteilung> v = VerteilungZu(name);
                if (!v)
                    Fehler(ort + ".verteilung",
                           "unbekannte Verteilung „" + name + "“ (lieferbar, reserven, rang oder plateau).");
                ae.verteilung = *v;
            } else if (a.contains("vertrag")) {
                ae.art = EArt::Vertrag;
                ae.name = Text(a["vertrag"], ort + ".vertrag");
                if (std::none_of(p.vertraege.begin(), p.vertraege.end(),
                                 [&](const CVertrag& x) { return x.name == ae.name; }))
                    Fehler(ort + ".vertrag", "den Vertrag „" + ae.name + "“ gibt es in „vertraege“ nicht.");
                ae.wert = Zahl(noetig("faktor"), ort + ".faktor", 0, 100);
            } else {
                Fehler(ort, "„feld“, „anlage“, „verteilung“ oder „vertrag“ wird erwartet.");
            }
            sz.aenderungen.push_back(std::move(ae));
        }
        szenarien.push_back(std::move(sz));
    }
    return szenarien;
}

Json SzenarienJson(const std::vector<CSzenario>& szenarien)
{
    using EArt = CSzenarioaenderung::EArt;
    Json liste = Json::array();
    for (const CSzenario& sz : szenarien) {
        Json s = Json::object();
        s["name"] = sz.name;
        if (!sz.datei.empty()) {
            s["datei"] = sz.datei;
        } else {
            Json aenderungen = Json::array();
            for (const CSzenarioaenderung& a : sz.aenderungen) {
                Json e = Json::object();
                switch (a.art) {
                case EArt::Feld:
                    e["feld"] = a.name;
                    e["groesse"] = a.groesse;
                    Setzen(e, "wert", a.wert);
                    break;
                case EArt::Anlage:
                    e["anlage"] = a.name;
                    Setzen(e, "kapazitaet", a.wert);
                    break;
                case EArt::Verteilung: e["verteilung"] = VerteilungName(a.verteilung); break;
                case EArt::Vertrag:
                    e["vertrag"] = a.name;
                    Setzen(e, "faktor", a.wert);
                    break;
                }
                aenderungen.push_back(e);
            }
            s["aenderungen"] = aenderungen;
        }
        liste.push_back(s);
    }
    return liste;
}

CPlanung Lesen(const Json& wurzel, int projektstart, int projektende)
{
    if (!wurzel.is_object())
        throw CPlanfehler{"Planungsdatei: ein Objekt { … } wird erwartet."};
    if (!wurzel.contains("format") || wurzel["format"] != kFormat)
        Fehler("format", std::string("„") + kFormat + "“ wird erwartet.");
    if (!wurzel.contains("version") || !wurzel["version"].is_number_integer())
        Fehler("version", "eine ganze Zahl wird erwartet.");
    if (wurzel["version"].get<long long>() != kVersion)
        Fehler("version",
               Format("Version %lld wird nicht unterstützt (nur %d).", wurzel["version"].get<long long>(), kVersion));
    CPlanung p;
    if (wurzel.contains("optionen"))
        p.optionen = Optionen(wurzel["optionen"]);
    if (wurzel.contains("vertraege")) {
        std::set<std::string> namen;
        std::set<EGasart> arten;
        const Json& liste = Liste(wurzel["vertraege"], "vertraege");
        for (size_t k = 0; k < liste.size(); ++k) {
            const std::string pfad = Format("vertraege[%zu]", k);
            CVertrag v = Vertrag(liste[k], pfad, projektstart, projektende);
            if (!namen.insert(v.name).second)
                Fehler(pfad + ".name", "den Vertrag „" + v.name + "“ gibt es schon.");
            if (!arten.insert(v.gasart).second)
                Fehler(pfad + ".gasart",
                       std::string("für ") + GasartName(v.gasart) + "-Gas gibt es schon einen Vertrag.");
            p.vertraege.push_back(std::move(v));
        }
    }
    if (wurzel.contains("felder"))
        for (const auto& [name, feld] : Objekt(wurzel["felder"], "felder").items()) {
            const std::string pfad = "felder." + name;
            if (Objekt(feld, pfad).contains("gasart"))
                p.feldGasart[name] = Gasart(feld["gasart"], pfad + ".gasart");
            if (const CFeldvorgabe v = Feldvorgabe(feld, pfad); v != CFeldvorgabe{})
                p.feldVorgaben[name] = v;
        }
    if (wurzel.contains("verteilung")) {
        const std::string name = Text(wurzel["verteilung"], "verteilung");
        const std::optional<EVerteilung> v = VerteilungZu(name);
        if (!v)
            Fehler("verteilung", "unbekannte Verteilung „" + name + "“ (lieferbar, reserven, rang oder plateau).");
        p.verteilung = *v;
    }
    if (wurzel.contains("anlagen"))
        p.anlagen = Anlagen(wurzel["anlagen"]);
    if (wurzel.contains("messungen"))
        p.messungen = Messungen(wurzel["messungen"]);
    if (wurzel.contains("wasser_anpassen"))
        p.wasserAnpassen = Schalter(wurzel["wasser_anpassen"], "wasser_anpassen");
    if (wurzel.contains("szenarien"))
        p.szenarien = Szenarien(wurzel["szenarien"], p);
    if (wurzel.contains("restfelder")) {
        const Json& liste = Liste(wurzel["restfelder"], "restfelder");
        double summe = 0;
        for (size_t k = 0; k < liste.size(); ++k) {
            const std::string pfad = Format("restfelder[%zu]", k);
            const Json& r = Objekt(liste[k], pfad);
            for (const char* noetig : {"gasart", "anteil", "brennwert"})
                if (!r.contains(noetig))
                    Fehler(pfad, std::string("„") + noetig + "“ fehlt.");
            CRestfeldanteil a;
            a.gasart = Gasart(r["gasart"], pfad + ".gasart");
            a.anteil = Zahl(r["anteil"], pfad + ".anteil", 0, 100);
            a.brennwert = Zahl(r["brennwert"], pfad + ".brennwert", 1, 20);
            summe += a.anteil;
            p.restfelder.push_back(a);
        }
        if (!liste.empty() && std::fabs(summe - 100) > 1e-6)
            Fehler("restfelder", "die Anteile ergeben " + Zahltext(summe) + " statt 100 %.");
    }
    return p;
}

// A number into the file: a value that is the file's already keeps its
// spelling ("2500" stays "2500"); a whole number is written without a point.
void Setzen(Json& j, const std::string& schluessel, double wert)
{
    if (j.contains(schluessel) && j[schluessel].is_number() && j[schluessel].get<double>() == wert)
        return;
    if (wert == std::floor(wert) && std::fabs(wert) < 1e15)
        j[schluessel] = static_cast<long long>(wert);
    else
        j[schluessel] = wert;
}

// The object of the file that an entry came from (for its unknown keys), or an empty one.
Json Vorlage(const Json& alt, const std::string& liste, const std::function<bool(const Json&)>& passt)
{
    if (alt.contains(liste) && alt[liste].is_array())
        for (const Json& e : alt[liste])
            if (e.is_object() && passt(e))
                return e;
    return Json::object();
}

// The fields' dispatch values into the plan's "felder": a value the plan no
// longer sets is removed, the field's other keys stay.
void FeldvorgabenSchreiben(const CPlanung& p, Json& felder)
{
    const auto wert = [](const CFeldvorgabe& v, int k) {
        return k == 0 ? double(v.rang) : k == 1 ? v.mindestrate : k == 2 ? v.aufgabedruck : v.gewinnungMax;
    };
    constexpr const char* kSchluessel[] = {"rang", "mindestrate", "aufgabedruck", "gewinnung_max"};
    for (auto it = felder.begin(); it != felder.end(); ++it)
        if (it.value().is_object()) {
            const auto v = p.feldVorgaben.find(it.key());
            for (int k = 0; k < 4; ++k)
                if (v == p.feldVorgaben.end() || wert(v->second, k) == 0)
                    it.value().erase(kSchluessel[k]);
        }
    for (const auto& [name, v] : p.feldVorgaben) {
        if (!felder.contains(name) || !felder[name].is_object())
            felder[name] = Json::object();
        for (int k = 0; k < 4; ++k)
            if (wert(v, k) != 0)
                Setzen(felder[name], kSchluessel[k], wert(v, k));
    }
}

constexpr const char* kVerteilungen[] = {"lieferbar", "reserven", "rang", "plateau"};

} // namespace

const char* VerteilungName(EVerteilung v)
{
    return kVerteilungen[static_cast<int>(v)];
}

std::optional<EVerteilung> VerteilungZu(std::string_view name)
{
    for (int k = 0; k < 4; ++k)
        if (name == kVerteilungen[k])
            return static_cast<EVerteilung>(k);
    return std::nullopt;
}

bool MitVerteilung(const CPlanung& plan)
{
    return !plan.anlagen.empty() || !plan.feldVorgaben.empty() || plan.verteilung != EVerteilung::Lieferbar;
}

const char* GasartName(EGasart g)
{
    return g == EGasart::L ? "L" : "H";
}

std::optional<EGasart> GasartZu(std::string_view name)
{
    if (name == "L")
        return EGasart::L;
    if (name == "H")
        return EGasart::H;
    return std::nullopt;
}

int Monatstage(int monat)
{
    return kTage.at(static_cast<size_t>(monat - 1));
}

std::array<double, 12> MonateNachTagen()
{
    std::array<double, 12> m{};
    for (size_t k = 0; k < 12; ++k)
        m[k] = 100.0 * kTage[k] / 365;
    return m;
}

CErgebnis<CPlanung> PlanungLesen(std::string_view text, int projektstart, int projektende)
{
    Json wurzel;
    try {
        wurzel = Json::parse(text);
    } catch (const Json::parse_error& e) {
        // The line of the byte the parser stopped at (the token it could not take).
        const size_t bis = std::min(e.byte > 0 ? e.byte - 1 : 0, text.size());
        const auto zeile = 1 + std::count(text.begin(), text.begin() + static_cast<long>(bis), '\n');
        return CFehler{Format("Planungsdatei, Zeile %ld: kein gültiges JSON.", static_cast<long>(zeile))};
    } catch (const Json::out_of_range&) {
        // A number beyond a double ("1e999"): the parser knows no line for it.
        return CFehler{"Planungsdatei: eine Zahl ist zu groß für eine Rechnung."};
    }
    try {
        CPlanung p = Lesen(wurzel, projektstart, projektende);
        p.roh = std::string(text);
        return p;
    } catch (const CPlanfehler& f) {
        return CFehler{f.text};
    } catch (const Json::exception&) {
        return CFehler{"Planungsdatei: ein Wert hat nicht die erwartete Art."};
    }
}

std::string PlanungText(const CPlanung& p)
{
    Json alt = Json::object();
    if (!p.roh.empty()) {
        try {
            alt = Json::parse(p.roh);
        } catch (const Json::exception&) {
            alt = Json::object(); // a plan made anew: nothing to keep
        }
    }
    Json j = alt.is_object() ? alt : Json::object();
    j["format"] = kFormat;
    j["version"] = kVersion;

    Json o = j.contains("optionen") && j["optionen"].is_object() ? j["optionen"] : Json::object();
    const CPlanoptionen& po = p.optionen;
    const std::pair<const char*, bool> schalter[] = {
        {"bedarf", po.bedarf}, {"energie", po.energie}, {"deckung", po.deckung}};
    for (const auto& [name, an] : schalter)
        if (an || o.contains(name))
            o[name] = an;
    if (po.eigenverbrauch != 0 || o.contains("eigenverbrauch"))
        Setzen(o, "eigenverbrauch", po.eigenverbrauch);
    if (!o.empty() || j.contains("optionen"))
        j["optionen"] = o;

    if (!p.vertraege.empty() || j.contains("vertraege")) {
        Json liste = Json::array();
        for (const CVertrag& v : p.vertraege) {
            Json e =
                Vorlage(alt, "vertraege", [&](const Json& x) { return x.contains("name") && x["name"] == v.name; });
            e["name"] = v.name;
            e["gasart"] = GasartName(v.gasart);
            if (!v.gwh || e.contains("einheit"))
                e["einheit"] = v.gwh ? "GWh" : "Mio m3";
            Json mengen = e.contains("mengen") && e["mengen"].is_object() ? e["mengen"] : Json::object();
            Json neu = Json::object();
            for (const auto& [jahr, menge] : v.mengen) {
                const std::string k = std::to_string(jahr);
                if (mengen.contains(k))
                    neu[k] = mengen[k];
                Setzen(neu, k, menge);
            }
            e["mengen"] = neu;
            if (v.monate != MonateNachTagen() || e.contains("monate")) {
                Json m = e.contains("monate") && e["monate"].is_array() && e["monate"].size() == 12 ? e["monate"]
                                                                                                    : Json::array();
                Json neuM = Json::array();
                for (size_t k = 0; k < 12; ++k) {
                    Json zelle = Json::object();
                    if (k < m.size())
                        zelle["x"] = m[k];
                    Setzen(zelle, "x", v.monate[k]);
                    neuM.push_back(zelle["x"]);
                }
                e["monate"] = neuM;
            }
            if (v.spitzenfaktor != 1 || e.contains("spitzenfaktor"))
                Setzen(e, "spitzenfaktor", v.spitzenfaktor);
            liste.push_back(e);
        }
        j["vertraege"] = liste;
    }

    if (!p.feldGasart.empty() || !p.feldVorgaben.empty() || j.contains("felder")) {
        Json felder = j.contains("felder") && j["felder"].is_object() ? j["felder"] : Json::object();
        for (auto it = felder.begin(); it != felder.end();) {
            if (it.value().is_object() && it.value().contains("gasart") && !p.feldGasart.contains(it.key()))
                it.value().erase("gasart"); // the plan no longer sets it; the field's other keys stay
            ++it;
        }
        for (const auto& [name, art] : p.feldGasart) {
            if (!felder.contains(name) || !felder[name].is_object())
                felder[name] = Json::object();
            felder[name]["gasart"] = GasartName(art);
        }
        FeldvorgabenSchreiben(p, felder);
        j["felder"] = felder;
    }

    if (p.verteilung != EVerteilung::Lieferbar || j.contains("verteilung"))
        j["verteilung"] = VerteilungName(p.verteilung);
    if (!p.anlagen.empty() || j.contains("anlagen")) {
        Json liste = Json::array();
        for (const CAnlage& a : p.anlagen) {
            Json e = Vorlage(alt, "anlagen", [&](const Json& x) { return x.contains("name") && x["name"] == a.name; });
            e["name"] = a.name;
            Setzen(e, "kapazitaet", a.kapazitaet);
            e["felder"] = a.felder;
            liste.push_back(e);
        }
        j["anlagen"] = liste;
    }

    // The measurements as read stay as written; changed ones are written anew.
    if (!p.messungen.empty() || j.contains("messungen")) {
        bool wieGelesen = false;
        try {
            wieGelesen = j.contains("messungen") && Messungen(j["messungen"]) == p.messungen;
        } catch (const CPlanfehler&) {
        }
        if (!wieGelesen)
            j["messungen"] = MessungenJson(p.messungen);
    }
    if (p.wasserAnpassen || j.contains("wasser_anpassen"))
        j["wasser_anpassen"] = p.wasserAnpassen;
    // The scenarios as read stay as written; changed ones are written anew.
    if (!p.szenarien.empty() || j.contains("szenarien")) {
        bool wieGelesen = false;
        try {
            wieGelesen = j.contains("szenarien") && Szenarien(j["szenarien"], p) == p.szenarien;
        } catch (const CPlanfehler&) {
        }
        if (!wieGelesen)
            j["szenarien"] = SzenarienJson(p.szenarien);
    }

    if (!p.restfelder.empty() || j.contains("restfelder")) {
        Json liste = Json::array();
        const Json altListe =
            alt.contains("restfelder") && alt["restfelder"].is_array() ? alt["restfelder"] : Json::array();
        for (size_t k = 0; k < p.restfelder.size(); ++k) {
            const CRestfeldanteil& r = p.restfelder[k];
            Json e = k < altListe.size() && altListe[k].is_object() ? altListe[k] : Json::object();
            e["gasart"] = GasartName(r.gasart);
            Setzen(e, "anteil", r.anteil);
            Setzen(e, "brennwert", r.brennwert);
            liste.push_back(e);
        }
        j["restfelder"] = liste;
    }
    return j.dump(2) + "\n";
}

std::string Planungspfad(const std::string& dokument)
{
    std::string pfad = dokument;
    const size_t punkt = pfad.rfind('.');
    const size_t trenner = pfad.find_last_of("/\\");
    if (punkt != std::string::npos && (trenner == std::string::npos || punkt > trenner))
        pfad.erase(punkt);
    return pfad + ".planung.json";
}

std::string AenderungText(const CSzenarioaenderung& a)
{
    using EArt = CSzenarioaenderung::EArt;
    switch (a.art) {
    case EArt::Feld: return a.name + ": " + a.groesse + " = " + Format("%g", a.wert);
    case EArt::Anlage: return "Anlage " + a.name + ": Kapazitaet = " + Format("%g", a.wert) + " Mio m³/a";
    case EArt::Verteilung: return std::string("Verteilung: ") + VerteilungName(a.verteilung);
    case EArt::Vertrag: return "Vertrag " + a.name + ": Mengen x " + Format("%g", a.wert);
    }
    return {};
}

std::string DokumentZurPlanung(const std::string& pfad)
{
    const std::string endung = ".planung.json";
    if (pfad.size() <= endung.size() || pfad.compare(pfad.size() - endung.size(), endung.size(), endung) != 0)
        return pfad;
    const std::string stamm = pfad.substr(0, pfad.size() - endung.size());
    std::error_code fehler;
    if (!std::filesystem::exists(stamm + ".kvo", fehler) && std::filesystem::exists(stamm + ".KVO", fehler))
        return stamm + ".KVO";
    return stamm + ".kvo";
}
