#pragma once
// The planning document: everything the user enters (field records, project
// period, sales and rest-field profiles, display options), everything a
// calculation run produces (report lines, year series, chart texts) and the
// working values of the field being computed.

#include "bandbreiten/Bandbreiten.h"
#include "bericht/Bericht.h"
#include "forecast/DruckTabellen.h"
#include "gas/CGaseigenschaften.h"
#include "model/Feldsatz.h"
#include "planung/Planung.h"
#include "platform/Fehler.h"
#include "run/CLauf.h"
#include "studie/Plateau.h"
#include "summary/Jahresreihen.h"
#include "summary/Profil.h"
#include "szenarien/Szenarien.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class IMeldungen;
class CArchivLeser;
class CArchivSchreiber;
class CVariante;

class CKalvoDoc {
public:
    explicit CKalvoDoc(IMeldungen& meldungen);
    ~CKalvoDoc();

    // ---- members, in the order of the document's definition ----
    int m_bBlockdiagramm = 0;  // 1 = block diagram, 0 = line diagram
    int m_bFeldesreserven = 0; // reserves mode
    std::string m_sUntertitel;
    int m_iAnzahl = 0;     // valid entries of X, Y, Y1 (0 … 33)
    int m_iGrafikRate = 0; // chart quantity: 0 = production, 1 = rate
    std::string m_sTitel;
    std::string m_sAchseY;
    std::string m_sAchseY1;
    std::string m_sAchseX;
    std::string m_sLegendeY;
    std::string m_sLegendeY1;
    int m_bNeuBerechnen = 0; // once set, every confirmed data command recomputes
    int X[kMaxJahre]{};      // years, or field numbers in reserves mode
    float Y[kMaxJahre]{};
    float Y1[kMaxJahre]{};
    CProfil m_saVerkaufsprofil; // sales profile lines
    CProfil m_saRestfelder;     // rest-field profile lines
    int m_iFoerderbeginn = 0;
    int m_iProjektende = 0;
    int m_iProjektstart = 0;
    CFeldsaetze m_saFelder;               // field records, in list order
    std::vector<std::string> m_saBericht; // report buffer
    std::string m_sEinzelfeld;            // field of a single-field run; "" = none
    int m_bDetailausgabe = 0;
    float m_fRestProduktion[kMaxJahre]{};   // Mio m³
    float m_fRestRate[kMaxJahre]{};         // m³/h
    float m_fSollProduktion[kMaxJahre]{};   // Mio m³
    float m_fSollRate[kMaxJahre]{};         // m³/h
    float m_fProduktionFelder[kMaxJahre]{}; // Σ production × share, Mio m³
    float m_fRateFelder[kMaxJahre]{};       // Σ rate × share, m³/h
    float m_fStufeKopfdruck[kMaxStufen]{};
    float m_fStufeCWert[kMaxStufen]{};
    float m_fStufeKonsAnteil[kMaxStufen]{};
    int m_iStufeAbJahr[kMaxStufen]{};
    int m_iStufeBohrungen[kMaxStufen]{};
    int m_iStufeFoerderstunden[kMaxStufen]{};
    int m_iVerkaufJahr[kMaxJahre]{};
    int m_iRestJahr[kMaxJahre]{};
    // field working values of the field being computed
    CFeldwerte m_Feld;                 // the parsed record, changed by stage rows
    CGaseigenschaften m_Gas;           // its gas properties
    float m_fPzTab[kDruckPunkte]{};    // p/z at 1 + 10·i bar, bar
    float m_fVisTab[kDruckPunkte]{};   // viscosity at reservoir temperature, cP
    float m_fZTabRohr[kDruckPunkte]{}; // z at the mean tubing temperature
    float m_fZi = 0;                   // z at the initial pressure
    std::string m_sFeldname;
    std::string m_sText;                  // scratch text (the report is made in bericht/)
    int m_iEinzelfeld = -1;               // position of the single field; -1 = none
    std::vector<CFeldreihe> m_Feldreihen; // each computed field's share, in list order
    CBericht m_Laufbericht;               // the last run's report as tables and lines
    // The report the writers take: the run's, then the planning answers;
    // m_saBericht is its text, m_Berichtskoepfe for each of its lines that is
    // a row of a table the lines of that table's heading.
    CBericht m_Bericht;
    std::vector<std::vector<int>> m_Berichtskoepfe;

    // ---- the plan beside the document (<Dokument>.planung.json) ----
    // The plan the document was opened with or made with; none: the options
    // that change the figures are off and nothing is written beside the
    // document. Its options set the flags below (m_bBedarf, m_bEnergie,
    // m_dEigenverbrauch, m_bDeckung).
    const std::optional<CPlanung>& Planung() const { return m_Planung; }
    // Takes a plan (or none) with its options, without a run.
    void PlanungSetzen(std::optional<CPlanung> planung);
    // The user changes the plan's options: the plan is made when there is
    // none, the document is modified and computed again.
    void PlanoptionenSetzen(const CPlanoptionen& optionen);
    // The user changes the plan (its contracts, the rest fields' energy):
    // the document is modified and computed again.
    void PlanungAendern(CPlanung planung);
    // The record of field `feld` with the last run's fit to its measured
    // pressures taken (OGIP, and water invasion when fitted); the German
    // reason when there is no fit or the field rules refuse it.
    CErgebnis<CFeldsatz> MitAnpassung(const std::string& feld) const;
    // What of the plan is active, for the window's title and the printed
    // report's heading: "Planung: Verträge L-Gas Nord (L), H-Gas Süd (H);
    // Verteilung rang; Anlagen Sauergasanlage; Förderung nach Bedarf;
    // Eigenverbrauch 2.0 %"; "" when nothing is.
    // `dezimalkomma` for the desktop's title ("2,0 %").
    std::string Planungszeile(bool dezimalkomma = false) const;
    // The plan's options as the document computes with them (all off without a plan).
    CPlanoptionen Planoptionen() const;
    // Takes the plan file beside the document `pfad` (or the file `pfad`
    // itself) with its options and name: none when there is no such file; a
    // file that cannot be read or breaks a rule leaves the document without a
    // plan and is refused with its German reason, the file named.
    CErgebnis<> PlanungLaden(const std::string& pfad, bool nebenDokument = true);
    // The plan file beside the document that could not be read when it was
    // opened ("" for none): saving asks before it replaces it.
    std::string m_sUnlesbarePlanung;
    std::string m_sPlanungsdatei; // the plan file's name as the report for the file lists it ("" before a save)

    // ---- planning answers ----
    bool m_bDeckung = false;                  // coverage table after the report, shortfall years in the chart
    bool m_bFelderEinzeln = false;            // time chart: Ist stacked by field shares and rest fields
    bool m_bGemeinsameAchse = false;          // time chart: Ist and Soll scaled on the left axis
    bool m_bBedarf = false;                   // production limited to the demand ("Förderung nach Bedarf")
    float m_fSollKonstant = -1;               // >= 0: a flat Soll of every project year, Mio m³ (not kept anywhere)
    CZusammenfassung m_Zusammenfassung;       // the last run's project years, Ist added once
    std::vector<CBedarfsjahr> m_Bedarfsjahre; // the last demand-limited run's years
    bool m_bEnergie = false;                  // sales gas and energy table after the summary
    double m_dEigenverbrauch = 0;             // %, the plant's own use of the sales gas
    int m_iMonateVon = 0, m_iMonateBis = 0;   // with contracts: the years of the months table; 0: the first
    std::vector<CEnergiejahr> m_Energiejahre; // the last energy table's years
    std::vector<CAufgabe> m_Aufgaben;         // with the plan's dispatch values: each field's end in the last run
    std::vector<CDruckanpassung> m_Druckanpassungen; // with the plan's measurements: the last run's fits
    // The chart shows the p/z plot of this field (its measurements, the fit,
    // the document's line) instead of the years, while it has a fit.
    bool m_bPzDiagramm = false;
    std::string m_sPzFeld;
    // The last range study's results, until the next run makes them stale.
    std::optional<CSensitivitaetsErgebnis> m_Sensitivitaet;
    std::optional<CUnsicherheit> m_Unsicherheit;
    std::vector<CPlateau> m_Plateaus; // the highest plateau (each contract's with contracts), when asked for
    bool m_bTornado = false;          // the chart shows the sensitivities' tornado while there are some
    // A report for the file: print date, page numbers, and after the report
    // the units, reference conditions and options of the run.
    bool m_bAktenbericht = false;
    std::vector<std::string> Berichtsanhang() const;
    // The run's options and the studies' settings as the report for the file
    // and the workbook list them: label and value, the document's name first.
    std::vector<std::pair<std::string, std::string>> Optionswerte() const;
    std::string m_sBandbreitenDatei; // the ranges file of the last study ("" for none)
    uint64_t m_nSeed = 1;            // the Monte Carlo study's seed
    // Takes a study's result; its table follows the report.
    void SensitivitaetSetzen(CSensitivitaetsErgebnis s);
    void UnsicherheitSetzen(CUnsicherheit u);
    void PlateauSetzen(std::vector<CPlateau> p);
    // ---- the plan's named scenarios ----
    // The base and every scenario of the plan (none without a plan). A
    // scenario naming another document reads it relative to the plan file
    // (or the document's folder) and runs it with this document's options.
    CErgebnis<CSzenarienergebnis> SzenarienRechnen(int plateauJahre = 0, int plateauAb = 0, int threads = 0,
                                                   const CWeiter& weiter = {},
                                                   const CSzenarioBandbreiten* bandbreiten = nullptr) const;
    std::optional<CSzenarienergebnis> m_Szenarien; // the last scenario comparison, its table after the report
    bool m_bSzenarienGrafik = false;               // the chart shows the scenarios' lines while there is a comparison
    void SzenarienSetzen(CSzenarienergebnis s);
    // Shortfall bands compare Ist with Soll, so coverage puts both on one
    // axis; so does production to the demand, whose Ist is the Soll (on two
    // axes the Soll line would stand apart from bars of the same height).
    bool EineAchse() const { return m_bGemeinsameAchse || m_bDeckung || (m_bBedarf && !m_Bedarfsjahre.empty()); }

    // ---- framework side ----
    bool OnNewDocument();
    void SetModifiedFlag(bool geaendert = true) { m_bModified = geaendert; }
    bool IsModified() const { return m_bModified; }
    // Observers stand in for the views: each is called to redraw.
    void BeobachterHinzufuegen(std::function<void()> beobachter);
    void UpdateAllViews();
    IMeldungen& Meldungen() { return m_Meldungen; }
    // The document's title: the file name of a saved document, else "Unbenannt".
    const std::string& GetTitle() const { return m_sDokumentTitel; }
    void SetTitle(const std::string& titel) { m_sDokumentTitel = titel; }

    // ---- document file (.kvo) ----
    // Storing: writes project start and end and the three text arrays.
    void Serialize(CArchivSchreiber& ar) const;
    // Loading: reads them into this document (no other member). On failure
    // returns false, leaves the document untouched and puts a German reason
    // into `fehler`.
    CErgebnis<> Serialize(CArchivLeser& ar);
    std::string Speichern() const;             // the bytes of the file
    CErgebnis<> Laden(std::string_view bytes); // from the bytes of a file
    // The load step after the items are read: modified mark and display options.
    void NachDemLaden();
    void DoppelteNamenMelden();

    // ---- the user's data and options, as an undo step keeps them ----
    struct CStand {
        CFeldsaetze felder;
        CProfil verkaufsprofil, restfelder;
        int foerderbeginn = 0, projektende = 0, grafikRate = 0, detailausgabe = 0, feldesreserven = 0;
        int blockdiagramm = 0, neuBerechnen = 0, einzelfeld = -1;
        std::string einzelfeldName;
        bool geaendert = false; // the modified mark
        std::optional<CPlanung> planung;
        bool operator==(const CStand&) const = default;
        // The same data and options, whatever the working values the last run
        // left (the first year of the field shown, the recompute mark): a
        // dialog confirmed without a change is no step to undo.
        bool GleicheEingaben(const CStand& b) const
        {
            CStand a = *this;
            a.foerderbeginn = b.foerderbeginn;
            a.neuBerechnen = b.neuBerechnen;
            return a == b;
        }
    };
    CStand Stand() const;
    // Puts a kept state back, recomputes and redraws.
    void StandSetzen(const CStand& stand);

    // ---- commands (the data commands that run dialogs: dialogs/CDatenbefehle) ----
    const std::string& GetPathName() const { return m_sPfad; }
    void SetPathName(const std::string& pfad);
    // Position of the field record named `name`; -1 when there is none.
    int FeldIndex(std::string_view name) const;
    // Makes the field named `name` the single field of the next run, from its
    // own first year; false when there is no such field.
    bool EinzelfeldWaehlen(const std::string& name);
    void OnBlockdiagramm();
    void OnLiniendiagramm();
    bool BlockdiagrammAktiv() const { return m_bBlockdiagramm == 0; }
    bool LiniendiagrammAktiv() const { return m_bBlockdiagramm != 0; }

    // ---- calculation run (run/CLauf: the run itself, a function of its inputs) ----
    void Berechnen();
    // The run's inputs as this document holds them.
    CLaufEingabe LaufEingabe() const;
    void JahresreihenLoeschen();
    // A document without fields has no results: report, series and chart are emptied.
    void ErgebnisseLoeschen();
    // The year series of the last run, for the CSV table.
    CJahresreihen Jahresreihen() const
    {
        return {m_iProjektstart,
                &m_Zusammenfassung.jahre,
                &m_Feldreihen,
                m_iGrafikRate == 1,
                &m_Bedarfsjahre,
                &m_Energiejahre,
                m_Unsicherheit ? &*m_Unsicherheit : nullptr};
    }
    // Ist and Soll of the last run in the chart quantity.
    CJahreswerte Grafikwerte() const { return Deckungswerte(Jahresreihen()); }

    // ---- comparison with a variant and coverage of the sales profile ----
    // Reads variant B for comparison. On failure (German reason in `fehler`)
    // the running comparison stays as it was. The next run computes it.
    CErgebnis<> VarianteLaden(const std::string& pfad);
    void VergleichBeenden();
    bool VergleichAktiv() const { return m_pVariante != nullptr; }
    std::string VarianteName() const;
    CKalvoDoc* VarianteDokument(); // nullptr while none is compared
    // Variant B's Ist and Soll of its last run (no years while none is compared).
    const CJahreswerte& VarianteWerte() const { return m_VarianteWerte; }
    // Runs variant B with this document's options and renews the tables after the report.
    void VergleichAktualisieren();
    // Coverage table on or off; the report's tables follow at once.
    void DeckungSetzen(bool an);
    // Production limited to the demand on or off: a document with fields is computed again.
    void BedarfSetzen(bool an);
    // Sales gas and energy table on or off, and the plant's own use (%): a
    // document with fields is computed again when the table changes.
    void EnergieSetzen(bool an);
    // Fields from a field table: one of a name the document has replaces that
    // field in its place, the others are appended; computed again.
    std::vector<std::string> GleichnamigeFelder(const CFeldsaetze& neu) const;
    void FelderUebernehmen(const CFeldsaetze& neu);
    void EigenverbrauchSetzen(double prozent);
    // A flat sales profile (a plateau, or any quantity the user names): `menge` Mio m³ in every project year (its
    // rate Soll menge · 10⁶ / 8760 m³/h), production limited to the demand,
    // computed again. The document is modified, not saved.
    void KonstantesVerkaufsprofil(double menge);

    // Drops the fields' kept results and gas tables: the next run computes every field from scratch.
    void FeldergebnisseVergessen() { m_Feldspeicher = {}; }
    // A field the last run could not compute, with the German reason; the
    // report names each at its end.
    const std::vector<CNichtBerechnet>& NichtBerechnet() const { return m_NichtBerechnet; }
    // The last run's hints on legal but implausible inputs (run/Hinweise.h).
    const std::vector<std::string>& Hinweise() const { return m_saHinweise; }
    // Those about the field named `name`, without its name.
    std::vector<std::string> HinweiseZumFeld(std::string_view name) const;
    // Calculation runs so far: a command tells by it whether it ran one.
    unsigned Laeufe() const { return m_nLaeufe; }

private:
    void ErgebnisUebernehmen(CLaufErgebnis& r, bool einzelfeldGewaehlt);
    void ArbeitswerteUebernehmen(const CArbeitswerte& w);
    void PlanungstabellenAnhaengen();
    std::unique_ptr<CVariante> m_pVariante;
    CJahreswerte m_VarianteWerte;
    CFeldspeicher m_Feldspeicher; // the fields' results kept for the next run
    std::vector<CNichtBerechnet> m_NichtBerechnet;
    std::vector<std::string> m_saHinweise;

    IMeldungen& m_Meldungen;
    bool m_bModified = false;
    std::optional<CPlanung> m_Planung;
    std::string m_sDokumentTitel = "Unbenannt";
    std::string m_sPfad;
    std::vector<std::function<void()>> m_Beobachter;
    unsigned m_nLaeufe = 0; // calculation runs so far: tells whether a command ran one
};
