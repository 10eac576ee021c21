// The calculation run: from the inputs to all results, field by field.

#include "run/CLauf.h"

#include "forecast/CPrognose.h"
#include "forecast/DruckTabellen.h"
#include "gas/Brennwert.h"
#include "model/Feldregeln.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "summary/Profil.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <thread>
#include <type_traits>

namespace {

// A reserve as its line in the report shows it ("%7.1f"): the chart's bar and
// the printed figure agree to the digit. printf rounds the exact value to the
// nearest tenth (ties to even, as nearbyint in the default rounding mode);
// ×10 is exact in double for a float, and the tenth read back is the float
// nearest to it, as reading the printed text would give.
float AlsGedruckt(float reserve)
{
    return static_cast<float>(std::nearbyint(double(reserve) * 10.0) / 10.0);
}

// The forecast's messages join the run's, in order.
class CLaufMeldungen : public IMeldungen {
public:
    explicit CLaufMeldungen(std::vector<CLaufMeldung>& meldungen) : m_Meldungen(meldungen) {}
    void Meldung(const std::string& text) override { m_Meldungen.push_back({text, false}); }
    void Warnung(const std::string& text) override { m_Meldungen.push_back({text, true}); }
    bool Frage(const std::string&) override { return false; }

private:
    std::vector<CLaufMeldung>& m_Meldungen;
};

// A field's share per year as its forecast gave it.
CFeldreihe Feldreihe(const std::string& name, const CPrognoseErgebnis& r)
{
    CFeldreihe reihe;
    reihe.name = name;
    reihe.reserve = r.reserve;
    std::copy(std::begin(r.produktion), std::end(r.produktion), reihe.produktion);
    std::copy(std::begin(r.rate), std::end(r.rate), reihe.rate);
    std::copy(std::begin(r.rateMitte), std::end(r.rateMitte), reihe.rateMitte);
    std::copy(std::begin(r.stunden), std::end(r.stunden), reihe.stunden);
    return reihe;
}

} // namespace

// The working values a field's computation leaves and their copies (in a
// kept result, in the run's result), one pair each: the one table all
// directions use.
template <class W, class Fn>
void CLauf::Arbeitswerte(W& e, Fn&& paar)
{
    const auto feld = [&](auto& doc, auto& kopie) {
        if constexpr (std::is_array_v<std::remove_reference_t<decltype(doc)>>)
            for (size_t k = 0; k < std::size(doc); ++k)
                paar(doc[k], kopie[k]);
        else
            paar(doc, kopie);
    };
    feld(m_Feld, e.feld);
    feld(m_sFeldname, e.feldname);
    feld(m_iFoerderbeginn, e.foerderbeginn);
    feld(m_Gas, e.gas);
    feld(m_fPzTab, e.pzTab);
    feld(m_fVisTab, e.visTab);
    feld(m_fZTabRohr, e.zTabRohr);
    feld(m_fZi, e.zi);
    feld(m_iStufeAbJahr, e.stufeAbJahr);
    feld(m_iStufeFoerderstunden, e.stufeFoerderstunden);
    feld(m_fStufeKopfdruck, e.stufeKopfdruck);
    feld(m_iStufeBohrungen, e.stufeBohrungen);
    feld(m_fStufeCWert, e.stufeCWert);
    feld(m_fStufeKonsAnteil, e.stufeKonsAnteil);
}

CLaufErgebnis Lauf(const CLaufEingabe& eingabe, CFeldspeicher* speicher)
{
    return CLauf(eingabe, speicher).Berechnen();
}

int CLauf::FruehesterFoerderbeginn()
{
    bool erster = true;
    for (const CFeldsatz& satz : m_saFelder) {
        const int jahr = satz.Werte().m_iFoerderbeginn;
        if (!satz.KopfLesbar() || !JahrPlausibel(jahr))
            continue; // an unreadable record says nothing about the start
        if (erster || jahr < m_iProjektstart)
            m_iProjektstart = jahr;
        erster = false;
    }
    return m_iProjektstart;
}

CLauf::CLauf(const CLaufEingabe& e, CFeldspeicher* speicher)
    : m_saFelder(e.felder), m_saVerkaufsprofil(e.verkaufsprofil), m_saRestfelder(e.restfelder),
      m_iProjektende(e.projektende), m_sEinzelfeld(e.einzelfeld), m_iEinzelfeld(e.einzelfeld.empty() ? -1 : 0),
      m_bDetailausgabe(e.detail ? 1 : 0), m_bFeldesreserven(e.reserven ? 1 : 0), m_iGrafikRate(e.rate ? 1 : 0),
      m_iProjektstart(e.projektstart), m_iProjektstartFest(e.projektstartFest), m_bBedarf(e.bedarf && !e.reserven),
      m_bEnergie(e.energie), m_dEigenverbrauch(e.eigenverbrauch), m_pPlanung(e.planung), m_iMonateVon(e.monateVon),
      m_iMonateBis(e.monateBis), m_fSollKonstant(e.sollKonstant), m_iSollKonstantAb(e.sollKonstantAb),
      m_iBedarfBis(e.bedarfBis), m_dBedarfMindestIst(e.bedarfMindestIst), m_bBedarfGrob(e.bedarfGrob),
      m_bDruckanpassung(e.druckanpassung), m_pSpeicher(speicher), m_iThreads(e.threads),
      m_pPrognoseMeldungen(std::make_unique<CLaufMeldungen>(m_Meldungen))
{
    m_bJahrweise = m_bBedarf || (MitVerteilung() && !e.reserven);
    for (auto* stufe : {m_fStufeKopfdruck, m_fStufeCWert, m_fStufeKonsAnteil})
        std::fill_n(stufe, kMaxStufen, 0.0f);
    for (auto* stufe : {m_iStufeAbJahr, m_iStufeBohrungen, m_iStufeFoerderstunden})
        std::fill_n(stufe, kMaxStufen, 0);
    if (m_pSpeicher)
        m_nLauf = ++m_pSpeicher->laeufe;
}

CLaufErgebnis CLauf::Berechnen()
{
    m_iProjektstart = FruehesterFoerderbeginn();
    const bool einzelfeld = EinzelfeldFinden();
    // A single field's run starts in its own first year. The profiles are
    // merged against the start the run uses, so that every summary row
    // carries its own year's sales and rest-field figures.
    if (einzelfeld) {
        const CFeldsatz& satz = m_saFelder[static_cast<size_t>(m_iEinzelfeld)];
        m_sFeldname = satz.Name();
        if (satz.KopfLesbar())
            m_iProjektstart = satz.Werte().m_iFoerderbeginn;
    }
    if (m_iProjektstartFest > 0)
        m_iProjektstart = m_iProjektstartFest;
    ProfilUebernehmen(false);
    ProfilUebernehmen(true);
    SollKonstantSetzen();
    m_iAnzahl = AnzahlJahre(m_iProjektstart, m_iProjektende);

    if (einzelfeld) {
        GastabellenVorbereiten(true);
        Feldberechnung(m_iEinzelfeld);
        if (m_bJahrweise)
            NachBedarfFoerdern();
        m_sTitel = "Einzelfeldberechnung";
        m_sUntertitel = Anzeigename(m_sEinzelfeld);
    } else {
        GastabellenVorbereiten(false);
        m_Feldreihen.reserve(m_saFelder.size());
        for (int i = 0; i < static_cast<int>(m_saFelder.size()); ++i)
            Feldberechnung(i);
        if (m_bJahrweise)
            NachBedarfFoerdern();
        m_sTitel = m_iGrafikRate == 1 ? "Rate aller Felder" : "Jahresproduktion aller Felder";
        m_sUntertitel = "";
    }

    if (m_iGrafikRate == 1) {
        m_sLegendeY = "  Ist-Rate (m3/h)  ";
        m_sLegendeY1 = "  Soll-Rate (m3/h)  ";
    } else {
        m_sLegendeY = "Ist-Produktion (Mio m3/Jahr)";
        m_sLegendeY1 = "Soll-Produktion (Mio m3/Jahr)";
    }
    m_sAchseY = "Ist";
    m_sAchseY1 = "Soll";
    m_sAchseX = "Jahre";

    Zusammenfassung();
    if (m_bFeldesreserven == 1)
        ReservenGrafik(einzelfeld);
    if (m_bEnergie)
        EnergieTabelle();
    if (MitVertraegen() && m_bFeldesreserven != 1) { // after the summary: none with the reserves list
        Vertragstabelle();
        Monatstabelle();
    }
    if (m_bDruckanpassung && m_pPlanung && !m_pPlanung->messungen.empty() && m_bFeldesreserven != 1)
        Druckanpassungen();
    FeldergebnisseAufraeumen();
    return Ergebnis();
}

CLaufErgebnis CLauf::Ergebnis()
{
    CLaufErgebnis r;
    r.projektstart = m_iProjektstart;
    r.projektende = m_iProjektende;
    r.anzahl = m_iAnzahl;
    r.detail = m_bDetailausgabe == 1;
    r.reserven = m_bFeldesreserven == 1;
    r.bedarfTabelle = m_bBedarf && !MitVertraegen(); // with contracts: the deliveries per contract
    r.energieTabelle = m_bEnergie;
    r.eigenverbrauch = m_dEigenverbrauch;
    r.feldausgaben = std::move(m_Feldausgaben);
    r.zusammenfassung = std::move(m_Zusammenfassung);
    r.energiefelder = std::move(m_Energiefelder);
    const auto kopie = [](const auto& von, auto& nach) { std::copy(std::begin(von), std::end(von), std::begin(nach)); };
    kopie(m_fRestProduktion, r.restProduktion);
    kopie(m_fRestRate, r.restRate);
    kopie(m_fSollProduktion, r.sollProduktion);
    kopie(m_fSollRate, r.sollRate);
    kopie(m_fProduktionFelder, r.produktionFelder);
    kopie(m_fRateFelder, r.rateFelder);
    kopie(m_iVerkaufJahr, r.verkaufJahr);
    kopie(m_iRestJahr, r.restJahr);
    kopie(X, r.X);
    kopie(Y, r.Y);
    kopie(Y1, r.Y1);
    r.titel = m_sTitel;
    r.untertitel = m_sUntertitel;
    r.achseX = m_sAchseX;
    r.achseY = m_sAchseY;
    r.achseY1 = m_sAchseY1;
    r.legendeY = m_sLegendeY;
    r.legendeY1 = m_sLegendeY1;
    r.feldreihen = std::move(m_Feldreihen);
    r.nichtBerechnet = std::move(m_NichtBerechnet);
    r.meldungen = std::move(m_Meldungen);
    r.einzelfeld = m_iEinzelfeld;
    r.bedarf = std::move(m_Bedarfsjahre);
    r.energie = std::move(m_Energiejahre);
    r.vertraege = std::move(m_Vertragsjahre);
    r.monate = std::move(m_Vertragsmonate);
    r.anlagen = std::move(m_Anlagenjahre);
    r.verteiljahre = std::move(m_Verteiljahre);
    r.druckanpassungen = std::move(m_Druckanpassungen);
    if (m_pPlanung && !m_pPlanung->feldVorgaben.empty())
        r.aufgaben = std::move(m_Aufgaben);
    if (m_bFeldGenommen)
        Arbeitswerte(r.arbeitswerte.emplace(), [](const auto& lauf, auto& wert) { wert = lauf; });
    return r;
}

// The single field is chosen by its name, not by its place in the list, so
// that deleting or moving other fields never computes another field under
// the chosen name. A chosen field that is gone returns the run to all fields.
bool CLauf::EinzelfeldFinden()
{
    if (m_iEinzelfeld < 0 || m_sEinzelfeld.empty())
        return false;
    const int i = FeldIndex(m_saFelder, m_sEinzelfeld);
    if (i < 0) {
        Meldung(Format("Das Feld %s gibt es nicht mehr; es werden alle Felder berechnet.",
                       Anzeigename(m_sEinzelfeld).c_str()));
        m_sEinzelfeld.clear();
        m_iEinzelfeld = -1;
        return false;
    }
    m_iEinzelfeld = i;
    return true;
}

void CLauf::FeldAuslassen(const std::string& name, const std::string& grund, const std::string& meldung)
{
    m_NichtBerechnet.push_back({name, grund});
    FeldMeldung(meldung);
}

// The reserves chart from the run's numbers: field number in X, the field's
// reserve in Y as the reserves line prints it (one decimal), at most 33 fields.
// A single field's run has no reserves list, so no chart of it.
void CLauf::ReservenGrafik(bool einzelfeld)
{
    int n = einzelfeld ? 0 : static_cast<int>(m_Feldreihen.size());
    if (n > kMaxJahre) {
        Meldung("Es werden maximal 33 Felder in die Grafik aufgenommen");
        n = kMaxJahre;
    }
    for (int k = 0; k < n; ++k) {
        X[k] = k;
        Y[k] = AlsGedruckt(m_Feldreihen[static_cast<size_t>(k)].reserve);
    }
    m_iAnzahl = n;
    m_sUntertitel = "Reserven aller Felder";
    m_sAchseX = "Mio m3";
    m_sAchseY = "Feld";
    m_sTitel = "";
}

bool CLauf::FeldNeuBerechnen(int i)
{
    const CFeldsatz& satz = m_saFelder[static_cast<size_t>(i)];
    if (!satz.Lesbar()) {
        const std::string name = Anzeigename(satz.Name());
        m_sText = Format("Der %d. Feldsatz (Feld %s) ist unlesbar und wird nicht berechnet.", i + 1,
                         AufBreite(name, std::min<size_t>(AnzahlZeichen(name), 40)).c_str());
        FeldAuslassen(name, "der Feldsatz ist unlesbar", m_sText);
        return false;
    }
    const CStufen& stufen = satz.Stufen();
    m_Feld = satz.Werte();
    m_bFeldGenommen = true;
    m_Feld.m_sFeldname = Anzeigename(m_Feld.m_sFeldname); // the report and the CSV show it
    const CFeldwerte& feld = m_Feld;
    m_sFeldname = feld.m_sFeldname;
    m_iFoerderbeginn = feld.m_iFoerderbeginn;
    for (int k = 0; k < kAnzahlStufen; ++k) {
        m_iStufeAbJahr[k] = stufen[k].m_iStufeAbJahr;
        m_iStufeFoerderstunden[k] = stufen[k].m_iStufeFoerderstunden;
        m_fStufeKopfdruck[k] = stufen[k].m_fStufeKopfdruck;
        m_iStufeBohrungen[k] = stufen[k].m_iStufeBohrungen;
        m_fStufeCWert[k] = stufen[k].m_fStufeCWert;
        m_fStufeKonsAnteil[k] = stufen[k].m_fStufeKonsAnteil;
    }
    if (!FelddatenBrauchbar())
        return false;

    m_pTabellen = GastabellenZeiger(); // the field's tables, looked up once
    m_Gas = m_pTabellen->gas;
    if (m_bDetailausgabe == 1)
        m_Feldausgaben.push_back({m_Feld.m_sFeldname, CGasblock{m_Feld, m_Gas}, {}, 0});
    return DruckTabellen();
}

// Values the dialog never writes but a hand-edited file can hold would make
// the forecast divide by zero. Such a field is left out of the run with a
// message naming it.
bool CLauf::FelddatenBrauchbar()
{
    const CFeldwerte& f = m_Feld;
    if (const CErgebnis<> regeln = FeldPruefen(f, Stufen()); !regeln) {
        const std::string& grund = regeln.Fehlertext();
        m_sText = Format("Das Feld %s wird nicht berechnet: %s.", f.m_sFeldname.c_str(), grund.c_str());
        FeldAuslassen(f.m_sFeldname, grund, m_sText);
        return false;
    }
    if (!(f.m_fA1 > 0) || !(f.m_fCWert > 0) || f.m_iBohrungen <= 0) {
        m_sText = Format("Das Feld %s liefert keine Rate, solange A1, C-Wert oder Bohrungsanzahl "
                         "nicht größer als 0 sind.",
                         f.m_sFeldname.c_str());
        FeldMeldung(m_sText);
    }
    return true;
}

CStufen CLauf::Stufen() const
{
    CStufen stufen{};
    for (int k = 0; k < kAnzahlStufen; ++k)
        stufen[k] = {m_iStufeAbJahr[k],    m_iStufeFoerderstunden[k], m_fStufeKopfdruck[k],
                     m_iStufeBohrungen[k], m_fStufeCWert[k],          m_fStufeKonsAnteil[k]};
    return stufen;
}

bool CLauf::DruckTabellen()
{
    const CGastabellen& t = *m_pTabellen;
    std::copy(std::begin(t.pzTab), std::end(t.pzTab), m_fPzTab);
    std::copy(std::begin(t.visTab), std::end(t.visTab), m_fVisTab);
    if (std::any_of(std::begin(m_fPzTab), std::end(m_fPzTab),
                    [](float pz) { return !(pz > 0) || !std::isfinite(pz); })) {
        m_sText = Format("Das Feld %s wird nicht berechnet: für das Gas ist kein Z-Wert zu finden "
                         "(Lagerstättentemperatur zu niedrig?).",
                         m_Feld.m_sFeldname.c_str());
        FeldAuslassen(m_Feld.m_sFeldname, "für das Gas ist kein Z-Wert zu finden", m_sText);
        return false;
    }
    if (m_Feld.m_bDruckabhaengig == 1) {
        // The pressure-dependent factors need a gas column: B1 > 1 and a depth.
        if (m_Feld.m_fB1 > 1.0f && m_Feld.m_fTeufe > 0.0f)
            return max_rate_druckabhaengig();
        m_sText = Format("Das Feld %s wird mit konstanten Faktoren gerechnet: druckabhängige Faktoren "
                         "brauchen B1 größer als 1 und eine Teufe größer als 0.",
                         m_Feld.m_sFeldname.c_str());
        FeldMeldung(m_sText);
    }
    return max_rate();
}

namespace {

// Pressure-dependent factors need the tubing table; they need a gas column.
bool MitRohr(const CFeldwerte& f)
{
    return f.m_bDruckabhaengig == 1 && f.m_fB1 > 1.0f && f.m_fTeufe > 0.0f;
}

} // namespace

std::shared_ptr<const CGastabellen> CLauf::GastabellenZeiger()
{
    const std::string schluessel = GastabellenSchluessel(m_Feld, MitRohr(m_Feld));
    auto& t = m_Gastabellen[schluessel];
    if (!t)
        t = std::make_shared<const CGastabellen>(GastabellenBauen(m_Feld, MitRohr(m_Feld)));
    return t;
}

// The z-factor iterations behind the tables are most of a field's work and
// need nothing of the other fields: the tables of every field this run will
// compute are built ahead on all cores (or taken from the store, where the
// composition and temperatures are unchanged). The fields are then computed
// in order as before, with the same numbers.
void CLauf::GastabellenVorbereiten(bool einzelfeld)
{
    const CTabellen* gehalten = m_pSpeicher ? &m_pSpeicher->gastabellen : nullptr;
    std::vector<std::pair<std::string, const CFeldwerte*>> offen;
    for (int i = 0; i < static_cast<int>(m_saFelder.size()); ++i) {
        const CFeldsatz& satz = m_saFelder[static_cast<size_t>(i)];
        if ((einzelfeld && i != m_iEinzelfeld) || !satz.Lesbar() || !FeldPruefen(satz.Werte(), satz.Stufen()))
            continue;
        std::string schluessel = GastabellenSchluessel(satz.Werte(), MitRohr(satz.Werte()));
        if (m_Gastabellen.contains(schluessel))
            continue;
        const auto alt = gehalten ? gehalten->find(schluessel) : CTabellen::const_iterator{};
        if (gehalten && alt != gehalten->end()) {
            m_Gastabellen.emplace(schluessel, alt->second); // kept also for a replayed field
            continue;
        }
        if (Bekannt(FeldSchluessel(i)))
            continue; // replayed: no tables needed
        m_Gastabellen.emplace(schluessel, nullptr);
        offen.emplace_back(std::move(schluessel), &satz.Werte());
    }

    std::vector<std::shared_ptr<const CGastabellen>> gebaut(offen.size());
    std::atomic<size_t> naechstes{0};
    const auto arbeiten = [&] {
        for (size_t k = naechstes++; k < offen.size(); k = naechstes++)
            gebaut[k] =
                std::make_shared<const CGastabellen>(GastabellenBauen(*offen[k].second, MitRohr(*offen[k].second)));
    };
    const unsigned kerne = m_iThreads > 0 ? unsigned(m_iThreads) : std::max(1u, std::thread::hardware_concurrency());
    const size_t helfer = std::min<size_t>(kerne, offen.size()) - (offen.empty() ? 0 : 1);
    std::vector<std::jthread> threads;
    for (size_t k = 0; k < helfer; ++k)
        threads.emplace_back(arbeiten);
    arbeiten();
    threads.clear(); // joins
    for (size_t k = 0; k < offen.size(); ++k)
        m_Gastabellen[offen[k].first] = gebaut[k];
}

bool CLauf::max_rate()
{
    return PrognoseHinzufuegen(false);
}

bool CLauf::max_rate_druckabhaengig()
{
    return PrognoseHinzufuegen(true);
}

// Runs the forecast of the field being computed on the document's working
// values and adds its result: the share into the year series of all fields,
// its lines to the report, the working values it ends with.
bool CLauf::PrognoseHinzufuegen(bool druckabhaengig)
{
    CPrognoseEingabe e;
    e.feld = m_Feld;
    e.stufen = Stufen();
    e.gas = &m_Gas;
    e.pzTab = m_fPzTab;
    e.visTab = m_fVisTab;
    if (druckabhaengig && m_pTabellen->mitRohr)
        e.zTabRohr = m_pTabellen->zTabRohr;
    e.druckwerte = &m_pTabellen->druck;
    e.projektstart = m_iProjektstart;
    e.projektende = m_iProjektende;
    e.detail = m_bDetailausgabe == 1;
    e.druckabhaengig = druckabhaengig;
    if (m_bJahrweise)
        return BedarfsfeldAnlegen(e);
    VorProjektFoerdern(e);
    CLaufMeldungen meldungen(m_Meldungen);
    const CPrognoseErgebnis r = Prognose(e, meldungen);
    m_fZi = r.zi;
    if (!r.berechnet) {
        m_NichtBerechnet.push_back({m_Feld.m_sFeldname, "kein Z-Wert beim Initialdruck"});
        return false;
    }
    m_Feld = r.feld;
    if (druckabhaengig)
        std::copy(std::begin(r.zTabRohr), std::end(r.zTabRohr), m_fZTabRohr);
    m_Feldergebnis.anteil = Feldreihe(m_sFeldname, r);
    AnteilHinzufuegen(m_Feldergebnis.anteil);
    AusgabeHinzufuegen(r);
    return true;
}

// What the report shows of the forecast: after the field's gas block in the
// detailed report, on its own in the reserves list.
void CLauf::AusgabeHinzufuegen(const CPrognoseErgebnis& r)
{
    if (m_bDetailausgabe != 1 && m_bFeldesreserven != 1)
        return;
    // In the detailed report the field's gas block stands last, waiting for its forecast.
    if (m_bDetailausgabe != 1 || m_Feldausgaben.empty() || m_Feldausgaben.back().prognose)
        m_Feldausgaben.push_back({r.feld.m_sFeldname, {}, {}, 0});
    CFeldausgabe& a = m_Feldausgaben.back();
    a.name = r.feld.m_sFeldname;
    a.prognose = r.tabelle;
    a.reserve = r.reserve;
}

namespace {

// A field whose start lies before a fixed calendar's first year.
bool VorDemProjekt(const CFeldwerte& f, int projektstartFest, int projektstart)
{
    return projektstartFest > 0 && JahrPlausibel(f.m_iFoerderbeginn) && f.m_iFoerderbeginn < projektstart;
}

// The forecast of a field's years before the project (from `von` to the year
// before the project), without report lines.
CPrognoseEingabe VorProjekt(CPrognoseEingabe e, int von, int projektstart)
{
    e.projektstart = von;
    e.projektende = projektstart - 1;
    e.detail = false;
    return e;
}

// The field as it enters the project after its forecast `vor` of the years
// before: its cumulative, its working values after the stage rows, and the
// stage row of the project's first year applied (a forecast applies none in
// its field's first year); its later years are those of a forecast from its
// own start.
void Fortsetzen(CPrognoseEingabe& e, const CPrognoseLauf& vor, int projektstart)
{
    CFeldwerte& f = e.feld;
    f = vor.Ergebnis().feld;
    f.m_fKumProdBeginn = vor.Kumuliert();
    f.m_iFoerderbeginn = projektstart;
    for (const CStufenzeile& s : e.stufen)
        if (s.m_iStufeAbJahr == projektstart)
            StufenwerteUebernehmen(s, f);
}

} // namespace

// A run on a fixed calendar (a study's variation on its base run's years) may
// hold a field that starts before the project: its forecast runs through its
// years before the project first, and the field enters the project as it
// stands then. At capacity each field alone; a demand-limited run takes such
// fields through those years together (NachBedarfFoerdern).
void CLauf::VorProjektFoerdern(CPrognoseEingabe& e)
{
    if (!VorDemProjekt(e.feld, m_iProjektstartFest, m_iProjektstart))
        return;
    CStilleMeldungen still; // the forecast of the project years says what is to be said
    CPrognoseLauf vor(VorProjekt(e, e.feld.m_iFoerderbeginn, m_iProjektstart), still);
    if (!vor.Berechenbar())
        return;
    while (!vor.Fertig())
        vor.Jahr();
    Fortsetzen(e, vor, m_iProjektstart);
}

// The value of a profile in a calendar year before the project, as a run
// that started in `von` would have merged it (by position from its first line).
float CLauf::VorProjektProfil(bool restfelder, int jahr, int von) const
{
    if (!restfelder && m_fSollKonstant >= 0)
        return m_fSollKonstant;
    const CProfil& p = restfelder ? m_saRestfelder : m_saVerkaufsprofil;
    if (p.empty() || p.front().gelesen < 1 || p.back().gelesen < 1 || p.front().jahr >= m_iProjektende ||
        p.back().jahr <= von)
        return 0;
    const long long j = static_cast<long long>(jahr) - p.front().jahr;
    if (j < 0 || j >= static_cast<long long>(p.size()) || p[static_cast<size_t>(j)].gelesen < 2)
        return 0;
    return p[static_cast<size_t>(j)].produktion;
}

// Demand-limited run: the field's forecast is set up on the kept tables and
// waits for its years.
bool CLauf::BedarfsfeldAnlegen(CPrognoseEingabe e)
{
    std::shared_ptr<const CGastabellen> t = m_pTabellen;
    e.gas = &t->gas;
    e.pzTab = t->pzTab;
    e.visTab = t->visTab;
    e.zTabRohr = e.druckabhaengig && t->mitRohr ? t->zTabRohr : nullptr;
    e.druckwerte = &t->druck;
    CPrognoseLauf lauf(e, *m_pPrognoseMeldungen);
    m_fZi = lauf.Ergebnis().zi;
    if (!lauf.Berechenbar()) {
        m_NichtBerechnet.push_back({m_Feld.m_sFeldname, "kein Z-Wert beim Initialdruck"});
        return false;
    }
    CBedarfsfeld feld{std::move(lauf), std::move(t), {}, m_iFeldPosition, {}};
    if (VorDemProjekt(e.feld, m_iProjektstartFest, m_iProjektstart))
        feld.vorProjekt = e;
    m_Bedarfsfelder.push_back(std::move(feld));
    return true;
}

void CLauf::SollKonstantSetzen()
{
    if (m_fSollKonstant < 0)
        return;
    for (int k = 0; k < kMaxJahre; ++k) {
        if (static_cast<long long>(m_iProjektstart) + k < m_iSollKonstantAb)
            continue; // the build-up before a plateau's window keeps the profile
        m_iVerkaufJahr[k] = m_iProjektstart + k;
        m_fSollProduktion[k] = m_fSollKonstant;
        m_fSollRate[k] = static_cast<float>(double(m_fSollKonstant) * 1e6 / 8760.0); // m³/h of a year's quantity
    }
}

// Each project year: the demand on the fields is the Soll less the rest
// fields (not below 0). When the fields can deliver more, every rate of the
// year is multiplied by one common factor, found by bisection (at most 40
// steps) so that they produce the demand within BedarfsGenauigkeit; the gas
// left in the ground keeps the pressure up for the years after.
void CLauf::NachBedarfFoerdern()
{
    VorProjektNachBedarf();
    std::vector<CPrognoseLauf> stand;
    for (const CBedarfsfeld& f : m_Bedarfsfelder)
        stand.push_back(f.lauf);
    if (MitVertraegen())
        stand = NachVertragFoerdern(std::move(stand));
    else if (MitVerteilung())
        stand = NachVerteilungFoerdern(std::move(stand));
    else
        stand = NachBedarfJahre(std::move(stand));
    FelderAbschliessen(stand);
}

// Each project year the demand on all fields, by one common factor.
std::vector<CPrognoseLauf> CLauf::NachBedarfJahre(std::vector<CPrognoseLauf> stand)
{
    for (int y = 0; y < m_iAnzahl; ++y) {
        std::vector<CPrognoseLauf> gewaehlt;
        const float bedarf = std::max(0.0f, static_cast<float>(double(m_fSollProduktion[y]) - m_fRestProduktion[y]));
        const EBedarfssuche suche = !m_bBedarfGrob      ? EBedarfssuche::Genau
                                    : y == m_iBedarfBis ? EBedarfssuche::NurLieferbar
                                                        : EBedarfssuche::Sekante;
        CBedarfsjahr b = BedarfsjahrWaehlen(stand, y, bedarf, gewaehlt, suche);
        b.jahr = m_iProjektstart + y;
        stand = std::move(gewaehlt);
        m_Bedarfsjahre.push_back(b);
        // Ist as the summary adds it: the rest fields and the fields' float sum in list order.
        if (y == m_iBedarfBis ||
            (m_dBedarfMindestIst >= 0 && double(m_fRestProduktion[y]) + b.gefoerdert < m_dBedarfMindestIst))
            break;
    }
    return stand;
}

// Each project year the fields dispatched by the plan: its plants, its rule
// for the demand (with the demand limit), minimum rates and the end of fields.
std::vector<CPrognoseLauf> CLauf::NachVerteilungFoerdern(std::vector<CPrognoseLauf> stand)
{
    std::vector<std::string> namen;
    for (const CPrognoseLauf& l : stand)
        namen.push_back(l.Ergebnis().feld.m_sFeldname);
    CVerteilung verteilung(*m_pPlanung, Verteilfelder(*m_pPlanung, namen));
    for (int y = 0; y < m_iAnzahl; ++y) {
        // The demand on the fields as a demand-limited run takes it; none without the limit.
        const double bedarf =
            m_bBedarf ? std::max(0.0f, static_cast<float>(double(m_fSollProduktion[y]) - m_fRestProduktion[y])) : -1.0;
        CBedarfsjahr b;
        stand = verteilung.Jahr(stand, y, m_iProjektstart + y, bedarf, b);
        if (m_bBedarf)
            m_Bedarfsjahre.push_back(b);
        if (y == m_iBedarfBis ||
            (m_dBedarfMindestIst >= 0 && double(m_fRestProduktion[y]) + b.gefoerdert < m_dBedarfMindestIst))
            break;
    }
    m_Anlagenjahre = verteilung.Anlagenjahre();
    m_Verteiljahre = verteilung.Verteiljahre();
    for (const CPrognoseLauf& l : stand) {
        const CPrognoseErgebnis& e = l.Ergebnis();
        float reserve = 0;
        for (int y = 0; y < m_iAnzahl; ++y)
            reserve = static_cast<float>(double(reserve) + e.produktion[y]);
        m_Aufgaben.push_back({e.feld.m_sFeldname, e.tabelle.aufgabejahr, e.tabelle.aufgabegrund, reserve});
    }
    return stand;
}

// The fields' results in list order, as a run at capacity adds them.
void CLauf::FelderAbschliessen(const std::vector<CPrognoseLauf>& stand)
{
    for (size_t k = 0; k < m_Bedarfsfelder.size(); ++k) {
        CBedarfsfeld& f = m_Bedarfsfelder[k];
        CPrognoseLauf lauf = k < stand.size() ? stand[k] : f.lauf;
        const CPrognoseErgebnis r = lauf.Abschliessen();
        m_Feld = r.feld;
        m_fZi = r.zi;
        m_iFeldPosition = f.feld;
        AnteilHinzufuegen(Feldreihe(r.feld.m_sFeldname, r));
        if (f.gas)
            m_Feldausgaben.push_back({r.feld.m_sFeldname, f.gas, {}, 0});
        AusgabeHinzufuegen(r);
    }
}

// The fields of a fixed calendar that start before it, through the years
// before the project together, demand-limited as a run from the earliest of
// them would take them (the profiles' values of those years; only these
// fields produce then); each then enters the project as it stands.
void CLauf::VorProjektNachBedarf()
{
    int von = m_iProjektstart;
    for (const CBedarfsfeld& f : m_Bedarfsfelder)
        if (f.vorProjekt)
            von = std::min(von, f.vorProjekt->feld.m_iFoerderbeginn);
    if (von >= m_iProjektstart)
        return;
    CStilleMeldungen still;
    std::vector<size_t> welche;
    std::vector<CPrognoseLauf> stand;
    for (size_t k = 0; k < m_Bedarfsfelder.size(); ++k) {
        if (!m_Bedarfsfelder[k].vorProjekt)
            continue;
        CPrognoseLauf vor(VorProjekt(*m_Bedarfsfelder[k].vorProjekt, von, m_iProjektstart), still);
        if (!vor.Berechenbar())
            continue;
        welche.push_back(k);
        stand.push_back(std::move(vor));
    }
    for (int jahr = von; jahr < m_iProjektstart && jahr - von < kMaxJahre; ++jahr) {
        const float bedarf = std::max(
            0.0f, static_cast<float>(double(VorProjektProfil(false, jahr, von)) - VorProjektProfil(true, jahr, von)));
        std::vector<CPrognoseLauf> gewaehlt;
        BedarfsjahrWaehlen(stand, jahr - von, bedarf, gewaehlt);
        stand = std::move(gewaehlt);
    }
    for (size_t i = 0; i < welche.size(); ++i) {
        CBedarfsfeld& f = m_Bedarfsfelder[welche[i]];
        CPrognoseEingabe e = *f.vorProjekt;
        Fortsetzen(e, stand[i], m_iProjektstart);
        f.lauf = CPrognoseLauf(e, *m_pPrognoseMeldungen);
    }
}

// Sales gas and energy of the fields' shares, after the summary (and the
// demand table). The rest fields are not in it: their composition is unknown.
// A field whose composition does not sum to 100 % is named and left out of
// sales gas and energy rather than guessed at.
void CLauf::EnergieTabelle()
{
    const double eigenverbrauch = 1.0 - m_dEigenverbrauch / 100.0;
    std::vector<double> faktor;    // sales gas per m³ of the field's share
    std::vector<double> brennwert; // kWh/m³
    m_Energiefelder.clear();
    for (const CFeldreihe& reihe : m_Feldreihen) {
        // The field's own record, also when its name stands twice in a file.
        const CVerkaufsgas v = Verkaufsgas(m_saFelder.at(static_cast<size_t>(reihe.feld)).Werte().m_fAnteil);
        m_Energiefelder.push_back({Anzeigename(reihe.name), v});
        faktor.push_back(v.brauchbar ? v.Ausbeute() * eigenverbrauch : 0);
        brennwert.push_back(v.brauchbar ? v.hs : 0);
    }
    m_Energiejahre.clear();
    for (int j = 0; j < kMaxJahre && static_cast<long long>(m_iProjektstart) + j <= m_iProjektende; ++j) {
        CEnergiejahr e{m_iProjektstart + j};
        for (size_t k = 0; k < m_Feldreihen.size(); ++k) {
            const double roh = m_Feldreihen[k].produktion[j];
            e.rohgas += roh;
            e.verkaufsgas += roh * faktor[k];
            // Mio m³ (1.0134 bar) × kWh/m³ (1.01325 bar) × the m³ ratio = GWh
            e.energie += roh * faktor[k] * brennwert[k] * kNormzustandJeIsoBezug;
        }
        m_Energiejahre.push_back(e);
    }
}

CVertragsfeld CLauf::VertragsfeldAn(int position) const
{
    const CFeldsatz& satz = m_saFelder.at(static_cast<size_t>(position));
    return Vertragsfeld(satz.Name(), satz.Werte(), *m_pPlanung, m_dEigenverbrauch);
}

namespace {

// What the fields `laeufe` deliver to a contract in year y after running it
// with the factor f from `stand`, summed in list order.
double VertragVersuchen(const std::vector<CPrognoseLauf>& stand, const std::vector<CVertragsfeld>& felder, int y,
                        double f, bool gwh, std::vector<CPrognoseLauf>& laeufe)
{
    laeufe = stand;
    double summe = 0;
    for (size_t k = 0; k < laeufe.size(); ++k) {
        laeufe[k].Jahr(f);
        summe += felder[k].Lieferung(laeufe[k].Ergebnis().produktion[y], gwh);
    }
    return summe;
}

// The fields of one contract through year y: at capacity when that does not
// reach `ziel`, else the common factor on their rates, by bisection (at most
// 40 steps), that delivers `ziel` within the contract's accuracy.
std::vector<CPrognoseLauf> VertragsjahrWaehlen(const std::vector<CPrognoseLauf>& stand,
                                               const std::vector<CVertragsfeld>& felder, int y, double ziel,
                                               double genau, bool gwh)
{
    std::vector<CPrognoseLauf> laeufe;
    if (ziel <= 0) {
        VertragVersuchen(stand, felder, y, 0.0, gwh, laeufe);
        return laeufe;
    }
    if (VertragVersuchen(stand, felder, y, 1.0, gwh, laeufe) <= ziel + genau)
        return laeufe; // all they can
    double unten = 0, oben = 1, besterAbstand = -1;
    std::vector<CPrognoseLauf> beste;
    for (int k = 0; k < 40; ++k) {
        const double mitte = (unten + oben) / 2;
        const double g = VertragVersuchen(stand, felder, y, mitte, gwh, laeufe);
        if (std::fabs(g - ziel) <= genau)
            return laeufe;
        if (besterAbstand < 0 || std::fabs(g - ziel) < besterAbstand) {
            besterAbstand = std::fabs(g - ziel);
            beste = laeufe;
        }
        (g > ziel ? oben : unten) = mitte;
    }
    return beste;
}

} // namespace

// Each project year each contract's fields (those of its gas family) deliver
// its quantity less the rest fields' delivery to it, by a common factor of
// their own; a field that serves no contract that year stays shut.
std::vector<CPrognoseLauf> CLauf::NachVertragFoerdern(std::vector<CPrognoseLauf> stand)
{
    std::vector<CVertragsfeld> felder;
    for (const CBedarfsfeld& f : m_Bedarfsfelder)
        felder.push_back(VertragsfeldAn(f.feld));
    for (const CBedarfsfeld& f : m_Bedarfsfelder)
        m_Lieferbar[f.feld] = CFeldreihe{};
    for (int y = 0; y < m_iAnzahl; ++y) {
        // What each field could deliver this year: the peak table's rate.
        for (size_t k = 0; k < stand.size(); ++k) {
            CPrognoseLauf voll = stand[k];
            voll.Jahr(1.0);
            CFeldreihe& lieferbar = m_Lieferbar[m_Bedarfsfelder[k].feld];
            lieferbar.rate[y] = voll.Ergebnis().rate[y];
            lieferbar.rateMitte[y] = voll.Ergebnis().rateMitte[y];
            lieferbar.stunden[y] = voll.Ergebnis().stunden[y];
        }
        std::vector<CPrognoseLauf> naechster = stand;
        std::vector<bool> bedient(stand.size(), false);
        for (const CVertrag& v : m_pPlanung->vertraege) {
            const auto menge = v.mengen.find(m_iProjektstart + y);
            if (menge == v.mengen.end())
                continue;
            std::vector<size_t> welche;
            std::vector<CPrognoseLauf> teil;
            std::vector<CVertragsfeld> teilFelder;
            for (size_t k = 0; k < stand.size(); ++k)
                if (felder[k].gasart == v.gasart) {
                    welche.push_back(k);
                    teil.push_back(stand[k]);
                    teilFelder.push_back(felder[k]);
                }
            const double ziel =
                std::max(0.0, menge->second - RestfelderLieferung(*m_pPlanung, v, m_fRestProduktion[y]));
            // A quarter of the contract's accuracy, so that the sum stays within it.
            const double genau = 0.25 * kVertragsgenauigkeit * menge->second;
            std::vector<CPrognoseLauf> gewaehlt = VertragsjahrWaehlen(teil, teilFelder, y, ziel, genau, v.gwh);
            for (size_t i = 0; i < welche.size(); ++i) {
                naechster[welche[i]] = std::move(gewaehlt[i]);
                bedient[welche[i]] = true;
            }
        }
        for (size_t k = 0; k < stand.size(); ++k)
            if (!bedient[k])
                naechster[k].Jahr(0.0);
        stand = std::move(naechster);
    }
    return stand;
}

// Each contract's years in the project: its quantity and what the fields of
// its family (their share production) and the rest fields delivered.
void CLauf::Vertragstabelle()
{
    std::vector<CVertragsfeld> felder;
    for (const CFeldreihe& reihe : m_Feldreihen)
        felder.push_back(VertragsfeldAn(reihe.feld));
    m_Vertragsjahre.clear();
    for (const CVertrag& v : m_pPlanung->vertraege)
        for (const auto& [jahr, menge] : v.mengen) {
            const long long j = static_cast<long long>(jahr) - m_iProjektstart;
            if (j < 0 || j >= m_iAnzahl)
                continue;
            CVertragsjahr z{jahr, v.name, v.gasart, v.gwh, menge, 0, 0};
            double verkaufsgas = 0, energie = 0; // of the fields, for the family's Hs,n
            for (size_t k = 0; k < m_Feldreihen.size(); ++k)
                if (felder[k].gasart == v.gasart) {
                    const CFeldreihe& reihe = m_Feldreihen[k];
                    z.rohgas += reihe.produktion[j];
                    z.geliefert += felder[k].Lieferung(reihe.produktion[j], v.gwh);
                    verkaufsgas += felder[k].Lieferung(reihe.produktion[j], false);
                    energie += felder[k].Lieferung(reihe.produktion[j], true);
                    const double rate = LieferbareReihe(reihe).rate[j];
                    z.lieferbarRate += felder[k].Lieferung(rate, false); // m³/h of raw gas to sales gas
                }
            z.restfelder = RestfelderLieferung(*m_pPlanung, v, m_fRestProduktion[j]);
            z.geliefert += z.restfelder;
            CVertrag alsMenge = v;
            alsMenge.gwh = false; // the rest fields' share of their rate, as sales gas
            z.lieferbarRate += RestfelderLieferung(*m_pPlanung, alsMenge, m_fRestRate[j]);
            // The family's Hs,n: its fields' energy over their sales gas (the
            // rest fields' where the fields deliver none).
            double hs = verkaufsgas > 0 ? energie / verkaufsgas / kNormzustandJeIsoBezug : 0.0;
            if (!(hs > 0))
                for (const CRestfeldanteil& a : m_pPlanung->restfelder)
                    if (a.gasart == v.gasart)
                        hs = a.brennwert;
            z.spitze = Spitzenrate(v, menge, hs);
            m_Vertragsjahre.push_back(z);
        }
}

const CFeldreihe& CLauf::LieferbareReihe(const CFeldreihe& reihe) const
{
    const auto lieferbar = m_Lieferbar.find(reihe.feld);
    return lieferbar != m_Lieferbar.end() ? lieferbar->second : reihe;
}

// The months of the years asked for (the budget year unless others are):
// each contract's quantity by its monthly shares against what its fields
// could deliver in the month at capacity and the rest fields' part.
void CLauf::Monatstabelle()
{
    std::vector<CVertragsfeld> felder;
    for (const CFeldreihe& reihe : m_Feldreihen)
        felder.push_back(VertragsfeldAn(reihe.feld));
    const int von = std::max(m_iProjektstart, m_iMonateVon > 0 ? m_iMonateVon : m_iProjektstart);
    const int bis = std::min(m_iProjektstart + m_iAnzahl - 1, m_iMonateBis > 0 ? m_iMonateBis : von);
    m_Vertragsmonate.clear();
    for (int jahr = von; jahr <= bis; ++jahr) {
        const int j = jahr - m_iProjektstart;
        for (const CVertrag& v : m_pPlanung->vertraege) {
            const auto menge = v.mengen.find(jahr);
            if (menge == v.mengen.end())
                continue;
            for (int monat = 1; monat <= 12; ++monat) {
                CVertragsmonat m{jahr, monat, v.name, v.gwh, menge->second * v.monate[size_t(monat - 1)] / 100.0, 0};
                for (size_t k = 0; k < m_Feldreihen.size(); ++k)
                    if (felder[k].gasart == v.gasart) {
                        const CFeldreihe& lieferbar = LieferbareReihe(m_Feldreihen[k]);
                        const float rate = monat <= 6 ? lieferbar.rateMitte[j] : lieferbar.rate[j];
                        m.lieferbar += felder[k].Lieferung(Monatsmenge(rate, lieferbar.stunden[j], monat), v.gwh);
                    }
                // The rest fields' year spread over its hours.
                const double rest = m_fRestProduktion[j] * 24.0 * Monatstage(monat) / 8760.0;
                m.lieferbar += RestfelderLieferung(*m_pPlanung, v, rest);
                m_Vertragsmonate.push_back(m);
            }
        }
    }
}

size_t CFeldschluesselHash::operator()(const CFeldschluessel& s) const
{
    // FNV-1a over the numbers, then the text's own hash mixed in.
    size_t h = 14695981039346656037ull;
    const auto mischen = [&h](uint64_t wert) { h = (h ^ wert) * 1099511628211ull; };
    for (const int wert : {s.projektstart, s.projektende, int(s.detail), int(s.reserven)})
        mischen(static_cast<uint64_t>(wert));
    for (const auto& [groesse, wert] : s.abwandlung) {
        mischen(static_cast<uint64_t>(groesse));
        mischen(std::hash<double>{}(wert));
    }
    mischen(s.textHash);
    return h;
}

CFeldschluessel CLauf::FeldSchluessel(int i) const
{
    const CFeldsatz& satz = m_saFelder[static_cast<size_t>(i)];
    return {m_iProjektstart, m_iProjektende, m_bDetailausgabe == 1, m_bFeldesreserven == 1,
            satz.TextHash(), satz.Text(),    satz.Abwandlung()};
}

bool CLauf::Feldberechnung(int i)
{
    m_iFeldPosition = i;
    if (m_bJahrweise) {
        // The fields' years depend on each other: nothing is kept or replayed.
        // A field set up takes its gas block with it, to show it before its forecast.
        const size_t ausgaben = m_Feldausgaben.size();
        const size_t felder = m_Bedarfsfelder.size();
        const bool angelegt = FeldNeuBerechnen(i) && m_Bedarfsfelder.size() > felder;
        if (angelegt && m_Feldausgaben.size() > ausgaben) {
            m_Bedarfsfelder.back().gas = std::move(m_Feldausgaben.back().gas);
            m_Feldausgaben.resize(ausgaben);
        }
        return angelegt;
    }
    const CFeldschluessel schluessel = FeldSchluessel(i);
    if (const CFeldergebnis* gehalten = Gehalten(schluessel)) {
        FeldergebnisWiederholen(*gehalten);
        return true;
    }

    m_Feldergebnis = CFeldergebnis{};
    const size_t ersteAusgabe = m_Feldausgaben.size();
    const unsigned meldungen = m_nFeldMeldungen;
    const bool berechnet = FeldNeuBerechnen(i);
    // A computation that showed a message is not kept: the next run shows it again.
    if (!berechnet || m_nFeldMeldungen != meldungen || !m_pSpeicher)
        return berechnet;
    CFeldergebnis& e = m_Feldergebnis;
    e.ausgaben.assign(m_Feldausgaben.begin() + static_cast<long>(ersteAusgabe), m_Feldausgaben.end());
    Arbeitswerte(e.werte, [](const auto& lauf, auto& kopie) { kopie = lauf; });
    e.lauf = m_nLauf;
    m_pSpeicher->ergebnisse[schluessel] = std::move(e);
    return true;
}

// A field's kept result: the store's own (marked as used by this run), else
// its base run's.
bool CLauf::Bekannt(const CFeldschluessel& schluessel) const
{
    return m_pSpeicher && (m_pSpeicher->ergebnisse.contains(schluessel) ||
                           (m_pSpeicher->grund && m_pSpeicher->grund->contains(schluessel)));
}

const CFeldergebnis* CLauf::Gehalten(const CFeldschluessel& schluessel)
{
    if (!m_pSpeicher)
        return nullptr;
    if (const auto eigen = m_pSpeicher->ergebnisse.find(schluessel); eigen != m_pSpeicher->ergebnisse.end()) {
        eigen->second.lauf = m_nLauf;
        return &eigen->second;
    }
    if (m_pSpeicher->grund)
        if (const auto grund = m_pSpeicher->grund->find(schluessel); grund != m_pSpeicher->grund->end())
            return &grund->second;
    return nullptr;
}

void CLauf::FeldergebnisWiederholen(const CFeldergebnis& e)
{
    m_Feldausgaben.insert(m_Feldausgaben.end(), e.ausgaben.begin(), e.ausgaben.end());
    AnteilHinzufuegen(e.anteil);
    Arbeitswerte(e.werte, [](auto& lauf, const auto& kopie) { lauf = kopie; });
    m_bFeldGenommen = true;
}

// Adds a field's share to the year series of all fields, in single precision,
// and keeps it as the field's own series.
void CLauf::AnteilHinzufuegen(CFeldreihe reihe)
{
    reihe.feld = m_iFeldPosition;
    for (int j = 0; j < kMaxJahre; ++j) {
        m_fProduktionFelder[j] = static_cast<float>(double(m_fProduktionFelder[j]) + reihe.produktion[j]);
        m_fRateFelder[j] = static_cast<float>(double(m_fRateFelder[j]) + reihe.rate[j]);
    }
    m_Feldreihen.push_back(std::move(reihe));
}

void CLauf::FeldMeldung(const std::string& text)
{
    ++m_nFeldMeldungen;
    m_Meldungen.push_back({text, true});
}

// Results no field of this run asked for are dropped: the memory stays that
// of one portfolio (and a study's base run).
void CLauf::FeldergebnisseAufraeumen()
{
    if (m_pSpeicher) {
        std::erase_if(m_pSpeicher->ergebnisse, [this](const auto& eintrag) { return eintrag.second.lauf != m_nLauf; });
        // The tables of this run's fields stay for the next run.
        std::erase_if(m_Gastabellen, [](const auto& eintrag) { return !eintrag.second; });
        m_pSpeicher->gastabellen = m_Gastabellen;
    }
}

// Every project year's row, and the running totals in single precision,
// each addition rounded to float; without the reserves list the chart of Ist
// and Soll in the chart quantity.
void CLauf::Zusammenfassung()
{
    CZusammenfassung& z = m_Zusammenfassung = {};
    for (int i = 0; i < AnzahlJahre(m_iProjektstart, m_iProjektende); ++i) {
        const CZusammenfassungsjahr& y = z.jahre.emplace_back(
            ::Zusammenfassungsjahr(m_iProjektstart + i, m_fRestProduktion[i], m_fRestRate[i], m_fProduktionFelder[i],
                                   m_fRateFelder[i], m_fSollProduktion[i], m_fSollRate[i]));
        z.summeRest = static_cast<float>(double(z.summeRest) + y.restProduktion);
        z.summeIst = static_cast<float>(double(z.summeIst) + y.istProduktion);
        z.summeSoll = static_cast<float>(double(z.summeSoll) + y.sollProduktion);
    }
    if (m_bFeldesreserven == 1)
        return;
    m_sText = Format("Endjahr:%d Startjahr:%d\nEs werden nur 33 Jahre gerechnet!!", m_iProjektende, m_iProjektstart);
    if (static_cast<long long>(m_iProjektende) - m_iProjektstart > kMaxJahre - 1)
        Meldung(m_sText);
    for (size_t i = 0; i < m_Zusammenfassung.jahre.size(); ++i) {
        const CZusammenfassungsjahr& y = m_Zusammenfassung.jahre[i];
        X[i] = y.jahr;
        if (m_iGrafikRate != 0) {
            Y[i] = static_cast<float>(y.istRate);
            Y1[i] = y.sollRate;
        } else {
            Y[i] = static_cast<float>(y.istProduktion);
            Y1[i] = y.sollProduktion;
        }
    }
}

// Places a profile's lines into its year series by position: line j goes to
// entry (first year − project start) + j, whatever year it states.
void CLauf::ProfilUebernehmen(bool restfelder)
{
    const auto& zeilen = restfelder ? m_saRestfelder : m_saVerkaufsprofil;
    int* jahre = restfelder ? m_iRestJahr : m_iVerkaufJahr;
    float* produktion = restfelder ? m_fRestProduktion : m_fSollProduktion;
    float* rate = restfelder ? m_fRestRate : m_fSollRate;

    const long long n = static_cast<long long>(zeilen.size());
    if (n == 0)
        return;
    if (zeilen.front().gelesen < 1 || zeilen.back().gelesen < 1)
        return; // lines are checked where they enter; nothing to place
    const int erstes = zeilen.front().jahr, letztes = zeilen.back().jahr;
    const long long istart = static_cast<long long>(erstes) - m_iProjektstart;
    if (erstes >= m_iProjektende) {
        Meldung(restfelder ? "Die Restdaten beginnen erst nach Projektende!"
                           : "Die Verkaufsdaten beginnen erst nach Projektende!");
        return;
    }
    if (letztes <= m_iProjektstart) {
        Meldung(restfelder ? "Die Restdaten enden vor dem Projektbeginn!"
                           : "Die Verkaufsdaten enden vor dem Projektbeginn!");
        return;
    }
    for (long long k = std::max(istart, 0LL); k < kMaxJahre && k < istart + n; ++k) {
        // A line sets the values it holds, as a scan of it would.
        const CProfilzeile& z = zeilen[static_cast<size_t>(k - istart)];
        if (z.gelesen >= 1)
            jahre[k] = z.jahr;
        if (z.gelesen >= 2)
            produktion[k] = z.produktion;
        if (z.gelesen >= 3)
            rate[k] = z.rate;
    }
}

// Each measured field's OGIP fitted to its pressures, with the run's own tables.
void CLauf::Druckanpassungen()
{
    for (const auto& [name, punkte] : m_pPlanung->messungen) {
        const int i = FeldIndex(m_saFelder, name);
        const CFeldsatz* satz = i >= 0 ? &m_saFelder[static_cast<size_t>(i)] : nullptr;
        if (!satz || !satz->Lesbar() || !FeldVollstaendigPruefen(satz->Werte(), satz->Stufen())) {
            CDruckanpassung keine;
            keine.feld = name;
            keine.punkte = static_cast<int>(punkte.size());
            keine.grund = satz ? "das Feld wird nicht berechnet" : "kein Feld des Dokuments";
            m_Druckanpassungen.push_back(keine);
            continue;
        }
        const CFeldwerte& werte = satz->Werte();
        const std::string schluessel = GastabellenSchluessel(werte, MitRohr(werte));
        const auto t = m_Gastabellen.find(schluessel);
        m_Druckanpassungen.push_back(t != m_Gastabellen.end() && t->second
                                         ? Druckanpassung(werte, *t->second, punkte, m_pPlanung->wasserAnpassen)
                                         : Druckanpassung(werte, punkte, m_pPlanung->wasserAnpassen));
    }
}
