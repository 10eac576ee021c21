#pragma once
// The highest plateau: the highest constant sales quantity the portfolio
// (rest fields and fields, production limited to the demand) delivers in each
// of the first years of the project, and how long it holds.

#include "run/CLauf.h"
#include "studie/Studie.h"

struct CPlateau {
    double menge = 0;   // Mio m³ per year, to 0.1, rounded down
    int erstesJahr = 0; // the years it must hold
    int letztesJahr = 0;
    int gehaltenBis = 0;      // the last year it is still delivered, from the start on
    bool abgebrochen = false; // `weiter` cancelled the search: no answer
    // A contract's plateau: its name and unit; "" for the portfolio's in Mio m³.
    std::string vertrag;
    bool gwh = false; // GWh; false: Mio m³ (of sales gas for a contract)
    // With the plan's dispatch: the plateau under each of the four rules.
    std::vector<std::pair<EVerteilung, double>> jeRegel;
};

// Ist of project year y of a run, Mio m³, as the summary adds it.
inline double IstProduktion(const CLaufErgebnis& r, int y)
{
    return IstJahr(r, y, false);
}

// A year delivers L when its Ist is at least L less this tolerance: what the
// demand-limited run allows its fields (BedarfsGenauigkeit: 0.05 Mio m³, or
// 10⁻⁶ of L for a large portfolio) and 10⁻⁶ of L more for the demand's own
// rounding to float.
double PlateauToleranz(double menge);

// The last year, from project year `ab` on, in which run r delivers `menge`;
// the year before when year `ab` does not.
int GehaltenBis(const CLaufErgebnis& r, double menge, int ab = 0);

// The runs of one plateau search: a demand-limited input at a constant
// level (tenths of Mio m³ a year), its window, its gas tables kept in
// `speicher` for every level.
class CPlateausuche {
public:
    // `ab` > 0: the window starts in that calendar year (after a build-up
    // produced to the sales profile). One run at capacity sets Oben; `kurz`
    // (an input on a fixed calendar, projektstartFest): that run ends with
    // the window's first year and the one after.
    CPlateausuche(CLaufEingabe eingabe, int jahre, int ab, CFeldspeicher& speicher, bool kurz = false);
    // A level that does not hold: above what year one of the window delivers.
    long long Oben() const { return m_iOben; }
    // Whether the level holds every year of the window (the exact run).
    bool Haelt(long long zehntel);
    // By how much the level holds, Mio m³ a year: the least over the
    // window's years, to the first short of the level, of what the fields at
    // capacity and the rest fields deliver less the level (its tolerance
    // allowed); >= 0 holds. `grob`: the years' factors by the secant (to
    // locate a level; near 0 only the exact run decides).
    double Spielraum(long long zehntel, bool grob);
    // The plateau `unten` (tenths) over the whole project: how long it holds.
    CPlateau Ergebnis(long long unten);
    int Laeufe() const { return m_iLaeufe; }

private:
    CLaufErgebnis Suchlauf(long long zehntel, bool grob);

    CLaufEingabe m_Eingabe;
    int m_iJahre = 0;
    CFeldspeicher& m_Speicher;
    int m_iFenster = 0; // the window's first project year
    int m_iStart = 0, m_iEnde = 0, m_iProjektjahre = 0;
    long long m_iOben = 1;
    int m_iLaeufe = 0;
};

// The plateau over the first `jahre` project years (1 … the project's years).
// `weiter` is asked after each run of the search; false cancels it. The
// portfolio's: a plan's contracts do not enter it, its dispatch does. Under
// the rule "plateau" it is the higher of that rule's and the common
// factor's, so never below the common factor's.
// `ab` > 0: the window starts in that calendar year (after a build-up
// produced to the sales profile).
CPlateau HoechstesPlateau(CLaufEingabe eingabe, int jahre, const CWeiter& weiter = {}, int ab = 0);

// Contract `vertrag` of the plan on its own: the highest constant quantity
// (to 0.1 GWh or Mio m³ of sales gas, rounded down) its fields and the rest
// fields deliver every year of the first `jahre` project years, within 0.05 %.
CPlateau Vertragsplateau(CLaufEingabe eingabe, int jahre, size_t vertrag, const CWeiter& weiter = {});

// The plateau the plan asks: with contracts each contract's, else the
// portfolio's (with the plan's dispatch also under each rule).
std::vector<CPlateau> HoechstePlateaus(const CLaufEingabe& eingabe, int jahre, const CWeiter& weiter = {}, int ab = 0);
