// The calculation run on portfolios of 1, 33 and 330 fields, with constant
// and pressure-dependent factors, summary and detailed report: computed in
// full, and again after one field was changed (the others' kept results are
// replayed); and the run as a function, 1000 times, on one and two threads.
#include "bandbreiten/Bandbreiten.h"
#include "bandbreiten/Plateauverteilung.h"
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"
#include "studie/Plateau.h"
#include "summary/Profil.h"

#include <benchmark/benchmark.h>

namespace {

CFeldwerte Feld(int i, bool druckabhaengig)
{
    CFeldwerte f;
    f.m_sFeldname = "Feld" + std::to_string(i);
    f.m_iFoerderbeginn = 2002 + i % 10;
    f.m_fAnteil = {0, 1.2f, 2.5f, 93.1f, 2.2f, 0.6f, 0.1f, 0.15f, 0.05f, 0.05f, 0.05f};
    f.m_fTcel = 100.0f + i % 40;
    f.m_fKopftemperatur = 35;
    f.m_fOGIP = 3000.0f + 100.0f * (i % 50);
    f.m_fPi = 250.0f + 5.0f * (i % 40);
    f.m_fReferenzdruck = f.m_fPi;
    f.m_fTeufe = 3000;
    f.m_fKopfdruck = 50;
    f.m_iBohrungen = 4;
    f.m_fMaxRate = 30000;
    f.m_fWasserinvasion = 10;
    f.m_iFoerderstunden = 8000;
    f.m_fKonsAnteil = 50;
    f.m_fA1 = 300;
    f.m_fB1 = 1.5f;
    f.m_fCWert = 1.5f;
    f.m_bDruckabhaengig = druckabhaengig ? 1 : 0;
    return f;
}

std::string Satz(const CFeldwerte& f)
{
    const CStufenzeile s{f.m_iFoerderbeginn + 8, 0, 35, 6, 0, 0};
    const std::string t = StufenzeileText(s, EStufenformat::Geaendert);
    return DatenInZeile(f, {t, t, t, t});
}

void Portfolio(CKalvoDoc& doc, const benchmark::State& state)
{
    doc.m_iProjektende = 2034;
    doc.m_bDetailausgabe = static_cast<int>(state.range(2));
    for (int i = 0; i < state.range(0); ++i)
        doc.m_saFelder.push_back(Satz(Feld(i, state.range(1) != 0)));
}

std::string Bezeichnung(const benchmark::State& state)
{
    return std::to_string(state.range(0)) + (state.range(1) ? " Felder druckabhängig" : " Felder konstant") +
           (state.range(2) ? ", Detail" : "");
}

// Every field computed.
void Berechnen(benchmark::State& state)
{
    CStilleMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    Portfolio(doc, state);
    for (auto _ : state) {
        doc.FeldergebnisseVergessen();
        doc.Berechnen();
        benchmark::DoNotOptimize(doc.m_saBericht.data());
    }
    state.SetLabel(Bezeichnung(state));
}

// Every field's forecast computed again (the project end moves by a year),
// the gas and pressure tables kept: their composition and temperatures stay.
void BerechnenTabellenGehalten(benchmark::State& state)
{
    CStilleMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    Portfolio(doc, state);
    doc.Berechnen();
    for (auto _ : state) {
        doc.m_iProjektende = doc.m_iProjektende == 2034 ? 2035 : 2034;
        doc.Berechnen();
        benchmark::DoNotOptimize(doc.m_saBericht.data());
    }
    state.SetLabel(Bezeichnung(state) + ", Tabellen gehalten");
}

// One field changed (its well count), the others replayed.
void BerechnenNachEinemFeld(benchmark::State& state)
{
    CStilleMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    Portfolio(doc, state);
    doc.Berechnen();
    const int felder = static_cast<int>(state.range(0));
    CFeldwerte geaendert = Feld(felder / 2, state.range(1) != 0);
    for (auto _ : state) {
        geaendert.m_iBohrungen = geaendert.m_iBohrungen == 4 ? 5 : 4;
        doc.m_saFelder[static_cast<size_t>(felder / 2)] = Satz(geaendert);
        doc.Berechnen();
        benchmark::DoNotOptimize(doc.m_saBericht.data());
    }
    state.SetLabel(Bezeichnung(state) + ", ein Feld geändert");
}

// The run's inputs for 33 pressure-dependent fields, 2002–2034, optionally
// with rest fields of 500 Mio m³ a year.
CLaufEingabe Portfolio33(bool restfelder = false)
{
    CStilleMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    doc.m_iProjektende = 2034;
    for (int i = 0; i < 33; ++i)
        doc.m_saFelder.push_back(Satz(Feld(i, true)));
    for (int jahr = 2002; restfelder && jahr <= 2034; ++jahr)
        doc.m_saRestfelder.push_back(ProfilzeileEingabe(jahr, 500.0f, 57000.0f));
    return doc.LaufEingabe();
}

// Runs of one 33-field portfolio (pressure-dependent factors) through the run
// function, with no document and no kept results: the form in which many
// runs (ranges, plateaus) go on, on one and on two threads at once.
void LaufFunktion(benchmark::State& state)
{
    CLaufEingabe eingabe = Portfolio33();
    eingabe.threads = 1; // the runs themselves share the cores
    for (auto _ : state) {
        const CLaufErgebnis r = Lauf(eingabe);
        benchmark::DoNotOptimize(r.feldreihen.data());
    }
    state.SetLabel("33 Felder druckabhängig, Lauf ohne Dokument");
}

// One run through the function, its gas tables built on 1 or 2 threads.
void LaufFunktionAlleKerne(benchmark::State& state)
{
    CLaufEingabe eingabe = Portfolio33();
    eingabe.threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const CLaufErgebnis r = Lauf(eingabe);
        benchmark::DoNotOptimize(r.feldreihen.data());
    }
    state.SetLabel("33 Felder druckabhängig, Tabellen auf " + std::to_string(state.range(0)) + " Threads");
}

// The highest plateau over 10 years of a 33-field pressure-dependent
// portfolio with rest fields, production limited to the demand.
void HoechstesPlateau10(benchmark::State& state)
{
    const CLaufEingabe eingabe = Portfolio33(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(HoechstesPlateau(eingabe, 10).menge);
    state.SetLabel("33 Felder druckabhängig, Plateau über 10 Jahre");
}

// A demand-limited run of the 33-field portfolio (a flat demand of 2500
// Mio m³ a year), by the common factor (0) or dispatched (1): two plants of
// five fields, three ranks, minimum rates of 2000 m³/h.
void NachBedarf33(benchmark::State& state)
{
    CLaufEingabe eingabe = Portfolio33(true);
    eingabe.threads = 1;
    eingabe.bedarf = true;
    eingabe.sollKonstant = 2500;
    if (state.range(0)) {
        auto plan = std::make_shared<CPlanung>();
        plan->verteilung = EVerteilung::Rang;
        plan->anlagen = {{"Anlage A", 400, {}}, {"Anlage B", 300, {}}};
        for (int i = 0; i < 33; ++i) {
            const std::string name = "Feld" + std::to_string(i);
            plan->feldVorgaben[name] = {1 + i % 3, 2000, 0, 0};
            if (i < 10)
                plan->anlagen[i < 5 ? 0 : 1].felder.push_back(name);
        }
        eingabe.planung = plan;
    }
    for (auto _ : state) {
        const CLaufErgebnis r = Lauf(eingabe);
        benchmark::DoNotOptimize(r.feldreihen.data());
    }
    state.SetLabel(state.range(0) ? "33 Felder nach Bedarf, Anlagen, Ränge, Mindestraten"
                                  : "33 Felder nach Bedarf, gemeinsamer Faktor");
}

// Five ranged quantities of every field of the 33-field portfolio.
std::vector<CSpanne> Spannen33(const CLaufEingabe& eingabe)
{
    const char* datei = "Feld;Groesse;Tief;Hoch\n"
                        "*;OGIP;80 %;120 %\n"
                        "*;C-Wert;70 %;130 %\n"
                        "*;A1;90 %;110 %\n"
                        "*;Wasserinvasion;0;20\n"
                        "*;Startverzoegerung;0;2\n";
    return *BandbreitenLesen(datei, eingabe.felder);
}

// 1000 Monte Carlo runs (5 quantities × 33 fields drawn), on 1 or 2 threads.
void MonteCarlo1000(benchmark::State& state)
{
    const CLaufEingabe eingabe = Portfolio33();
    const std::vector<CSpanne> spannen = Spannen33(eingabe);
    for (auto _ : state)
        benchmark::DoNotOptimize(MonteCarlo(eingabe, spannen, 1000, 1, static_cast<int>(state.range(0)))->jahre.data());
    state.SetLabel("33 Felder druckabhängig, 1000 Läufe auf " + std::to_string(state.range(0)) + " Threads");
}

// The P90/P50/P10 plateau over 10 years of 1000 Monte Carlo runs (5
// quantities × 33 fields drawn, rest fields), on 2 threads.
void MonteCarloPlateau1000(benchmark::State& state)
{
    const CLaufEingabe eingabe = Portfolio33(true);
    const std::vector<CSpanne> spannen = Spannen33(eingabe);
    for (auto _ : state)
        benchmark::DoNotOptimize(PlateauMonteCarlo(eingabe, spannen, 1000, 1, 10, 0, 2)->data());
    state.SetLabel("33 Felder druckabhängig, Plateau über 10 Jahre, 1000 Läufe auf 2 Threads");
}

// Sensitivities of 5 quantities × 33 fields (330 runs), on 1 or 2 threads.
void Sensitivitaeten165(benchmark::State& state)
{
    const CLaufEingabe eingabe = Portfolio33();
    const std::vector<CSpanne> spannen = Spannen33(eingabe);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Sensitivitaeten(eingabe, spannen, {}, static_cast<int>(state.range(0)))->zeilen.data());
    state.SetLabel("33 Felder druckabhängig, 5 Größen je Feld auf " + std::to_string(state.range(0)) + " Threads");
}

} // namespace

BENCHMARK(MonteCarlo1000)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MonteCarloPlateau1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(Sensitivitaeten165)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(HoechstesPlateau10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(NachBedarf33)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LaufFunktionAlleKerne)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(LaufFunktion)->Iterations(1000)->Threads(1)->Threads(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Berechnen)->ArgsProduct({{1, 33, 330}, {0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BerechnenTabellenGehalten)->ArgsProduct({{33, 330}, {1}, {0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BerechnenNachEinemFeld)->ArgsProduct({{33, 330}, {0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
