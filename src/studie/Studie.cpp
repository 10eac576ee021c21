#include "studie/Studie.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

int Projektjahre(const CLaufErgebnis& r)
{
    return static_cast<int>(r.zusammenfassung.jahre.size());
}

double IstJahr(const CLaufErgebnis& r, int i, bool rate)
{
    const CZusammenfassungsjahr& y = r.zusammenfassung.jahre[static_cast<size_t>(i)];
    return rate ? y.istRate : y.istProduktion;
}

CJahresreihen Jahresreihen(const CLaufErgebnis& r, bool rate)
{
    return {r.projektstart, &r.zusammenfassung.jahre, &r.feldreihen, rate, &r.bedarf, &r.energie, nullptr};
}

double KumulierteIst(const CLaufErgebnis& r)
{
    return r.zusammenfassung.summeIst; // the summary's own running total
}

CErgebnis<> Parallel(int anzahl, int threads, const CFeldspeicher& vorlage,
                     const std::function<bool(int, CFeldspeicher&)>& job)
{
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::max(1, std::min(threads, anzahl));
    std::atomic<int> naechster{0};
    std::atomic<bool> abbruch{false};
    std::mutex fehlerSchutz;
    std::optional<CFehler> fehler; // the first failure
    const auto scheitern = [&](std::string text) {
        abbruch = true;
        const std::lock_guard<std::mutex> schutz(fehlerSchutz);
        if (!fehler)
            fehler = CFehler{std::move(text)};
    };
    const auto arbeiter = [&] {
        try {
            CFeldspeicher speicher;
            speicher.gastabellen = vorlage.gastabellen;
            speicher.grund = vorlage.grund;
            for (int k; !abbruch && (k = naechster++) < anzahl;)
                if (!job(k, speicher))
                    abbruch = true;
        } catch (const std::bad_alloc&) {
            scheitern(kSpeicherFehlt);
        } catch (const std::exception&) {
            scheitern("Ein Lauf der Studie ist fehlgeschlagen; die Studie wurde abgebrochen.");
        }
    };
    std::vector<std::thread> weitere;
    try {
        for (int t = 1; t < threads; ++t)
            weitere.emplace_back(arbeiter);
    } catch (const std::exception&) {
        // Fewer threads than asked for (none could be started): the others share the work.
    }
    arbeiter();
    for (std::thread& t : weitere)
        t.join();
    if (fehler)
        return *fehler;
    return {};
}

CStudie::CStudie(const CLaufEingabe& basis, int threads) : m_Eingabe(basis), m_iThreads(threads)
{
    m_Eingabe.detail = false; // the same numbers without the year tables
    CLaufEingabe b = m_Eingabe;
    b.threads = threads;
    // The base run's calendar is every run's: its fields' results serve
    // every run that leaves them unchanged. An input already on a fixed
    // calendar (a scenario of a plan, itself on its base's) keeps it.
    m_Basis = Lauf(b, &m_Vorlage);
    m_Vorlage.grund = std::make_shared<const CFeldspeicher::CErgebnisse>(std::move(m_Vorlage.ergebnisse));
    m_Vorlage.ergebnisse.clear();
    m_Felder = std::move(m_Eingabe.felder);
    m_Eingabe.felder.clear();
}

CLaufEingabe CStudie::Eingabe(const std::vector<CVariation>& variationen) const
{
    CLaufEingabe e = m_Eingabe; // without its fields: they are copied once, varied
    e.felder = Variiert(m_Felder, variationen);
    e.threads = 1;
    e.projektstartFest = m_Basis.projektstart;
    e.druckanpassung = false; // a variation reports no fit
    return e;
}

CErgebnis<bool> CStudie::Jobs(int n, const std::function<void(int, CFeldspeicher&)>& job, const CWeiter& weiter) const
{
    std::atomic<int> fertig{0};
    std::atomic<bool> abgebrochen{false};
    const CErgebnis<> gerechnet = Parallel(n, m_iThreads, m_Vorlage, [&](int k, CFeldspeicher& speicher) {
        job(k, speicher);
        const int f = ++fertig;
        if (weiter && !weiter(f)) {
            abgebrochen = true;
            return false;
        }
        return true;
    });
    if (!gerechnet)
        return CFehler{gerechnet.Fehlertext()};
    return !abgebrochen;
}

CErgebnis<bool> CStudie::Laeufe(int n, const std::function<std::vector<CVariation>(int)>& variationen,
                                const std::function<void(int, const CLaufErgebnis&)>& auswerten,
                                const CWeiter& weiter) const
{
    return Jobs(
        n, [&](int k, CFeldspeicher& speicher) { auswerten(k, Lauf(Eingabe(variationen(k)), &speicher)); }, weiter);
}
