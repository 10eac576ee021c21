#pragma once
// The fields dispatched as operators dispatch them, year by year: plants that
// several fields share (together at most their capacity, the cut pro rata
// within the plant), a rule that shares the demand (one common factor, by
// the remaining reserves, by rank), minimum rates (a field whose part would
// fall below its own shuts for the year) and the end of a field (its
// deliverable rate below its minimum rate, its reservoir pressure below its
// abandonment pressure, or its cumulative at its largest recovery: it stops
// for good).

#include "forecast/CPrognose.h"
#include "planung/Planung.h"
#include "summary/Jahresreihen.h"

#include <string>
#include <vector>

// A field as the dispatch sees it.
struct CVerteilfeld {
    std::string name;
    CFeldvorgabe vorgabe;
    int anlage = -1; // its plant in the plan's list; -1: none
    int stufe = 0;   // its place among the ranks (0 first; unranked fields last)
};

// A plant's year: its capacity and what its fields produced (their own
// production, raw gas, Mio m³).
struct CAnlagenjahr {
    int jahr = 0;
    std::string anlage;
    double kapazitaet = 0, genutzt = 0;
};

// What the dispatch chose in a year: each field's factor on its rates and
// the most it could have had (plant, largest recovery; 0 when shut or ended).
struct CVerteiljahr {
    int jahr = 0;
    std::vector<double> faktor, oben;
};

// The fields of a run in list order with the plan's values for them.
std::vector<CVerteilfeld> Verteilfelder(const CPlanung& plan, const std::vector<std::string>& namen);

class CVerteilung {
public:
    CVerteilung(const CPlanung& plan, std::vector<CVerteilfeld> felder);
    // Project year y (calendar year `jahr`) of the fields from `stand`:
    // their states after it. `bedarf` < 0: no demand limit (plants and the
    // end of fields still apply). `b` gets the year's demand, what the fields
    // could deliver, what they produced and the mean factor.
    std::vector<CPrognoseLauf> Jahr(const std::vector<CPrognoseLauf>& stand, int y, int jahr, double bedarf,
                                    CBedarfsjahr& b);
    const std::vector<CAnlagenjahr>& Anlagenjahre() const { return m_Anlagenjahre; }
    const std::vector<CVerteiljahr>& Verteiljahre() const { return m_Verteiljahre; }

private:
    // Each field's factor on its rates at level `lambda` of the rule, at most `oben`.
    std::vector<double> Faktoren(double lambda, const std::vector<double>& oben) const;
    double Stufen() const; // the level at which every field runs at its upper factor
    // The rule "plateau": this year's order of the fields by what a m³
    // produced now costs of next year's deliverable rate.
    void NachKosten(const std::vector<CPrognoseLauf>& stand, int y);
    void Aufgeben(std::vector<CPrognoseLauf>& stand, int jahr) const;
    std::vector<double> ObereFaktoren(std::vector<CPrognoseLauf>& stand, int y, int jahr,
                                      const std::vector<bool>& zu) const;
    std::vector<double> NachRegel(const std::vector<CPrognoseLauf>& stand, int y, double bedarf,
                                  const std::vector<double>& oben);
    std::vector<double> NachReserven(const std::vector<CPrognoseLauf>& stand, int y, double bedarf,
                                     const std::vector<double>& oben) const;

    std::vector<CAnlage> m_Anlagen;
    EVerteilung m_Regel = EVerteilung::Lieferbar;
    std::vector<CVerteilfeld> m_Felder;
    std::vector<int> m_Stufe; // each field's place in the order the demand fills the fields (0 first)
    std::vector<CAnlagenjahr> m_Anlagenjahre;
    std::vector<CVerteiljahr> m_Verteiljahre;
};

// A field's years at the factors `f` from `stand`: the states after it and
// the share production summed in list order.
float VerteiltesJahr(const std::vector<CPrognoseLauf>& stand, int y, const std::vector<double>& f,
                     std::vector<CPrognoseLauf>& laeufe);
