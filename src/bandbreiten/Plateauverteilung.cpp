#include "bandbreiten/Plateauverteilung.h"

#include "planung/Planung.h"
#include "studie/Plateau.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <optional>

namespace {

// A run's plateau located by the margin (tenths): coarse runs, each level
// after the first on the secant through the last two margins (a slope of −1
// first, the level's own), kept inside the bracket; a bisection when the
// secant does not halve the bracket in a few steps.
long long PlateauOrten(CPlateausuche& s, long long start)
{
    long long unten = 0, oben = s.Oben(); // unten holds (0 always does), oben does not
    long long level = std::clamp<long long>(start, 1, std::max<long long>(1, oben - 1));
    std::optional<std::pair<long long, double>> vorher;
    for (int schritt = 0; oben - unten > 1; ++schritt) {
        const double m = s.Spielraum(level, true);
        if (m >= 0)
            unten = level;
        else
            oben = level;
        double steigung = -1; // margin per level, both Mio m³ a year
        if (vorher && vorher->first != level)
            steigung = (m - vorher->second) / (double(level - vorher->first) / 10.0);
        if (!(steigung < -1e-3))
            steigung = -1;
        vorher = std::make_pair(level, m);
        const long long naechstes = level + std::llround(-m / steigung * 10.0);
        // Inside the bracket (none left when it is closed); halved where the
        // margin is not smooth.
        level = schritt >= 6 ? unten + (oben - unten) / 2 : std::min(std::max(naechstes, unten + 1), oben - 1);
    }
    return unten;
}

// A run's exact plateau (tenths) from its location: the runs that decide
// it, stepping out from the location by 1, 2, 4 … tenths, then the
// bisection between the last level held and the first not held — the
// answer of the bisection from 0 whenever holding falls with the level.
long long PlateauGenau(CPlateausuche& s, long long geortet)
{
    const long long ganzOben = s.Oben();
    long long unten = 0, oben = ganzOben;
    geortet = std::clamp<long long>(geortet, 0, ganzOben - 1);
    if (geortet == 0 || s.Haelt(geortet)) {
        unten = geortet;
        for (long long schritt = 1;; schritt *= 2) {
            const long long level = unten + schritt;
            if (level >= ganzOben)
                break;
            if (!s.Haelt(level)) {
                oben = level;
                break;
            }
            unten = level;
        }
    } else {
        oben = geortet;
        for (long long schritt = 1;; schritt *= 2) {
            const long long level = oben - schritt;
            if (level <= 0)
                break;
            if (s.Haelt(level)) {
                unten = level;
                break;
            }
            oben = level;
        }
    }
    while (oben - unten > 1) {
        const long long mitte = unten + (oben - unten) / 2;
        (s.Haelt(mitte) ? unten : oben) = mitte;
    }
    return unten;
}

// The rank of a percentile among n values, as Perzentil takes it (1 … n).
size_t Rang(double anteil, size_t n)
{
    const auto rang = static_cast<size_t>(std::ceil(anteil * static_cast<double>(n) - 1e-9));
    return std::clamp<size_t>(rang, 1, n);
}

// Located plateaus of every run, refined exactly near the percentiles.
class CPlateaustudie {
public:
    CPlateaustudie(const CStudie& studie, const std::vector<CSpanne>& spannen, uint64_t seed, int jahre, int ab,
                   const CWeiter& weiter)
        : m_Studie(studie), m_Spannen(spannen), m_iSeed(seed), m_iJahre(jahre), m_iAb(ab), m_Weiter(weiter)
    {}

    // False when cancelled.
    CErgebnis<bool> Orten(int n)
    {
        CFeldspeicher speicher;
        CPlateausuche basis(Eingabe(-1), m_iJahre, m_iAb, speicher, true);
        const long long start = PlateauOrten(basis, basis.Oben() / 2);
        m_Geortet.assign(static_cast<size_t>(n), 0);
        return m_Studie.Jobs(
            n,
            [&](int k, CFeldspeicher& sp) {
                CPlateausuche s(Eingabe(k), m_iJahre, m_iAb, sp, true);
                m_Geortet[static_cast<size_t>(k)] = PlateauOrten(s, start);
            },
            Fortschritt(0));
    }

    // The percentile `anteil` of the runs' exact plateaus, tenths.
    CErgebnis<std::optional<long long>> Perzentil(double anteil)
    {
        const size_t n = m_Geortet.size();
        std::vector<long long> sortiert = m_Geortet;
        std::sort(sortiert.begin(), sortiert.end());
        const size_t rang = Rang(anteil, n);
        const long long mitte = sortiert[rang - 1];
        for (long long fehler = kOrtungsfehler;; fehler *= 4) {
            // Every run within twice the error of the located percentile.
            std::vector<int> nah;
            size_t darunter = 0;
            for (size_t k = 0; k < n; ++k) {
                if (m_Geortet[k] < mitte - 2 * fehler)
                    ++darunter;
                else if (m_Geortet[k] <= mitte + 2 * fehler)
                    nah.push_back(static_cast<int>(k));
            }
            const CErgebnis<bool> fertig = GenauRechnen(nah);
            if (!fertig)
                return CFehler{fertig.Fehlertext()};
            if (!*fertig)
                return std::optional<long long>{};
            long long abweichung = 0;
            std::vector<long long> werte;
            for (const int k : nah) {
                werte.push_back(m_Genau.at(k));
                abweichung = std::max(abweichung, std::llabs(m_Genau.at(k) - m_Geortet[static_cast<size_t>(k)]));
            }
            // Every run searched: the percentile of the exact values themselves.
            if (abweichung <= fehler || nah.size() == n) {
                std::sort(werte.begin(), werte.end());
                return std::optional<long long>{werte[rang - darunter - 1]};
            }
        }
    }

private:
    CLaufEingabe Eingabe(int k) const
    {
        CLaufEingabe e = m_Studie.Eingabe(k < 0 ? std::vector<CVariation>{} : LaufVariationen(m_Spannen, m_iSeed, k));
        e.planung = nullptr; // neither dispatch nor contracts: the rest of the plan does not enter a plateau
        return e;
    }

    CWeiter Fortschritt(int vorher) const
    {
        if (!m_Weiter)
            return {};
        return [this, vorher](int fertig) { return m_Weiter(vorher + fertig); };
    }

    CErgebnis<bool> GenauRechnen(const std::vector<int>& laeufe)
    {
        std::vector<int> offen;
        for (const int k : laeufe)
            if (!m_Genau.count(k))
                offen.push_back(k);
        std::vector<long long> werte(offen.size());
        const CErgebnis<bool> fertig = m_Studie.Jobs(
            static_cast<int>(offen.size()),
            [&](int i, CFeldspeicher& sp) {
                const int k = offen[static_cast<size_t>(i)];
                CPlateausuche s(Eingabe(k), m_iJahre, m_iAb, sp, true);
                werte[static_cast<size_t>(i)] = PlateauGenau(s, m_Geortet[static_cast<size_t>(k)]);
            },
            Fortschritt(static_cast<int>(m_Geortet.size() + m_Genau.size())));
        if (fertig && *fertig)
            for (size_t i = 0; i < offen.size(); ++i)
                m_Genau[offen[i]] = werte[i];
        return fertig;
    }

    const CStudie& m_Studie;
    const std::vector<CSpanne>& m_Spannen;
    uint64_t m_iSeed;
    int m_iJahre, m_iAb;
    CWeiter m_Weiter;
    std::vector<long long> m_Geortet; // by run
    std::map<int, long long> m_Genau; // by run: the runs searched exactly
};

// Every run searched exactly: the plan's plateaus (each contract's, or the
// portfolio's under its dispatch) of every run.
CErgebnis<std::vector<CPlateauperzentile>> JederLaufGenau(const CStudie& studie, const std::vector<CSpanne>& spannen,
                                                          int n, uint64_t seed, int jahre, int ab,
                                                          const CWeiter& weiter)
{
    std::vector<std::vector<CPlateau>> laeufe(static_cast<size_t>(n));
    const CErgebnis<bool> fertig = studie.Jobs(
        n,
        [&](int k, CFeldspeicher&) {
            laeufe[static_cast<size_t>(k)] =
                HoechstePlateaus(studie.Eingabe(LaufVariationen(spannen, seed, k)), jahre, {}, ab);
        },
        weiter);
    if (!fertig)
        return CFehler{fertig.Fehlertext()};
    std::vector<CPlateauperzentile> ergebnis;
    if (!*fertig || n <= 0)
        return ergebnis;
    for (size_t i = 0; i < laeufe.front().size(); ++i) {
        std::vector<double> werte;
        for (const std::vector<CPlateau>& l : laeufe)
            werte.push_back(l.at(i).menge);
        const CPlateau& erster = laeufe.front()[i];
        ergebnis.push_back(
            {erster.vertrag, erster.gwh, ::Perzentil(werte, 0.1), ::Perzentil(werte, 0.5), ::Perzentil(werte, 0.9)});
    }
    return ergebnis;
}

} // namespace

CErgebnis<std::vector<CPlateauperzentile>> PlateauMonteCarlo(const CLaufEingabe& basis,
                                                             const std::vector<CSpanne>& spannen, int n, uint64_t seed,
                                                             int jahre, int ab, int threads, const CWeiter& weiter)
{
    try {
        const CStudie studie(basis, threads);
        if (basis.planung && (MitVerteilung(*basis.planung) || !basis.planung->vertraege.empty()))
            return JederLaufGenau(studie, spannen, n, seed, jahre, ab, weiter);
        std::vector<CPlateauperzentile> ergebnis;
        if (n <= 0)
            return ergebnis;
        CPlateaustudie s(studie, spannen, seed, jahre, ab, weiter);
        const CErgebnis<bool> geortet = s.Orten(n);
        if (!geortet)
            return CFehler{geortet.Fehlertext()};
        if (!*geortet)
            return ergebnis;
        CPlateauperzentile p;
        double* ziel[] = {&p.p90, &p.p50, &p.p10};
        const double anteile[] = {0.1, 0.5, 0.9};
        for (size_t i = 0; i < 3; ++i) {
            CErgebnis<std::optional<long long>> wert = s.Perzentil(anteile[i]);
            if (!wert)
                return CFehler{wert.Fehlertext()};
            if (!*wert)
                return std::vector<CPlateauperzentile>{};
            *ziel[i] = double(**wert) / 10.0;
        }
        ergebnis.push_back(p);
        return ergebnis;
    } catch (const std::bad_alloc&) {
        return CFehler{kSpeicherFehlt};
    }
}
