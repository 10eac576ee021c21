// The exports of the main window: the year series as CSV, the chart as an
// image, the report as PDF; the same writers kalvo-batch uses.

#include "app/CMainFrame.h"

#include "platform/Datei.h"
#include "render/BerichtDruck.h"
#include "render/GrafikDatei.h"
#include "summary/Jahresreihen.h"
#include "views/CGrafik.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStatusBar>

bool CMainFrame::ExportSchreiben(EExport art, const QString& pfad)
{
    const std::string ziel = pfad.toStdString();
    CErgebnis<> geschrieben;
    switch (art) {
    case EExport::Csv: geschrieben = DateiAtomarSchreiben(ziel, JahresreihenCsv(m_Doc.Jahresreihen())); break;
    case EExport::Grafik: {
        CGrafik grafik(m_Doc); // the chart as kalvo-batch draws it: without zoom, the document's options
        geschrieben = GrafikSchreiben(grafik, ziel, m_Meldungen);
        break;
    }
    case EExport::Bericht: geschrieben = BerichtPdfSchreiben(m_Doc, ziel, false); break;
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
