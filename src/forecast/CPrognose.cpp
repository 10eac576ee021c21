#include "forecast/CPrognose.h"

#include "forecast/DruckTabellen.h"
#include "model/Einheiten.h"
#include "platform/Format.h" // the message of a field without z
#include "platform/Meldungen.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kProzent = 0.01f; // single-precision constant of the material balance

// Mio m³ from m³/h over half a year of H hours: H/2 · rate / 1e6.
constexpr double kHalbjahrMio = 2000000.0;

} // namespace

CPrognoseErgebnis Prognose(const CPrognoseEingabe& eingabe, IMeldungen& meldungen)
{
    CPrognoseLauf lauf(eingabe, meldungen);
    if (!lauf.Berechenbar())
        return lauf.Ergebnis();
    while (!lauf.Fertig())
        lauf.Jahr();
    return lauf.Abschliessen();
}

void StufenwerteUebernehmen(const CStufenzeile& s, CFeldwerte& f)
{
    if (s.m_iStufeFoerderstunden > 0)
        f.m_iFoerderstunden = s.m_iStufeFoerderstunden;
    if (s.m_fStufeKopfdruck > 0)
        f.m_fKopfdruck = s.m_fStufeKopfdruck;
    if (s.m_iStufeBohrungen > 0)
        f.m_iBohrungen = s.m_iStufeBohrungen;
    if (s.m_fStufeCWert > 0)
        f.m_fCWert = s.m_fStufeCWert;
    if (s.m_fStufeKonsAnteil > 0)
        f.m_fKonsAnteil = s.m_fStufeKonsAnteil;
}

// A stage row applies from its year on, in the year it names and not in the
// field's first year; values above 0 replace the field's working values.
void CPrognoseLauf::StufeAnwenden(int y)
{
    CFeldwerte& f = m_R.feld;
    const int fb = f.m_iFoerderbeginn;
    const int jahr = fb <= m_E.projektstart ? y + fb : y + m_E.projektstart;
    for (const CStufenzeile& s : m_E.stufen) {
        if (!(y > 0 && s.m_iStufeAbJahr == jahr && s.m_iStufeAbJahr > fb))
            continue;
        StufenwerteUebernehmen(s, f);
        if (m_E.detail)
            m_R.tabelle.stufen.push_back({m_R.tabelle.jahre.size(), jahr, s});
    }
}

void CPrognoseLauf::DruckabhaengigVorbereiten()
{
    const CGaseigenschaften& gas = *m_E.gas;
    const CFeldwerte& f = m_R.feld;
    // The values solved ahead serve when they are this field's pressure's.
    if (const CDruckwerte* d = m_E.druckwerte; d && d->mitReferenz && d->referenzdruck == f.m_fReferenzdruck) {
        m_fZref = d->zref;
        m_fVisref = d->visref;
    } else {
        m_fZref = static_cast<float>(gas.Zwert(f.m_fTcel, f.m_fReferenzdruck, EZwertVariante::Dokument));
        const float dichte = static_cast<float>(Dichteverhaeltnis(double(f.m_fReferenzdruck) / m_fZref, f.m_fTcel));
        m_fVisref = static_cast<float>(gas.LeeViskositaet(dichte * gas.m_dRhoN));
    }
    m_fTm = MittlereRohrtemperatur(f);
    // The caller ensures B1 > 1 and a positive depth.
    m_fZm = static_cast<float>(double(kSaeulenKonstante) * f.m_fTeufe * gas.m_dRhoN /
                               ((m_fTm + kKelvinNull) * std::log(double(f.m_fB1))));
    if (m_E.zTabRohr)
        std::copy_n(m_E.zTabRohr, kDruckPunkte, m_R.zTabRohr);
    else
        RohrTabelleBauen(gas, m_fTm, m_R.zTabRohr);
}

// Rate of all wells (m³/h) from the quadratic deliverability equation
// pbs² − B1·pwh² = q/C + q²/A1² for the rate per well q, capped at the wells'
// maximum rate; 0 before the field's first production year, without
// pressure difference, and without wells or deliverability.
float CPrognoseLauf::Lieferrate(double a1, double c, double b1, float pbs, bool vorBeginn) const
{
    if (vorBeginn || m_iNB <= 0 || !(a1 > 0) || !(c > 0))
        return 0.0f;
    const double f1 = a1 * a1 * m_iNB / (2.0 * c);
    const double f2 = 4.0 * c * c / (a1 * a1);
    const double delta = double(pbs) * pbs - b1 * m_fPwh * m_fPwh;
    float rk = 0.0f;
    if (delta > 0)
        rk = static_cast<float>(f1 * (std::sqrt(f2 * delta + 1.0) - 1.0));
    const float grenze = static_cast<float>(double(m_iNB) * m_R.feld.m_fMaxRate);
    return std::min(rk, grenze);
}

float CPrognoseLauf::RateDruckabhaengig(float pbs, float pbsz, int j, bool vorBeginn)
{
    const float* pz = m_E.pzTab;
    const float* vis = m_E.visTab;
    const float visp = static_cast<float>(vis[j - 1] + (double(vis[j]) - vis[j - 1]) * (double(pbsz) - pz[j - 1]) /
                                                           (double(pz[j]) - pz[j - 1]));
    // C scales with zref/z(pbs) and visref/visp; pbsz/pbs = 1/z(pbs).
    const float cp = static_cast<float>(m_fC * (double(m_fZref) * pbsz / pbs) * (double(m_fVisref) / visp));

    float pm = static_cast<float>((pbs + pbs / std::sqrt(double(m_fB1))) / 2.0);
    float rk = 0.0f;
    const double logB1 = std::log(double(m_fB1)); // the same in every pass
    for (int pass = 1; pass <= 3; ++pass) {
        const float zp = TabelleBeiDruck(m_R.zTabRohr, pm);
        const float b1p = static_cast<float>(std::exp(logB1 * m_fZm / zp));
        const float a1p = static_cast<float>(double(m_fA1) * (double(m_fZm) / zp) *
                                             std::sqrt((double(m_fB1) - 1.0) / (double(b1p) - 1.0)));
        rk = std::isfinite(cp) && std::isfinite(a1p) ? Lieferrate(a1p, cp, b1p, pbs, vorBeginn) : 0.0f;
        m_Faktoren = {cp, a1p, b1p};
        if (pass == 3)
            break; // the last pass's pressures would feed no further pass
        // Without flow there is no pressure loss: pwf = pbs, pwhc from the static column.
        const double reservoirTerm = rk > 0 ? (double(rk) / m_iNB) / cp : 0.0;
        const float pwf = static_cast<float>(std::sqrt(std::max(0.0, double(pbs) * pbs - reservoirTerm)));
        const double rohrTerm = rk > 0 ? double(rk) / (double(m_iNB) * a1p) : 0.0;
        const float pwhc =
            static_cast<float>(std::sqrt(std::max(0.0, (double(pwf) * pwf - rohrTerm * rohrTerm) / b1p)));
        pm = static_cast<float>((double(pwf) + pwhc) / 2.0);
    }
    return rk;
}

float CPrognoseLauf::Rate(float pbs, float pbsz, int segment, bool vorBeginn)
{
    return m_E.druckabhaengig ? RateDruckabhaengig(pbs, pbsz, segment, vorBeginn)
                              : Lieferrate(m_fA1, m_fC, m_fB1, pbs, vorBeginn);
}

// Set-up: the z-factor at the initial pressure (a field without one cannot be
// computed), the fixed values of pressure-dependent factors, the step counts.
CPrognoseLauf::CPrognoseLauf(const CPrognoseEingabe& eingabe, IMeldungen& meldungen)
    : m_E(eingabe), m_pMeldungen(&meldungen)
{
    m_R.feld = eingabe.feld;
    const CFeldwerte& f = m_R.feld;
    m_R.tabelle.kumBeginn = f.m_fKumProdBeginn;
    m_R.tabelle.druckabhaengig = m_E.druckabhaengig;
    const int ps = m_E.projektstart;
    const long long jahre = std::clamp<long long>(static_cast<long long>(m_E.projektende) - ps + 1, 0, kMaxJahre);
    m_iSchritte = static_cast<int>(2 * jahre);
    m_llSchritteVorBeginn = 2LL * (static_cast<long long>(f.m_iFoerderbeginn) - ps);
    m_fG0 = f.m_fKumProdBeginn;
    m_fOGIP = f.m_fOGIP;
    const CDruckwerte* d = m_E.druckwerte;
    m_R.zi = d && d->pi == f.m_fPi ? d->zi
                                   : static_cast<float>(m_E.gas->Zwert(f.m_fTcel, f.m_fPi, EZwertVariante::Dokument));
    if (!(m_R.zi > 0)) {
        m_pMeldungen->Meldung(
            Format("Das Feld %s wird nicht berechnet: kein Z-Wert beim Initialdruck.", f.m_sFeldname.c_str()));
        m_R.berechnet = false;
        return;
    }
    if (m_E.druckabhaengig)
        DruckabhaengigVorbereiten();
    m_dPzInitial = double(f.m_fPi) / m_R.zi;
    m_fPbs = f.m_fPi;
}

// The next project year: its two half-year steps.
void CPrognoseLauf::Jahr(double faktor)
{
    m_dFaktor = Aufgegeben() ? 0.0 : faktor;
    for (int h = 0; h < 2 && !Fertig(); ++h)
        Halbjahr(++m_iN);
}

void CPrognoseLauf::Halbjahr(int n)
{
    CFeldwerte& f = m_R.feld; // stage rows change its working values
    if (n == 1)
        m_fGp = m_fG0;
    ++m_iHalb;
    if (m_iHalb == 1)
        StufeAnwenden((n - 1) / 2);
    m_fPwh = f.m_fKopfdruck;
    m_iH = f.m_iFoerderstunden;
    m_iNB = f.m_iBohrungen;
    m_fC = f.m_fCWert;
    m_fA1 = f.m_fA1;
    m_fB1 = f.m_fB1;
    const bool vorBeginn = n <= m_llSchritteVorBeginn;
    const int hs = vorBeginn ? 0 : m_iH;

    float pbs = 0;
    for (int k = 0; k <= 1; ++k) {
        float gpStrich = k == 0 ? m_fGp : static_cast<float>(m_fGp + m_iH * double(m_fR0) / kHalbjahrMio);
        if (gpStrich > m_fOGIP)
            gpStrich = m_fOGIP;
        const double anteil = double(gpStrich) / m_fOGIP;
        const float pbsz =
            static_cast<float>(m_dPzInitial * (1.0 - anteil) / (1.0 - double(kProzent) * f.m_fWasserinvasion * anteil));
        int segment = 1;
        pbs = DruckAusPz(m_E.pzTab, pbsz, segment);
        float r = Rate(pbs, pbsz, segment, vorBeginn);
        if (m_dFaktor != 1.0)
            r = static_cast<float>(double(r) * m_dFaktor); // choked back to the demand
        (k == 0 ? m_fR0 : m_fR1) = r;
    }
    m_fPbs = pbs;
    if (m_iHalb == 1)
        m_fRA = m_fR0;

    // End-of-step rate: (1,1) Padé form of r0·exp(−(1 − r1/r0)).
    const float r0 = m_fR0, r1 = m_fR1;
    float qE = 0;
    if (r0 > 0 && r1 > 0)
        qE = static_cast<float>(double(r0) * (double(r0) + r1) / (3.0 * r0 - r1));
    float p = static_cast<float>(m_iH * (double(r0) + qE) / (2.0 * kHalbjahrMio));
    // No step produces more gas than is left in place: the cumulative stops at the OGIP.
    if (static_cast<float>(double(m_fGp) + p) > m_fOGIP)
        p = std::max(0.0f, static_cast<float>(double(m_fOGIP) - m_fGp));
    if (m_iHalb == 1) {
        m_fGpY = m_fGp;
        const size_t j = static_cast<size_t>((n - 1) / 2);
        m_R.rateMitte[j] = static_cast<float>(double(qE) * f.m_fKonsAnteil / 100.0);
        m_R.stunden[j] = hs;
    }
    m_fGp = static_cast<float>(double(m_fGp) + p);

    if (m_iHalb == 2) {
        const int j = n / 2;
        const float pJahr = static_cast<float>(double(m_fGp) - m_fGpY);
        const float qS = static_cast<float>(double(qE) * f.m_fKonsAnteil / 100.0);
        const float pAnteil = static_cast<float>(double(pJahr) * f.m_fKonsAnteil / 100.0);
        m_fQE = qE;
        m_fPJ = pJahr;
        m_R.produktion[j - 1] = pAnteil;
        m_R.rate[j - 1] = qS;
        m_fReserve = static_cast<float>(double(m_fReserve) + pAnteil);
        if (m_E.detail && !Aufgegeben())
            m_R.tabelle.jahre.push_back({m_E.projektstart + j - 1, m_fGp, pbs, m_fRA, qE, pJahr, qS, pAnteil,
                                         f.m_fKopfdruck, hs, f.m_iBohrungen, m_Faktoren.m_fCP, m_Faktoren.m_fA1p,
                                         m_Faktoren.m_fB1p});
        m_iHalb = 0;
    }
}

void CPrognoseLauf::Aufgeben(int jahr, std::string grund)
{
    m_R.tabelle.aufgabejahr = jahr;
    m_R.tabelle.aufgabegrund = std::move(grund);
}

// After the last year: the reserve.
CPrognoseErgebnis CPrognoseLauf::Abschliessen()
{
    m_R.reserve = m_fReserve;
    return m_R;
}
