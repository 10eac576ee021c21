// The run as a function: no document, the same figures as the document's
// run, and several runs at once in several threads.
#include "Testdaten.h"
#include "bericht/Laufbericht.h"
#include "doc/CKalvoDoc.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "run/CLauf.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

namespace {

CLaufEingabe Beispiel()
{
    return LaufEingabeAus(KALVO_BEISPIEL);
}

bool Gleich(const CLaufErgebnis& a, const CLaufErgebnis& b)
{
    return LaufberichtText(a) == LaufberichtText(b) && std::equal(std::begin(a.Y), std::end(a.Y), b.Y) &&
           std::equal(std::begin(a.Y1), std::end(a.Y1), b.Y1) && a.anzahl == b.anzahl &&
           a.projektstart == b.projektstart && a.feldreihen.size() == b.feldreihen.size();
}

} // namespace

// What the document shows after its run is what the function returns.
TEST(Lauf, TheFunctionGivesTheDocumentsFigures)
{
    CLaufEingabe e = Beispiel();
    e.detail = true;
    const CLaufErgebnis r = Lauf(e);
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    ASSERT_TRUE(doc.Laden(DateiInhalt(KALVO_BEISPIEL)));
    doc.NachDemLaden();
    doc.m_bDetailausgabe = 1;
    doc.Berechnen();
    EXPECT_EQ(LaufberichtText(r), doc.m_saBericht);
    EXPECT_TRUE(std::equal(std::begin(r.Y), std::end(r.Y), doc.Y));
    EXPECT_EQ(r.feldreihen.size(), doc.m_Feldreihen.size());
    EXPECT_EQ(r.projektstart, 2002);
}

// Two threads, many runs each, in the three report modes: every result
// equals the one computed alone.
TEST(Lauf, RunsInTwoThreadsEqualTheRunsOneByOne)
{
    std::vector<CLaufEingabe> eingaben(3, Beispiel());
    eingaben[1].detail = true;
    eingaben[2].reserven = true;
    std::vector<CLaufErgebnis> allein;
    for (const auto& e : eingaben)
        allein.push_back(Lauf(e));

    constexpr int kLaeufe = 20;
    bool gleich[2] = {true, true};
    std::vector<std::thread> faeden;
    for (int t = 0; t < 2; ++t)
        faeden.emplace_back([&, t] {
            CFeldspeicher speicher; // each thread its own store
            for (int i = 0; i < kLaeufe; ++i) {
                const size_t k = static_cast<size_t>((i + t) % 3);
                gleich[t] = gleich[t] && Gleich(Lauf(eingaben[k], i % 2 ? &speicher : nullptr), allein[k]);
            }
        });
    for (auto& f : faeden)
        f.join();
    EXPECT_TRUE(gleich[0]);
    EXPECT_TRUE(gleich[1]);
}

// Gas tables kept from run to run (composition and temperatures unchanged)
// and built on one or on all cores give the figures of a run from scratch;
// a changed temperature builds new ones.
TEST(Lauf, KeptAndParallelGasTablesGiveTheFiguresOfARunFromScratch)
{
    CLaufEingabe e = Beispiel();
    e.detail = true;
    e.threads = 1;
    CFeldspeicher speicher;
    Lauf(e, &speicher);
    const size_t tabellen = speicher.gastabellen.size();
    EXPECT_GT(tabellen, 0u);

    e.projektende += 1; // every forecast again, with the kept tables
    CFeldwerte f = e.felder[0].Werte();
    f.m_fOGIP *= 0.8f;
    e.felder[0] = Feldsatz(f, e.felder[0].Stufen());
    e.threads = 0;
    const CLaufErgebnis gehalten = Lauf(e, &speicher);
    EXPECT_EQ(speicher.gastabellen.size(), tabellen);
    EXPECT_TRUE(Gleich(gehalten, Lauf(e)));

    f.m_fTcel += 5;
    e.felder[0] = Feldsatz(f, e.felder[0].Stufen());
    const CLaufErgebnis neu = Lauf(e, &speicher);
    EXPECT_TRUE(Gleich(neu, Lauf(e)));
    EXPECT_FALSE(Gleich(neu, gehalten));
}

// The reserves chart's bar is the reserve as its report line prints it, to the
// bit: ties round to even as printf does, large and small values alike.
TEST(Lauf, ReserveBarsEqualThePrintedReserves)
{
    CTeillauf t;
    std::mt19937 zufall(7);
    std::uniform_real_distribution<float> verteilung(0.0f, 5000.0f);
    std::vector<float> reserven = {0.0f, 0.05f, 0.25f, 0.35f, 12.35f, 2.25f, 1234567.75f, 0.95f, 99.95f};
    while (reserven.size() < kMaxJahre)
        reserven.push_back(verteilung(zufall));
    for (float r : reserven) {
        CFeldreihe reihe;
        reihe.reserve = r;
        t.doc.m_Feldreihen.push_back(reihe);
    }
    t.doc.ReservenGrafik(false);
    for (size_t k = 0; k < reserven.size(); ++k) {
        float gedruckt = 0;
        ASSERT_TRUE(LiesFloat(Format("%.1f", double(reserven[k])), gedruckt));
        EXPECT_EQ(t.doc.Y[k], gedruckt) << reserven[k];
    }
}
