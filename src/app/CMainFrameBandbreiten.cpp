// The range studies of the main window (menu Berechnung): the ranges table
// beside the document, sensitivities with their tornado, and Monte Carlo in
// the background with a progress bar and "Abbrechen".

#include "app/CMainFrame.h"
#include "widgets/ZahlDialog.h"

#include "bandbreiten/Bandbreiten.h"
#include "bandbreiten/Plateauverteilung.h"
#include "platform/Datei.h"
#include "widgets/CBandbreitenDialog.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <filesystem>
#include <thread>

void CMainFrame::BandbreitenbefehleAnlegen()
{
    using namespace ID;
    Anlegen(
        Bandbreiten, "&Bandbreiten...", [this] { OnBandbreiten(); },
        "Bearbeitet die Bandbreiten unsicherer Feldwerte (neben dem Dokument als .bandbreiten.csv).\nBandbreiten");
    Anlegen(
        ID::Sensitivitaeten, "&Sensitivitäten", [this] { OnSensitivitaeten(); },
        "Rechnet jede Bandbreite bei Tief und bei Hoch und zeigt die kumulierte Ist-Produktion als Tabelle und "
        "Tornado-Diagramm.\nSensitivitäten");
    Anlegen(
        Unsicherheit, "&Unsicherheit...", [this] { OnUnsicherheit(); },
        "Monte-Carlo-Rechnung mit Werten aus den Bandbreiten: P90, P50 und P10 des Ist je Jahr.\nUnsicherheit");
    QAction* tornado = Anlegen(
        TornadoZeigen, "&Tornado-Diagramm",
        [this] {
            m_Doc.m_bTornado = m_Befehle[ID::TornadoZeigen]->isChecked();
            m_Doc.UpdateAllViews();
        },
        "Zeigt in der Grafik die Sensitivitäten als Tornado-Diagramm statt der Jahreswerte.\nTornado-Diagramm");
    tornado->setCheckable(true);
}

// The ranges file beside the document; "" (after a message) while the
// document has no file of its own.
std::string CMainFrame::BandbreitenDatei()
{
    if (m_Doc.GetPathName().empty()) {
        m_Meldungen.Warnung("Speichern Sie das Dokument zuerst: die Bandbreiten stehen in einer Datei neben ihm.");
        return {};
    }
    return BandbreitenPfad(m_Doc.GetPathName());
}

// The ranges of the open document for a study, read and checked; false
// (after a message) without fields, in the reserves list, without ranges or
// with a bad line.
bool CMainFrame::BandbreitenLaden(std::vector<CSpanne>& spannen)
{
    if (m_Doc.m_saFelder.empty() || m_Doc.m_bFeldesreserven != 0) {
        m_Meldungen.Warnung("Bandbreiten brauchen Felder und die Zusammenfassung (nicht die Feldesreserven).");
        return false;
    }
    const std::string pfad = BandbreitenDatei();
    if (pfad.empty())
        return false;
    const CErgebnis<std::string> text = DateiLesen(pfad);
    if (!text) {
        m_Meldungen.Warnung("Die Bandbreiten " + pfad + " können nicht gelesen werden.\n" + text.Fehlertext() +
                            "\nLegen Sie sie unter „Berechnung › Bandbreiten…“ an.");
        return false;
    }
    CErgebnis<std::vector<CSpanne>> gelesen =
        BandbreitenLesen(*text, m_Doc.m_saFelder, m_Doc.Planung() ? &*m_Doc.Planung() : nullptr);
    if (!gelesen) {
        m_Meldungen.Warnung("Die Bandbreiten " + pfad + " sind fehlerhaft.\n" + gelesen.Fehlertext());
        return false;
    }
    if (gelesen->empty()) {
        m_Meldungen.Warnung("Die Bandbreiten " + pfad + " enthalten keine Zeile.");
        return false;
    }
    spannen = std::move(*gelesen);
    m_Doc.m_sBandbreitenDatei = std::filesystem::path(pfad).filename().string();
    return true;
}

void CMainFrame::OnBandbreiten()
{
    if (const std::string pfad = BandbreitenDatei(); !pfad.empty()) {
        CBandbreitenDialog dialog(m_Doc.m_saFelder, m_Doc.Planung() ? &*m_Doc.Planung() : nullptr, pfad, this);
        dialog.exec();
    }
}

void CMainFrame::OnSensitivitaeten()
{
    std::vector<CSpanne> spannen;
    if (!BandbreitenLaden(spannen))
        return;
    const CLaufEingabe eingabe = m_Doc.LaufEingabe();
    CErgebnis<CSensitivitaetsErgebnis> s = CSensitivitaetsErgebnis{};
    m_sLaufName = "Die Sensitivitäten";
    if (!ImHintergrund("Sensitivitäten", "Sensitivitäten werden gerechnet …", 2 * static_cast<int>(spannen.size()),
                       [&](const CWeiter& weiter) { s = Sensitivitaeten(eingabe, spannen, {}, 0, weiter); }))
        return; // cancelled: the previous results stay
    if (!s) {
        m_Meldungen.Warnung(s.Fehlertext());
        return;
    }
    m_Doc.SensitivitaetSetzen(std::move(s).value());
    m_Befehle[ID::TornadoZeigen]->setChecked(true);
    m_Doc.m_bTornado = true;
    m_Doc.UpdateAllViews();
}

bool CMainFrame::ImHintergrund(const QString& titel, const QString& text, int laeufe,
                               const std::function<void(const CWeiter&)>& rechnen)
{
    std::atomic<int> fertig{0};
    std::atomic<bool> abbrechen{false}, beendet{false};
    std::thread rechner([&] {
        rechnen([&](int f) {
            fertig = f;
            return !abbrechen.load();
        });
        beendet = true;
    });

    QProgressDialog fortschritt(text, "Abbrechen", 0, laeufe, this);
    fortschritt.setWindowTitle(titel);
    fortschritt.setWindowModality(Qt::WindowModal);
    fortschritt.setMinimumDuration(300);
    // "Abbrechen" stops the runs at once; after it the dialog is not shown
    // again (a value set after a cancel would show it anew).
    connect(&fortschritt, &QProgressDialog::canceled, &fortschritt, [&] { abbrechen = true; });
    QEventLoop warten;
    QTimer uhr;
    connect(&uhr, &QTimer::timeout, &warten, [&] {
        if (!abbrechen && laeufe > 0)
            fortschritt.setValue(fertig);
        if (beendet)
            warten.quit();
    });
    uhr.start(50);
    m_pLaufAbbrechen = &abbrechen; // the close button cancels the runs first
    warten.exec();
    m_pLaufAbbrechen = nullptr;
    rechner.join();
    fortschritt.reset();
    if (m_bSchliessenNachLauf) {
        // Closing was asked for while the runs went on: now the window closes.
        m_bSchliessenNachLauf = false;
        QTimer::singleShot(0, this, &QWidget::close);
        return false;
    }
    activateWindow(); // the keyboard goes back to the main window
    return !abbrechen;
}

// N runs on all cores in the background; "Abbrechen" stops them, leaving the
// previous results as they were.
void CMainFrame::OnUnsicherheit()
{
    std::vector<CSpanne> spannen;
    if (!BandbreitenLaden(spannen))
        return;
    const std::optional<double> laeufe =
        ZahlErfragen(this, "Unsicherheit", "Anzahl der Läufe:", 1000, CZahlbereich{10, 100000, true});
    if (!laeufe)
        return;
    const int n = static_cast<int>(*laeufe);
    const CLaufEingabe eingabe = m_Doc.LaufEingabe();
    // The plateau asked before ("Höchstes Plateau…"): each run's over the same years.
    std::optional<std::pair<int, int>> plateau; // years, first year of a window (0: the project's start)
    if (!m_Doc.m_Plateaus.empty()) {
        const CPlateau& p = m_Doc.m_Plateaus.front();
        plateau.emplace(p.letztesJahr - p.erstesJahr + 1, p.erstesJahr > m_Doc.m_iProjektstart ? p.erstesJahr : 0);
    }
    CErgebnis<CUnsicherheit> ergebnis = CUnsicherheit{};
    CErgebnis<std::vector<CPlateauperzentile>> plateaus = std::vector<CPlateauperzentile>{};
    m_sLaufName = "Die Monte-Carlo-Läufe";
    const QString text =
        plateau ? "Monte-Carlo-Läufe und ihre Plateaus werden gerechnet …" : "Monte-Carlo-Läufe werden gerechnet …";
    if (!ImHintergrund("Unsicherheit", text, plateau ? 2 * n : n, [&](const CWeiter& weiter) {
            // The desktop answers the probabilities too: P(SOLL), cumulative and reserves.
            ergebnis = MonteCarlo(eingabe, spannen, n, 1, 0, weiter, true);
            if (plateau && ergebnis && !ergebnis->jahre.empty())
                plateaus = PlateauMonteCarlo(eingabe, spannen, n, 1, plateau->first, plateau->second, 0,
                                             [&](int fertig) { return weiter(n + fertig); });
        }))
        return; // cancelled: the previous results stay
    for (const std::string& fehler :
         {ergebnis ? std::string() : ergebnis.Fehlertext(), plateaus ? std::string() : plateaus.Fehlertext()}) {
        if (!fehler.empty()) {
            m_Meldungen.Warnung(fehler); // the previous results stay
            return;
        }
    }
    if (ergebnis->jahre.empty() || (plateau && plateaus->empty()))
        return;
    CUnsicherheit u = std::move(ergebnis).value();
    u.plateaus = std::move(plateaus).value();
    m_Doc.UnsicherheitSetzen(std::move(u));
    m_Befehle[ID::TornadoZeigen]->setChecked(false);
    m_Doc.m_bTornado = false;
    m_Doc.UpdateAllViews();
}
