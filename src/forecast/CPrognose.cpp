#include "forecast/CPrognose.h"

#include "forecast/DruckTabellen.h"
#include "model/Einheiten.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr size_t kNamensbreite = 18; // name in the reserves line
constexpr float kProzent = 0.01f;    // single-precision constant of the material balance

// Mio m³ from m³/h over half a year of H hours: H/2 · rate / 1e6.
constexpr double kHalbjahrMio = 2000000.0;

class CPrognose {
public:
    CPrognose(const CPrognoseEingabe& e, IMeldungen& meldungen) : m_E(e), m_Meldungen(meldungen) { m_R.feld = e.feld; }
    CPrognoseErgebnis Rechnen();

private:
    // Deliverability factors of the last rate evaluation (pressure-dependent).
    struct CFaktoren {
        float m_fCP = 0; // C-Wert at the current pressure, m³/(h·bar²)
        float m_fA1p = 0;
        float m_fB1p = 0;
    };

    void StufeAnwenden(int y);
    void DruckabhaengigVorbereiten();
    float Rate(float pbs, float pbsz, int segment, bool vorBeginn);
    float RateDruckabhaengig(float pbs, float pbsz, int segment, bool vorBeginn);
    float Lieferrate(double a1, double c, double b1, float pbs, bool vorBeginn) const;
    void Kopfzeilen(float g0);
    void Jahreszeile(int jahr, float gp, float pbs, float rA, float qE, float pJahr, float qS, float pAnteil, int hs);
    void Zeile(std::string text) { m_R.bericht.push_back(std::move(text)); }

    const CPrognoseEingabe& m_E;
    IMeldungen& m_Meldungen;
    CPrognoseErgebnis m_R; // the result, with the working values in m_R.feld

    // the current half-step's working values
    float m_fPwh = 0; // wellhead pressure, bar
    int m_iH = 0;     // producing hours per year
    int m_iNB = 0;    // wells
    float m_fC = 0, m_fA1 = 0, m_fB1 = 0;

    // fixed for a pressure-dependent forecast
    float m_fZref = 0;   // z at the reference pressure
    float m_fVisref = 0; // viscosity at the reference pressure, cP
    float m_fTm = 0;     // mean tubing temperature, °C
    float m_fZm = 0;     // mean tubing z that reproduces the entered B1
    CFaktoren m_Faktoren;
};

} // namespace

CPrognoseErgebnis Prognose(const CPrognoseEingabe& eingabe, IMeldungen& meldungen)
{
    return CPrognose(eingabe, meldungen).Rechnen();
}

// A stage row applies from its year on, in the year it names and not in the
// field's first year; values above 0 replace the field's working values.
void CPrognose::StufeAnwenden(int y)
{
    CFeldwerte& f = m_R.feld;
    const int fb = f.m_iFoerderbeginn;
    const int jahr = fb <= m_E.projektstart ? y + fb : y + m_E.projektstart;
    for (const CStufenzeile& s : m_E.stufen) {
        if (!(y > 0 && s.m_iStufeAbJahr == jahr && s.m_iStufeAbJahr > fb))
            continue;
        std::string text = Format(" Ab %d", jahr);
        if (s.m_iStufeFoerderstunden > 0) {
            text += Format(" Förderstunden:%4d", s.m_iStufeFoerderstunden);
            f.m_iFoerderstunden = s.m_iStufeFoerderstunden;
        }
        if (s.m_fStufeKopfdruck > 0) {
            text += Format(" Kopfdruck:%3.0f", double(s.m_fStufeKopfdruck));
            f.m_fKopfdruck = s.m_fStufeKopfdruck;
        }
        if (s.m_iStufeBohrungen > 0) {
            text += Format(" Bohrungen:%d", s.m_iStufeBohrungen);
            f.m_iBohrungen = s.m_iStufeBohrungen;
        }
        if (s.m_fStufeCWert > 0) {
            text += Format(" C-Wert:%5.3f", double(s.m_fStufeCWert));
            f.m_fCWert = s.m_fStufeCWert;
        }
        if (s.m_fStufeKonsAnteil > 0) {
            text += Format(" Kons.Anteil:%5.1f", double(s.m_fStufeKonsAnteil));
            f.m_fKonsAnteil = s.m_fStufeKonsAnteil;
        }
        if (m_E.detail)
            Zeile(text);
    }
}

void CPrognose::DruckabhaengigVorbereiten()
{
    const CGaseigenschaften& gas = *m_E.gas;
    const CFeldwerte& f = m_R.feld;
    m_fZref = static_cast<float>(gas.Zwert(f.m_fTcel, f.m_fReferenzdruck, EZwertVariante::Dokument));
    const float dichte = static_cast<float>(Dichteverhaeltnis(double(f.m_fReferenzdruck) / m_fZref, f.m_fTcel));
    m_fVisref = static_cast<float>(gas.LeeViskositaet(dichte * gas.m_dRhoN));
    m_fTm = static_cast<float>((double(f.m_fTcel) + f.m_fKopftemperatur) / 2.0);
    // The caller ensures B1 > 1 and a positive depth.
    m_fZm = static_cast<float>(double(kSaeulenKonstante) * f.m_fTeufe * gas.m_dRhoN /
                               ((m_fTm + kKelvinNull) * std::log(double(f.m_fB1))));
    for (int i = 0; i < kDruckPunkte; ++i)
        m_R.zTabRohr[i] = static_cast<float>(gas.Zwert(m_fTm, GitterDruck(i), EZwertVariante::Dokument));
}

// Rate of all wells (m³/h) from the quadratic deliverability equation
// pbs² − B1·pwh² = q/C + q²/A1² for the rate per well q, capped at the wells'
// maximum rate; 0 before the field's first production year, without
// pressure difference, and without wells or deliverability.
float CPrognose::Lieferrate(double a1, double c, double b1, float pbs, bool vorBeginn) const
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

float CPrognose::RateDruckabhaengig(float pbs, float pbsz, int j, bool vorBeginn)
{
    const float* pz = m_E.pzTab;
    const float* vis = m_E.visTab;
    const float visp = static_cast<float>(vis[j - 1] + (double(vis[j]) - vis[j - 1]) * (double(pbsz) - pz[j - 1]) /
                                                           (double(pz[j]) - pz[j - 1]));
    // C scales with zref/z(pbs) and visref/visp; pbsz/pbs = 1/z(pbs).
    const float cp = static_cast<float>(m_fC * (double(m_fZref) * pbsz / pbs) * (double(m_fVisref) / visp));

    float pm = static_cast<float>((pbs + pbs / std::sqrt(double(m_fB1))) / 2.0);
    float rk = 0.0f;
    for (int pass = 1; pass <= 3; ++pass) {
        const float zp = TabelleBeiDruck(m_R.zTabRohr, pm);
        const float b1p = static_cast<float>(std::exp(std::log(double(m_fB1)) * m_fZm / zp));
        const float a1p = static_cast<float>(double(m_fA1) * (double(m_fZm) / zp) *
                                             std::sqrt((double(m_fB1) - 1.0) / (double(b1p) - 1.0)));
        rk = std::isfinite(cp) && std::isfinite(a1p) ? Lieferrate(a1p, cp, b1p, pbs, vorBeginn) : 0.0f;
        // Without flow there is no pressure loss: pwf = pbs, pwhc from the static column.
        const double reservoirTerm = rk > 0 ? (double(rk) / m_iNB) / cp : 0.0;
        const float pwf = static_cast<float>(std::sqrt(std::max(0.0, double(pbs) * pbs - reservoirTerm)));
        const double rohrTerm = rk > 0 ? double(rk) / (double(m_iNB) * a1p) : 0.0;
        const float pwhc =
            static_cast<float>(std::sqrt(std::max(0.0, (double(pwf) * pwf - rohrTerm * rohrTerm) / b1p)));
        pm = static_cast<float>((double(pwf) + pwhc) / 2.0);
        m_Faktoren = {cp, a1p, b1p};
    }
    return rk;
}

float CPrognose::Rate(float pbs, float pbsz, int segment, bool vorBeginn)
{
    return m_E.druckabhaengig ? RateDruckabhaengig(pbs, pbsz, segment, vorBeginn)
                              : Lieferrate(m_fA1, m_fC, m_fB1, pbs, vorBeginn);
}

CPrognoseErgebnis CPrognose::Rechnen()
{
    CFeldwerte& f = m_R.feld; // stage rows change its working values
    const int ps = m_E.projektstart;
    const int fb = f.m_iFoerderbeginn;
    const long long jahre = std::clamp<long long>(static_cast<long long>(m_E.projektende) - ps + 1, 0, kMaxJahre);
    const int schritte = static_cast<int>(2 * jahre);
    const long long schritteVorBeginn = 2LL * (static_cast<long long>(fb) - ps);
    const std::string namePad = AufBreite(f.m_sFeldname, kNamensbreite);

    float reserve = 0, r0 = 0, r1 = 0, rA = 0, gp = 0, gpY = 0;
    int halb = 0;
    const float g0 = f.m_fKumProdBeginn;
    const float ogip = f.m_fOGIP;
    m_R.zi = static_cast<float>(m_E.gas->Zwert(f.m_fTcel, f.m_fPi, EZwertVariante::Dokument));
    if (!(m_R.zi > 0)) {
        m_Meldungen.Meldung(
            Format("Das Feld %s wird nicht berechnet: kein Z-Wert beim Initialdruck.", f.m_sFeldname.c_str()));
        m_R.status = -1;
        return m_R;
    }
    if (m_E.druckabhaengig)
        DruckabhaengigVorbereiten();
    const double pzInitial = double(f.m_fPi) / m_R.zi;

    for (int n = 1; n <= schritte; ++n) {
        if (n == 1)
            gp = g0;
        ++halb;
        if (halb == 1)
            StufeAnwenden((n - 1) / 2);
        m_fPwh = f.m_fKopfdruck;
        m_iH = f.m_iFoerderstunden;
        m_iNB = f.m_iBohrungen;
        m_fC = f.m_fCWert;
        m_fA1 = f.m_fA1;
        m_fB1 = f.m_fB1;
        const bool vorBeginn = n <= schritteVorBeginn;
        const int hs = vorBeginn ? 0 : m_iH;

        float pbs = 0;
        for (int k = 0; k <= 1; ++k) {
            float gpStrich = k == 0 ? gp : static_cast<float>(gp + m_iH * double(r0) / kHalbjahrMio);
            if (gpStrich > ogip)
                gpStrich = ogip;
            const double anteil = double(gpStrich) / ogip;
            const float pbsz = static_cast<float>(pzInitial * (1.0 - anteil) /
                                                  (1.0 - double(kProzent) * f.m_fWasserinvasion * anteil));
            int segment = 1;
            pbs = DruckAusPz(m_E.pzTab, pbsz, segment);
            (k == 0 ? r0 : r1) = Rate(pbs, pbsz, segment, vorBeginn);
        }
        if (halb == 1)
            rA = r0;
        if (n == 1 && m_E.detail)
            Kopfzeilen(g0);

        // End-of-step rate: (1,1) Padé form of r0·exp(−(1 − r1/r0)).
        float qE = 0;
        if (r0 > 0 && r1 > 0)
            qE = static_cast<float>(double(r0) * (double(r0) + r1) / (3.0 * r0 - r1));
        float p = static_cast<float>(m_iH * (double(r0) + qE) / (2.0 * kHalbjahrMio));
        // No step produces more gas than is left in place: the cumulative stops at the OGIP.
        if (static_cast<float>(double(gp) + p) > ogip)
            p = std::max(0.0f, static_cast<float>(double(ogip) - gp));
        if (halb == 1)
            gpY = gp;
        gp = static_cast<float>(double(gp) + p);

        if (halb == 2) {
            const int j = n / 2;
            const float pJahr = static_cast<float>(double(gp) - gpY);
            const float qS = static_cast<float>(double(qE) * f.m_fKonsAnteil / 100.0);
            const float pAnteil = static_cast<float>(double(pJahr) * f.m_fKonsAnteil / 100.0);
            m_R.produktion[j - 1] = pAnteil;
            m_R.rate[j - 1] = qS;
            reserve = static_cast<float>(double(reserve) + pAnteil);
            Jahreszeile(ps + j - 1, gp, pbs, rA, qE, pJahr, qS, pAnteil, hs);
            halb = 0;
        }
    }

    m_R.reserve = reserve;
    if (m_E.reserven)
        Zeile(Format("   %s   %7.1f", namePad.c_str(), double(reserve)));
    if (m_E.detail) {
        Zeile(Format("  Dauerlastraten fuer das Feld %s wurden berechnet", f.m_sFeldname.c_str()));
        Zeile("");
    }
    return m_R;
}

void CPrognose::Kopfzeilen(float g0)
{
    Zeile(" ");
    Zeile(Format("   DAUERLASTRATEN DES FELDES %s IN m*3/h", m_R.feld.m_sFeldname.c_str()));
    Zeile(Format("   BEI EINER KUM.ANFANGSPRODUKTION VON %5.0f Mio m*3", double(g0)));
    Zeile("");
    if (m_E.druckabhaengig) {
        Zeile(
            " JAHR     KUM.GAS   BODEN    ANFANGS   END   PRODUKTION    RATE    PRODUKTION    KOPF    JAHRES   BOHRUNGS");
        Zeile(
            "        PRODUKTION SCHLIESS    RATE    RATE    JE JAHR    ANTEIL     ANTEIL     FLIESS   FOERDER   ANZAHL C-WERT  A1     B1");
        Zeile(
            "          Mio m*3   DRUCK     m*3/h   m*3/h    Mio m*3     m*3/h     Mio m*3    DRUCK    STUNDEN                  ");
    } else {
        Zeile(
            " JAHR    KUM.GAS    BODEN     ANFANGS   END    PRODUKTION   RATE    PRODUKTION    KOPF    JAHRES  BOHRUNGS");
        Zeile(
            "       PRODUKTION  SCHLIESS     RATE    RATE    JE JAHR    ANTEIL     ANTEIL     FLIESS   FOERDER  ANZAHL");
        Zeile(
            "         Mio m*3    DRUCK      m*3/h    m*3/h   Mio m*3    m*3/h     Mio m*3     DRUCK    STUNDEN        ");
    }
    Zeile("");
}

void CPrognose::Jahreszeile(int jahr, float gp, float pbs, float rA, float qE, float pJahr, float qS, float pAnteil,
                            int hs)
{
    if (!m_E.detail)
        return;
    const CFeldwerte& f = m_R.feld;
    std::string text;
    if (m_E.druckabhaengig)
        text = Format(" %4d  %8.0f  %8.1f  %8.0f %7.0f %9.1f %10.0f %10.1f%9.0f %10.0f %6d %7.3f %6.1f  %5.3f", jahr,
                      double(gp), double(pbs), double(rA), double(qE), double(pJahr), double(qS), double(pAnteil),
                      double(f.m_fKopfdruck), double(hs), f.m_iBohrungen, double(m_Faktoren.m_fCP),
                      double(m_Faktoren.m_fA1p), double(m_Faktoren.m_fB1p));
    else
        text = Format(" %4d  %8.0f  %8.1f  %9.0f %8.0f %9.1f %9.0f %10.1f %8.0f %9.0f %7d", jahr, double(gp),
                      double(pbs), double(rA), double(qE), double(pJahr), double(qS), double(pAnteil),
                      double(f.m_fKopfdruck), double(hs), f.m_iBohrungen);
    Zeile(text);
}
