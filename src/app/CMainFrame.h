#pragma once
// The main window: menus, toolbar, status bar, accelerators, context menu,
// the two views of the document (text first, chart made on the first switch
// and kept), files, printing, the About box and the help.

#include "app/CQtMeldungen.h"
#include "app/CZuletzt.h"
#include "bandbreiten/Bandbreiten.h"
#include "dialogs/CDatenbefehle.h"
#include "doc/CKalvoDoc.h"

#include <QMainWindow>
#include <QMap>
#include <QUndoStack>

#include <atomic>
#include <memory>

class CKalvoViewWidget;
class CGrafikWidget;
class QAction;
class QMenu;
class QStackedWidget;
class QPrinter;
class CHilfeFenster;

// Command ids of the menus and the toolbar.
namespace ID {
enum : int {
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    FilePrint = 57607,
    FilePrintPreview = 57609,
    FilePrintSetup = 57606,
    FileMru = 57616,
    AppExit = 57665,
    DatenAendern = 32771,
    Verkaufsprofil = 32773,
    Restfelder = 32774,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    Grafik = 32777,
    Text = 32778,
    Blockdiagramm = 32781,
    Liniendiagramm = 32782,
    GrafikLupe = 32783,
    ExportCsv = 32790,
    ExportGrafik = 32791,
    ExportBericht = 32792,
    VarianteVergleichen = 32793,
    VergleichBeenden = 32794,
    Deckung = 32795,
    FelderEinzeln = 32796,
    GemeinsameAchse = 32797,
    Bedarf = 32798,
    Plateau = 32799,
    Energie = 32800,
    Eigenverbrauch = 32801,
    Bandbreiten = 32802,
    Sensitivitaeten = 32803,
    Unsicherheit = 32804,
    TornadoZeigen = 32805,
    ExportFeldtabelle = 32806,
    ImportFeldtabelle = 32807,
    Aktenbericht = 32808,
    ExportArbeitsmappe = 32809,
    Feldtabelle = 32810,
    Hinweise = 32811,
    Vertraege = 32812,
    RestfelderEnergie = 32813,
    MessungenEinlesen = 32814,
    PzDiagramm = 32815,
    AnpassungUebernehmen = 32816,
    Szenarien = 32817,
    SzenarienGrafik = 32818,
    Rueckgaengig = 57643,
    Wiederholen = 57644,
    AppAbout = 57664,
    Hilfe = 32776,
};
}

class CMainFrame : public QMainWindow, private IDialoge {
    Q_OBJECT
    std::vector<std::string> m_saGemeldeteHinweise; // the hints the status bar last named
    bool m_bStudieDa = false;                       // a study's results were shown
    std::atomic<bool>* m_pLaufAbbrechen = nullptr;  // the runs in the background, while they go on
    QString m_sLaufName;                            // what they are, for the question on closing
    bool m_bSchliessenNachLauf = false;             // close once they have stopped
public:
    CMainFrame();
    ~CMainFrame() override;

    bool DateiOeffnen(const QString& pfad);
    // Saves under `pfad` (the ranges beside the document go along).
    bool Speichern(const QString& pfad);
    CKalvoDoc& Dokument() { return m_Doc; }
    CDatenbefehle& Datenbefehle() { return m_Datenbefehle; }
    QAction* Befehl(int id) const { return m_Befehle.value(id); }
    void AnsichtWechseln(int ansicht); // 1 = text, 2 = chart
    bool GrafikAktiv() const;
    CGrafikWidget* GrafikAnsicht() const { return m_pGrafik; }
    CHilfeFenster* Hilfefenster() const { return m_pHilfe; }
    QUndoStack& Verlauf() { return m_Verlauf; }
    CKalvoViewWidget* TextAnsicht() const { return m_pText; }
    // The exports of the "Exportieren" menu: exactly what kalvo-batch --csv,
    // --grafik and --bericht-pdf write for the open document, written
    // atomically. False after a German message naming the file.
    enum class EExport { Csv, Grafik, Bericht, Feldtabelle, Arbeitsmappe };
    bool ExportSchreiben(EExport art, const QString& pfad);
    // Compares the open document with the variant in `pfad`; false after the
    // message that it cannot be read (the running comparison stays).
    bool VarianteOeffnen(const QString& pfad);
    // Prints the active view to a PDF file without a dialog; returns the pages.
    int AlsPdfDrucken(const QString& pfad);
    void BefehleAktualisieren();

protected:
    void closeEvent(QCloseEvent* ereignis) override;
    void contextMenuEvent(QContextMenuEvent* ereignis) override;
    void dragEnterEvent(QDragEnterEvent* ereignis) override;
    void dropEvent(QDropEvent* ereignis) override;

private:
    bool DatenDialog(CDlgInput& dlg) override;
    bool ProfilDialog(DlgVerkauf& dlg) override;
    bool GeaendertesDokumentSichern() override;

    QAction* Anlegen(int id, const QString& text, std::function<void()> aktion, const QString& hinweis = {},
                     const QKeySequence& taste = {});
    void MenuesAnlegen();
    void WerkzeugleisteAnlegen();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool AufDemDatentraegerGeaendert(const std::string& pfad) const;
    int AktiveAnsichtDrucken(QPrinter& drucker, int von, int bis);
    void OnExport(EExport art);
    void OnFeldtabelleImportieren();
    void PlanungsbefehleAnlegen();
    void MessungsbefehleAnlegen();
    void OnMessungenEinlesen();
    void OnPzDiagramm();
    void OnAnpassungUebernehmen();
    void OnVarianteVergleichen();
    void OnPlateau();
    void VertragsplateausZeigen(const std::vector<CPlateau>& plateaus);
    void OnVertraege();
    void OnRestfelderEnergie();
    void OnSzenarien();
    void SzenarienRechnen();
    void ProfilUebernehmen(double menge);
    // The last run's hints: a status-bar note when they change, the list on request.
    void HinweiseMelden();
    void BandbreitenMitnehmen(const std::string& alt, const std::string& neu);
    void OnHinweise();
    void OnEigenverbrauch();
    void BandbreitenbefehleAnlegen();
    std::string BandbreitenDatei();
    bool BandbreitenLaden(std::vector<CSpanne>& spannen);
    void OnBandbreiten();
    void OnSensitivitaeten();
    void OnUnsicherheit();
    // Every study runs so: `rechnen` in a thread of its own behind a progress
    // dialog with "Abbrechen" (`laeufe` its runs; 0: not known ahead), the
    // window keeps drawing. `rechnen` reports the runs done through its
    // argument, which answers false once the user cancelled. True when the
    // study ran to its end; false when cancelled or the window is to close.
    bool ImHintergrund(const QString& titel, const QString& text, int laeufe,
                       const std::function<void(const CWeiter&)>& rechnen);
    // A switch of the option table (its name: "--bedarf") as a check item kept in the user's settings.
    void AnsichtOption(int id, const char* option, std::function<void(bool)> setzen);
    // A switch of the document's plan options (its check mark follows the document).
    void PlanOption(int id, const char* option, bool CPlanoptionen::*schalter);
    void PlanSchalterAktualisieren();
    void PlanungSpeichern(const std::string& dokument);
    std::vector<std::pair<QAction*, bool CPlanoptionen::*>> m_PlanSchalter;
    // A command of the option table's entry for `option`.
    QAction* MenueBefehl(int id, const char* option, std::function<void()> ausfuehren);
    // Runs a command and keeps it as one undo step when it changed the document.
    void Schritt(const QString& name, const std::function<void()>& befehl);
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnHilfe();
    void Aktualisieren();
    void TitelAktualisieren();

    CQtMeldungen m_Meldungen;
    CKalvoDoc m_Doc;
    CDatenbefehle m_Datenbefehle;
    QStackedWidget* m_pStapel = nullptr;
    CKalvoViewWidget* m_pText = nullptr;
    CGrafikWidget* m_pGrafik = nullptr;
    QMap<int, QAction*> m_Befehle;
    std::unique_ptr<CZuletzt> m_pZuletzt;
    std::string m_sDateiInhalt; // the document file's bytes as last opened or saved
    std::unique_ptr<QPrinter> m_pDrucker;
    CHilfeFenster* m_pHilfe = nullptr; // made on first use, a child of the window
    QUndoStack m_Verlauf;
};
