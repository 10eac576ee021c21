// Printing of the main window: the active view on a printer, into a PDF
// file, in the preview; the printer setup.

#include "app/CMainFrame.h"

#include "widgets/CGrafikWidget.h"
#include "widgets/CKalvoViewWidget.h"

#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

// Prints the active view: the chart on one page, the report page by page
// (pages von … bis of it; 0 = from the first, to the last).
int CMainFrame::AktiveAnsichtDrucken(QPrinter& drucker, int von, int bis)
{
    if (GrafikAktiv())
        return m_pGrafik->Drucken(drucker) ? 1 : 0;
    return m_pText->Drucken(drucker, von, bis);
}

void CMainFrame::OnFilePrint()
{
    const bool grafik = GrafikAktiv();
    if (grafik)
        m_pGrafik->OnPreparePrinting();
    // The print dialog proposes "<document>.pdf" for printing into a file,
    // and a printer's queue names the job after the document.
    m_pDrucker->setDocName(QFileInfo(QString::fromStdString(m_Doc.GetTitle())).completeBaseName());
    QPrintDialog dialog(m_pDrucker.get(), this);
    dialog.setWindowTitle("Drucken");
    // The pages the report takes on the printer's current page.
    dialog.setMinMax(1, grafik ? 1 : m_pText->Seitenzahl(*m_pDrucker));
    if (dialog.exec() == QDialog::Accepted) {
        const bool bereich = m_pDrucker->printRange() == QPrinter::PageRange;
        AktiveAnsichtDrucken(*m_pDrucker, bereich ? m_pDrucker->fromPage() : 0, bereich ? m_pDrucker->toPage() : 0);
    }
    if (grafik)
        m_pGrafik->OnEndPrinting(); // also after a cancelled dialog: back to the screen sizes
}

int CMainFrame::AlsPdfDrucken(const QString& pfad)
{
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(pfad);
    drucker.setPageSize(QPageSize(QPageSize::A4));
    const int seiten = AktiveAnsichtDrucken(drucker, 0, 0);
    if (GrafikAktiv())
        m_pGrafik->OnEndPrinting();
    return seiten;
}

void CMainFrame::OnFilePrintPreview()
{
    QPrintPreviewDialog vorschau(m_pDrucker.get(), this);
    vorschau.setWindowTitle("Seitenansicht");
    connect(&vorschau, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* drucker) { AktiveAnsichtDrucken(*drucker, 0, 0); });
    vorschau.exec();
    if (GrafikAktiv())
        m_pGrafik->OnEndPrinting();
}

void CMainFrame::OnFilePrintSetup()
{
    QPageSetupDialog dialog(m_pDrucker.get(), this);
    dialog.setWindowTitle("Druckereinrichtung");
    dialog.exec();
}
