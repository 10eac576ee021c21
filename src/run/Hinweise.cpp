#include "run/Hinweise.h"

#include "gas/Brennwert.h"
#include "platform/Format.h"

#include <algorithm>
#include <cmath>

namespace {

// A stage row changes something when one of its values differs from the
// field's own; rows at the start year that repeat the head values are the
// filler every new field gets. The row's text holds the C-Wert to 3
// decimals, the wellhead pressure to 1 and the share to 2.
bool AendertEtwas(const CStufenzeile& s, const CFeldwerte& f)
{
    const auto anders = [](float stufe, float kopf, double stelle) {
        return std::fabs(double(stufe) - kopf) > stelle / 2 + 1e-6;
    };
    return s.m_iStufeFoerderstunden != f.m_iFoerderstunden || s.m_iStufeBohrungen != f.m_iBohrungen ||
           anders(s.m_fStufeKopfdruck, f.m_fKopfdruck, 0.1) || anders(s.m_fStufeCWert, f.m_fCWert, 0.001) ||
           anders(s.m_fStufeKonsAnteil, f.m_fKonsAnteil, 0.01);
}

void FeldPruefen(const CFeldsatz& satz, std::vector<std::string>& h)
{
    const CFeldwerte& f = satz.Werte();
    const std::string name = Anzeigename(f.m_sFeldname);
    const char* n = name.c_str();
    if (f.m_fKonsAnteil > 0 && f.m_fKonsAnteil < kAnteilHinweis)
        h.push_back(Format("%s: Konsortialanteil %g %% – als Bruchteil eingegeben? Der Anteil zählt in %%, "
                           "die Hälfte ist 50.",
                           n, double(f.m_fKonsAnteil)));
    double summe = 0;
    for (float a : f.m_fAnteil)
        summe += a;
    if (std::fabs(summe - 100.0) > kSummenToleranz)
        h.push_back(Format("%s: Die Gaszusammensetzung ergibt %.2f %% statt 100 %%; gerechnet wird mit den auf "
                           "100 %% umgerechneten Anteilen.",
                           n, summe));
    if (f.m_fTcel < kTemperaturVon || f.m_fTcel > kTemperaturBis)
        h.push_back(Format("%s: Die Lagerstättentemperatur %g °C liegt außerhalb von %g bis %g °C.", n,
                           double(f.m_fTcel), kTemperaturVon, kTemperaturBis));
    for (int k = 0; k < kAnzahlStufen; ++k) {
        const CStufenzeile& s = satz.Stufen()[static_cast<size_t>(k)];
        if (s.m_iStufeAbJahr != 0 && s.m_iStufeAbJahr <= f.m_iFoerderbeginn &&
            (s.m_iStufeAbJahr < f.m_iFoerderbeginn || AendertEtwas(s, f)))
            h.push_back(Format("%s: Die %d. Stufenzeile (ab %d) liegt nicht nach dem Startjahr %d und wird nie "
                               "angewandt.",
                               n, k + 1, s.m_iStufeAbJahr, f.m_iFoerderbeginn));
    }
}

// A field that starts within the project, holds a share and still produces
// nothing in its first year (the demand limit may shut a field on purpose).
void ErstesJahrPruefen(const CLaufEingabe& e, const CLaufErgebnis& r, std::vector<std::string>& h)
{
    if (e.bedarf || e.reserven)
        return;
    for (const CFeldreihe& reihe : r.feldreihen) {
        if (reihe.feld < 0 || static_cast<size_t>(reihe.feld) >= e.felder.size())
            continue;
        const CFeldwerte& f = e.felder[static_cast<size_t>(reihe.feld)].Werte();
        const long long i = static_cast<long long>(f.m_iFoerderbeginn) - r.projektstart;
        if (i < 0 || i >= r.anzahl || !(f.m_fKonsAnteil > 0))
            continue;
        if (!(reihe.produktion[i] > 0))
            h.push_back(Format("%s: Das Feld fördert in seinem ersten Jahr %d nichts.", Anzeigename(reihe.name).c_str(),
                               f.m_iFoerderbeginn));
    }
}

// With contracts, a field serves the contract of its gas family: one of
// family "–", or of a family without a contract, serves none.
void VertragPruefen(const CLaufEingabe& e, const CLaufErgebnis& r, std::vector<std::string>& h)
{
    if (!e.planung || e.planung->vertraege.empty())
        return;
    for (const CFeldreihe& reihe : r.feldreihen) {
        if (reihe.feld < 0 || static_cast<size_t>(reihe.feld) >= e.felder.size())
            continue;
        const CFeldsatz& satz = e.felder[static_cast<size_t>(reihe.feld)];
        const CVertragsfeld f = Vertragsfeld(satz.Name(), satz.Werte(), *e.planung, e.eigenverbrauch);
        const std::string name = Anzeigename(reihe.name);
        if (!f.gasart) {
            h.push_back(name + ": Gasart „–“ (der Wobbe-Index liegt weder bei H- noch bei L-Gas): das Feld dient "
                               "keinem Vertrag.");
            continue;
        }
        const bool vertrag = std::any_of(e.planung->vertraege.begin(), e.planung->vertraege.end(),
                                         [&](const CVertrag& v) { return v.gasart == *f.gasart; });
        if (!vertrag)
            h.push_back(name + ": Für " + GasartName(*f.gasart) +
                        "-Gas gibt es keinen Vertrag: das Feld dient keinem.");
    }
}

// A profile that ends before the project: its later years count 0.
void ProfilPruefen(const CProfil& p, const char* welches, const CLaufErgebnis& r, int projektende,
                   std::vector<std::string>& h)
{
    if (p.empty() || r.anzahl == 0)
        return;
    const int letztes = p.back().jahr;
    if (p.back().gelesen >= 1 && letztes >= r.projektstart && letztes < projektende)
        h.push_back(Format("%s endet %d, vor dem Projektende %d: die Jahre danach zählen mit 0.", welches, letztes,
                           projektende));
}

} // namespace

std::vector<std::string> Eingabehinweise(const CLaufEingabe& e, const CLaufErgebnis& r)
{
    std::vector<std::string> h;
    for (size_t i = 0; i < e.felder.size(); ++i) {
        const CFeldsatz& satz = e.felder[i];
        if (!satz.Lesbar() || (r.einzelfeld >= 0 && static_cast<int>(i) != r.einzelfeld))
            continue;
        FeldPruefen(satz, h);
    }
    ErstesJahrPruefen(e, r, h);
    VertragPruefen(e, r, h);
    if (r.einzelfeld < 0 && !e.reserven) {
        const int ende = std::min(e.projektende, r.projektstart + r.anzahl - 1);
        if (e.sollKonstant < 0)
            ProfilPruefen(e.verkaufsprofil, "Das Verkaufsprofil", r, ende, h);
        ProfilPruefen(e.restfelder, "Das Restfeldprofil", r, ende, h);
    }
    return h;
}

std::vector<std::string> Feldhinweise(const std::vector<std::string>& hinweise, std::string_view name)
{
    std::vector<std::string> h;
    const std::string kopf = Anzeigename(name) + ": ";
    for (const std::string& t : hinweise)
        if (t.starts_with(kopf))
            h.push_back(t);
    return h;
}
