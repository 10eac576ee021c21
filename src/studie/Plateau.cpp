#include "studie/Plateau.h"

#include <algorithm>
#include <cmath>
#include <limits>

double PlateauToleranz(double menge)
{
    return BedarfsGenauigkeit(menge) + 1e-6 * std::fabs(menge);
}

int GehaltenBis(const CLaufErgebnis& r, double menge, int ab)
{
    int y = ab;
    while (y < Projektjahre(r) && IstProduktion(r, y) >= menge - PlateauToleranz(menge))
        ++y;
    return r.projektstart + y - 1;
}

// Bisection over tenths of a Mio m³: `unten` holds, `oben` does not. Year one
// at full capacity bounds the plateau from above (to its printed tenth): no
// later demand can raise it.
namespace {

CPlateau PlateauSuchen(CLaufEingabe e, int jahre, const CWeiter& weiter, int ab);

// The plan's dispatch without its contracts (none without dispatch).
std::shared_ptr<const CPlanung> NurVerteilung(const std::shared_ptr<const CPlanung>& plan,
                                              std::optional<EVerteilung> regel = std::nullopt)
{
    if (!plan || !MitVerteilung(*plan))
        return nullptr;
    auto p = std::make_shared<CPlanung>(*plan);
    p->vertraege.clear();
    if (regel)
        p->verteilung = *regel;
    return p;
}

} // namespace

CPlateau HoechstesPlateau(CLaufEingabe e, int jahre, const CWeiter& weiter, int ab)
{
    e.planung = NurVerteilung(e.planung);
    CPlateau p = PlateauSuchen(e, jahre, weiter, ab);
    if (e.planung && e.planung->verteilung == EVerteilung::Plateau && !p.abgebrochen) {
        e.planung = NurVerteilung(e.planung, EVerteilung::Lieferbar);
        const CPlateau gemeinsam = PlateauSuchen(e, jahre, weiter, ab);
        if (gemeinsam.abgebrochen || gemeinsam.menge > p.menge)
            p = gemeinsam;
    }
    return p;
}

CPlateausuche::CPlateausuche(CLaufEingabe eingabe, int jahre, int ab, CFeldspeicher& speicher, bool kurz)
    : m_Eingabe(std::move(eingabe)), m_iJahre(jahre), m_Speicher(speicher)
{
    CLaufEingabe& e = m_Eingabe;
    e.reserven = false;
    e.detail = false; // the figures are the same without the year tables
    e.sollKonstant = -1;
    e.bedarf = false;
    m_iEnde = e.projektende;
    if (kurz && e.projektstartFest > 0) // year one of the window depends only on the years before it
        e.projektende = std::min(m_iEnde, std::max(e.projektstartFest, ab) + 1);
    CLaufErgebnis voll = Lauf(e, &m_Speicher);
    m_iFenster = ab > 0 ? std::max(0, ab - voll.projektstart) : 0;
    e.bedarf = true;
    e.sollKonstantAb = ab;
    if (m_iFenster > 0) { // the build-up to the profile, then everything the fields can
        e.sollKonstant = std::numeric_limits<float>::max();
        voll = Lauf(e, &m_Speicher);
    }
    e.projektende = m_iEnde;
    m_iStart = voll.projektstart;
    m_iProjektjahre = Projektjahre(voll);
    m_iOben = m_iProjektjahre > m_iFenster
                  ? static_cast<long long>(std::floor((IstProduktion(voll, m_iFenster) + 0.05) * 10)) + 1
                  : 1;
}

// A level's run for the search ends with the plateau's years or with the
// first year short of it (in the window): the years after those decide
// nothing. (The project is the plateau's years and one more: the year more
// keeps the profiles, one that begins in the project's last year is not
// merged, so a one-year search would lose the rest fields.)
CLaufErgebnis CPlateausuche::Suchlauf(long long zehntel, bool grob)
{
    const double menge = double(zehntel) / 10.0;
    CLaufEingabe& e = m_Eingabe;
    e.sollKonstant = static_cast<float>(menge);
    e.bedarfBis = m_iFenster + m_iJahre - 1;
    e.bedarfMindestIst = m_iFenster == 0 ? menge - PlateauToleranz(menge) : -1;
    e.bedarfGrob = grob;
    e.projektende = std::min(m_iEnde, m_iStart + m_iFenster + m_iJahre);
    ++m_iLaeufe;
    return Lauf(e, &m_Speicher);
}

bool CPlateausuche::Haelt(long long zehntel)
{
    const CLaufErgebnis r = Suchlauf(zehntel, false);
    return GehaltenBis(r, double(zehntel) / 10.0, m_iFenster) >= r.projektstart + m_iFenster + m_iJahre - 1;
}

double CPlateausuche::Spielraum(long long zehntel, bool grob)
{
    const double menge = double(zehntel) / 10.0;
    const CLaufErgebnis r = Suchlauf(zehntel, grob);
    double spielraum = std::numeric_limits<double>::max();
    const int letztes = std::min<int>(m_iFenster + m_iJahre, static_cast<int>(r.bedarf.size()));
    for (int y = m_iFenster; y < letztes; ++y) {
        const double kann = double(r.restProduktion[y]) + r.bedarf[static_cast<size_t>(y)].lieferbar;
        spielraum = std::min(spielraum, kann - (menge - PlateauToleranz(menge)));
    }
    return letztes > m_iFenster ? spielraum : -menge;
}

CPlateau CPlateausuche::Ergebnis(long long unten)
{
    CLaufEingabe& e = m_Eingabe;
    e.sollKonstant = static_cast<float>(double(unten) / 10.0);
    e.bedarfBis = -1;
    e.bedarfMindestIst = -1;
    e.bedarfGrob = false;
    e.projektende = m_iEnde;
    const CLaufErgebnis r = Lauf(e, &m_Speicher);
    CPlateau p;
    p.menge = double(unten) / 10.0;
    p.erstesJahr = r.projektstart + m_iFenster;
    p.letztesJahr = r.projektstart + m_iFenster + m_iJahre - 1;
    p.gehaltenBis = GehaltenBis(r, p.menge, m_iFenster);
    return p;
}

namespace {

// Bisection over tenths: `unten` holds, `oben` does not.
CPlateau PlateauSuchen(CLaufEingabe e, int jahre, const CWeiter& weiter, int ab)
{
    CFeldspeicher speicher; // the gas tables are built once for all the runs
    CPlateausuche suche(std::move(e), jahre, ab, speicher);
    long long unten = 0;
    long long oben = suche.Oben();
    int laeufe = 0;
    while (oben - unten > 1) {
        const long long mitte = unten + (oben - unten) / 2;
        (suche.Haelt(mitte) ? unten : oben) = mitte;
        if (weiter && !weiter(++laeufe)) {
            CPlateau p;
            p.abgebrochen = true;
            return p;
        }
    }
    return suche.Ergebnis(unten);
}

// The plan with contract `k` alone, `menge` in each year from `von` to `bis`.
std::shared_ptr<const CPlanung> Plan(const CPlanung& plan, size_t k, double menge, int von, int bis)
{
    auto p = std::make_shared<CPlanung>(plan);
    CVertrag v = plan.vertraege.at(k);
    v.mengen.clear();
    for (int jahr = von; jahr <= bis; ++jahr)
        v.mengen[jahr] = menge;
    p->vertraege = {std::move(v)};
    return p;
}

// The last year, from the project's start on, the run's contract is met.
int VertragGehaltenBis(const CLaufErgebnis& r)
{
    int bis = r.projektstart - 1;
    for (const CVertragsjahr& j : r.vertraege) {
        if (j.jahr != bis + 1 || Unterdeckung(j))
            break;
        bis = j.jahr;
    }
    return bis;
}

} // namespace

// Bisection over tenths: `unten` holds, `oben` does not. What the fields
// deliver to the contract in year one at full capacity bounds it from above.
CPlateau Vertragsplateau(CLaufEingabe e, int jahre, size_t k, const CWeiter& weiter)
{
    const CPlanung plan = *e.planung;
    e.reserven = false;
    e.detail = false;
    e.sollKonstant = -1;
    e.bedarf = false;
    e.monateVon = e.monateBis = 0;
    CFeldspeicher speicher;
    e.planung = Plan(plan, k, 0, e.projektstart, e.projektstart); // the start is the run's: set below
    const CLaufErgebnis probe = Lauf(e, &speicher);
    const int start = probe.projektstart, ende = e.projektende;
    e.planung = Plan(plan, k, 0, start, start);
    const CLaufErgebnis voll = Lauf(e, &speicher);
    const double jahrEins = voll.vertraege.empty() ? 0.0 : voll.vertraege.front().geliefert;
    e.bedarf = true;
    int laeufe = 0;
    bool abgebrochen = false;
    const int letztes = start + jahre - 1;
    const auto lauf = [&](long long zehntel, bool suche) {
        e.projektende = suche ? std::min(ende, letztes) : ende;
        e.planung = Plan(plan, k, double(zehntel) / 10.0, start, suche ? letztes : start + Projektjahre(voll) - 1);
        CLaufErgebnis r = Lauf(e, &speicher);
        abgebrochen = abgebrochen || (suche && weiter && !weiter(++laeufe));
        return r;
    };
    long long unten = 0;
    long long oben = static_cast<long long>(std::floor(jahrEins * 10 / (1.0 - kVertragsgenauigkeit))) + 1;
    while (oben - unten > 1 && !abgebrochen) {
        const long long mitte = unten + (oben - unten) / 2;
        (VertragGehaltenBis(lauf(mitte, true)) >= letztes ? unten : oben) = mitte;
    }
    CPlateau p;
    if (abgebrochen) {
        p.abgebrochen = true;
        return p;
    }
    p.menge = double(unten) / 10.0;
    p.erstesJahr = start;
    p.letztesJahr = letztes;
    p.gehaltenBis = VertragGehaltenBis(lauf(unten, false));
    p.vertrag = plan.vertraege[k].name;
    p.gwh = plan.vertraege[k].gwh;
    return p;
}

std::vector<CPlateau> HoechstePlateaus(const CLaufEingabe& e, int jahre, const CWeiter& weiter, int ab)
{
    if (!e.planung || e.planung->vertraege.empty()) {
        if (!e.planung || !MitVerteilung(*e.planung))
            return {HoechstesPlateau(e, jahre, weiter, ab)};
        // Each rule's plateau once; the plan's own rule is among them.
        CPlateau p;
        std::vector<std::pair<EVerteilung, double>> jeRegel;
        for (const EVerteilung regel :
             {EVerteilung::Lieferbar, EVerteilung::Reserven, EVerteilung::Rang, EVerteilung::Plateau}) {
            CLaufEingabe andere = e;
            andere.planung = NurVerteilung(e.planung, regel);
            const CPlateau q = HoechstesPlateau(andere, jahre, weiter, ab);
            if (q.abgebrochen)
                return {q};
            if (regel == e.planung->verteilung)
                p = q;
            jeRegel.emplace_back(regel, q.menge);
        }
        p.jeRegel = std::move(jeRegel);
        return {p};
    }
    std::vector<CPlateau> plateaus;
    for (size_t k = 0; k < e.planung->vertraege.size(); ++k) {
        plateaus.push_back(Vertragsplateau(e, jahre, k, weiter));
        if (plateaus.back().abgebrochen)
            return {plateaus.back()};
    }
    return plateaus;
}
