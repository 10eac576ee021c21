#pragma once
// One calculation run as a function of its inputs: the field records, the two
// profiles, the project end and the report options go in; numbers come out:
// what the report shows of each field (gas properties, year values), the
// summary rows, the demand and energy years, the year series, the chart
// series and texts, each field's share and reserve, the fields left out and
// the messages. The report's text is made from them in bericht/. It reads and
// writes no document and no global state: several runs may go on at once in
// several threads (each with its own field store, or none).
//
// The run keeps the names of the document it was once part of: the project
// period, the year series, the chart series X, Y, Y1, the working values of
// the field being computed. Field by field: Feldberechnung → FeldNeuBerechnen
// (the record parsed, the gas properties) → DruckTabellen (p/z and viscosity
// over pressure) → max_rate / max_rate_druckabhaengig (forecast/CPrognose);
// then the summary (Zusammenfassung) or the reserves chart.

#include "anpassung/Druckanpassung.h"
#include "forecast/CPrognose.h"
#include "forecast/DruckTabellen.h"
#include "gas/Brennwert.h"
#include "gas/CGaseigenschaften.h"
#include "model/Feldsatz.h"
#include "platform/Meldungen.h"
#include "run/Bedarfsjahr.h"
#include "run/Verteilung.h"
#include "run/Vertraege.h"
#include "summary/Jahresreihen.h"
#include "summary/Profil.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class IMeldungen;

// The working values the last computed field leaves: the document shows them
// (the first production year in the field data dialog) as it always did.
// They only leave a run; none enters one.
struct CArbeitswerte {
    CFeldwerte feld;
    std::string feldname;
    int foerderbeginn = 0;
    CGaseigenschaften gas;
    float pzTab[kDruckPunkte]{}, visTab[kDruckPunkte]{}, zTabRohr[kDruckPunkte]{};
    float zi = 0;
    int stufeAbJahr[kMaxStufen]{}, stufeFoerderstunden[kMaxStufen]{}, stufeBohrungen[kMaxStufen]{};
    float stufeKopfdruck[kMaxStufen]{}, stufeCWert[kMaxStufen]{}, stufeKonsAnteil[kMaxStufen]{};
};

struct CLaufEingabe {
    CFeldsaetze felder; // field records, in list order
    CProfil verkaufsprofil, restfelder;
    int projektende = 0;
    std::string einzelfeld;   // the single field's name; "" = all fields
    bool detail = false;      // detail report
    bool reserven = false;    // reserves list instead of the summary
    bool rate = false;        // chart quantity: rate instead of production
    int projektstart = 0;     // the last run's start: kept when no record names a year
    int projektstartFest = 0; // > 0: the project starts in this year whatever the fields' first years (a
                              // study's variations on its base run's calendar); a field that starts earlier
                              // enters the project as it stands at its start
    int threads = 0;          // threads that build the gas tables ahead; 0 = one per core
    bool bedarf = false;      // production limited to the demand (not in reserves mode)
    float sollKonstant = -1;  // >= 0: the Soll of every project year, Mio m³ (instead of the profile)
    int sollKonstantAb = 0;   // > 0: the constant Soll only from this year on (the profile's before)
    // A plateau search asks only whether a demand-limited run delivers a
    // level: the run may stop after project year `bedarfBis` (index), or
    // after the first year whose Ist falls below `bedarfMindestIst` (Mio m³,
    // >= 0); the years after it stay empty.
    int bedarfBis = -1;
    double bedarfMindestIst = -1;
    // A plateau search that only locates a level: the common factor of a
    // demand-limited year found by a secant to the same accuracy (a few
    // tries instead of the bisection's), and the search's last year not
    // searched at all (its capacity decides). A slightly different factor:
    // never for figures that are reported.
    bool bedarfGrob = false;
    // The fits to the plan's measured pressures (table DRUCKANPASSUNG); a
    // study's variations, which report no table, go without.
    bool druckanpassung = true;
    bool energie = false;      // sales gas and energy table after the summary
    double eigenverbrauch = 0; // %, the plant's own use of the sales gas
    // The plan's contracts: their deliveries after the summary; with the
    // demand limit each gas family's fields deliver their contract. None (or
    // a plan without contracts): as without a plan.
    std::shared_ptr<const CPlanung> planung;
    // With contracts, the years whose months the run lists; 0: the first
    // project year (the budget year).
    int monateVon = 0, monateBis = 0;
};

// A field that stopped for good: the year (its first without production),
// the reason and its reserve then (its share production summed), Mio m³.
struct CAufgabe {
    std::string feld;
    int jahr = 0; // 0: not abandoned within the project
    std::string grund;
    float reserve = 0;
};

// A field the run could not compute, with the German reason.
struct CNichtBerechnet {
    std::string feld, grund;
};

// A message of the run, in order; `warnung` for a field left out or cut.
struct CLaufMeldung {
    std::string text;
    bool warnung = false;
};

// The gas property block of the detailed report: the field's values and its gas.
struct CGasblock {
    CFeldwerte feld;
    CGaseigenschaften gas;
};

// What the report shows of one field, in the report's order: its gas property
// block (detailed report) and its forecast's year values or its reserve.
struct CFeldausgabe {
    std::string name; // as the report shows it
    std::optional<CGasblock> gas;
    std::optional<CPrognosetabelle> prognose; // the forecast ran
    float reserve = 0;                        // Mio m³, the shares summed
};

// A row of the energy table: the field's sales gas by its own record.
struct CEnergiefeld {
    std::string name;
    CVerkaufsgas gas;
};

struct CLaufErgebnis {
    int projektstart = 0, projektende = 0;
    int anzahl = 0; // entries of X, Y, Y1
    // The options the numbers were made with, as the report shows them.
    bool detail = false, reserven = false, bedarfTabelle = false, energieTabelle = false;
    double eigenverbrauch = 0;               // %
    std::vector<CFeldausgabe> feldausgaben;  // with the detailed report or the reserves list
    CZusammenfassung zusammenfassung;        // every project year (printed without the reserves list)
    std::vector<CEnergiefeld> energiefelder; // with the energy table: one per computed field
    float restProduktion[kMaxJahre]{}, restRate[kMaxJahre]{};
    float sollProduktion[kMaxJahre]{}, sollRate[kMaxJahre]{};
    float produktionFelder[kMaxJahre]{}, rateFelder[kMaxJahre]{};
    int verkaufJahr[kMaxJahre]{}, restJahr[kMaxJahre]{};
    int X[kMaxJahre]{};
    float Y[kMaxJahre]{}, Y1[kMaxJahre]{};
    std::string titel, untertitel, achseX, achseY, achseY1, legendeY, legendeY1;
    std::vector<CFeldreihe> feldreihen; // each computed field's share, in list order
    std::vector<CNichtBerechnet> nichtBerechnet;
    std::vector<CLaufMeldung> meldungen;
    int einzelfeld = -1;                           // position of the single field; -1: the run covered all fields
    std::vector<CBedarfsjahr> bedarf;              // demand-limited run: one entry per project year
    std::vector<CEnergiejahr> energie;             // with the energy table: one entry per project year
    std::vector<CVertragsjahr> vertraege;          // with contracts: each contract's years in the project
    std::vector<CVertragsmonat> monate;            // with contracts: the months of the years asked for
    std::vector<CAnlagenjahr> anlagen;             // with the plan's plants: each plant's years
    std::vector<CAufgabe> aufgaben;                // with dispatch values: every field, abandoned or not
    std::vector<CVerteiljahr> verteiljahre;        // a dispatched run: what it chose each year
    std::vector<CDruckanpassung> druckanpassungen; // with the plan's measurements: a fit per field measured
    std::optional<CArbeitswerte> arbeitswerte;     // the last field taken up; none when the run took up no field
};

// A field's computation as a later run may replay it: what the report shows
// of it, its share per year, its reserve and the working values it left.
struct CFeldergebnis {
    std::vector<CFeldausgabe> ausgaben;
    CFeldreihe anteil; // its share per year and its reserve
    CArbeitswerte werte;
    unsigned lauf = 0; // the last run that used it
};

// Everything a field's computation depends on: its record (text and a
// study's changes), the project period and the report options.
struct CFeldschluessel {
    int projektstart = 0, projektende = 0;
    bool detail = false, reserven = false;
    size_t textHash = 0; // the record's, taken once (compared first)
    std::string text;
    CFeldsatz::CAbwandlung abwandlung;
    bool operator==(const CFeldschluessel&) const = default;
};
struct CFeldschluesselHash {
    size_t operator()(const CFeldschluessel& s) const;
};

// The fields' results kept from one run to the next (a document's): a field
// is computed again only when its record, the project period or the report
// options changed. One store serves one run at a time.
struct CFeldspeicher {
    using CErgebnisse = std::unordered_map<CFeldschluessel, CFeldergebnis, CFeldschluesselHash>;
    CErgebnisse ergebnisse;
    // A study's base run's results, shared by its workers and never dropped:
    // a run that changes one field replays every other from here.
    std::shared_ptr<const CErgebnisse> grund;
    // gas and pressure tables by what they depend on (GastabellenSchluessel)
    std::unordered_map<std::string, std::shared_ptr<const CGastabellen>> gastabellen;
    unsigned laeufe = 0;
};

// The run. With a field store, unchanged fields replay their kept results;
// the output is byte for byte that of a full computation.
CLaufErgebnis Lauf(const CLaufEingabe& eingabe, CFeldspeicher* speicher = nullptr);

// The run's working state; Lauf() drives it. Its parts are public for tests.
class CLauf {
public:
    CLauf(const CLaufEingabe& eingabe, CFeldspeicher* speicher);
    CLaufErgebnis Berechnen();

    // ---- the parts of a run ----
    int FruehesterFoerderbeginn();
    bool EinzelfeldFinden();
    void ProfilUebernehmen(bool restfelder);
    bool Feldberechnung(int i);
    bool FeldNeuBerechnen(int i);
    bool FelddatenBrauchbar();
    // The stage rows of the field being computed, from the stage arrays.
    CStufen Stufen() const;
    bool DruckTabellen();
    bool max_rate();
    bool max_rate_druckabhaengig();
    void Zusammenfassung();
    void ReservenGrafik(bool einzelfeld);
    // Demand-limited run: all fields advanced together year by year, each year
    // choked back by one common factor to the demand; then the table.
    void NachBedarfFoerdern();
    // The fields' sales gas and energy: a row per computed field, a row per year.
    void EnergieTabelle();
    bool MitVertraegen() const { return m_pPlanung && !m_pPlanung->vertraege.empty(); }
    std::vector<CPrognoseLauf> NachVertragFoerdern(std::vector<CPrognoseLauf> stand);
    std::vector<CPrognoseLauf> NachBedarfJahre(std::vector<CPrognoseLauf> stand);
    bool MitVerteilung() const { return m_pPlanung && ::MitVerteilung(*m_pPlanung); }
    std::vector<CPrognoseLauf> NachVerteilungFoerdern(std::vector<CPrognoseLauf> stand);
    void FelderAbschliessen(const std::vector<CPrognoseLauf>& stand);
    void Vertragstabelle();
    void Monatstabelle();
    // The OGIP fitted to each measured field's pressures (the plan's measurements).
    void Druckanpassungen();
    // A field's share at capacity: its run's own, or in a demand-limited run
    // with contracts what it could have delivered.
    const CFeldreihe& LieferbareReihe(const CFeldreihe& reihe) const;
    CVertragsfeld VertragsfeldAn(int position) const;

    // ---- inputs ----
    CFeldsaetze m_saFelder;
    CProfil m_saVerkaufsprofil, m_saRestfelder;
    int m_iProjektende = 0;
    std::string m_sEinzelfeld;
    int m_iEinzelfeld = -1;
    int m_bDetailausgabe = 0, m_bFeldesreserven = 0, m_iGrafikRate = 0;

    // ---- results ----
    int m_iProjektstart = 0;
    int m_iProjektstartFest = 0;
    int m_iAnzahl = 0;
    std::vector<CFeldausgabe> m_Feldausgaben;
    CZusammenfassung m_Zusammenfassung;
    std::vector<CEnergiefeld> m_Energiefelder;
    float m_fRestProduktion[kMaxJahre]{}, m_fRestRate[kMaxJahre]{};
    float m_fSollProduktion[kMaxJahre]{}, m_fSollRate[kMaxJahre]{};
    float m_fProduktionFelder[kMaxJahre]{}, m_fRateFelder[kMaxJahre]{};
    int m_iVerkaufJahr[kMaxJahre]{}, m_iRestJahr[kMaxJahre]{};
    int X[kMaxJahre]{};
    float Y[kMaxJahre]{}, Y1[kMaxJahre]{};
    std::string m_sTitel, m_sUntertitel, m_sAchseX, m_sAchseY, m_sAchseY1, m_sLegendeY, m_sLegendeY1;
    std::vector<CFeldreihe> m_Feldreihen;
    std::vector<CNichtBerechnet> m_NichtBerechnet;
    std::vector<CLaufMeldung> m_Meldungen;
    bool m_bBedarf = false;
    bool m_bJahrweise = false; // all fields advanced together year by year (demand limit or dispatch)
    std::vector<CAnlagenjahr> m_Anlagenjahre;
    std::vector<CAufgabe> m_Aufgaben;
    std::vector<CVerteiljahr> m_Verteiljahre;
    std::vector<CDruckanpassung> m_Druckanpassungen;
    bool m_bEnergie = false;
    double m_dEigenverbrauch = 0;
    std::shared_ptr<const CPlanung> m_pPlanung;
    std::vector<CVertragsjahr> m_Vertragsjahre;
    std::vector<CVertragsmonat> m_Vertragsmonate;
    int m_iMonateVon = 0, m_iMonateBis = 0;
    // A demand-limited run with contracts: each field's share rates at
    // capacity (by its position in the field list): what it could deliver,
    // not what it was held back to.
    std::unordered_map<int, CFeldreihe> m_Lieferbar;
    std::vector<CEnergiejahr> m_Energiejahre;
    float m_fSollKonstant = -1;
    int m_iSollKonstantAb = 0;
    int m_iBedarfBis = -1;
    double m_dBedarfMindestIst = -1;
    bool m_bBedarfGrob = false;
    bool m_bDruckanpassung = true;
    std::vector<CBedarfsjahr> m_Bedarfsjahre;

    // ---- working values of the field being computed ----
    CFeldwerte m_Feld;
    CGaseigenschaften m_Gas;
    float m_fPzTab[kDruckPunkte]{}, m_fVisTab[kDruckPunkte]{}, m_fZTabRohr[kDruckPunkte]{};
    float m_fZi = 0;
    std::string m_sFeldname;
    bool m_bFeldGenommen = false; // a field's values were taken up: the run leaves working values
    int m_iFoerderbeginn = 0;
    int m_iStufeAbJahr[kMaxStufen]{}, m_iStufeFoerderstunden[kMaxStufen]{}, m_iStufeBohrungen[kMaxStufen]{};
    float m_fStufeKopfdruck[kMaxStufen]{}, m_fStufeCWert[kMaxStufen]{}, m_fStufeKonsAnteil[kMaxStufen]{};
    std::string m_sText; // scratch text of messages

private:
    void Meldung(const std::string& text) { m_Meldungen.push_back({text, false}); }
    void FeldMeldung(const std::string& text);
    void FeldAuslassen(const std::string& name, const std::string& grund, const std::string& meldung);
    bool PrognoseHinzufuegen(bool druckabhaengig);
    void VorProjektFoerdern(CPrognoseEingabe& e);
    void VorProjektNachBedarf();
    float VorProjektProfil(bool restfelder, int jahr, int von) const;
    bool BedarfsfeldAnlegen(CPrognoseEingabe e);
    void AnteilHinzufuegen(CFeldreihe reihe);
    void AusgabeHinzufuegen(const CPrognoseErgebnis& r);
    CFeldschluessel FeldSchluessel(int i) const;
    void FeldergebnisWiederholen(const CFeldergebnis& e);
    const CFeldergebnis* Gehalten(const CFeldschluessel& schluessel);
    bool Bekannt(const CFeldschluessel& schluessel) const; // kept: the field is replayed
    template <class W, class Fn>
    void Arbeitswerte(W& w, Fn&& paar);
    CLaufErgebnis Ergebnis();
    void FeldergebnisseAufraeumen();
    void GastabellenVorbereiten(bool einzelfeld);
    void SollKonstantSetzen();
    std::shared_ptr<const CGastabellen> GastabellenZeiger();

    // A field of a demand-limited run, set up and waiting for its years.
    struct CBedarfsfeld {
        CPrognoseLauf lauf;
        std::shared_ptr<const CGastabellen> tabellen; // the forecast points into them
        std::optional<CGasblock> gas;                 // its gas block, shown before the forecast
        int feld = -1;                                // position in the field list
        std::optional<CPrognoseEingabe> vorProjekt;   // a field that starts before a fixed calendar
    };
    std::vector<CBedarfsfeld> m_Bedarfsfelder;
    int m_iFeldPosition = -1; // the field being computed, in the field list

    using CTabellen = std::unordered_map<std::string, std::shared_ptr<const CGastabellen>>;
    CTabellen m_Gastabellen; // by GastabellenSchluessel: those this run uses
    // The gas and pressure tables of the field being computed (built ahead, kept, or built now).
    std::shared_ptr<const CGastabellen> m_pTabellen;

    CFeldspeicher* m_pSpeicher;
    int m_iThreads = 0;
    std::unique_ptr<IMeldungen> m_pPrognoseMeldungen; // the forecasts' messages join the run's
    unsigned m_nLauf = 0;
    CFeldergebnis m_Feldergebnis; // of the field being computed
    unsigned m_nFeldMeldungen = 0;
};
