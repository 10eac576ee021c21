#include "app/CMainFrame.h"

#include "widgets/CFeldtabelleFenster.h"

#include "app/CHilfeFenster.h"
#include "app/CStandBefehl.h"
#include "app/Info.h"
#include "app/Symbole.h"
#include "platform/Datei.h"
#include "widgets/CDlgInputWidget.h"
#include "widgets/CGrafikWidget.h"
#include "widgets/CKalvoViewWidget.h"
#include "widgets/DlgVerkaufWidget.h"

#include <filesystem>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

CMainFrame::CMainFrame() : m_Meldungen(), m_Doc(m_Meldungen), m_Datenbefehle(m_Doc, this)
{
    setWindowIcon(Symbol(ESymbol::Programm));
    m_pStapel = new QStackedWidget(this);
    m_pText = new CKalvoViewWidget(m_Doc, m_pStapel);
    m_pStapel->addWidget(m_pText);
    setCentralWidget(m_pStapel);
    m_Doc.BeobachterHinzufuegen([this] { Aktualisieren(); });
    m_pDrucker = std::make_unique<QPrinter>(QPrinter::HighResolution);
    MenuesAnlegen();
    WerkzeugleisteAnlegen();
    // The idle text comes back whenever a prompt is cleared.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            statusBar()->showMessage("Bereit");
    });
    statusBar()->showMessage("Bereit");
    setAcceptDrops(true);
    resize(1100, 780);
    Aktualisieren();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::Anlegen(int id, const QString& text, std::function<void()> aktion, const QString& hinweis,
                             const QKeySequence& taste)
{
    auto* a = new QAction(text, this);
    // The prompt: before the line feed in the status bar, after it as tooltip.
    const QStringList teile = hinweis.split('\n');
    if (!hinweis.isEmpty())
        a->setStatusTip(teile.value(0));
    if (teile.size() > 1)
        a->setToolTip(teile.value(1));
    if (!taste.isEmpty())
        a->setShortcut(taste);
    connect(a, &QAction::triggered, this, [this, aktion] {
        aktion();
        BefehleAktualisieren();
    });
    m_Befehle[id] = a;
    return a;
}

void CMainFrame::MenuesAnlegen()
{
    using namespace ID;
    Anlegen(
        ID::Hinweise, "&Hinweise zu den Eingaben...", [this] { OnHinweise(); },
        "Zeigt die Hinweise des letzten Laufs auf ungewöhnliche Eingaben (ein Anteil unter 1 %, eine "
        "Stufenzeile vor dem Start …).\nHinweise zu den Eingaben");
    Anlegen(
        FileNew, "&Neu",
        [this] {
            if (m_Datenbefehle.OnFileNew())
                m_Verlauf.clear(); // a new document starts a fresh history
        },
        "Erstellt ein neues Dokument.\nNeu", QKeySequence("Ctrl+N"));
    Anlegen(
        FileOpen, "Ö&ffnen...", [this] { OnFileOpen(); }, "Öffnet ein bestehendes Dokument.\nÖffnen",
        QKeySequence("Ctrl+O"));
    Anlegen(
        FileSave, "S&peichern", [this] { OnFileSave(); }, "Speichert das aktive Dokument.\nSpeichern",
        QKeySequence("Ctrl+S"));
    Anlegen(
        FileSaveAs, "Speichern &unter...", [this] { OnFileSaveAs(); },
        "Speichert das aktive Dokument unter einem neuen Namen.\nSpeichern unter");
    Anlegen(
        FilePrint, "&Drucken...", [this] { OnFilePrint(); }, "Druckt das aktive Dokument.\nDrucken",
        QKeySequence("Ctrl+P"));
    Anlegen(
        ExportCsv, "Tabelle als &CSV...", [this] { OnExport(EExport::Csv); },
        "Schreibt die Jahresreihen als CSV-Tabelle (Semikolon, Dezimalkomma).\nTabelle als CSV");
    Anlegen(
        ExportGrafik, "&Grafik als Bild...", [this] { OnExport(EExport::Grafik); },
        "Schreibt die Grafik als PNG, SVG oder PDF (nach der Endung des Namens).\nGrafik als Bild");
    Anlegen(
        Feldtabelle, "&Feldtabelle",
        [this] {
            CFeldtabelleFenster fenster(
                m_Doc,
                [this](int feld) {
                    Schritt("Felddaten", [this, feld] { m_Datenbefehle.OnDatenAendern(feld); });
                    m_Doc.UpdateAllViews();
                },
                this);
            fenster.exec();
        },
        "Zeigt alle Felder in einer sortierbaren Tabelle; ein Doppelklick öffnet das Feld im Dialog.\nFeldtabelle");
    Anlegen(
        ExportArbeitsmappe, "&Arbeitsmappe (Excel)...", [this] { OnExport(EExport::Arbeitsmappe); },
        "Schreibt Zusammenfassung, Felder, die Tabellen des Berichts und die Eingaben als Excel-Arbeitsmappe.\n"
        "Arbeitsmappe (Excel)");
    Anlegen(
        ExportFeldtabelle, "&Feldtabelle (CSV)...", [this] { OnExport(EExport::Feldtabelle); },
        "Schreibt die Felder als Tabelle mit einer Zeile je Feld (Semikolon, Dezimalkomma).\nFeldtabelle (CSV)");
    Anlegen(
        ImportFeldtabelle, "&Feldtabelle (CSV)...", [this] { OnFeldtabelleImportieren(); },
        "Übernimmt Felder aus einer Feldtabelle, z. B. aus einer Tabellenkalkulation.\nFeldtabelle importieren");
    Anlegen(
        ExportBericht, "&Bericht als PDF...", [this] { OnExport(EExport::Bericht); },
        "Schreibt den Bericht als PDF, wie er gedruckt wird.\nBericht als PDF");
    PlanungsbefehleAnlegen();
    MessungsbefehleAnlegen();
    BandbreitenbefehleAnlegen();
    Anlegen(
        FilePrintPreview, "Sei&tenansicht", [this] { OnFilePrintPreview(); }, "Zeigt ganze Seiten an.\nSeitenansicht");
    Anlegen(
        FilePrintSetup, "Drucker&einrichtung...", [this] { OnFilePrintSetup(); },
        "Ändert die Druckereinstellungen.\nDruckereinrichtung");
    Anlegen(
        AppExit, "&Beenden", [this] { close(); },
        "Beendet die Anwendung und fragt, ob Dokumente gespeichert werden sollen.\nBeenden");
    Anlegen(
        DatenAendern, "Daten ändern", [this] { Schritt("Felddaten", [this] { m_Datenbefehle.OnDatenAendern(); }); },
        "Daten ändern bzw. Eingabedatei aufbauen\nDaten ändern", QKeySequence(Qt::Key_F2));
    Anlegen(
        Verkaufsprofil, "Verkaufsprofil",
        [this] { Schritt("Verkaufsprofil", [this] { m_Datenbefehle.OnVerkaufsprofil(); }); },
        "Verkaufsprofil eingeben\nVerkaufsprofil");
    Anlegen(
        Restfelder, "Restfelder", [this] { Schritt("Restfelder", [this] { m_Datenbefehle.OnRestfelder(); }); },
        "Restfelder eingeben\nRestfelder");
    Anlegen(
        Grafik, "Grafik", [this] { AnsichtWechseln(2); }, "Zeigt die Ergebnisse als Grafik an\nGrafik",
        QKeySequence(Qt::Key_F3));
    Anlegen(
        Text, "Text", [this] { AnsichtWechseln(1); }, "Zeigt die Ergebnisse als Tabelle an\nText",
        QKeySequence(Qt::Key_F4));
    Anlegen(
        Blockdiagramm, "Blockdiagramm", [this] { Schritt("Blockdiagramm", [this] { m_Doc.OnBlockdiagramm(); }); },
        "Zeichnet die Ist-Werte als Blockdiagramm");
    Anlegen(
        Liniendiagramm, "Liniendiagramm", [this] { Schritt("Liniendiagramm", [this] { m_Doc.OnLiniendiagramm(); }); },
        "Zeichnet die Istwerte als Liniendiagramm");
    Anlegen(
        GrafikLupe, "Grafik Lupe",
        [this] {
            if (m_pGrafik)
                m_pGrafik->OnGrafiklupe();
        },
        "Grafik Lupe\nGrafik Lupe");
    m_Befehle[GrafikLupe]->setCheckable(true);
    Anlegen(
        AppAbout, "Inf&o über Kalvo...", [this] { InfoZeigen(this); },
        "Zeigt Programminformationen, Versionsnummer und Copyright an.\nInfo");
    Anlegen(
        Hilfe, "Hilfe", [this] { OnHilfe(); }, "Hilfe zum Programm Kalvo", QKeySequence(Qt::Key_F1));

    // Undo and redo, named after the step they take back ("Rückgängig: Felddaten").
    const auto verlaufBefehl = [this](int id, const QString& name, auto ausfuehren, auto moeglich, auto text) {
        auto* a = new QAction(name, this);
        a->setEnabled(false);
        connect(a, &QAction::triggered, &m_Verlauf, ausfuehren);
        connect(&m_Verlauf, moeglich, a, &QAction::setEnabled);
        connect(&m_Verlauf, text, a,
                [a, name](const QString& schritt) { a->setText(schritt.isEmpty() ? name : name + ": " + schritt); });
        m_Befehle[id] = a;
        return a;
    };
    verlaufBefehl(Rueckgaengig, "Rückgängig", &QUndoStack::undo, &QUndoStack::canUndoChanged,
                  &QUndoStack::undoTextChanged)
        ->setShortcut(QKeySequence("Ctrl+Z"));
    verlaufBefehl(Wiederholen, "Wiederholen", &QUndoStack::redo, &QUndoStack::canRedoChanged,
                  &QUndoStack::redoTextChanged)
        ->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    m_Befehle[Rueckgaengig]->setStatusTip("Nimmt den letzten bestätigten Befehl zurück.");
    m_Befehle[Wiederholen]->setStatusTip("Führt den zurückgenommenen Befehl wieder aus.");
    m_Verlauf.setUndoLimit(100);

    QMenu* datei = menuBar()->addMenu("&Datei");
    for (int id : {FileNew, FileOpen, FileSave, FileSaveAs})
        datei->addAction(m_Befehle[id]);
    datei->addSeparator();
    for (int id : {VarianteVergleichen, VergleichBeenden})
        datei->addAction(m_Befehle[id]);
    datei->addSeparator();
    QMenu* exportieren = datei->addMenu("E&xportieren");
    for (int id : {ExportCsv, ExportGrafik, ExportBericht, ExportArbeitsmappe, ExportFeldtabelle})
        exportieren->addAction(m_Befehle[id]);
    datei->addMenu("&Importieren")->addAction(m_Befehle[ImportFeldtabelle]);
    for (int id : {FilePrint, FilePrintPreview, FilePrintSetup, Aktenbericht})
        datei->addAction(m_Befehle[id]);
    datei->addSeparator();
    m_pZuletzt = std::make_unique<CZuletzt>(datei->addMenu("Letzte Datei"), [this](const QString& pfad) {
        if (GeaendertesDokumentSichern() && !DateiOeffnen(pfad))
            m_pZuletzt->Vergessen(pfad); // moved or deleted: the entry would fail again
    });
    datei->addSeparator();
    datei->addAction(m_Befehle[AppExit]);

    QMenu* bearbeiten = menuBar()->addMenu("&Bearbeiten");
    bearbeiten->addAction(m_Befehle[Rueckgaengig]);
    bearbeiten->addAction(m_Befehle[Wiederholen]);
    bearbeiten->addSeparator();
    for (int id : {DatenAendern, Verkaufsprofil, Restfelder})
        bearbeiten->addAction(m_Befehle[id]);

    QMenu* ansicht = menuBar()->addMenu("&Ansicht");
    m_Befehle[ViewToolbar] = ansicht->addAction("&Symbolleiste");
    m_Befehle[ViewStatusBar] = ansicht->addAction("S&tatusleiste");
    for (int id : {Grafik, Text, Blockdiagramm, Liniendiagramm, ID::Feldtabelle})
        ansicht->addAction(m_Befehle[id]);
    ansicht->addSeparator();
    for (int id : {FelderEinzeln, GemeinsameAchse})
        ansicht->addAction(m_Befehle[id]);
    ansicht->addSeparator();
    ansicht->addAction(m_Befehle[PzDiagramm]);
    ansicht->addAction(m_Befehle[SzenarienGrafik]);

    // What the plan beside the document holds: its contracts, the rest
    // fields' energy and the options that change the figures.
    QMenu* planung = menuBar()->addMenu("&Planung");
    for (int id : {Vertraege, RestfelderEnergie})
        planung->addAction(m_Befehle[id]);
    planung->addSeparator();
    for (int id : {Bedarf, Energie, Eigenverbrauch, Deckung})
        planung->addAction(m_Befehle[id]);
    planung->addSeparator();
    planung->addAction(m_Befehle[Plateau]);
    planung->addAction(m_Befehle[ID::Szenarien]);
    planung->addSeparator();
    for (int id : {MessungenEinlesen, AnpassungUebernehmen})
        planung->addAction(m_Befehle[id]);

    QMenu* berechnung = menuBar()->addMenu("Be&rechnung");
    for (int id : {Bandbreiten, ID::Sensitivitaeten, Unsicherheit, TornadoZeigen})
        berechnung->addAction(m_Befehle[id]);
    berechnung->addSeparator();
    berechnung->addAction(m_Befehle[ID::Hinweise]);

    QMenu* hilfe = menuBar()->addMenu("&?");
    hilfe->addAction(m_Befehle[AppAbout]);
    hilfe->addAction(m_Befehle[Hilfe]);
}

void CMainFrame::WerkzeugleisteAnlegen()
{
    using namespace ID;
    QToolBar* leiste = addToolBar("Symbolleiste");
    leiste->setObjectName("Symbolleiste");
    leiste->setIconSize(QSize(24, 22));
    const std::pair<int, ESymbol> knoepfe[] = {
        {FileNew, ESymbol::Neu},        {FileOpen, ESymbol::Oeffnen},  {FileSave, ESymbol::Speichern},
        {DatenAendern, ESymbol::Daten}, {Grafik, ESymbol::Grafik},     {Text, ESymbol::Text},
        {GrafikLupe, ESymbol::Lupe},    {FilePrint, ESymbol::Drucken}, {AppAbout, ESymbol::Info}};
    for (const auto& [id, symbol] : knoepfe) {
        m_Befehle[id]->setIcon(Symbol(symbol));
        leiste->addAction(m_Befehle[id]);
    }
    // The two toggles of the Ansicht menu.
    QAction* umschalter = leiste->toggleViewAction();
    m_Befehle[ViewToolbar]->setCheckable(true);
    m_Befehle[ViewToolbar]->setChecked(true);
    connect(m_Befehle[ViewToolbar], &QAction::toggled, umschalter, [leiste](bool an) { leiste->setVisible(an); });
    m_Befehle[ViewStatusBar]->setCheckable(true);
    m_Befehle[ViewStatusBar]->setChecked(true);
    connect(m_Befehle[ViewStatusBar], &QAction::toggled, this, [this](bool an) { statusBar()->setVisible(an); });
}

bool CMainFrame::GrafikAktiv() const
{
    return m_pGrafik && m_pStapel->currentWidget() == m_pGrafik;
}

void CMainFrame::AnsichtWechseln(int ansicht)
{
    if (ansicht == 2 && !m_pGrafik) {
        // The chart view is made on the first switch and kept.
        m_pGrafik = new CGrafikWidget(m_Doc, m_Meldungen, m_pStapel);
        m_pStapel->addWidget(m_pGrafik);
    }
    m_pStapel->setCurrentWidget(ansicht == 2 ? static_cast<QWidget*>(m_pGrafik) : m_pText);
    if (ansicht == 2)
        m_pGrafik->Aktualisieren();
    BefehleAktualisieren();
}

void CMainFrame::BefehleAktualisieren()
{
    using namespace ID;
    const bool grafik = GrafikAktiv();
    m_Befehle[Grafik]->setEnabled(!grafik);
    m_Befehle[Text]->setEnabled(grafik);
    m_Befehle[GrafikLupe]->setEnabled(grafik);
    m_Befehle[GrafikLupe]->setChecked(grafik && m_pGrafik->Lupe());
    m_Befehle[VergleichBeenden]->setEnabled(m_Doc.VergleichAktiv());
    m_Befehle[Blockdiagramm]->setEnabled(m_Doc.BlockdiagrammAktiv());
    m_Befehle[Liniendiagramm]->setEnabled(m_Doc.LiniendiagrammAktiv());
    PlanSchalterAktualisieren();
}

void CMainFrame::Aktualisieren()
{
    m_pText->Aktualisieren();
    if (m_pGrafik)
        m_pGrafik->Aktualisieren();
    TitelAktualisieren();
    BefehleAktualisieren();
    HinweiseMelden();
    // A new run drops the studies made on the old one: say so, they vanish
    // from the report and the chart.
    const bool studie = m_Doc.m_Sensitivitaet.has_value() || m_Doc.m_Unsicherheit.has_value();
    if (m_bStudieDa && !studie)
        statusBar()->showMessage("Sensitivitäten und Unsicherheit galten für die vorige Rechnung und wurden "
                                 "verworfen; bitte neu rechnen (Menü Berechnung).",
                                 15000);
    m_bStudieDa = studie;
}

void CMainFrame::HinweiseMelden()
{
    const std::vector<std::string>& h = m_Doc.Hinweise();
    m_Befehle[ID::Hinweise]->setEnabled(!h.empty());
    if (h == m_saGemeldeteHinweise)
        return;
    m_saGemeldeteHinweise = h;
    if (!h.empty())
        statusBar()->showMessage(QString("%1 zu den Eingaben – Berechnung › Hinweise zu den Eingaben...")
                                     .arg(h.size() == 1 ? QString("1 Hinweis") : QString("%1 Hinweise").arg(h.size())),
                                 15000);
}

void CMainFrame::OnHinweise()
{
    QString text = "Gerechnet wurde mit den Eingaben, wie sie stehen. Bitte prüfen:\n";
    for (const std::string& h : m_Doc.Hinweise())
        text += "\n• " + QString::fromStdString(h);
    QMessageBox::information(this, "Hinweise zu den Eingaben", text);
}

void CMainFrame::TitelAktualisieren()
{
    // The program's name stays last: the desktop shows the title as it stands.
    const std::string plan = m_Doc.Planungszeile(true);
    setWindowTitle(QString::fromStdString(m_Doc.GetTitle()) + "[*]" +
                   (plan.empty() ? QString() : " (" + QString::fromStdString(plan) + ")") + " - Kalvo");
    setWindowModified(m_Doc.IsModified());
}

void CMainFrame::contextMenuEvent(QContextMenuEvent* ereignis)
{
    using namespace ID;
    QMenu menue(this);
    const std::pair<int, const char*> eintraege[] = {{DatenAendern, "Daten ändern"},
                                                     {FileNew, "Datei neu"},
                                                     {FileOpen, "Datei öffnen"},
                                                     {Verkaufsprofil, "Verkaufsprofil"},
                                                     {Restfelder, "Restfelderprofil"},
                                                     {FileSaveAs, "Speichern unter"},
                                                     {Grafik, "Grafik"},
                                                     {Text, "Text"}};
    for (const auto& [id, text] : eintraege) {
        QAction* a = menue.addAction(QString::fromUtf8(text));
        QAction* befehl = m_Befehle[id];
        a->setEnabled(befehl->isEnabled());
        connect(a, &QAction::triggered, befehl, &QAction::trigger);
    }
    menue.exec(ereignis->globalPos());
}

bool CMainFrame::DatenDialog(CDlgInput& dlg)
{
    TitelAktualisieren(); // an opened file's dialog shows under that file's name
    CDlgInputWidget fenster(dlg, this);
    return fenster.exec() == QDialog::Accepted;
}

bool CMainFrame::ProfilDialog(DlgVerkauf& dlg)
{
    DlgVerkaufWidget fenster(dlg, this);
    return fenster.exec() == QDialog::Accepted;
}

bool CMainFrame::GeaendertesDokumentSichern()
{
    if (!m_Doc.IsModified())
        return true;
    QMessageBox frage(
        QMessageBox::Question, "Kalvo",
        QString("Sollen die Änderungen in %1 gespeichert werden?").arg(QString::fromStdString(m_Doc.GetTitle())),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    frage.button(QMessageBox::Save)->setText("Speichern");
    frage.button(QMessageBox::Discard)->setText("Nicht speichern");
    frage.button(QMessageBox::Cancel)->setText("Abbrechen");
    const int antwort = frage.exec();
    if (antwort == QMessageBox::Cancel)
        return false;
    if (antwort == QMessageBox::Save)
        return OnFileSave();
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* ereignis)
{
    if (m_pLaufAbbrechen) {
        // Runs in the background: they are stopped first, and the window
        // closes (after the usual question about saving) once they are.
        ereignis->ignore();
        if (m_Meldungen.Frage(m_sLaufName.toStdString() + " werden noch gerechnet. Abbrechen und Kalvo schließen?")) {
            *m_pLaufAbbrechen = true;
            m_bSchliessenNachLauf = true;
        }
        activateWindow();
        return;
    }
    if (GeaendertesDokumentSichern())
        ereignis->accept();
    else {
        ereignis->ignore();
        activateWindow(); // the keyboard goes back to the main window
    }
}

namespace {

// A dropped file is opened only when it is a local Kalvo document.
bool IstKalvoDatei(const QList<QUrl>& urls)
{
    return !urls.isEmpty() && urls.first().isLocalFile() &&
           QFileInfo(urls.first().toLocalFile()).suffix().compare("kvo", Qt::CaseInsensitive) == 0;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* ereignis)
{
    if (IstKalvoDatei(ereignis->mimeData()->urls()))
        ereignis->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* ereignis)
{
    const QList<QUrl> urls = ereignis->mimeData()->urls();
    if (!IstKalvoDatei(urls))
        return;
    ereignis->acceptProposedAction();
    if (GeaendertesDokumentSichern())
        DateiOeffnen(urls.first().toLocalFile());
}

void CMainFrame::Schritt(const QString& name, const std::function<void()>& befehl)
{
    CKalvoDoc::CStand vorher = m_Doc.Stand();
    befehl();
    CKalvoDoc::CStand nachher = m_Doc.Stand();
    if (!nachher.GleicheEingaben(vorher))
        m_Verlauf.push(new CStandBefehl(m_Doc, name, std::move(vorher), std::move(nachher)));
}

bool CMainFrame::DateiOeffnen(const QString& pfad)
{
    const CErgebnis<std::string> bytes = DateiLesen(pfad.toStdString());
    CErgebnis<> geoeffnet =
        bytes ? m_Datenbefehle.OnOpenDocument(*bytes, pfad.toStdString()) : CFehler{bytes.Fehlertext()};
    if (!geoeffnet) {
        m_Meldungen.Warnung("Die Datei " + pfad.toStdString() + " kann nicht geöffnet werden.\n" +
                            geoeffnet.Fehlertext());
        return false;
    }
    m_sDateiInhalt = *bytes;
    m_pZuletzt->Merken(pfad);
    m_Verlauf.clear(); // opening and saving start a fresh history
    Aktualisieren();
    return true;
}

void CMainFrame::OnFileOpen()
{
    if (!GeaendertesDokumentSichern())
        return;
    const QString pfad = QFileDialog::getOpenFileName(this, "Öffnen", QString(), "Dateityp Kalvo (*.kvo)");
    if (!pfad.isEmpty())
        DateiOeffnen(pfad);
}

// True when the document's own file now holds other bytes than it had when
// it was opened or last saved: another program or user has changed it.
bool CMainFrame::AufDemDatentraegerGeaendert(const std::string& pfad) const
{
    if (pfad != m_Doc.GetPathName())
        return false;
    const CErgebnis<std::string> jetzt = DateiLesen(pfad);
    return jetzt && *jetzt != m_sDateiInhalt;
}

bool CMainFrame::Speichern(const QString& pfad)
{
    if (AufDemDatentraegerGeaendert(pfad.toStdString()) &&
        !m_Meldungen.Frage("Die Datei wurde seit dem Öffnen geändert. Trotzdem speichern?"))
        return false;
    const std::string bytes = m_Doc.Speichern();
    if (const CErgebnis<> gespeichert = DateiAtomarSchreiben(pfad.toStdString(), bytes); !gespeichert) {
        m_Meldungen.Warnung("Die Datei " + pfad.toStdString() + " kann nicht gespeichert werden.\n" +
                            gespeichert.Fehlertext());
        return false;
    }
    BandbreitenMitnehmen(m_Doc.GetPathName(), pfad.toStdString());
    PlanungSpeichern(pfad.toStdString());
    m_Doc.SetPathName(pfad.toStdString());
    m_sDateiInhalt = bytes;
    m_Doc.SetModifiedFlag(false);
    m_pZuletzt->Merken(pfad);
    m_Verlauf.clear(); // opening and saving start a fresh history
    Aktualisieren();
    return true;
}

// "Speichern unter" takes the ranges beside the document along to the new
// name; ranges already beside the new name are replaced only after asking.
void CMainFrame::BandbreitenMitnehmen(const std::string& alt, const std::string& neu)
{
    if (alt.empty() || BandbreitenPfad(alt) == BandbreitenPfad(neu))
        return;
    const CErgebnis<std::string> bandbreiten = DateiLesen(BandbreitenPfad(alt));
    if (!bandbreiten)
        return; // the document has no ranges
    const std::string ziel = BandbreitenPfad(neu);
    if (DateiLesen(ziel) && !m_Meldungen.Frage("Neben " + neu + " liegt schon eine Bandbreitendatei (" + ziel +
                                               "). Soll sie durch die Bandbreiten dieses Dokuments ersetzt werden?"))
        return;
    if (const CErgebnis<> kopiert = DateiAtomarSchreiben(ziel, *bandbreiten); !kopiert)
        m_Meldungen.Warnung("Das Dokument wurde gespeichert, seine Bandbreiten nicht: " + ziel + "\n" +
                            kopiert.Fehlertext());
}

// The document's plan beside the saved file (also under a new name). A plan
// file that could not be read when the document was opened is replaced only
// after asking.
void CMainFrame::PlanungSpeichern(const std::string& dokument)
{
    if (!m_Doc.Planung())
        return;
    const std::string ziel = Planungspfad(dokument);
    if (ziel == m_Doc.m_sUnlesbarePlanung &&
        !m_Meldungen.Frage("Die Planungsdatei " + ziel +
                           " konnte beim Öffnen nicht gelesen werden. Soll sie durch die Planung dieses Dokuments "
                           "ersetzt werden?"))
        return;
    CPlanung plan = *m_Doc.Planung();
    const std::string text = PlanungText(plan);
    if (const CErgebnis<> geschrieben = DateiAtomarSchreiben(ziel, text); !geschrieben) {
        m_Meldungen.Warnung("Das Dokument wurde gespeichert, seine Planung nicht: " + ziel + "\n" +
                            geschrieben.Fehlertext());
        return;
    }
    plan.roh = text; // the next save keeps what this one wrote
    m_Doc.PlanungSetzen(std::move(plan));
    m_Doc.m_sUnlesbarePlanung.clear();
    m_Doc.m_sPlanungsdatei = std::filesystem::path(ziel).filename().string();
}

bool CMainFrame::OnFileSave()
{
    const QString pfad = QString::fromStdString(m_Doc.GetPathName());
    return pfad.isEmpty() ? OnFileSaveAs() : Speichern(pfad);
}

bool CMainFrame::OnFileSaveAs()
{
    QFileDialog dialog(this, "Speichern unter", QString::fromStdString(m_Doc.GetPathName()), "Dateityp Kalvo (*.kvo)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("kvo");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return Speichern(dialog.selectedFiles().first());
}

void CMainFrame::OnHilfe()
{
    if (!m_pHilfe)
        m_pHilfe = new CHilfeFenster(this);
    if (!m_pHilfe->Zeigen(HilfeSeite()))
        m_Meldungen.Warnung("Onlinehilfe nicht gefunden!");
}
