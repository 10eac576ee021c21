#include "szenarien/Szenarien.h"

#include "bandbreiten/Plateauverteilung.h"
#include "model/Feldregeln.h"
#include "platform/Format.h"
#include "studie/Plateau.h"
#include "studie/Variation.h"
#include "summary/Planungstabellen.h"

#include <algorithm>
#include <atomic>

namespace {

using EArt = CSzenarioaenderung::EArt;

CFehler Abgelehnt(const CSzenario& s, const std::string& grund)
{
    return CFehler{"Szenario „" + s.name + "“: " + grund};
}

// The plan with the scenario's changes to plants, dispatch and contracts.
CPlanung GeaenderterPlan(CPlanung plan, const CSzenario& s)
{
    for (const CSzenarioaenderung& a : s.aenderungen) {
        if (a.art == EArt::Anlage) {
            for (CAnlage& anlage : plan.anlagen)
                if (anlage.name == a.name)
                    anlage.kapazitaet = a.wert;
        } else if (a.art == EArt::Verteilung) {
            plan.verteilung = a.verteilung;
        } else if (a.art == EArt::Vertrag) {
            for (CVertrag& v : plan.vertraege)
                if (v.name == a.name)
                    for (auto& [jahr, menge] : v.mengen)
                        menge *= a.wert;
        }
    }
    return plan;
}

// The shortfall columns' first years of a run: each contract's first year
// short of its quantity, or the first year the Ist falls short of the Soll.
std::vector<int> ErsteUnterdeckung(const CLaufErgebnis& r, const std::vector<std::string>& spalten)
{
    std::vector<int> jahre;
    for (const std::string& vertrag : spalten) {
        int erstes = 0;
        if (vertrag.empty()) {
            const CJahreswerte w = Jahreswerte(Jahresreihen(r, false));
            for (int i = 0; i < w.anzahl && !erstes; ++i)
                if (Unterdeckung(w, i))
                    erstes = w.start + i;
        } else {
            for (const CVertragsjahr& j : r.vertraege)
                if (j.vertrag == vertrag && Unterdeckung(j) && (!erstes || j.jahr < erstes))
                    erstes = j.jahr;
        }
        jahre.push_back(erstes);
    }
    return jahre;
}

CSzenariozeile Zeile(const std::string& name, const CLaufErgebnis& r, const std::vector<std::string>& spalten)
{
    CSzenariozeile z;
    z.name = name;
    z.kumIst = KumulierteIst(r);
    z.ersteUnterdeckung = ErsteUnterdeckung(r, spalten);
    for (const CEnergiejahr& e : r.energie)
        z.energie += e.energie;
    for (const CFeldreihe& f : r.feldreihen)
        z.reserven += f.reserve;
    for (int i = 0; i < Projektjahre(r); ++i) {
        z.jahre.push_back(r.projektstart + i);
        z.ist.push_back(IstJahr(r, i, false));
        z.energieJahr.push_back(i < static_cast<int>(r.energie.size()) ? r.energie[i].energie : 0.0);
    }
    return z;
}

} // namespace

CErgebnis<CLaufEingabe> SzenarioEingabe(const CStudie& studie, const CLaufEingabe& basis, const CPlanung& plan,
                                        const CSzenario& szenario)
{
    std::vector<CVariation> variationen;
    for (const CSzenarioaenderung& a : szenario.aenderungen) {
        if (a.art != EArt::Feld)
            continue;
        const auto feld = std::find_if(basis.felder.begin(), basis.felder.end(),
                                       [&](const CFeldsatz& f) { return f.Name() == a.name; });
        if (feld == basis.felder.end())
            return Abgelehnt(szenario, "das Feld „" + a.name + "“ steht nicht im Dokument.");
        const CGroessenName* g = GroesseNamens(a.groesse);
        if (!g)
            return Abgelehnt(szenario, "„" + a.groesse +
                                           "“ ist keine Größe (OGIP, C-Wert, A1, Wasserinvasion, Kopfdruck, "
                                           "Bohrungen, Startverzoegerung).");
        if (g->groesse == EGroesse::Bohrungen && (a.wert < 1 || a.wert > 100 || a.wert != static_cast<int>(a.wert)))
            return Abgelehnt(szenario, Format("%s: die Bohrungsanzahl (%g) ist keine ganze Zahl von 1 bis 100.",
                                              a.name.c_str(), a.wert));
        const int nr = static_cast<int>(feld - basis.felder.begin());
        const CFeldsatz geaendert = Abgewandelt(*feld, {{g->groesse, a.wert}});
        if (const CErgebnis<> regeln = FeldVollstaendigPruefen(geaendert.Werte(), geaendert.Stufen()); !regeln)
            return Abgelehnt(szenario, a.name + ": " + regeln.Fehlertext());
        variationen.push_back({nr, g->groesse, a.wert});
    }
    CLaufEingabe e = studie.Eingabe(variationen);
    e.energie = true;
    // The plan enters the run where it changes it, as for the document.
    const bool planAenderung = std::any_of(szenario.aenderungen.begin(), szenario.aenderungen.end(),
                                           [](const CSzenarioaenderung& a) { return a.art != EArt::Feld; });
    if (basis.planung || planAenderung)
        e.planung = std::make_shared<const CPlanung>(GeaenderterPlan(plan, szenario));
    return e;
}

CErgebnis<CSzenarienergebnis> SzenarienRechnen(const CLaufEingabe& basis, const CPlanung& plan,
                                               const CDokumentLaden& laden, int plateauJahre, int plateauAb,
                                               int threads, const CWeiter& weiter,
                                               const CSzenarioBandbreiten* bandbreiten)
{
    CSzenarienergebnis ergebnis;
    ergebnis.plateauJahre = plateauJahre;
    ergebnis.plateauAb = plateauAb;
    ergebnis.szenarien = plan.szenarien;
    if (!plan.vertraege.empty())
        for (const CVertrag& v : plan.vertraege)
            ergebnis.unterdeckung.push_back(v.name);
    else
        ergebnis.unterdeckung = {""};

    // Every input is made (and every refusal found) before the first run.
    CLaufEingabe mitEnergie = basis;
    mitEnergie.energie = true;
    const CStudie studie(mitEnergie, threads);
    std::vector<CLaufEingabe> eingaben = {studie.Eingabe({})};
    for (const CSzenario& s : ergebnis.szenarien) {
        CErgebnis<CLaufEingabe> e = s.datei.empty() ? SzenarioEingabe(studie, mitEnergie, plan, s) : laden(s.datei);
        if (!e)
            return s.datei.empty() ? CFehler{e.Fehlertext()} : Abgelehnt(s, e.Fehlertext());
        CLaufEingabe eingabe = std::move(*e);
        if (!s.datei.empty()) {
            eingabe.energie = true; // its own calendar: last year's plan as it was
            eingabe.threads = 1;
        }
        eingaben.push_back(std::move(eingabe));
    }

    ergebnis.zeilen.resize(eingaben.size());
    const CErgebnis<bool> fertig = studie.Jobs(
        static_cast<int>(eingaben.size()),
        [&](int k, CFeldspeicher& speicher) {
            const std::string name = k == 0 ? "Basis" : ergebnis.szenarien[k - 1].name;
            ergebnis.zeilen[k] = Zeile(name, Lauf(eingaben[k], &speicher), ergebnis.unterdeckung);
            if (plateauJahre > 0)
                ergebnis.zeilen[k].plateau = HoechstesPlateau(eingaben[k], plateauJahre, {}, plateauAb).menge;
        },
        weiter);
    if (!fertig)
        return CFehler{fertig.Fehlertext()};
    ergebnis.abgebrochen = !*fertig;
    // The P90 plateau: each row's own Monte Carlo study, on all the cores in
    // turn. Another document's fields are not the ranges' fields: none there.
    if (bandbreiten && bandbreiten->laeufe > 0 && plateauJahre > 0 && !ergebnis.abgebrochen) {
        ergebnis.laeufe = bandbreiten->laeufe;
        for (size_t k = 0; k < eingaben.size(); ++k) {
            if (k > 0 && !ergebnis.szenarien[k - 1].datei.empty())
                continue;
            // Cancelling stops these runs too; the progress stays at the rows' count.
            std::atomic<bool> abgebrochen{false}; // asked from the study's threads
            const CWeiter nurAbbrechen = [&](int) {
                if (weiter && !weiter(static_cast<int>(eingaben.size())))
                    abgebrochen = true;
                return !abgebrochen;
            };
            const CErgebnis<std::vector<CPlateauperzentile>> p =
                PlateauMonteCarlo(eingaben[k], bandbreiten->spannen, bandbreiten->laeufe, bandbreiten->seed,
                                  plateauJahre, plateauAb, threads, nurAbbrechen);
            if (!p)
                return CFehler{p.Fehlertext()};
            if (abgebrochen) {
                ergebnis.abgebrochen = true;
                break;
            }
            if (!p->empty())
                ergebnis.zeilen[k].plateauP90 = p->front().p90;
        }
    }
    return ergebnis;
}
