// Production limited to the demand: each year one common factor on every
// field's rates chokes the fields back to the Soll less the rest fields; the
// gas left in the ground is produced later. And the highest plateau.
#include "Testdaten.h"
#include "batch/CBatch.h"
#include "bericht/Laufbericht.h"
#include "forecast/CPrognose.h"
#include "platform/Datei.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "studie/Plateau.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

namespace {

// A profile of `menge` Mio m³ in every year from `von` to `bis`.
CProfil Profil(int von, int bis, float menge)
{
    CProfil p;
    for (int j = von; j <= bis; ++j)
        p.push_back(ProfilzeileEingabe(j, menge, menge * 1e6f / 8760.0f));
    return p;
}

CLaufEingabe Eingabe(std::vector<CFeldwerte> felder, CProfil verkauf, CProfil rest = {})
{
    CLaufEingabe e;
    for (const CFeldwerte& f : felder)
        e.felder.emplace_back(Feldsatz(f));
    e.verkaufsprofil = std::move(verkauf);
    e.restfelder = std::move(rest);
    e.projektende = 2012;
    e.threads = 1;
    return e;
}

CLaufEingabe Beispiel(const char* pfad)
{
    return LaufEingabeAus(pfad);
}

// The factor a bisection of its own finds for the first year of one field.
double FaktorVonHand(const CFeldwerte& feld, int projektende, float bedarf)
{
    CGastabellen t = GastabellenBauen(feld, false);
    CPrognoseEingabe e;
    e.feld = feld;
    e.gas = &t.gas;
    e.pzTab = t.pzTab;
    e.visTab = t.visTab;
    e.projektstart = feld.m_iFoerderbeginn;
    e.projektende = projektende;
    CStilleMeldungen still;
    const CPrognoseLauf start(e, still);
    double unten = 0, oben = 1, f = 1;
    for (int k = 0; k < 40; ++k) {
        f = (unten + oben) / 2;
        CPrognoseLauf versuch = start;
        versuch.Jahr(f);
        const float p = versuch.Ergebnis().produktion[0];
        if (std::fabs(double(p) - bedarf) <= 0.05)
            break;
        (p > bedarf ? oben : unten) = f;
    }
    return f;
}

} // namespace

TEST(Bedarf, OneFieldAtCapacityThrottledAndFromItsFirstYear)
{
    // FeldA (50 % share) delivers about 41 Mio m³ (share) in its first year.
    const CLaufErgebnis voll = Lauf(Eingabe({FeldA()}, Profil(2003, 2012, 10000.0f)));
    CLaufEingabe e = Eingabe({FeldA()}, Profil(2003, 2012, 10000.0f));
    e.bedarf = true;
    const CLaufErgebnis hoch = Lauf(e);
    ASSERT_EQ(hoch.bedarf.size(), 10u);
    for (const CBedarfsjahr& b : hoch.bedarf)
        EXPECT_EQ(b.faktor, 1.0) << b.jahr; // demand above capacity: at capacity, as without the limit
    EXPECT_TRUE(std::equal(std::begin(voll.produktionFelder), std::end(voll.produktionFelder), hoch.produktionFelder));

    // 30 Mio m³ a year: the first year is throttled to the demand.
    e.verkaufsprofil = Profil(2003, 2012, 30.0f);
    const CLaufErgebnis r = Lauf(e);
    const CBedarfsjahr& erstes = r.bedarf[0];
    EXPECT_EQ(erstes.jahr, 2003);
    EXPECT_FLOAT_EQ(erstes.bedarf, 30.0f);
    EXPECT_FLOAT_EQ(erstes.lieferbar, voll.produktionFelder[0]);
    EXPECT_NEAR(erstes.gefoerdert, 30.0, 0.05);
    EXPECT_LT(erstes.faktor, 1.0);
    EXPECT_EQ(Format("%.3f", erstes.faktor), Format("%.3f", FaktorVonHand(FeldA(), 2012, 30.0f)));
    // The gas left in the ground keeps the pressure up: later the field can
    // deliver more than it did at full capacity, never less.
    bool mehr = false;
    for (size_t y = 1; y < r.bedarf.size(); ++y) {
        EXPECT_GE(r.bedarf[y].lieferbar, voll.produktionFelder[y]) << y;
        mehr = mehr || r.bedarf[y].lieferbar > voll.produktionFelder[y];
    }
    EXPECT_TRUE(mehr);
    // The summary's Ist is the produced quantity.
    EXPECT_EQ(r.produktionFelder[0], erstes.gefoerdert);

    // A field that starts later produces nothing before its first year.
    CFeldwerte spaet = MethanFeld("Spaet", 2006);
    CLaufEingabe zwei = Eingabe({FeldA(), spaet}, Profil(2003, 2012, 500.0f));
    zwei.bedarf = true;
    const CLaufErgebnis z = Lauf(zwei);
    ASSERT_EQ(z.feldreihen.size(), 2u);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(z.feldreihen[1].produktion[y], 0.0f);
    EXPECT_GT(z.feldreihen[1].produktion[3], 0.0f);
}

TEST(Bedarf, RestFieldsAboveTheSollLeaveTheFieldsShut)
{
    CLaufEingabe e = Eingabe({FeldA()}, Profil(2003, 2012, 300.0f), Profil(2003, 2012, 400.0f));
    e.bedarf = true;
    const CLaufErgebnis r = Lauf(e);
    for (const CBedarfsjahr& b : r.bedarf) {
        EXPECT_EQ(b.bedarf, 0.0f);
        EXPECT_EQ(b.faktor, 0.0);
        EXPECT_EQ(b.gefoerdert, 0.0f);
    }
    EXPECT_EQ(r.feldreihen[0].reserve, 0.0f);
}

// Over both samples, in production and with a flat demand: the fields never
// produce more than the demand or their capacity, fall short of the demand
// only at capacity, and the table follows the summary.
TEST(Bedarf, FieldsNeverExceedDemandOrCapacityInTheSamples)
{
    for (const char* pfad : {KALVO_BEISPIEL, KALVO_GRENZFAELLE}) {
        for (float konstant : {-1.0f, 900.0f}) {
            CLaufEingabe e = Beispiel(pfad);
            e.bedarf = true;
            e.sollKonstant = konstant;
            const CLaufErgebnis r = Lauf(e);
            const std::vector<std::string> berichtR = LaufberichtText(r);
            ASSERT_EQ(static_cast<int>(r.bedarf.size()), r.anzahl) << pfad;
            for (size_t y = 0; y < r.bedarf.size(); ++y) {
                const CBedarfsjahr& b = r.bedarf[y];
                EXPECT_LE(b.gefoerdert, b.bedarf + 0.1) << pfad << " " << b.jahr;
                EXPECT_LE(b.gefoerdert, b.lieferbar + 0.1) << pfad << " " << b.jahr;
                if (b.gefoerdert < b.bedarf - 0.05) {
                    EXPECT_EQ(b.faktor, 1.0) << pfad << " " << b.jahr;
                }
                EXPECT_EQ(b.gefoerdert, r.produktionFelder[y]) << pfad << " " << b.jahr;
            }
            for (const CFeldreihe& f : r.feldreihen)
                EXPECT_GE(f.reserve, 0.0f);
            const auto tabelle = std::find(berichtR.begin(), berichtR.end(), "                 FOERDERUNG NACH BEDARF");
            ASSERT_NE(tabelle, berichtR.end()) << pfad;
            EXPECT_EQ(*(tabelle + 2), "  JAHR   BEDARF FELDER   LIEFERBAR   GEFOERDERT   FAKTOR");
            EXPECT_EQ(berichtR.end() - tabelle, 4 + r.anzahl);
        }
    }
}

// The plateau holds for its years, and a tenth more does not.
TEST(Bedarf, PlateauHoldsAndATenthMoreDoesNot)
{
    const CLaufEingabe e = Beispiel(KALVO_GRENZFAELLE);
    const CPlateau p = HoechstesPlateau(e, 10);
    EXPECT_GT(p.menge, 0.0);
    EXPECT_EQ(p.letztesJahr, p.erstesJahr + 9);
    EXPECT_GE(p.gehaltenBis, p.letztesJahr);
    const auto ist = [&](double menge) {
        CLaufEingabe b = e;
        b.bedarf = true;
        b.sollKonstant = static_cast<float>(menge);
        return Lauf(b);
    };
    const CLaufErgebnis gehalten = ist(p.menge);
    for (int y = 0; y < 10; ++y)
        EXPECT_GE(IstProduktion(gehalten, y), p.menge - 0.05) << y;
    const CLaufErgebnis mehr = ist(p.menge + 0.1);
    bool faelltAus = false;
    for (int y = 0; y < 10; ++y)
        faelltAus = faelltAus || IstProduktion(mehr, y) < p.menge + 0.1 - 0.05;
    EXPECT_TRUE(faelltAus);
}

// A window that starts later (after a build-up produced to the sales
// profile): the plateau holds in the window's years and a tenth more fails
// in one of them; the years before follow the profile as without it.
TEST(Bedarf, PlateauWindowAfterABuildUp)
{
    const struct {
        const char* datei;
        int ab, jahre;
    } faelle[] = {{KALVO_BEISPIEL, 2006, 8}, {KALVO_GRENZFAELLE, 2004, 5}, {KALVO_BEISPIEL, 2002, 10}};
    for (const auto& f : faelle) {
        const CLaufEingabe e = Beispiel(f.datei);
        const CPlateau p = HoechstesPlateau(e, f.jahre, {}, f.ab);
        EXPECT_EQ(p.erstesJahr, f.ab);
        EXPECT_EQ(p.letztesJahr, f.ab + f.jahre - 1);
        EXPECT_GT(p.menge, 0.0);
        const auto ist = [&](double menge) {
            CLaufEingabe b = e;
            b.bedarf = true;
            b.sollKonstant = static_cast<float>(menge);
            b.sollKonstantAb = f.ab;
            return Lauf(b);
        };
        const CLaufErgebnis gehalten = ist(p.menge);
        const int a = f.ab - gehalten.projektstart;
        for (int y = a; y < a + f.jahre; ++y)
            EXPECT_GE(IstProduktion(gehalten, y), p.menge - PlateauToleranz(p.menge)) << f.ab << " " << y;
        CLaufEingabe profil = e;
        profil.bedarf = true;
        const CLaufErgebnis ohne = Lauf(profil);
        for (int y = 0; y < a; ++y)
            EXPECT_EQ(IstProduktion(gehalten, y), IstProduktion(ohne, y)) << "build-up " << y;
        const CLaufErgebnis mehr = ist(p.menge + 0.1);
        bool faelltAus = false;
        for (int y = a; y < a + f.jahre; ++y)
            faelltAus = faelltAus || IstProduktion(mehr, y) < p.menge + 0.1 - PlateauToleranz(p.menge + 0.1);
        EXPECT_TRUE(faelltAus) << f.ab;
    }
    // From the project's first year the window is the plateau as before.
    const CLaufEingabe e = Beispiel(KALVO_BEISPIEL);
    EXPECT_EQ(HoechstesPlateau(e, 10, {}, 2002).menge, HoechstesPlateau(e, 10).menge);
}

TEST(Bedarf, BatchOptionsAndTheirRefusals)
{
    const auto batch = [](std::vector<std::string> args) {
        std::ostringstream aus, fehler;
        const int status = KalvoBatch(args, aus, fehler);
        return std::make_pair(status, aus.str() + fehler.str());
    };
    const std::string datei = KALVO_BEISPIEL;
    const auto [ok, text] = batch({"--bedarf", "--plateau", "10", datei});
    EXPECT_EQ(ok, 0);
    EXPECT_NE(text.find("                 FOERDERUNG NACH BEDARF\n"), std::string::npos);
    EXPECT_NE(text.find("\n  Hoechstes Plateau 2002-2011: "), std::string::npos);
    EXPECT_NE(text.find("\n  Plateau gehalten bis: "), std::string::npos);
    for (const auto& args : std::vector<std::vector<std::string>>{{"--plateau", "0", datei},
                                                                  {"--plateau", "-3", datei},
                                                                  {"--plateau", "zehn", datei},
                                                                  {"--plateau", "99", datei},
                                                                  {"--soll-konstant", "-5", datei},
                                                                  {"--soll-konstant", "viel", datei},
                                                                  {"--bedarf", "--reserven", datei}}) {
        const auto [status, meldung] = batch(args);
        EXPECT_EQ(status, 1) << args[0] << " " << args[1];
        EXPECT_NE(meldung.find("kalvo-batch: "), std::string::npos) << args[0] << " " << args[1];
    }
    // The CSV carries the four columns of a demand-limited run, with a decimal comma.
    const std::string csv = (std::filesystem::temp_directory_path() / "kalvo_bedarf.csv").string();
    ASSERT_EQ(batch({"--bedarf", "--csv", csv, datei}).first, 0);
    const std::string tabelle = DateiInhalt(csv);
    EXPECT_NE(tabelle.find(";Bedarf Felder (Mio m3);Lieferbar (Mio m3);Gefoerdert (Mio m3);Faktor (-);"),
              std::string::npos);
    EXPECT_NE(tabelle.find("\r\n2004;"), std::string::npos);
    EXPECT_NE(tabelle.find(";0,979;"), std::string::npos); // 2004's factor, as the table prints it
    ASSERT_EQ(batch({"--csv", csv, datei}).first, 0);
    EXPECT_EQ(DateiInhalt(csv).find("Bedarf Felder"), std::string::npos);
    // Off, the output is that of a run at capacity: no demand table.
    EXPECT_EQ(batch({datei}).second.find("FOERDERUNG NACH BEDARF"), std::string::npos);
}

// In a demand-limited run the coverage table names the first year short in
// volume and the first short in rate; a year produced to the demand within
// 0.05 Mio m³ is no shortfall.
TEST(Bedarf, CoverageNamesTheFirstShortfallInVolumeAndInRate)
{
    CAufgezeichneteMeldungen m;
    CKalvoDoc doc(m);
    doc.m_saFelder = {Feldsatz(FeldA())};
    doc.m_saVerkaufsprofil = Profil(2003, 2012, 30.0f);
    doc.m_iProjektende = 2012;
    doc.m_bBedarf = true;
    doc.m_bDeckung = true;
    doc.Berechnen();
    ASSERT_EQ(doc.m_Bedarfsjahre.size(), 10u);
    EXPECT_LT(doc.m_Bedarfsjahre[0].faktor, 1.0);
    const std::string& zeile = doc.m_saBericht.back();
    EXPECT_EQ(zeile.rfind("  Erste Unterdeckung Menge: ", 0), 0u) << zeile;
    EXPECT_NE(zeile.find("   Rate: "), std::string::npos);
    // The first year is produced to the demand: no shortfall in volume then,
    // and no "-0.0" difference in its row.
    EXPECT_EQ(zeile.find("Menge: 2003 "), std::string::npos) << zeile;
    const auto zeile2003 = std::find_if(doc.m_saBericht.begin(), doc.m_saBericht.end(),
                                        [](const std::string& z) { return z.rfind("  2003        30.0", 0) == 0; });
    ASSERT_NE(zeile2003, doc.m_saBericht.end());
    EXPECT_EQ(zeile2003->find("-0.0"), std::string::npos) << *zeile2003;
    // The fields are held back to the demand, not short of it: the Soll rate
    // is compared with the rate they could deliver, for every year they cover.
    doc.m_iGrafikRate = 1;
    doc.Berechnen();
    const CJahreswerte rate = doc.Grafikwerte();
    for (size_t j = 0; j < doc.m_Bedarfsjahre.size(); ++j) {
        const CBedarfsjahr& b = doc.m_Bedarfsjahre[j];
        const int i = b.jahr - rate.start;
        EXPECT_GT(b.lieferbarRate, 0) << b.jahr;
        if (b.faktor < 1) { // held back: the deliverable rate is above what was produced
            EXPECT_GT(rate.ist[i], double(doc.m_fRateFelder[i]) + doc.m_fRestRate[i]) << b.jahr;
        }
    }
    doc.m_iGrafikRate = 0;
    doc.m_bBedarf = false;
    doc.Berechnen();
    EXPECT_EQ(doc.m_saBericht.back().rfind("  Erste Unterdeckung Menge", 0), std::string::npos);
}

// The plateau shown as the sales profile: a flat line in every project year,
// demand-limited, the document modified and held in each of the plateau's years.
TEST(Bedarf, PlateauAsSalesProfileOfADemandLimitedRun)
{
    CAufgezeichneteMeldungen m;
    CKalvoDoc doc(m);
    ASSERT_TRUE(doc.Laden(DateiInhalt(KALVO_BEISPIEL)));
    doc.NachDemLaden();
    doc.Berechnen();
    const CPlateau p = HoechstesPlateau(doc.LaufEingabe(), 10);
    doc.KonstantesVerkaufsprofil(p.menge);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.m_bBedarf);
    ASSERT_EQ(static_cast<int>(doc.m_saVerkaufsprofil.size()), doc.m_iAnzahl);
    EXPECT_EQ(doc.m_saVerkaufsprofil.front().jahr, doc.m_iProjektstart);
    EXPECT_FLOAT_EQ(doc.m_saVerkaufsprofil.front().produktion, static_cast<float>(p.menge));
    for (int y = 0; y < 10; ++y)
        EXPECT_GE(double(doc.m_fRestProduktion[y]) + doc.m_fProduktionFelder[y], p.menge - 0.05) << y;
}

// Generated portfolios (start years, OGIP, wells, water drive, shares, rest
// fields and demands drawn at random): the same properties hold every year.
TEST(Bedarf, GeneratedPortfoliosKeepToDemandAndCapacity)
{
    std::mt19937 zufall(11);
    const auto gleich = [&](float a, float b) { return std::uniform_real_distribution<float>(a, b)(zufall); };
    for (int portfolio = 0; portfolio < 12; ++portfolio) {
        std::vector<CFeldwerte> felder;
        const int n = 1 + portfolio % 4;
        for (int k = 0; k < n; ++k) {
            CFeldwerte f =
                MethanFeld("F" + std::to_string(k), 2003 + static_cast<int>(gleich(0, 6)), gleich(300, 9000));
            f.m_iBohrungen = 1 + static_cast<int>(gleich(0, 8));
            f.m_fWasserinvasion = gleich(0, 60);
            f.m_fKonsAnteil = gleich(10, 100);
            felder.push_back(f);
        }
        CLaufEingabe e = Eingabe(felder, Profil(2003, 2012, gleich(10, 400)), Profil(2003, 2012, gleich(0, 50)));
        e.bedarf = true;
        const CLaufErgebnis r = Lauf(e);
        for (const CBedarfsjahr& b : r.bedarf) {
            EXPECT_LE(b.gefoerdert, b.bedarf + 0.1) << portfolio << " " << b.jahr;
            EXPECT_LE(b.gefoerdert, b.lieferbar + 0.1) << portfolio << " " << b.jahr;
            if (b.gefoerdert < b.bedarf - 0.05) {
                EXPECT_EQ(b.faktor, 1.0) << portfolio << " " << b.jahr;
            }
            EXPECT_GE(b.faktor, 0.0);
            EXPECT_LE(b.faktor, 1.0);
        }
    }
}

namespace {

// The sample's fields copied under names of their own, to `n` fields.
CLaufEingabe Vervielfacht(const char* pfad, int n)
{
    CLaufEingabe e = Beispiel(pfad);
    CFeldsaetze felder;
    for (int k = 0; k < n; ++k) {
        const CFeldsatz& satz = e.felder[static_cast<size_t>(k) % e.felder.size()];
        CFeldwerte f = satz.Werte();
        f.m_sFeldname = Format("Kopie%04d", k);
        felder.emplace_back(Feldsatz(f, satz.Stufen()));
    }
    e.felder = std::move(felder);
    return e;
}

} // namespace

// A large portfolio's plateau holds in every plateau year, and 0.1 % more does
// not: the tolerances scale with the quantity (at absolute 0.05 Mio m³ against
// float sums of 1000 fields it came out 31 % low).
TEST(Bedarf, PlateauOfAThousandFieldsHoldsAndATenthOfAPercentMoreDoesNot)
{
    const CLaufEingabe e = Vervielfacht(KALVO_BEISPIEL, 1000);
    const int jahre = 5;
    const CPlateau p = HoechstesPlateau(e, jahre);
    const auto ist = [&](double menge) {
        CLaufEingabe b = e;
        b.bedarf = true;
        b.sollKonstant = static_cast<float>(menge);
        return Lauf(b);
    };
    // Year one at capacity bounds it: 1000 fields deliver 88420.0 in 2002.
    EXPECT_EQ(Format("%.1f", IstProduktion(Lauf(e), 0)), "88420.0");
    EXPECT_EQ(Format("%.1f", p.menge), "88420.0");
    EXPECT_GE(p.gehaltenBis, p.letztesJahr);
    const CLaufErgebnis gehalten = ist(p.menge);
    for (int y = 0; y < jahre; ++y)
        EXPECT_GE(IstProduktion(gehalten, y), p.menge - PlateauToleranz(p.menge)) << y;
    const double mehr = p.menge * 1.001;
    const CLaufErgebnis zuviel = ist(mehr);
    bool faelltAus = false;
    for (int y = 0; y < jahre; ++y)
        faelltAus = faelltAus || IstProduktion(zuviel, y) < mehr - PlateauToleranz(mehr);
    EXPECT_TRUE(faelltAus);
}

// The plateau over 1, 2 and 10 years of both samples: its level, its years,
// and the last year it is delivered (a one-year plateau counts the rest
// fields: 860.0 on Beispiel, where the rest fields' profile begins in the
// project's first year).
TEST(Bedarf, PlateauLevelYearsAndLastYearHeldInTheSamples)
{
    struct Fall {
        const char* pfad;
        int jahre;
        double menge;
        int erstes, letztes, gehaltenBis;
    };
    const Fall faelle[] = {
        {KALVO_BEISPIEL, 1, 860.0, 2002, 2002, 2028},    {KALVO_BEISPIEL, 2, 860.0, 2002, 2003, 2028},
        {KALVO_BEISPIEL, 10, 860.0, 2002, 2011, 2028},   {KALVO_GRENZFAELLE, 1, 474.9, 2001, 2001, 2001},
        {KALVO_GRENZFAELLE, 2, 466.6, 2001, 2002, 2014}, {KALVO_GRENZFAELLE, 10, 466.6, 2001, 2010, 2014},
    };
    for (const Fall& f : faelle) {
        const CLaufEingabe e = Beispiel(f.pfad);
        const CPlateau p = HoechstesPlateau(e, f.jahre);
        const std::string fall = std::string(f.pfad) + " " + std::to_string(f.jahre);
        EXPECT_EQ(Format("%.1f", p.menge), Format("%.1f", f.menge)) << fall;
        EXPECT_EQ(p.erstesJahr, f.erstes) << fall;
        EXPECT_EQ(p.letztesJahr, f.letztes) << fall;
        EXPECT_EQ(p.gehaltenBis, f.gehaltenBis) << fall;
        // The answer is the demand-limited run at that level: delivered in
        // every year up to gehaltenBis, not in the year after.
        CLaufEingabe b = e;
        b.bedarf = true;
        b.sollKonstant = static_cast<float>(p.menge);
        const CLaufErgebnis r = Lauf(b);
        for (int y = 0; y <= f.gehaltenBis - r.projektstart; ++y)
            EXPECT_GE(IstProduktion(r, y), p.menge - 0.05) << fall << " " << y;
        if (f.gehaltenBis + 1 - r.projektstart < r.anzahl) {
            EXPECT_LT(IstProduktion(r, f.gehaltenBis + 1 - r.projektstart), p.menge - 0.05) << fall;
        }
        // A tenth more is not held over the plateau's years.
        b.sollKonstant = static_cast<float>(p.menge + 0.1);
        EXPECT_LT(GehaltenBis(Lauf(b), p.menge + 0.1), p.letztesJahr) << fall;
    }
}

// The last year held, on hand-made year figures: consecutive from the start,
// a year delivers L at L less the tolerance, the year before the start when
// the first year falls short.
TEST(Bedarf, LastYearHeldCountsFromTheStartWithTheTolerance)
{
    struct Fall {
        std::vector<float> ist;
        double menge;
        int gehaltenBis;
    };
    const Fall faelle[] = {
        {{100, 100, 100}, 100, 2012},        {{100, 99.96f, 100}, 100, 2012},  {{100, 99.9f, 100}, 100, 2010},
        {{99.9f, 100, 100}, 100, 2009},      {{100, 100, 90}, 100, 2011},      {{}, 100, 2009},
        {{200000, 199998.5f}, 200000, 2011}, {{200000, 199997}, 200000, 2010},
    };
    for (const Fall& f : faelle) {
        CLaufErgebnis r;
        r.projektstart = 2010;
        for (size_t y = 0; y < f.ist.size(); ++y)
            r.zusammenfassung.jahre.push_back(
                Zusammenfassungsjahr(2010 + static_cast<int>(y), f.ist[y] / 2, 0, f.ist[y] - f.ist[y] / 2, 0, 0, 0));
        EXPECT_EQ(GehaltenBis(r, f.menge), f.gehaltenBis) << f.menge << " " << f.ist.size();
    }
    // A year exactly at L less the tolerance delivers L.
    for (const float ist : {99.95f, 860.0f, 88420.0f}) {
        double menge = double(ist) + PlateauToleranz(ist);
        for (int k = 0; k < 5; ++k)
            menge -= menge - PlateauToleranz(menge) - double(ist);
        for (int k = 0; k < 64 && menge - PlateauToleranz(menge) != double(ist); ++k)
            menge = std::nextafter(menge, menge - PlateauToleranz(menge) < double(ist) ? 1e300 : -1e300);
        ASSERT_EQ(menge - PlateauToleranz(menge), double(ist)) << ist;
        CLaufErgebnis r;
        r.projektstart = 2010;
        r.zusammenfassung.jahre = {Zusammenfassungsjahr(2010, 0, 0, ist, 0, 0, 0),
                                   Zusammenfassungsjahr(2011, 0, 0, 0, 0, 0, 0)};
        EXPECT_EQ(GehaltenBis(r, menge), 2010) << ist;
        EXPECT_EQ(GehaltenBis(r, std::nextafter(menge, 1e300)), 2009) << ist;
    }
    // 0.05 Mio m³ (and 10⁻⁶) for small quantities; for large ones 1.1·10⁻⁵ of the quantity.
    for (const auto& [menge, toleranz] : {std::pair{0.0, 0.05}, std::pair{900.0, 0.0509}, std::pair{200000.0, 2.2}})
        EXPECT_NEAR(PlateauToleranz(menge), toleranz, 1e-9) << menge;
    for (const auto& [bedarf, genau] : {std::pair{0.0, 0.05}, std::pair{5000.0, 0.05}, std::pair{200000.0, 2.0}})
        EXPECT_NEAR(BedarfsGenauigkeit(bedarf), genau, 1e-9) << bedarf;
}
