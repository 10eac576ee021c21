#include "run/Verteilung.h"

#include "platform/Format.h"
#include "run/Bedarfsjahr.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <set>

namespace {

constexpr int kSchritte = 40; // bisection steps, as the common factor takes

double Anteil(const CPrognoseLauf& l)
{
    return l.Ergebnis().feld.m_fKonsAnteil / 100.0;
}

// The gas a field may recover in all, Mio m³: its largest recovery of the OGIP.
double Gewinnbar(const CPrognoseLauf& l, const CFeldvorgabe& v)
{
    return (v.gewinnungMax > 0 ? v.gewinnungMax : 100.0) / 100.0 * l.Ergebnis().feld.m_fOGIP;
}

// The largest factor in [0, oben] for which `wert(f)` stays at most `grenze`
// (by bisection: `wert` need not rise strictly with the factor).
template <class Fn>
double GroessterFaktor(double oben, double grenze, Fn&& wert)
{
    if (wert(oben) <= grenze)
        return oben;
    double unten = 0;
    for (int k = 0; k < kSchritte; ++k) {
        const double mitte = (unten + oben) / 2;
        (wert(mitte) <= grenze ? unten : oben) = mitte;
    }
    return unten;
}

} // namespace

float VerteiltesJahr(const std::vector<CPrognoseLauf>& stand, int y, const std::vector<double>& f,
                     std::vector<CPrognoseLauf>& laeufe)
{
    laeufe = stand;
    float summe = 0;
    for (size_t k = 0; k < laeufe.size(); ++k) {
        laeufe[k].Jahr(f[k]);
        summe = static_cast<float>(double(summe) + laeufe[k].Ergebnis().produktion[y]);
    }
    return summe;
}

std::vector<CVerteilfeld> Verteilfelder(const CPlanung& plan, const std::vector<std::string>& namen)
{
    std::set<int> raenge;
    for (const std::string& name : namen)
        if (const auto v = plan.feldVorgaben.find(name); v != plan.feldVorgaben.end() && v->second.rang > 0)
            raenge.insert(v->second.rang);
    std::vector<CVerteilfeld> felder;
    for (const std::string& name : namen) {
        CVerteilfeld f;
        f.name = name;
        if (const auto v = plan.feldVorgaben.find(name); v != plan.feldVorgaben.end())
            f.vorgabe = v->second;
        f.stufe = f.vorgabe.rang > 0 ? static_cast<int>(std::distance(raenge.begin(), raenge.find(f.vorgabe.rang)))
                                     : static_cast<int>(raenge.size());
        for (size_t a = 0; a < plan.anlagen.size(); ++a)
            if (std::find(plan.anlagen[a].felder.begin(), plan.anlagen[a].felder.end(), name) !=
                plan.anlagen[a].felder.end())
                f.anlage = static_cast<int>(a);
        felder.push_back(std::move(f));
    }
    return felder;
}

CVerteilung::CVerteilung(const CPlanung& plan, std::vector<CVerteilfeld> felder)
    : m_Anlagen(plan.anlagen), m_Regel(plan.verteilung), m_Felder(std::move(felder)), m_Stufe(m_Felder.size(), 0)
{
    if (m_Regel == EVerteilung::Rang)
        for (size_t k = 0; k < m_Felder.size(); ++k)
            m_Stufe[k] = m_Felder[k].stufe;
}

double CVerteilung::Stufen() const
{
    return m_Stufe.empty() ? 1 : *std::max_element(m_Stufe.begin(), m_Stufe.end()) + 1;
}

// The common factor: every field at `lambda`; by rank (or by cost): the
// places one after the other, a place at full deliverability before the
// next opens.
std::vector<double> CVerteilung::Faktoren(double lambda, const std::vector<double>& oben) const
{
    std::vector<double> f(oben.size());
    for (size_t k = 0; k < f.size(); ++k)
        f[k] = std::min(oben[k], std::clamp(lambda - m_Stufe[k], 0.0, 1.0));
    return f;
}

// What producing now costs later: next year's deliverable rate (its share,
// at the year's end at capacity) after this year shut, less after this year
// at capacity, per Mio m³ of this year's share production at capacity. A
// field held at its rate cap loses nothing; the cheapest fields fill the
// demand first, the dearest is left shut. Equal costs share a place.
void CVerteilung::NachKosten(const std::vector<CPrognoseLauf>& stand, int y)
{
    const size_t n = stand.size();
    std::vector<double> kosten(n, 0.0);
    for (size_t k = 0; k < n; ++k) {
        CPrognoseLauf zu = stand[k], voll = stand[k];
        zu.Jahr(0.0);
        voll.Jahr(1.0);
        const double menge = voll.Ergebnis().produktion[y];
        if (y + 1 >= kMaxJahre || voll.Fertig() || !(menge > 0))
            continue;
        zu.Jahr(1.0);
        voll.Jahr(1.0);
        kosten[k] = (double(zu.Ergebnis().rate[y + 1]) - voll.Ergebnis().rate[y + 1]) / menge;
    }
    std::vector<double> stufen = kosten;
    std::sort(stufen.begin(), stufen.end());
    stufen.erase(std::unique(stufen.begin(), stufen.end()), stufen.end());
    for (size_t k = 0; k < n; ++k)
        m_Stufe[k] = static_cast<int>(std::lower_bound(stufen.begin(), stufen.end(), kosten[k]) - stufen.begin());
}

// At the start of a year: a field whose reservoir pressure has fallen below
// its abandonment pressure, or whose cumulative has reached its largest
// recovery, stops for good.
void CVerteilung::Aufgeben(std::vector<CPrognoseLauf>& stand, int jahr) const
{
    for (size_t k = 0; k < stand.size(); ++k) {
        CPrognoseLauf& l = stand[k];
        const CFeldvorgabe& v = m_Felder[k].vorgabe;
        if (l.Aufgegeben() || l.VorBeginn())
            continue;
        if (v.aufgabedruck > 0 && l.Druck() < v.aufgabedruck)
            l.Aufgeben(jahr, Format("Lagerstättendruck %.1f bar unter dem Aufgabedruck %.1f bar", double(l.Druck()),
                                    v.aufgabedruck));
        else if (v.gewinnungMax > 0 && l.Kumuliert() >= Gewinnbar(l, v) * (1 - 1e-6))
            l.Aufgeben(jahr, Format("Gewinnung %.1f %% des OGIP erreicht", v.gewinnungMax));
    }
}

// What each field may produce this year, as a factor on its rates: 0 when it
// is abandoned or shut for the year (`zu`); 0 for good when its deliverable
// rate has fallen below its minimum rate; below 1 where the year would take
// its cumulative past its largest recovery, or its plant past its capacity
// (the fields of a plant cut by one factor, pro rata to what they deliver).
std::vector<double> CVerteilung::ObereFaktoren(std::vector<CPrognoseLauf>& stand, int y, int jahr,
                                               const std::vector<bool>& zu) const
{
    const size_t n = stand.size();
    std::vector<double> oben(n, 1.0);
    for (size_t k = 0; k < n; ++k)
        if (stand[k].Aufgegeben() || zu[k])
            oben[k] = 0;
    std::vector<CPrognoseLauf> voll;
    VerteiltesJahr(stand, y, oben, voll);
    for (size_t k = 0; k < n; ++k) {
        const CFeldvorgabe& v = m_Felder[k].vorgabe;
        if (oben[k] == 0 || stand[k].VorBeginn())
            continue;
        if (v.mindestrate > 0 && voll[k].Endrate() < v.mindestrate) {
            stand[k].Aufgeben(jahr, Format("lieferbare Rate %.0f m³/h unter der Mindestrate %.0f m³/h",
                                           double(voll[k].Endrate()), v.mindestrate));
            oben[k] = 0;
        } else if (v.gewinnungMax > 0 && voll[k].Kumuliert() > Gewinnbar(stand[k], v)) {
            oben[k] = GroessterFaktor(1.0, Gewinnbar(stand[k], v), [&](double f) {
                CPrognoseLauf l = stand[k];
                l.Jahr(f);
                return double(l.Kumuliert());
            });
        }
    }
    for (size_t a = 0; a < m_Anlagen.size(); ++a) {
        const auto genutzt = [&](double g) {
            double summe = 0;
            for (size_t k = 0; k < n; ++k)
                if (m_Felder[k].anlage == static_cast<int>(a) && oben[k] > 0) {
                    CPrognoseLauf l = stand[k];
                    l.Jahr(g * oben[k]);
                    summe += l.Jahresproduktion();
                }
            return summe;
        };
        const double g = GroessterFaktor(1.0, m_Anlagen[a].kapazitaet, genutzt);
        for (size_t k = 0; k < n; ++k)
            if (m_Felder[k].anlage == static_cast<int>(a))
                oben[k] *= g;
    }
    return oben;
}

// By the remaining reserves: each field's part of the demand in proportion
// to what it may still recover (its share), none above what it can deliver,
// the excess passed on to the others; then each field's factor for its part.
std::vector<double> CVerteilung::NachReserven(const std::vector<CPrognoseLauf>& stand, int y, double bedarf,
                                              const std::vector<double>& oben) const
{
    const size_t n = stand.size();
    std::vector<double> kann(n), reserve(n), teil(n, 0.0);
    for (size_t k = 0; k < n; ++k) {
        CPrognoseLauf l = stand[k];
        l.Jahr(oben[k]);
        kann[k] = l.Ergebnis().produktion[y];
        reserve[k] = oben[k] > 0 ? std::max(0.0, Gewinnbar(stand[k], m_Felder[k].vorgabe) - stand[k].Kumuliert()) *
                                       Anteil(stand[k])
                                 : 0.0;
    }
    // Water filling: the fields that reach what they can deliver first.
    std::vector<size_t> reihe(n);
    std::iota(reihe.begin(), reihe.end(), 0);
    std::erase_if(reihe, [&](size_t k) { return !(reserve[k] > 0) || !(kann[k] > 0); });
    std::sort(reihe.begin(), reihe.end(),
              [&](size_t a, size_t b) { return kann[a] / reserve[a] < kann[b] / reserve[b]; });
    double rest = bedarf, reserven = 0;
    for (const size_t k : reihe)
        reserven += reserve[k];
    for (const size_t k : reihe) {
        teil[k] = std::min(kann[k], rest * reserve[k] / reserven);
        rest -= teil[k];
        reserven -= reserve[k];
    }
    std::vector<double> f(n, 0.0);
    for (size_t k = 0; k < n; ++k)
        if (teil[k] > 0)
            f[k] = GroessterFaktor(oben[k], teil[k], [&](double x) {
                CPrognoseLauf l = stand[k];
                l.Jahr(x);
                return double(l.Ergebnis().produktion[y]);
            });
    return f;
}

// The factors that give the demand under the plan's rule: a bisection on
// the rule's level, every midpoint tried, the closest try kept.
std::vector<double> CVerteilung::NachRegel(const std::vector<CPrognoseLauf>& stand, int y, double bedarf,
                                           const std::vector<double>& oben)
{
    if (m_Regel == EVerteilung::Reserven)
        return NachReserven(stand, y, bedarf, oben);
    if (m_Regel == EVerteilung::Plateau)
        NachKosten(stand, y);
    double unten = 0, hoch = Stufen(), besterAbstand = -1;
    std::vector<double> beste = Faktoren(0, oben);
    std::vector<CPrognoseLauf> laeufe;
    for (int k = 0; k < kSchritte; ++k) {
        const double mitte = (unten + hoch) / 2;
        const std::vector<double> f = Faktoren(mitte, oben);
        const double g = VerteiltesJahr(stand, y, f, laeufe);
        const double abstand = std::fabs(g - bedarf);
        if (besterAbstand < 0 || abstand < besterAbstand) {
            besterAbstand = abstand;
            beste = f;
        }
        if (abstand <= BedarfsGenauigkeit(bedarf))
            break;
        (g > bedarf ? hoch : unten) = mitte;
    }
    return beste;
}

std::vector<CPrognoseLauf> CVerteilung::Jahr(const std::vector<CPrognoseLauf>& stand, int y, int jahr, double bedarf,
                                             CBedarfsjahr& b)
{
    const size_t n = stand.size();
    std::vector<CPrognoseLauf> s = stand;
    Aufgeben(s, jahr);
    std::vector<bool> zu(n, false);
    std::vector<CPrognoseLauf> laeufe;
    CVerteiljahr gewaehlt{jahr, {}, {}};
    // A field whose part would fall below its minimum rate shuts for the
    // year and the others take its part: at most one round per field.
    for (size_t runde = 0; runde <= n; ++runde) {
        const std::vector<double> oben = ObereFaktoren(s, y, jahr, zu);
        gewaehlt.oben = oben;
        const float lieferbar = VerteiltesJahr(s, y, oben, laeufe);
        if (runde == 0) { // what the fields could deliver, before any shuts for its minimum rate
            b.lieferbar = lieferbar;
            b.lieferbarRate = 0;
            for (const CPrognoseLauf& l : laeufe)
                b.lieferbarRate = static_cast<float>(double(b.lieferbarRate) + l.Ergebnis().rate[y]);
        }
        b.bedarf = static_cast<float>(std::max(0.0, bedarf));
        b.gefoerdert = lieferbar;
        std::vector<double> f = oben;
        if (bedarf >= 0 && lieferbar > bedarf) {
            f = bedarf == 0 ? std::vector<double>(n, 0.0) : NachRegel(s, y, bedarf, oben);
            b.gefoerdert = VerteiltesJahr(s, y, f, laeufe);
        }
        gewaehlt.faktor = f;
        bool geschlossen = false;
        for (size_t k = 0; k < n; ++k) {
            const double mindestrate = m_Felder[k].vorgabe.mindestrate;
            if (f[k] > 0 && mindestrate > 0 && laeufe[k].Endrate() < mindestrate && !zu[k]) {
                zu[k] = true;
                geschlossen = true;
            }
        }
        if (!geschlossen)
            break;
    }
    m_Verteiljahre.push_back(std::move(gewaehlt));
    b.jahr = jahr;
    b.faktor = b.lieferbar > 0 ? double(b.gefoerdert) / b.lieferbar : 0.0;
    for (size_t a = 0; a < m_Anlagen.size(); ++a) {
        CAnlagenjahr aj{jahr, m_Anlagen[a].name, m_Anlagen[a].kapazitaet, 0};
        for (size_t k = 0; k < n; ++k)
            if (m_Felder[k].anlage == static_cast<int>(a))
                aj.genutzt += laeufe[k].Jahresproduktion();
        m_Anlagenjahre.push_back(aj);
    }
    return laeufe;
}
