#include "gas/Brennwert.h"

#include <cmath>

#include "platform/Format.h"

namespace {

// Component data of ISO 6976:2016, in Kalvo's component order (H2S, CO2, N2,
// CH4, C2H6, C3H8, iC4H10, nC4H10, iC5H12, nC5H12, C6H14 … C10H22; the
// hexane to decane of a field analysis are taken as the normal alkanes):
// molar mass (kg/kmol), ideal molar gross calorific value (kJ/mol) at the
// combustion temperatures 25 °C and 15 °C, summation factor at the metering
// temperatures 0 °C and 15 °C.
struct CIsoKomponente {
    double molmasse, hs25, hs15, s0, s15;
};

// clang-format off
constexpr std::array<CIsoKomponente, kAnzahlKomponenten> kIso = {{
    { 34.08088,  562.01,  562.38, 0.1006,  0.0923},  // hydrogen sulphide
    { 44.0095,     0.0,     0.0,  0.0821,  0.0752},  // carbon dioxide
    { 28.0134,     0.0,     0.0,  0.0214,  0.0170},  // nitrogen
    { 16.04246,  890.58,  891.51, 0.04886, 0.04452}, // methane
    { 30.06904, 1560.69, 1562.14, 0.0997,  0.0919},  // ethane
    { 44.09562, 2219.17, 2221.10, 0.1465,  0.1344},  // propane
    { 58.12220, 2868.20, 2870.58, 0.1885,  0.1722},  // isobutane
    { 58.12220, 2877.40, 2879.76, 0.2022,  0.1840},  // n-butane
    { 72.14878, 3528.83, 3531.68, 0.2458,  0.2251},  // isopentane
    { 72.14878, 3535.77, 3538.60, 0.2586,  0.2361},  // n-pentane
    { 86.17536, 4194.95, 4198.24, 0.3319,  0.3001},  // n-hexane
    {100.20194, 4853.43, 4857.18, 0.4076,  0.3668},  // n-heptane
    {114.22852, 5511.80, 5516.01, 0.4845,  0.4346},  // n-octane
    {128.25510, 6171.15, 6175.82, 0.5617,  0.5030},  // n-nonane
    {142.28168, 6829.77, 6834.90, 0.6713,  0.5991},  // n-decane
}};
// clang-format on

constexpr double kR = 8.3144621;           // J/(mol·K), molar gas constant of ISO 6976:2016
constexpr double kDruck = 101.325;         // kPa, metering pressure (= the standard's p0)
constexpr double kMolmasseLuft = 28.96546; // kg/kmol, dry air
constexpr double kKWhJeMJ = 1.0 / 3.6;

constexpr int kH2S = 0, kCO2 = 1;

// Gas families of the German gas-quality rule, second gas family (DVGW
// Arbeitsblatt G 260, March 2013): Wobbe index Ws,n at 25 °C / 0 °C,
// group L 10.5 to 13.0 kWh/m³ (nominal 12.4), group H 12.8 to 15.7 kWh/m³
// (nominal 15.0). In the overlap 12.8 to 13.0 the gas is nearer to L's
// nominal value and counts as L.
constexpr double kLVon = 10.5, kLBis = 13.0, kHVon = 12.8, kHBis = 15.7;

} // namespace

CIso6976 Iso6976(const std::array<double, kAnzahlKomponenten>& x, EBezug bezug)
{
    const bool din = bezug == EBezug::Verbrennung25Messung0;
    const double tMessung = din ? 273.15 : 288.15; // K
    const double zLuft = din ? 0.999419 : 0.999595;

    CIso6976 e;
    double summeS = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        e.molmasse += x[i] * kIso[i].molmasse;
        e.hsMolar += x[i] * (din ? kIso[i].hs25 : kIso[i].hs15);
        summeS += x[i] * (din ? kIso[i].s0 : kIso[i].s15);
    }
    // The metering pressure is the standard's p0, so Z = 1 − (Σ x·s)².
    e.z = 1.0 - summeS * summeS;
    // kJ/mol × mol/m³ (p/RT, kPa → kJ/m³) = kJ/m³; /1000 → MJ/m³; /Z: real gas.
    e.hsVolumen = e.hsMolar * kDruck / (kR * tMessung) / e.z;
    e.dichteVerhaeltnis = e.molmasse / kMolmasseLuft * zLuft / e.z;
    e.wobbe = e.hsVolumen / std::sqrt(e.dichteVerhaeltnis);
    return e;
}

const char* Gasart(double w)
{
    if (w >= kLVon && w <= kLBis)
        return "L";
    if (w >= kHVon && w <= kHBis)
        return "H";
    return "–";
}

CVerkaufsgas Verkaufsgas(const std::array<float, kAnzahlKomponenten>& anteil)
{
    CVerkaufsgas v;
    double& summe = v.summe;
    for (float a : anteil)
        summe += a;
    if (!(std::fabs(summe - 100.0) <= kSummenToleranz)) {
        v.grund = Format("die Gaszusammensetzung ergibt %.2f %% statt 100 %%", summe);
        return v;
    }
    v.brauchbar = true;
    v.sauergas = (double(anteil[kH2S]) + anteil[kCO2]) * 100.0 / summe;

    // The sales gas: the raw gas without H2S and CO2, renormalised.
    const double rest = summe - anteil[kH2S] - anteil[kCO2];
    if (!(rest > 0)) {
        v.sauergas = 100.0;
        v.grund = "das Rohgas ist nur H2S und CO2";
        return v;
    }
    std::array<double, kAnzahlKomponenten> x{};
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = (i == kH2S || i == kCO2) ? 0.0 : anteil[i] / rest;
    const CIso6976 e = Iso6976(x, EBezug::Verbrennung25Messung0);
    v.hatVerkaufsgas = true;
    v.hs = e.hsVolumen * kKWhJeMJ;
    v.wobbe = e.wobbe * kKWhJeMJ;
    v.dichteVerhaeltnis = e.dichteVerhaeltnis;
    v.gasart = Gasart(v.wobbe);
    return v;
}

std::string VerkaufsgasKurztext(const std::array<float, kAnzahlKomponenten>& anteil)
{
    const CVerkaufsgas v = Verkaufsgas(anteil);
    std::string text;
    if (!v.brauchbar)
        text = Format("Verkaufsgas: Summe %.2f %% statt 100 %%", v.summe);
    else if (!v.hatVerkaufsgas)
        text = "Verkaufsgas: keins, nur H2S und CO2";
    else
        text =
            Format("Verkaufsgas: Hs,n %.3f · Ws,n %.3f kWh/m³ · %s", v.hs, v.wobbe,
                   *v.gasart == 'H' || *v.gasart == 'L' ? (std::string(v.gasart) + "-Gas").c_str() : "keine Gasgruppe");
    // The dialog shows German numbers.
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}
