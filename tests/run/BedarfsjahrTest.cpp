#include "run/Bedarfsjahr.h"
#include "Testdaten.h"
#include "forecast/DruckTabellen.h"
#include "model/Feldregeln.h"
#include "run/CLauf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

// Every field of a sample that the run computes, set up for its forecast
// from the earliest first year on, each with its own gas tables.
struct CFelder {
    std::vector<std::unique_ptr<CGastabellen>> tabellen;
    std::vector<CPrognoseLauf> stand;
    CStilleMeldungen still;

    explicit CFelder(const char* pfad)
    {
        const CLaufEingabe e = LaufEingabeAus(pfad);
        int start = 9999;
        for (const CFeldsatz& s : e.felder)
            if (s.Lesbar())
                start = std::min(start, s.Werte().m_iFoerderbeginn);
        for (const CFeldsatz& s : e.felder) {
            if (!s.Lesbar() || !FeldPruefen(s.Werte(), s.Stufen()))
                continue;
            const CFeldwerte& f = s.Werte();
            const bool rohr = f.m_bDruckabhaengig == 1 && f.m_fB1 > 1.0f && f.m_fTeufe > 0.0f;
            tabellen.push_back(std::make_unique<CGastabellen>(GastabellenBauen(f, rohr)));
            const CGastabellen& t = *tabellen.back();
            CPrognoseEingabe p;
            p.feld = f;
            p.stufen = s.Stufen();
            p.gas = &t.gas;
            p.pzTab = t.pzTab;
            p.visTab = t.visTab;
            p.zTabRohr = rohr ? t.zTabRohr : nullptr;
            p.projektstart = start;
            p.projektende = start + 20;
            p.druckabhaengig = rohr;
            CPrognoseLauf lauf(p, still);
            if (lauf.Berechenbar())
                stand.push_back(std::move(lauf));
        }
    }
};

} // namespace

// The bisection that skips the tries its bounds decide gives the answer of
// the one that tries every midpoint, to the bit: factor, production, and the
// fields' states after the year. Both samples, 20 years, demands from a
// twentieth of the deliverable gas to all but a thousandth of it.
TEST(Bedarfsjahr, SkippingDecidedTriesGivesTheFullBisectionsAnswer)
{
    const double anteile[] = {0.05, 0.3, 0.5, 0.77, 0.95, 0.999};
    for (const char* pfad : {KALVO_BEISPIEL, KALVO_GRENZFAELLE}) {
        CFelder felder(pfad);
        ASSERT_FALSE(felder.stand.empty()) << pfad;
        std::vector<CPrognoseLauf>& stand = felder.stand;
        for (int y = 0; y < 20; ++y) {
            std::vector<CPrognoseLauf> voll;
            const float lieferbar = BedarfsjahrVersuchen(stand, y, 1.0, voll);
            for (const double anteil : anteile) {
                const auto bedarf = static_cast<float>(lieferbar * anteil);
                std::vector<CPrognoseLauf> kurz, lang;
                const CBedarfsjahr a = BedarfsjahrWaehlen(stand, y, bedarf, kurz, true);
                const CBedarfsjahr b = BedarfsjahrWaehlen(stand, y, bedarf, lang, false);
                EXPECT_EQ(a.faktor, b.faktor) << pfad << " " << y << " " << anteil;
                EXPECT_EQ(a.gefoerdert, b.gefoerdert) << pfad << " " << y << " " << anteil;
                ASSERT_EQ(kurz.size(), lang.size());
                for (size_t k = 0; k < kurz.size(); ++k)
                    EXPECT_EQ(kurz[k].Kumuliert(), lang[k].Kumuliert()) << pfad << " " << y << " " << k;
            }
            // The next year from the middle demand's states.
            std::vector<CPrognoseLauf> weiter;
            BedarfsjahrWaehlen(stand, y, static_cast<float>(lieferbar * 0.5), weiter, false);
            stand = std::move(weiter);
        }
    }
}
