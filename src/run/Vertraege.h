#pragma once
// The fields' and the rest fields' deliveries to the plan's contracts: each
// field serves the contract of its gas family (by the Wobbe index of its
// sales gas, as the energy table shows it, unless the plan sets it); a field
// of family "–" serves none. What a field delivers is its share production
// less H2S and CO2 and the plant's own use, in Mio m³ of sales gas, or that
// times its Hs,n in GWh (with the reference state's factor of the energy
// table).

#include "model/Feldsatz.h"
#include "planung/Planung.h"

#include <optional>
#include <string>
#include <vector>

struct CVertragsfeld {
    std::optional<EGasart> gasart; // none: family "–" (or a composition that does not sum up)
    double ausbeute = 0;           // sales gas per m³ of raw gas, own use removed
    double hs = 0;                 // kWh/m³
    // What `roh` Mio m³ of the field's share production deliver to a contract
    // in its unit, multiplied in the order of the energy table.
    double Lieferung(double roh, bool gwh) const;
};
CVertragsfeld Vertragsfeld(std::string_view name, const CFeldwerte& feld, const CPlanung& plan, double eigenverbrauch);

// The rest fields' delivery to a contract from `rest` Mio m³ of the rest-field
// profile: the shares of its family, at their Hs,n for GWh (the rest fields'
// gas counts as sales gas).
double RestfelderLieferung(const CPlanung& plan, const CVertrag& vertrag, double rest);

// A year of a contract: its quantity, what the fields and the rest fields
// delivered, and the fields' raw gas.
struct CVertragsjahr {
    int jahr = 0;
    std::string vertrag;
    EGasart gasart = EGasart::H;
    bool gwh = true;
    double soll = 0, geliefert = 0, rohgas = 0;
    double restfelder = 0; // the rest fields' part of geliefert
    // The peak hour: the rate the contract asks (the year's quantity over
    // 8760 h times its peak factor) and the rate the fields of its family can
    // deliver (their sustained rate at the year's end, not held back to the
    // demand) plus the rest fields' part of theirs, m³/h of sales gas.
    double spitze = 0, lieferbarRate = 0;
};

// A month of a contract: its quantity by the month's share of the year and
// what the fields of its family could deliver in it at capacity (the rate at
// the end of June for January to June, the year's end rate for July to
// December, over the month's hours × the year's producing hours / 8760) plus
// the rest fields' part (their year's quantity over the month's hours / 8760).
// The year counts 365 days, as the peak hour's 8760 h.
struct CVertragsmonat {
    int jahr = 0, monat = 0; // monat 1 … 12
    std::string vertrag;
    bool gwh = true;
    double soll = 0, lieferbar = 0;
};
bool Unterdeckung(const CVertragsmonat& m);

// What a field's share delivers in a month at capacity, Mio m³ of raw gas:
// `rate` m³/h over the month's hours at `stunden` producing hours a year.
double Monatsmenge(double rate, int stunden, int monat);

// The peak rate a year's quantity asks, m³/h of sales gas: GWh over the
// hours of a year at the gross calorific value `hs` (kWh/m³) of the
// contract's gas, or Mio m³ over them.
double Spitzenrate(const CVertrag& vertrag, double menge, double hs);

// Delivered within 0.05 % of the quantity (a demand-limited run's accuracy).
constexpr double kVertragsgenauigkeit = 5e-4;
bool Unterdeckung(const CVertragsjahr& j);
