// The planning answers of the main window: comparing the open document with a
// variant (Datei menu) and the report and chart options of the Ansicht menu,
// kept in the user's settings rather than in the document file.

#include "app/CMainFrame.h"
#include "app/CStandBefehl.h"
#include "widgets/CRestfelderEnergieDialog.h"
#include "widgets/CSzenarienDialog.h"
#include "widgets/CVertraegeDialog.h"
#include "widgets/ZahlDialog.h"

#include "optionen/Optionstabelle.h"
#include "studie/Plateau.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>

#include <filesystem>

void CMainFrame::PlanungsbefehleAnlegen()
{
    using namespace ID;
    Anlegen(
        VarianteVergleichen, "&Variante vergleichen...", [this] { OnVarianteVergleichen(); },
        "Vergleicht das Dokument mit einer zweiten Kalvo-Datei (Variante B), gerechnet mit den "
        "Einstellungen dieses Dokuments.\nVariante vergleichen");
    Anlegen(
        VergleichBeenden, "Ver&gleich beenden",
        [this] {
            m_Doc.VergleichBeenden();
            m_Doc.UpdateAllViews();
        },
        "Beendet den Vergleich mit der Variante B.\nVergleich beenden");
    PlanOption(Bedarf, "--bedarf", &CPlanoptionen::bedarf);
    MenueBefehl(Plateau, "--plateau", [this] { OnPlateau(); });
    PlanOption(Deckung, "--deckung", &CPlanoptionen::deckung);
    AnsichtOption(Aktenbericht, "--aktenbericht", [this](bool an) { m_Doc.m_bAktenbericht = an; });
    PlanOption(Energie, "--energie", &CPlanoptionen::energie);
    MenueBefehl(Eigenverbrauch, "--eigenverbrauch", [this] { OnEigenverbrauch(); });
    AnsichtOption(FelderEinzeln, "--felder-einzeln", [this](bool an) { m_Doc.m_bFelderEinzeln = an; });
    AnsichtOption(GemeinsameAchse, "--eine-achse", [this](bool an) { m_Doc.m_bGemeinsameAchse = an; });
    Anlegen(
        Vertraege, "Ver&träge...", [this] { OnVertraege(); },
        "Die Verträge der Planung je Gasart: Mengen je Jahr in GWh, Monatsanteile, Spitzenfaktor.\nVerträge");
    Anlegen(
        RestfelderEnergie, "&Restfelder-Energie...", [this] { OnRestfelderEnergie(); },
        "Anteile des Restfeldprofils je Gasart und ihr Brennwert.\nRestfelder-Energie");
    Anlegen(
        ID::Szenarien, "S&zenarien...", [this] { OnSzenarien(); },
        "Benannte Szenarien der Planung anlegen, ändern und nebeneinander rechnen: Tabelle SZENARIEN und "
        "ihre Grafik.\nSzenarien");
    QAction* grafik = Anlegen(
        SzenarienGrafik, "S&zenarien in der Grafik",
        [this] {
            m_Doc.m_bSzenarienGrafik = m_Befehle[ID::SzenarienGrafik]->isChecked();
            m_Doc.UpdateAllViews();
        },
        "Zeigt in der Grafik die Ist-Produktion (mit Energie: die Energie) jedes Szenarios statt der "
        "Jahreswerte.\nSzenarien in der Grafik");
    grafik->setCheckable(true);
}

// A menu command of an option: its text and status tip from the option
// table ("text\nshort name" for the tool tip, the short name without the "&").
QAction* CMainFrame::MenueBefehl(int id, const char* option, std::function<void()> ausfuehren)
{
    const CMenuepunkt& m = Option(option).menue;
    QString kurz = QString::fromUtf8(m.text).remove('&');
    if (kurz.endsWith("..."))
        kurz.chop(3);
    return Anlegen(id, QString::fromUtf8(m.text), std::move(ausfuehren), QString::fromUtf8(m.hinweis) + "\n" + kurz);
}

// A switch of the plan's options: its check mark shows the document's plan,
// and a change of it is a change of the document (saved with its plan, one
// step to undo).
void CMainFrame::PlanOption(int id, const char* option, bool CPlanoptionen::*schalter)
{
    QAction* a = MenueBefehl(id, option, [] {});
    a->setCheckable(true);
    a->setChecked(m_Doc.Planoptionen().*schalter);
    m_PlanSchalter.push_back({a, schalter});
    connect(a, &QAction::toggled, this, [this, a, schalter](bool ein) {
        if (m_Doc.Planoptionen().*schalter == ein)
            return; // the mark follows the document (opened, undone)
        Schritt(a->text().remove('&'), [this, schalter, ein] {
            CPlanoptionen o = m_Doc.Planoptionen();
            o.*schalter = ein;
            m_Doc.PlanoptionenSetzen(o);
        });
        m_Doc.UpdateAllViews();
    });
}

void CMainFrame::PlanSchalterAktualisieren()
{
    for (const auto& [aktion, schalter] : m_PlanSchalter) {
        const QSignalBlocker still(aktion);
        aktion->setChecked(m_Doc.Planoptionen().*schalter);
    }
}

// A switch of the option table as a check mark, kept in the user's settings.
void CMainFrame::AnsichtOption(int id, const char* option, std::function<void(bool)> setzen)
{
    const CMenuepunkt& m = Option(option).menue;
    QAction* a = MenueBefehl(id, option, [] {});
    a->setCheckable(true);
    const QString schluessel = QString::fromUtf8(m.einstellung);
    const bool an = QSettings().value(schluessel, m.vorgabe).toBool();
    a->setChecked(an);
    setzen(an);
    connect(a, &QAction::toggled, this, [this, schluessel, setzen](bool ein) {
        QSettings().setValue(schluessel, ein);
        setzen(ein);
        m_Doc.UpdateAllViews();
    });
}

// The highest plateau over years the user chooses; on request it becomes the
// sales profile of a demand-limited run (an undoable step, not saved).
// With the plan's contracts: each contract's plateau in its unit.
void CMainFrame::OnPlateau()
{
    if (m_Doc.m_saFelder.empty() || m_Doc.m_bFeldesreserven != 0) {
        m_Meldungen.Warnung("Das höchste Plateau braucht Felder und die Zusammenfassung (nicht die Feldesreserven).");
        return;
    }
    const int jahre = AnzahlJahre(m_Doc.m_iProjektstart, m_Doc.m_iProjektende);
    const std::optional<double> gewaehlt =
        ZahlErfragen(this, "Höchstes Plateau", "Über wie viele Projektjahre soll es gehalten werden?",
                     std::min(10, jahre), CZahlbereich{1, double(std::max(1, jahre)), true});
    if (!gewaehlt)
        return;
    const int n = static_cast<int>(*gewaehlt);
    // The window may start after a build-up produced to the sales profile
    // (a contract's plateau holds from the project start).
    int ab = m_Doc.m_iProjektstart;
    const bool vertraege = m_Doc.Planung() && !m_Doc.Planung()->vertraege.empty();
    if (const int letzterBeginn = m_Doc.m_iProjektende - n + 1; !vertraege && letzterBeginn > ab) {
        const std::optional<double> beginn = ZahlErfragen(
            this, "Höchstes Plateau", "In welchem Jahr beginnt es? (die Jahre davor nach dem Verkaufsprofil)", ab,
            CZahlbereich{double(ab), double(letzterBeginn), true});
        if (!beginn)
            return;
        ab = static_cast<int>(*beginn);
    }
    const CLaufEingabe eingabe = m_Doc.LaufEingabe();
    std::vector<CPlateau> plateaus;
    m_sLaufName = "Die Läufe der Plateausuche";
    const int fensterAb = ab > m_Doc.m_iProjektstart ? ab : 0;
    if (!ImHintergrund("Höchstes Plateau", "Das höchste Plateau wird gesucht …", 0,
                       [&](const CWeiter& weiter) { plateaus = HoechstePlateaus(eingabe, n, weiter, fensterAb); }) ||
        plateaus.empty() || plateaus.front().abgebrochen)
        return;
    m_Doc.PlateauSetzen(plateaus); // the report (and the report for the file, the workbook) shows it too
    m_Doc.UpdateAllViews();
    if (!plateaus.front().vertrag.empty()) {
        VertragsplateausZeigen(plateaus);
        return;
    }
    const CPlateau& p = plateaus.front();
    QString text = QString("Höchstes Plateau %1–%2: %3 Mio m³/a\nGehalten bis: %4")
                       .arg(p.erstesJahr)
                       .arg(p.letztesJahr)
                       .arg(QLocale().toString(p.menge, 'f', 1))
                       .arg(p.gehaltenBis);
    // With the plan's dispatch: what each rule holds, so that the planner sees what his rule costs.
    for (const auto& [regel, menge] : p.jeRegel)
        text += QString("\nPlateau bei Verteilung %1: %2 Mio m³/a")
                    .arg(VerteilungName(regel))
                    .arg(QLocale().toString(menge, 'f', 1));
    QMessageBox box(QMessageBox::Information, "Höchstes Plateau", text, QMessageBox::Close, this);
    const QPushButton* zeigen = box.addButton("Als Verkaufsprofil übernehmen", QMessageBox::AcceptRole);
    const QPushButton* andere = box.addButton("Andere Menge...", QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Close); // Enter changes no data
    box.exec();
    double menge = p.menge;
    if (box.clickedButton() == andere) {
        // A flat demand of the user's choosing (Mio m³ a year, decimal comma in the German locale).
        const std::optional<double> andereMenge = ZahlErfragen(
            this, "Konstantes Verkaufsprofil", "Verkaufsmenge je Jahr (Mio m³):", p.menge, CZahlbereich{0, 1e6}, 1);
        if (!andereMenge)
            return;
        menge = *andereMenge;
    } else if (box.clickedButton() != zeigen) {
        return;
    }
    ProfilUebernehmen(menge);
}

// The flat quantity replaces the document's sales profile (saved with it)
// and turns on the demand limit; one undo step takes back both.
void CMainFrame::ProfilUebernehmen(double menge)
{
    CKalvoDoc::CStand vorher = m_Doc.Stand();
    m_Doc.KonstantesVerkaufsprofil(menge); // the plan's demand limit on: part of the step
    PlanSchalterAktualisieren();
    m_Verlauf.push(new CStandBefehl(m_Doc, "Verkaufsprofil übernehmen", std::move(vorher), m_Doc.Stand(), [this](bool) {
        PlanSchalterAktualisieren();
        statusBar()->clearMessage(); // the note spoke of the step
    }));
    statusBar()->showMessage(QString("Das Verkaufsprofil wurde ersetzt: %1 Mio m³ je Jahr, Förderung nach Bedarf "
                                     "(Strg+Z nimmt beides zurück).")
                                 .arg(QLocale().toString(menge, 'f', 1)),
                             15000);
}

// The plant's own use, % of the sales gas: an option of the document's plan.
void CMainFrame::OnEigenverbrauch()
{
    // A German desktop types "2,5"; "2.5" is 2.5 as well, never 25.
    const COption& o = Option("--eigenverbrauch");
    const std::optional<double> gewaehlt =
        ZahlErfragen(this, "Eigenverbrauch",
                     "Eigenverbrauch der Aufbereitung (% des Verkaufsgases):", m_Doc.m_dEigenverbrauch, o.bereich, 1);
    if (!gewaehlt)
        return;
    Schritt("Eigenverbrauch", [this, p = *gewaehlt] {
        CPlanoptionen plan = m_Doc.Planoptionen();
        plan.eigenverbrauch = p;
        m_Doc.PlanoptionenSetzen(plan);
    });
    m_Doc.UpdateAllViews();
}

void CMainFrame::OnVarianteVergleichen()
{
    const QString ordner = QFileInfo(QString::fromStdString(m_Doc.GetPathName())).absolutePath();
    const QString pfad = QFileDialog::getOpenFileName(
        this, "Variante vergleichen", m_Doc.GetPathName().empty() ? QString() : ordner, "Dateityp Kalvo (*.kvo)");
    if (!pfad.isEmpty())
        VarianteOeffnen(pfad);
}

bool CMainFrame::VarianteOeffnen(const QString& pfad)
{
    if (const CErgebnis<> geladen = m_Doc.VarianteLaden(pfad.toStdString()); !geladen) {
        m_Meldungen.Warnung("Die Datei " + pfad.toStdString() + " kann nicht geöffnet werden.\n" +
                            geladen.Fehlertext());
        return false;
    }
    m_Doc.VergleichAktualisieren();
    m_Doc.UpdateAllViews();
    return true;
}

// Each contract's plateau, shown: the contracts' quantities stay the plan's.
void CMainFrame::VertragsplateausZeigen(const std::vector<CPlateau>& plateaus)
{
    QStringList zeilen;
    for (const CPlateau& p : plateaus)
        zeilen << QString("%1 %2–%3: %4 %5/a, gehalten bis %6")
                      .arg(QString::fromStdString(p.vertrag))
                      .arg(p.erstesJahr)
                      .arg(p.letztesJahr)
                      .arg(QLocale().toString(p.menge, 'f', 1))
                      .arg(p.gwh ? "GWh" : "Mio m³")
                      .arg(p.gehaltenBis);
    QMessageBox::information(this, "Höchstes Plateau je Vertrag", zeilen.join("\n"));
}

// "Verträge…": the plan's contracts over the project years; OK is one step to undo.
void CMainFrame::OnVertraege()
{
    CVertraegeDialog dialog(m_Doc.Planung().value_or(CPlanung{}), m_Doc.m_iProjektstart, m_Doc.m_iProjektende, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Schritt("Verträge", [&] { m_Doc.PlanungAendern(dialog.Planung()); });
    PlanSchalterAktualisieren();
    m_Doc.UpdateAllViews();
}

// "Restfelder-Energie…": the rest fields' families and calorific values; one step to undo.
void CMainFrame::OnRestfelderEnergie()
{
    CRestfelderEnergieDialog dialog(m_Doc.Planung().value_or(CPlanung{}), m_Doc.m_iProjektstart, m_Doc.m_iProjektende,
                                    this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Schritt("Restfelder-Energie", [&] { m_Doc.PlanungAendern(dialog.Planung()); });
    m_Doc.UpdateAllViews();
}

// "Szenarien…": the plan's scenarios; a change of them is one step to undo.
// "Alle rechnen" then runs the base and every scenario in the background.
void CMainFrame::OnSzenarien()
{
    CSzenarienDialog dialog(m_Doc.Planung().value_or(CPlanung{}), m_Doc.m_iProjektstart, m_Doc.m_iProjektende, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // No plan and no scenario is no change (the document gets no empty plan).
    const std::vector<CSzenario> vorher = m_Doc.Planung() ? m_Doc.Planung()->szenarien : std::vector<CSzenario>{};
    if (vorher != dialog.Planung().szenarien)
        Schritt("Szenarien", [&] { m_Doc.PlanungAendern(dialog.Planung()); });
    m_Doc.UpdateAllViews();
    if (dialog.Rechnen())
        SzenarienRechnen();
}

void CMainFrame::SzenarienRechnen()
{
    if (m_Doc.m_saFelder.empty() || m_Doc.m_bFeldesreserven != 0 || !m_Doc.Planung() ||
        m_Doc.Planung()->szenarien.empty()) {
        m_Meldungen.Warnung("Die Szenarien brauchen Felder, die Zusammenfassung (nicht die Feldesreserven) und "
                            "mindestens ein Szenario der Planung.");
        return;
    }
    // The plateau asked before ("Höchstes Plateau…"): each scenario's over the same years.
    int jahre = 0, ab = 0;
    if (!m_Doc.m_Plateaus.empty()) {
        const CPlateau& p = m_Doc.m_Plateaus.front();
        jahre = p.letztesJahr - p.erstesJahr + 1;
        ab = p.erstesJahr > m_Doc.m_iProjektstart ? p.erstesJahr : 0;
    }
    // With the plateau and the ranges beside the document: each row's P90
    // plateau too, over the runs of the last Monte Carlo study (else 1000).
    std::optional<CSzenarioBandbreiten> bandbreiten;
    if (jahre > 0 && !m_Doc.GetPathName().empty() && std::filesystem::exists(BandbreitenPfad(m_Doc.GetPathName()))) {
        std::vector<CSpanne> spannen;
        if (!BandbreitenLaden(spannen))
            return;
        bandbreiten = CSzenarioBandbreiten{std::move(spannen),
                                           m_Doc.m_Unsicherheit ? m_Doc.m_Unsicherheit->laeufe : 1000, m_Doc.m_nSeed};
    }
    CErgebnis<CSzenarienergebnis> ergebnis = CSzenarienergebnis{};
    m_sLaufName = "Die Läufe der Szenarien";
    const int laeufe = static_cast<int>(m_Doc.Planung()->szenarien.size()) + 1;
    if (!ImHintergrund("Szenarien", "Die Szenarien werden gerechnet …", laeufe, [&](const CWeiter& weiter) {
            ergebnis = m_Doc.SzenarienRechnen(jahre, ab, 0, weiter, bandbreiten ? &*bandbreiten : nullptr);
        }))
        return; // cancelled: the previous results stay
    if (!ergebnis) {
        m_Meldungen.Warnung(ergebnis.Fehlertext());
        return;
    }
    m_Doc.SzenarienSetzen(std::move(ergebnis).value());
    m_Doc.m_bSzenarienGrafik = true;
    m_Befehle[ID::SzenarienGrafik]->setChecked(true);
    m_Doc.UpdateAllViews();
    const QString gerechnet =
        laeufe == 2 ? QString("1 Szenario gerechnet") : QString("%1 Szenarien gerechnet").arg(laeufe - 1);
    statusBar()->showMessage(gerechnet + ": Tabelle SZENARIEN im Bericht, die Linien in der Grafik (Ansicht › "
                                         "Szenarien in der Grafik).",
                             15000);
}
