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

// The factor by regula falsi (Illinois) on the bracket [0, 1], whose ends
// produce 0 and the capacity: a year's production is nearly proportional to
// the factor, so the first try lands close. Without the accuracy after the
// steps the closest try is taken, as in the bisection.
void BedarfsjahrSekante(const std::vector<CPrognoseLauf>& stand, int y, CBedarfsjahr& b,
                        std::vector<CPrognoseLauf>& gewaehlt)
{
    constexpr int kSchritte = 12;
    double unten = 0, oben = 1;
    double pUnten = -b.bedarf, pOben = double(b.lieferbar) - b.bedarf; // production less demand at the ends
    int seite = 0; // the end kept twice in a row is halved (Illinois)
    CBedarfsjahr bestes = b;
    std::vector<CPrognoseLauf> besteLaeufe;
    for (int k = 0; k < kSchritte; ++k) {
        b.faktor = pOben > pUnten ? unten - pUnten * (oben - unten) / (pOben - pUnten) : (unten + oben) / 2;
        if (!(b.faktor > unten && b.faktor < oben))
            b.faktor = (unten + oben) / 2;
        b.gefoerdert = BedarfsjahrVersuchen(stand, y, b.faktor, gewaehlt);
        const double abstand = double(b.gefoerdert) - b.bedarf;
        if (std::fabs(abstand) <= BedarfsGenauigkeit(b.bedarf))
            return;
        if (k == 0 || std::fabs(abstand) < std::fabs(double(bestes.gefoerdert) - bestes.bedarf)) {
            bestes = b;
            besteLaeufe = gewaehlt;
        }
        if (abstand > 0) {
            oben = b.faktor, pOben = abstand;
            pUnten = seite == 1 ? pUnten / 2 : pUnten;
            seite = 1;
        } else {
            unten = b.faktor, pUnten = abstand;
            pOben = seite == -1 ? pOben / 2 : pOben;
            seite = -1;
        }
    }
    b = bestes;
    gewaehlt = std::move(besteLaeufe);
}

} // namespace

CBedarfsjahr BedarfsjahrWaehlen(const std::vector<CPrognoseLauf>& stand, int y, float bedarf,
                                std::vector<CPrognoseLauf>& gewaehlt, EBedarfssuche suche)
{
    CBedarfsjahr b;
    b.bedarf = bedarf;
    b.lieferbar = BedarfsjahrVersuchen(stand, y, 1.0, gewaehlt);
    for (const CPrognoseLauf& lauf : gewaehlt) // what the rate coverage compares with the Soll rate
        b.lieferbarRate = static_cast<float>(double(b.lieferbarRate) + lauf.Ergebnis().rate[y]);
    b.gefoerdert = b.lieferbar;
    if (b.lieferbar > b.bedarf && suche == EBedarfssuche::NurLieferbar) {
        b.gefoerdert = b.bedarf; // delivered, within the accuracy the search would reach
    } else if (b.lieferbar > b.bedarf) {
        b.faktor = 0;
        if (b.bedarf == 0) // rest fields cover the Soll: the fields stay shut
            b.gefoerdert = BedarfsjahrVersuchen(stand, y, 0.0, gewaehlt);
        else if (suche == EBedarfssuche::Sekante)
            BedarfsjahrSekante(stand, y, b, gewaehlt);
        else
            BedarfsjahrHalbieren(stand, y, b, gewaehlt);
    }
    return b;
}
