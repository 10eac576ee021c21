// The exports of the main window: the year series as CSV, the chart as an
// image, the report as PDF; the same writers kalvo-batch uses.

#include "app/CMainFrame.h"

#include "bericht/Jahresreihentabelle.h"
#include "model/Feldtabelle.h"
#include "platform/Datei.h"
#include "render/Arbeitsmappe.h"
#include "render/BerichtDruck.h"
#include "render/GrafikDatei.h"
#include "summary/Jahresreihen.h"
#include "views/CGrafik.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#include <filesystem>

bool CMainFrame::ExportSchreiben(EExport art, const QString& pfad)
{
    const std::string ziel = pfad.toStdString();
    std::error_code ec;
    if (std::filesystem::is_fifo(ziel, ec)) {
        // kalvo-batch writes a pipe in place; the window would wait for its reader and stop answering.
        m_Meldungen.Warnung("Die Datei " + ziel +
                            " kann nicht geschrieben werden.\nSie ist eine Pipe: das Programm müsste warten, bis "
                            "ein anderes aus ihr liest. kalvo-batch schreibt in eine Pipe.");
        return false;
    }
    CErgebnis<> geschrieben;
    switch (art) {
    case EExport::Csv: geschrieben = DateiAtomarSchreiben(ziel, JahresreihenCsv(m_Doc.Jahresreihen())); break;
    case EExport::Grafik: {
        CGrafik grafik(m_Doc); // the chart as kalvo-batch draws it: without zoom, the document's options
        geschrieben = GrafikSchreiben(grafik, ziel, m_Meldungen);
        break;
    }
    case EExport::Bericht: geschrieben = BerichtPdfSchreiben(m_Doc, ziel, false); break;
    case EExport::Feldtabelle: geschrieben = DateiAtomarSchreiben(ziel, FeldtabelleCsv(m_Doc.m_saFelder)); break;
    case EExport::Arbeitsmappe: geschrieben = ArbeitsmappeSchreiben(m_Doc, ziel); break;
    }
    if (!geschrieben)
        m_Meldungen.Warnung("Die Datei " + ziel + " kann nicht geschrieben werden.\n" + geschrieben.Fehlertext());
    return geschrieben.has_value();
}

void CMainFrame::OnExport(EExport art)
{
    struct {
        const char* titel;
        const char* filter;
        const char* endung;
    } const arten[] = {
        {"Tabelle als CSV exportieren", "CSV-Tabelle (*.csv)", "csv"},
        {"Grafik als Bild exportieren", "Bilder (*.png *.svg *.pdf)", "png"},
        {"Bericht als PDF exportieren", "PDF-Dokument (*.pdf)", "pdf"},
        {"Feldtabelle als CSV exportieren", "CSV-Tabelle (*.csv)", "csv"},
        {"Arbeitsmappe exportieren", "Excel-Arbeitsmappe (*.xlsx)", "xlsx"},
    };
    const auto& a = arten[static_cast<int>(art)];
    // The document's name with the export's suffix, beside the document.
    const QFileInfo dokument(QString::fromStdString(m_Doc.GetPathName()));
    const QString name =
        (dokument.fileName().isEmpty() ? QString("Unbenannt") : dokument.completeBaseName()) + "." + a.endung;
    const QString vorschlag = dokument.fileName().isEmpty() ? name : dokument.dir().filePath(name);
    QFileDialog dialog(this, QString::fromUtf8(a.titel), vorschlag, QString::fromUtf8(a.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(a.endung);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    if (ExportSchreiben(art, dialog.selectedFiles().first()))
        statusBar()->showMessage("Exportiert: " + dialog.selectedFiles().first(), 5000);
}

// Fields from a spreadsheet: every row checked first (a bad one changes
// nothing); fields of a name the document has are replaced only when the
// user says so; the whole import is one undo step.
void CMainFrame::OnFeldtabelleImportieren()
{
    const QFileInfo dokument(QString::fromStdString(m_Doc.GetPathName()));
    const QString pfad = QFileDialog::getOpenFileName(this, "Feldtabelle importieren", dokument.absolutePath(),
                                                      "CSV-Tabelle (*.csv *.txt)");
    if (pfad.isEmpty())
        return;
    const CErgebnis<std::string> text = DateiLesen(pfad.toStdString());
    CErgebnis<CFeldsaetze> felder = text ? FeldtabelleLesen(*text) : CFehler{text.Fehlertext()};
    if (!felder) {
        m_Meldungen.Warnung("Die Feldtabelle " + pfad.toStdString() + " wird nicht übernommen.\n" +
                            felder.Fehlertext());
        return;
    }
    const std::vector<std::string> gleich = m_Doc.GleichnamigeFelder(*felder);
    if (!gleich.empty()) {
        std::string namen;
        for (const std::string& n : gleich)
            namen += (namen.empty() ? "" : ", ") + n;
        if (!m_Meldungen.Frage("Diese Felder gibt es schon und werden ersetzt: " + namen + ".\nFortfahren?"))
            return;
    }
    Schritt("Feldtabelle importieren", [&] { m_Doc.FelderUebernehmen(*felder); });
    m_Doc.UpdateAllViews();
    statusBar()->showMessage(QString("Importiert: %1 Felder").arg(felder->size()), 5000);
}
