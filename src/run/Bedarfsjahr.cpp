// A year of a demand-limited run: the one common factor on the fields' rates.

#include "run/Bedarfsjahr.h"

#include <algorithm>
#include <cmath>

// The fields' share production of year y when each runs that year with the
// common factor f from `stand` (into `laeufe`), summed in list order as the
// summary sums it.
float BedarfsjahrVersuchen(const std::vector<CPrognoseLauf>& stand, int y, double f, std::vector<CPrognoseLauf>& laeufe)
{
    laeufe = stand;
    float summe = 0;
    for (CPrognoseLauf& lauf : laeufe) {
        lauf.Jahr(f);
        summe = static_cast<float>(double(summe) + lauf.Ergebnis().produktion[y]);
    }
    return summe;
}

double BedarfsGenauigkeit(double bedarf)
{
    return std::max(0.05, 1e-5 * bedarf);
}

namespace {

// The bisection on the common factor of year y, in full: the midpoints 1/2,
// then 1/4 or 3/4, …, until the fields produce the demand within the
// accuracy; without the accuracy after all steps (a float sum of many fields
// moves in steps of its own), the closest try is taken.
void BedarfsjahrHalbieren(const std::vector<CPrognoseLauf>& stand, int y, CBedarfsjahr& b,
                          std::vector<CPrognoseLauf>& gewaehlt)
{
    constexpr int kSchritte = 40;
    double unten = 0, oben = 1;
    CBedarfsjahr bestes = b;
    std::vector<CPrognoseLauf> besteLaeufe;
    for (int k = 0; k < kSchritte; ++k) {
        b.faktor = (unten + oben) / 2;
        b.gefoerdert = BedarfsjahrVersuchen(stand, y, b.faktor, gewaehlt);
        const double abstand = std::fabs(double(b.gefoerdert) - b.bedarf);
        if (abstand <= BedarfsGenauigkeit(b.bedarf))
            return;
        if (k == 0 || abstand < std::fabs(double(bestes.gefoerdert) - bestes.bedarf)) {
            bestes = b;
            besteLaeufe = gewaehlt;
        }
        (b.gefoerdert > b.bedarf ? oben : unten) = b.faktor;
    }
    b = bestes;
    gewaehlt = std::move(besteLaeufe);
}

// The same bisection with fewer tries. The fields' production rises with the
// factor: a midpoint at or below a factor known to produce less than the
// demand by more than the accuracy (and the float sum's rounding) moves the
// bisection up as its try would, one at or above a factor known to produce
// more moves it down, and neither ends it. Only the midpoints between two
// such bounds are tried; the bounds come from tries around the factor that
// the straight line through no production at 0 gives. The midpoint that ends
// the bisection is tried, so the answer is the full bisection's, to the bit.
// False (nothing decided) when the bisection would not reach the accuracy:
// the full one then finds its closest try.
bool BedarfsjahrEingegrenzt(const std::vector<CPrognoseLauf>& stand, int y, CBedarfsjahr& b,
                            std::vector<CPrognoseLauf>& gewaehlt)
{
    constexpr int kSchritte = 40;
    const double bedarf = b.bedarf;
    const double genau = BedarfsGenauigkeit(bedarf);
    // Twice the accuracy, and a bound on the rounding of the fields' float sum.
    const double rand = 2 * genau + double(stand.size() + 1) * std::ldexp(double(b.lieferbar), -23);
    double zuWenig = bedarf > rand ? 0.0 : -1.0;             // a factor known to produce too little
    double zuViel = b.lieferbar > bedarf + rand ? 1.0 : 2.0; // a factor known to produce too much
    const auto merken = [&](double f, double g) {
        if (g < bedarf - rand)
            zuWenig = std::max(zuWenig, f);
        else if (g > bedarf + rand)
            zuViel = std::min(zuViel, f);
    };
    // The straight line through (0, 0) and the last try, then tries to both sides of it.
    std::vector<CPrognoseLauf> versuch;
    double f = bedarf / b.lieferbar;
    double g = BedarfsjahrVersuchen(stand, y, f, versuch);
    merken(f, g);
    double breite = 2 * rand / b.lieferbar;
    for (int runde = 0; runde < 3 && zuViel - zuWenig > 4 * breite; ++runde, breite *= 8) {
        const double mitte = g > 0 ? f * bedarf / g : f;
        for (const double probe : {mitte - breite, mitte + breite})
            if (probe > zuWenig && probe < zuViel)
                merken(probe, BedarfsjahrVersuchen(stand, y, probe, versuch));
    }

    double unten = 0, oben = 1;
    for (int k = 0; k < kSchritte; ++k) {
        const double mitte = (unten + oben) / 2;
        if (mitte <= zuWenig) {
            unten = mitte;
            continue;
        }
        if (mitte >= zuViel) {
            oben = mitte;
            continue;
        }
        const float gefoerdert = BedarfsjahrVersuchen(stand, y, mitte, gewaehlt);
        if (std::fabs(double(gefoerdert) - b.bedarf) <= genau) {
            b.faktor = mitte;
            b.gefoerdert = gefoerdert;
            return true;
        }
        merken(mitte, gefoerdert);
        (gefoerdert > b.bedarf ? oben : unten) = mitte;
    }
    return false;
}

} // namespace

CBedarfsjahr BedarfsjahrWaehlen(const std::vector<CPrognoseLauf>& stand, int y, float bedarf,
                                std::vector<CPrognoseLauf>& gewaehlt, bool eingrenzen)
{
    CBedarfsjahr b;
    b.bedarf = bedarf;
    b.lieferbar = BedarfsjahrVersuchen(stand, y, 1.0, gewaehlt);
    for (const CPrognoseLauf& lauf : gewaehlt) // what the rate coverage compares with the Soll rate
        b.lieferbarRate = static_cast<float>(double(b.lieferbarRate) + lauf.Ergebnis().rate[y]);
    b.gefoerdert = b.lieferbar;
    if (b.lieferbar > b.bedarf) {
        b.faktor = 0;
        if (b.bedarf == 0) // rest fields cover the Soll: the fields stay shut
            b.gefoerdert = BedarfsjahrVersuchen(stand, y, 0.0, gewaehlt);
        else if (!eingrenzen || !BedarfsjahrEingegrenzt(stand, y, b, gewaehlt))
            BedarfsjahrHalbieren(stand, y, b, gewaehlt);
    }
    return b;
}
