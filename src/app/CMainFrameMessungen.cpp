// Measured pressures in the desktop: reading them from a table into the
// plan, the p/z chart of a field, and taking the fitted OGIP into the field.

#include "app/CMainFrame.h"

#include "planung/Messungen.h"
#include "platform/Datei.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QStatusBar>

void CMainFrame::MessungsbefehleAnlegen()
{
    using namespace ID;
    Anlegen(
        MessungenEinlesen, "&Messungen einlesen...", [this] { OnMessungenEinlesen(); },
        "Liest gemessene Lagerstättendrücke (Feld;Jahr;Druck;Kum) in die Planung: das OGIP wird an p/z "
        "angepasst.\nMessungen einlesen");
    QAction* pz = Anlegen(
        PzDiagramm, "&p/z-Diagramm...", [this] { OnPzDiagramm(); },
        "Zeigt in der Grafik p/z über der kumulierten Förderung eines Feldes: Messungen, Anpassung, "
        "Dokument.\np/z-Diagramm");
    pz->setCheckable(true);
    Anlegen(
        AnpassungUebernehmen, "Angepasstes &OGIP übernehmen", [this] { OnAnpassungUebernehmen(); },
        "Setzt im Feld des p/z-Diagramms das OGIP (und die Wasserinvasion) der Anpassung.\nAnpassung "
        "übernehmen");
}

// The file replaces the plan's measurements (one step to undo); a bad line
// or a field the document does not have changes nothing.
void CMainFrame::OnMessungenEinlesen()
{
    const QString ordner = QFileInfo(QString::fromStdString(m_Doc.GetPathName())).absolutePath();
    const QString pfad =
        QFileDialog::getOpenFileName(this, "Messungen einlesen", m_Doc.GetPathName().empty() ? QString() : ordner,
                                     "Messungen (*.csv *.txt);;Alle Dateien (*)");
    if (pfad.isEmpty())
        return;
    const std::string datei = pfad.toStdString();
    const CErgebnis<std::string> text = DateiLesen(datei);
    CErgebnis<CMessungen> gelesen = text ? MessungenLesen(*text) : CFehler{text.Fehlertext()};
    if (!gelesen) {
        m_Meldungen.Warnung("Die Messungen " + datei + " können nicht gelesen werden.\n" + gelesen.Fehlertext());
        return;
    }
    for (const auto& [feld, punkte] : *gelesen) {
        if (m_Doc.FeldIndex(feld) < 0) {
            m_Meldungen.Warnung("Die Messungen " + datei + " nennen das Feld „" + feld +
                                "“, das es im Dokument nicht gibt. Es wurde nichts übernommen.");
            return;
        }
    }
    CPlanung plan = m_Doc.Planung().value_or(CPlanung{});
    plan.messungen = std::move(*gelesen);
    Schritt("Messungen einlesen", [&] { m_Doc.PlanungAendern(std::move(plan)); });
    m_Doc.UpdateAllViews();
    const size_t felder = m_Doc.m_Druckanpassungen.size();
    statusBar()->showMessage((felder == 1 ? QString("Messungen eines Feldes übernommen")
                                          : QString("Messungen von %1 Feldern übernommen").arg(felder)) +
                                 "; die Tabelle DRUCKANPASSUNG zeigt die Anpassung (Strg+Z nimmt sie zurück).",
                             15000);
}

// Checked: the chart shows a field's p/z (the only one, or the one chosen);
// unchecked: the years again.
void CMainFrame::OnPzDiagramm()
{
    QAction* pz = m_Befehle[ID::PzDiagramm];
    if (!pz->isChecked()) {
        m_Doc.m_bPzDiagramm = false;
        m_Doc.UpdateAllViews();
        return;
    }
    QStringList felder;
    for (const CDruckanpassung& a : m_Doc.m_Druckanpassungen)
        if (a.pzi > 0)
            felder << QString::fromStdString(a.feld);
    if (felder.isEmpty()) {
        pz->setChecked(false);
        m_Meldungen.Warnung("Kein Feld hat gemessene Drücke. Lesen Sie sie unter „Planung › Messungen einlesen…“ "
                            "ein oder tragen Sie sie in die Planung ein.");
        return;
    }
    QString feld = felder.front();
    if (felder.size() > 1) {
        bool ok = false;
        const int vorher = std::max(0, static_cast<int>(felder.indexOf(QString::fromStdString(m_Doc.m_sPzFeld))));
        feld = QInputDialog::getItem(this, "p/z-Diagramm", "Feld:", felder, vorher, false, &ok);
        if (!ok) {
            pz->setChecked(m_Doc.m_bPzDiagramm);
            return;
        }
    }
    m_Doc.m_sPzFeld = feld.toStdString();
    m_Doc.m_bPzDiagramm = true;
    AnsichtWechseln(2);
    m_Doc.UpdateAllViews();
}

// The fitted OGIP (and water invasion) into the field of the p/z chart, one
// step to undo; the run that follows fits it again, now near its own line.
void CMainFrame::OnAnpassungUebernehmen()
{
    const CDruckanpassung* anpassung = nullptr;
    for (const CDruckanpassung& a : m_Doc.m_Druckanpassungen)
        if (a.feld == m_Doc.m_sPzFeld || (m_Doc.m_sPzFeld.empty() && m_Doc.m_Druckanpassungen.size() == 1))
            anpassung = &a;
    if (!anpassung) {
        m_Meldungen.Warnung("Wählen Sie zuerst unter „Ansicht › p/z-Diagramm…“ das Feld, dessen Anpassung "
                            "übernommen werden soll.");
        return;
    }
    const CErgebnis<CFeldsatz> neu = m_Doc.MitAnpassung(anpassung->feld);
    if (!neu) {
        m_Meldungen.Warnung(neu.Fehlertext());
        return;
    }
    const CDruckanpassung a = *anpassung; // the run below replaces the fits
    Schritt("Anpassung übernehmen", [&] { m_Doc.FelderUebernehmen({*neu}); });
    m_Doc.UpdateAllViews();
    statusBar()->showMessage(
        QString("%1: OGIP %2 Mio m³%3 übernommen (Strg+Z nimmt es zurück).")
            .arg(QString::fromStdString(a.feld), QLocale().toString(std::round(a.ogip * 10) / 10, 'f', 1),
                 a.wasserAngepasst ? QString(", Wasserinvasion %1 %")
                                         .arg(QLocale().toString(std::round(a.wasserinvasion * 10) / 10, 'f', 1))
                                   : QString()),
        15000);
}
