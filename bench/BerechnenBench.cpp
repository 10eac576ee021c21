// The calculation run on portfolios of 1, 33 and 330 fields, with constant
// and pressure-dependent factors, summary and detailed report.
#include "doc/CKalvoDoc.h"
#include "platform/Meldungen.h"

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

void Berechnen(benchmark::State& state)
{
    const int felder = static_cast<int>(state.range(0));
    const bool druckabhaengig = state.range(1) != 0;
    CStilleMeldungen meldungen;
    CKalvoDoc doc(meldungen);
    doc.m_iProjektende = 2034;
    doc.m_bDetailausgabe = static_cast<int>(state.range(2));
    for (int i = 0; i < felder; ++i) {
        const CFeldwerte f = Feld(i, druckabhaengig);
        const CStufenzeile s{f.m_iFoerderbeginn + 8, 0, 35, 6, 0, 0};
        const std::string t = StufenzeileText(s, EStufenformat::Geaendert);
        doc.m_saFelder.push_back(DatenInZeile(f, {t, t, t, t}));
    }
    for (auto _ : state) {
        doc.Berechnen();
        benchmark::DoNotOptimize(doc.m_saBericht.data());
    }
    state.SetLabel(std::to_string(felder) + (druckabhaengig ? " Felder druckabhängig" : " Felder konstant") +
                   (state.range(2) ? ", Detail" : ""));
}

} // namespace

BENCHMARK(Berechnen)->ArgsProduct({{1, 33, 330}, {0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
