#include "Testdaten.h"
#include "app/CHilfeFenster.h"
#include "app/CMainFrame.h"
#include "batch/CBatch.h"
#include "dialogs/CDlgInput.h"
#include "platform/Datei.h"
#include "render/BerichtDruck.h"
#include "widgets/CFeldtabelleFenster.h"
#include "widgets/CGrafikWidget.h"
#include "widgets/CKalvoViewWidget.h"
#include "widgets/CSzenarienDialog.h"
#include "widgets/CVertraegeDialog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <clocale>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

#include "planung/Planung.h"

#include <gtest/gtest.h>

namespace {

// Opens the sample portfolio without its field data dialog.
struct COhneDialog : IDialoge {
    bool DatenDialog(CDlgInput&) override { return false; }
    bool ProfilDialog(DlgVerkauf&) override { return false; }
    bool GeaendertesDokumentSichern() override { return true; }
};

// Answers every message box as soon as it shows, as long as it lives.
class CMeldungenSchliessen {
public:
    CMeldungenSchliessen()
    {
        QObject::connect(&m_Takt, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
        });
        m_Takt.start(20);
    }

private:
    QTimer m_Takt;
};

int PdfSeiten(const QString& pfad)
{
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray inhalt = f.readAll();
    return static_cast<int>(inhalt.count("/Type /Page\n") + inhalt.count("/Type /Page\r") +
                            inhalt.count("/Type /Page ") + inhalt.count("/Type/Page\n"));
}

} // namespace

TEST(Hauptfenster, ViewsZoomEnablingAndPrintingToPdf)
{
    CMainFrame rahmen;
    rahmen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rahmen));
    CKalvoDoc& doc = rahmen.Dokument();
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    doc.Berechnen();
    doc.UpdateAllViews();
    EXPECT_EQ(rahmen.windowTitle(), "Beispiel.kvo[*] - Kalvo");
    rahmen.statusBar()->showMessage("Daten ändern bzw. Eingabedatei aufbauen");
    rahmen.statusBar()->clearMessage();
    EXPECT_EQ(rahmen.statusBar()->currentMessage(), "Bereit");
    EXPECT_FALSE(rahmen.isWindowModified());

    // The text view comes first: "Text" and the zoom are greyed.
    EXPECT_TRUE(rahmen.Befehl(ID::Grafik)->isEnabled());
    EXPECT_FALSE(rahmen.Befehl(ID::Text)->isEnabled());
    EXPECT_FALSE(rahmen.Befehl(ID::GrafikLupe)->isEnabled());
    EXPECT_EQ(rahmen.GrafikAnsicht(), nullptr);
    EXPECT_FALSE(rahmen.Befehl(ID::Blockdiagramm)->isEnabled()); // block style after loading
    EXPECT_TRUE(rahmen.Befehl(ID::Liniendiagramm)->isEnabled());

    const int textSeiten = rahmen.AlsPdfDrucken("bericht.pdf");
    EXPECT_EQ(textSeiten, static_cast<int>(doc.m_saBericht.size()) / 57 + 1);
    EXPECT_EQ(PdfSeiten("bericht.pdf"), textSeiten);

    // F3 switches to the chart, made now and kept.
    QTest::keyClick(&rahmen, Qt::Key_F3);
    ASSERT_NE(rahmen.GrafikAnsicht(), nullptr);
    EXPECT_TRUE(rahmen.GrafikAktiv());
    EXPECT_FALSE(rahmen.Befehl(ID::Grafik)->isEnabled());
    EXPECT_TRUE(rahmen.Befehl(ID::GrafikLupe)->isEnabled());
    EXPECT_FALSE(rahmen.Befehl(ID::GrafikLupe)->isChecked());
    QApplication::processEvents();
    EXPECT_EQ(rahmen.GrafikAnsicht()->Grafik().m_iBreite, 1300);

    rahmen.Befehl(ID::GrafikLupe)->trigger();
    EXPECT_TRUE(rahmen.Befehl(ID::GrafikLupe)->isChecked());
    QApplication::processEvents();
    EXPECT_EQ(rahmen.GrafikAnsicht()->Grafik().m_iBreite, 1950);
    EXPECT_EQ(rahmen.GrafikAnsicht()->Grafik().m_iHoehe, 1125);
    EXPECT_TRUE(rahmen.grab().save("hauptfenster_grafik.png"));

    EXPECT_EQ(rahmen.AlsPdfDrucken("grafik.pdf"), 1);
    EXPECT_EQ(PdfSeiten("grafik.pdf"), 1);
    // After printing the screen shows the zoomed plot again.
    EXPECT_EQ(rahmen.GrafikAnsicht()->Grafik().m_bDrucken, 0);
    EXPECT_EQ(rahmen.GrafikAnsicht()->Grafik().m_iBreite, 1950);

    rahmen.Befehl(ID::Liniendiagramm)->trigger();
    EXPECT_EQ(doc.m_bBlockdiagramm, 0);
    EXPECT_TRUE(rahmen.Befehl(ID::Blockdiagramm)->isEnabled());

    CGrafikWidget* grafik = rahmen.GrafikAnsicht();
    QTest::keyClick(&rahmen, Qt::Key_F4);
    EXPECT_FALSE(rahmen.GrafikAktiv());
    QTest::keyClick(&rahmen, Qt::Key_F3);
    EXPECT_EQ(rahmen.GrafikAnsicht(), grafik);
    doc.SetModifiedFlag(false); // nothing to ask when the window closes
}

TEST(Hauptfenster, ChartPrintCancelledGoesBackToScreenSizes)
{
    CMainFrame rahmen;
    rahmen.AnsichtWechseln(2);
    CGrafikWidget* g = rahmen.GrafikAnsicht();
    g->OnPreparePrinting();
    EXPECT_EQ(g->Grafik().m_bDrucken, 1);
    g->OnEndPrinting(); // what the frame does when the print dialog is cancelled
    EXPECT_EQ(g->Grafik().m_bDrucken, 0);
    EXPECT_EQ(g->Grafik().m_iHoehe, 750);
}

TEST(Hauptfenster, UnreadableFileKeepsTheOpenDocument)
{
    CMainFrame rahmen;
    CKalvoDoc& doc = rahmen.Dokument();
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    const auto felder = doc.m_saFelder;
    // The message box of the failure is answered as soon as it shows.
    {
        CMeldungenSchliessen antworten;
        EXPECT_FALSE(rahmen.DateiOeffnen(KALVO_BEISPIELE "/Verkaufsprofil.TXT"));
    }
    EXPECT_EQ(doc.m_saFelder, felder);
    EXPECT_EQ(doc.GetTitle(), "Beispiel.kvo");
}

TEST(Hauptfenster, GermanDesktopOpensCancelsAndSavesTheSampleByteForByte)
{
    const std::string alt = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // what Qt does on a German desktop
    CMainFrame rahmen;
    CKalvoDoc& doc = rahmen.Dokument();
    COhneDialog abbrechen; // the field data dialog ends with "Abbrechen"
    rahmen.Datenbefehle().SetDialoge(&abbrechen);
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    std::string datei = DateiInhalt(KALVO_BEISPIEL);
    EXPECT_EQ(doc.Speichern(), datei);
    // The views show the sample's results, with decimal points.
    ASSERT_GT(doc.m_saBericht.size(), 30u);
    EXPECT_EQ(doc.X[0], 2002);
    for (const auto& zeile : doc.m_saBericht)
        EXPECT_EQ(zeile.find(','), std::string::npos) << zeile;
    EXPECT_EQ(rahmen.windowTitle(), "Beispiel.kvo[*] - Kalvo");

    // "Neu" and "Abbrechen": the title names the untitled document at once.
    rahmen.Befehl(ID::FileNew)->trigger();
    EXPECT_EQ(rahmen.windowTitle(), "Unbenannt[*] - Kalvo");
    std::setlocale(LC_ALL, alt.c_str());
}

// A file another program changed after it was opened is not overwritten
// without a question; answered "No" (the box closed), it keeps the other bytes.
TEST(Hauptfenster, SavingAFileChangedOnDiskAsksFirst)
{
    CMainFrame rahmen;
    CKalvoDoc& doc = rahmen.Dokument();
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    const QString pfad = QDir::temp().filePath("kalvo_test_geaendert.kvo");
    std::string bytes = DateiInhalt(KALVO_BEISPIEL);
    ASSERT_TRUE(DateiAtomarSchreiben(pfad.toStdString(), bytes));
    ASSERT_TRUE(rahmen.DateiOeffnen(pfad));
    EXPECT_TRUE(rahmen.Befehl(ID::FileSave)->isEnabled());
    rahmen.Befehl(ID::FileSave)->trigger(); // unchanged on disk: saved without a question
    EXPECT_FALSE(doc.IsModified());

    ASSERT_TRUE(DateiAtomarSchreiben(pfad.toStdString(), bytes + "x"));
    doc.SetModifiedFlag(true);
    {
        CMeldungenSchliessen antworten;
        rahmen.Befehl(ID::FileSave)->trigger();
    }
    EXPECT_TRUE(doc.IsModified());
    std::string jetzt = DateiInhalt(pfad.toStdString());
    EXPECT_EQ(jetzt, bytes + "x");
}

// The printed page range: first and last page as asked, a last page beyond
// the report's end is its last page, a first page beyond it prints the last.
TEST(Hauptfenster, ReportPrintsThePageRangeAsked)
{
    CStilleMeldungen still;
    CKalvoDoc doc(still);
    for (int i = 0; i < 200; ++i)
        doc.m_saBericht.push_back("Zeile " + std::to_string(i));
    const QString pfad = QDir::temp().filePath("kalvo_test_seiten.pdf");
    const auto drucken = [&](int von, int bis) {
        QPdfWriter pdf(pfad);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        return BerichtDrucken(doc, pdf, von, bis);
    };
    EXPECT_EQ(drucken(0, 0), 4); // 200 lines of 57: 4 pages
    EXPECT_EQ(PdfSeiten(pfad), 4);
    EXPECT_EQ(drucken(2, 3), 2);
    EXPECT_EQ(PdfSeiten(pfad), 2);
    EXPECT_EQ(drucken(3, 9), 2);
    EXPECT_EQ(drucken(9, 9), 1);
    EXPECT_EQ(drucken(1, 1), 1);
}

TEST(Hauptfenster, RecentEntryThatNoLongerOpensLeavesTheList)
{
    QCoreApplication::setOrganizationName("KalvoTest");
    QCoreApplication::setApplicationName("Hauptfenster");
    const QString fehlt = QDir::temp().absoluteFilePath("kalvo_verschwunden.kvo");
    QSettings().setValue("ZuletztGeoeffnet", QStringList{fehlt, QString(KALVO_BEISPIEL)});
    {
        CMainFrame rahmen;
        QAction* eintrag = nullptr;
        for (QAction* a : rahmen.findChildren<QAction*>())
            if (a->statusTip() == fehlt)
                eintrag = a;
        ASSERT_NE(eintrag, nullptr);
        {
            CMeldungenSchliessen antworten; // the message that the file cannot be opened
            eintrag->trigger();
        }
    }
    EXPECT_EQ(QSettings().value("ZuletztGeoeffnet").toStringList(), QStringList{QString(KALVO_BEISPIEL)});
    QSettings().clear();
}

TEST(Hauptfenster, ExportsWriteWhatKalvoBatchWrites)
{
    CMainFrame rahmen;
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    const QString ordner = QDir::temp().absoluteFilePath("kalvo_export");
    QDir().mkpath(ordner);
    const struct {
        CMainFrame::EExport art;
        const char* datei;
        const char* option;
    } exporte[] = {{CMainFrame::EExport::Csv, "a.csv", "--csv"},
                   {CMainFrame::EExport::Grafik, "a.png", "--grafik"},
                   {CMainFrame::EExport::Grafik, "a.svg", "--grafik"},
                   {CMainFrame::EExport::Bericht, "a.pdf", "--bericht-pdf"}};
    for (const auto& e : exporte) {
        const std::string desktop = (ordner + "/desktop_" + e.datei).toStdString();
        const std::string batch = (ordner + "/batch_" + e.datei).toStdString();
        ASSERT_TRUE(rahmen.ExportSchreiben(e.art, QString::fromStdString(desktop))) << e.datei;
        std::ostringstream aus, fehler;
        ASSERT_EQ(KalvoBatch({e.option, batch, KALVO_BEISPIEL}, aus, fehler), 0) << fehler.str();
        std::string a, b;
        a = DateiInhalt(desktop);
        b = DateiInhalt(batch);
        if (e.art == CMainFrame::EExport::Bericht) // a PDF carries its creation time
            EXPECT_EQ(PdfSeiten(QString::fromStdString(desktop)), PdfSeiten(QString::fromStdString(batch)));
        else
            EXPECT_TRUE(a == b) << e.datei;
    }

    // A folder that does not exist: a German message naming the file, no file.
    {
        CMeldungenSchliessen antworten;
        EXPECT_FALSE(rahmen.ExportSchreiben(CMainFrame::EExport::Csv, "/gibt/es/nicht/a.csv"));
    }
    EXPECT_FALSE(QFileInfo::exists("/gibt/es/nicht/a.csv"));
    // A pipe would keep the window waiting for its reader: refused, the pipe stays.
    {
        const std::string rohr = (ordner + "/rohr.csv").toStdString();
        ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
        CMeldungenSchliessen antworten;
        EXPECT_FALSE(rahmen.ExportSchreiben(CMainFrame::EExport::Csv, QString::fromStdString(rohr)));
        EXPECT_TRUE(std::filesystem::is_fifo(rohr));
    }
    QDir(ordner).removeRecursively();
}

TEST(Hauptfenster, F1OpensTheGermanHelpInKalvosOwnWindow)
{
    CMainFrame rahmen;
    rahmen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rahmen));
    rahmen.Befehl(ID::Hilfe)->trigger();
    ASSERT_NE(rahmen.Hilfefenster(), nullptr);
    EXPECT_TRUE(rahmen.Hilfefenster()->isVisible());
    const QString text = rahmen.Hilfefenster()->Browser()->toPlainText();
    EXPECT_TRUE(text.contains("Arbeitsablauf")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("Exportieren"));

    // The contents link to the sections; Zurück and Vorwärts go between them.
    QTextBrowser* b = rahmen.Hilfefenster()->Browser();
    const QUrl anfang = b->source();
    b->setSource(QUrl(anfang.toString() + "#tasten"));
    EXPECT_TRUE(b->isBackwardAvailable());
    b->backward();
    EXPECT_EQ(b->source(), anfang);
    EXPECT_TRUE(b->isForwardAvailable());
    EXPECT_NE(b->document()->toHtml().indexOf("href=\"#kommandozeile\""), -1);
}

// Within a menu no two entries share an access key (Alt+letter must reach
// exactly one command).
TEST(Hauptfenster, EveryMenuEntryHasItsOwnAccessKey)
{
    CMainFrame rahmen;
    for (QAction* menuAktion : rahmen.menuBar()->actions()) {
        QMenu* menu = menuAktion->menu();
        if (!menu)
            continue;
        QMap<QChar, QString> schluessel;
        for (QAction* a : menu->actions()) {
            const QString t = a->text();
            const qsizetype i = t.indexOf('&');
            if (i < 0 || i + 1 >= t.size())
                continue;
            const QChar c = t[i + 1].toLower();
            EXPECT_FALSE(schluessel.contains(c))
                << menu->title().toStdString() << ": " << t.toStdString() << " / " << schluessel[c].toStdString();
            schluessel[c] = t;
        }
    }
}

namespace {

// The field data dialog with a changed first field (10 wells), ended with OK.
struct CMehrBohrungen : IDialoge {
    bool DatenDialog(CDlgInput& dlg) override
    {
        dlg.OnInitDialog();
        dlg.m_Feld.m_iBohrungen = 10;
        dlg.DatenInZeile();
        dlg.m_lbFelder.DeleteString(0);
        dlg.m_lbFelder.InsertString(0, dlg.m_sFeldzeile);
        dlg.m_bGeaendert = 1;
        dlg.OnOK();
        return dlg.m_Ende == CDlgInput::EEnde::OK;
    }
    bool ProfilDialog(DlgVerkauf&) override { return false; }
    bool GeaendertesDokumentSichern() override { return true; }
};

} // namespace

TEST(Hauptfenster, UndoAndRedoOfAConfirmedDialogAndAChartStyle)
{
    CMainFrame rahmen;
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    CKalvoDoc& doc = rahmen.Dokument();
    const auto bericht = doc.m_saBericht;
    const auto felder = doc.m_saFelder;
    EXPECT_FALSE(rahmen.Befehl(ID::Rueckgaengig)->isEnabled());
    EXPECT_EQ(rahmen.Befehl(ID::Rueckgaengig)->text(), "Rückgängig");

    CMehrBohrungen mehr;
    rahmen.Datenbefehle().SetDialoge(&mehr);
    rahmen.Befehl(ID::DatenAendern)->trigger();
    ASSERT_NE(doc.m_saFelder, felder);
    EXPECT_NE(doc.m_saBericht, bericht);
    EXPECT_TRUE(rahmen.isWindowModified());
    EXPECT_EQ(rahmen.Befehl(ID::Rueckgaengig)->text(), "Rückgängig: Felddaten");
    const auto geaendert = doc.m_saBericht;

    rahmen.Befehl(ID::Liniendiagramm)->trigger();
    EXPECT_EQ(rahmen.Befehl(ID::Rueckgaengig)->text(), "Rückgängig: Liniendiagramm");
    rahmen.Befehl(ID::Rueckgaengig)->trigger();
    EXPECT_EQ(doc.m_bBlockdiagramm, 1);

    // Back to the opened file: its figures and no modified mark.
    rahmen.Befehl(ID::Rueckgaengig)->trigger();
    EXPECT_EQ(doc.m_saFelder, felder);
    EXPECT_EQ(doc.m_saBericht, bericht);
    EXPECT_FALSE(rahmen.isWindowModified());
    EXPECT_EQ(rahmen.Befehl(ID::Wiederholen)->text(), "Wiederholen: Felddaten");
    rahmen.Befehl(ID::Wiederholen)->trigger();
    EXPECT_EQ(doc.m_saBericht, geaendert);
    EXPECT_TRUE(rahmen.isWindowModified());

    // Opening starts a fresh history.
    rahmen.Datenbefehle().SetDialoge(&ohne);
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    EXPECT_FALSE(rahmen.Befehl(ID::Rueckgaengig)->isEnabled());
    EXPECT_EQ(rahmen.Befehl(ID::Wiederholen)->text(), "Wiederholen");
    EXPECT_EQ(rahmen.Verlauf().count(), 0);
}

TEST(Hauptfenster, ChartFillsTheWindowWithItsProportions)
{
    CMainFrame rahmen;
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    rahmen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rahmen));
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    rahmen.AnsichtWechseln(2);
    CGrafikWidget* grafik = rahmen.GrafikAnsicht();
    const auto skalaBei = [&](int breite, int hoehe) {
        rahmen.resize(breite, hoehe);
        QApplication::processEvents();
        grafik->viewport()->repaint();
        return grafik->PixelJeEinheit();
    };
    const double klein = skalaBei(800, 600);
    const double gross = skalaBei(1600, 1200);
    EXPECT_GT(gross, 1.6 * klein);
    // The whole drawing fits, and one side fills the window.
    const CGrafik::CFlaeche f = grafik->Grafik().Zeichenflaeche();
    const QSize sicht = grafik->viewport()->size();
    EXPECT_LE(f.breite * gross, sicht.width() + 1.0);
    EXPECT_LE(f.hoehe * gross, sicht.height() + 1.0);
    EXPECT_TRUE(f.breite * gross > sicht.width() - 2.0 || f.hoehe * gross > sicht.height() - 2.0);
    EXPECT_EQ(grafik->Grafik().m_iBreite, 1300); // the axis scaling stays as it was
    EXPECT_TRUE(grafik->grab().save("grafik_gross.png"));
}

namespace {

std::string Bericht(const CKalvoDoc& doc)
{
    std::string text;
    for (const auto& zeile : doc.m_saBericht)
        text += zeile + '\n';
    return text;
}

std::string BatchBericht(std::vector<std::string> args)
{
    std::ostringstream aus, fehler;
    args.push_back(KALVO_BEISPIEL);
    EXPECT_EQ(KalvoBatch(args, aus, fehler), 0) << fehler.str();
    return aus.str();
}

} // namespace

TEST(Hauptfenster, VariantCoverageAndChartOptionsFollowTheMenusAndTheSettings)
{
    QCoreApplication::setOrganizationName("KalvoTest");
    QCoreApplication::setApplicationName("Planung");
    QSettings().clear();
    const std::string variante = KALVO_BEISPIELE "/Beispiel_Variante.kvo";
    {
        CMainFrame rahmen;
        CKalvoDoc& doc = rahmen.Dokument();
        COhneDialog ohne;
        rahmen.Datenbefehle().SetDialoge(&ohne);
        ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
        EXPECT_FALSE(rahmen.Befehl(ID::VergleichBeenden)->isEnabled());
        EXPECT_FALSE(rahmen.Befehl(ID::Deckung)->isChecked()); // off by default: the chart as it was
        ASSERT_TRUE(rahmen.VarianteOeffnen(QString::fromStdString(variante)));
        EXPECT_TRUE(rahmen.Befehl(ID::VergleichBeenden)->isEnabled());
        EXPECT_EQ(Bericht(doc), BatchBericht({"--vergleich", variante}));

        // A variant that cannot be read leaves the comparison running.
        {
            CMeldungenSchliessen antworten;
            EXPECT_FALSE(rahmen.VarianteOeffnen(KALVO_BEISPIELE "/Verkaufsprofil.TXT"));
        }
        EXPECT_EQ(Bericht(doc), BatchBericht({"--vergleich", variante}));

        // The three options of the Ansicht menu; the chart file equals kalvo-batch's.
        for (int id : {ID::Deckung, ID::FelderEinzeln, ID::GemeinsameAchse})
            rahmen.Befehl(id)->trigger();
        EXPECT_EQ(Bericht(doc), BatchBericht({"--deckung", "--vergleich", variante}));
        const QString ordner = QDir::temp().absoluteFilePath("kalvo_planung");
        QDir().mkpath(ordner);
        const std::string desktop = (ordner + "/desktop.svg").toStdString(),
                          batch = (ordner + "/batch.svg").toStdString();
        ASSERT_TRUE(rahmen.ExportSchreiben(CMainFrame::EExport::Grafik, QString::fromStdString(desktop)));
        BatchBericht({"--deckung", "--felder-einzeln", "--eine-achse", "--vergleich", variante, "--grafik", batch});
        const std::string a = DateiInhalt(desktop), b = DateiInhalt(batch);
        EXPECT_TRUE(a == b);
        EXPECT_NE(a.find("Ist Variante B"), std::string::npos);
        EXPECT_NE(a.find("Wesermarsch"), std::string::npos); // the field legend
        QDir(ordner).removeRecursively();

        // Ending the comparison leaves the coverage.
        rahmen.Befehl(ID::VergleichBeenden)->trigger();
        EXPECT_EQ(Bericht(doc), BatchBericht({"--deckung"}));
        EXPECT_FALSE(rahmen.Befehl(ID::VergleichBeenden)->isEnabled());
    }
    // How the chart is shown is the user's: the next window starts with it.
    // The coverage is an option of the document's plan (not saved here).
    CMainFrame naechster;
    for (int id : {ID::FelderEinzeln, ID::GemeinsameAchse})
        EXPECT_TRUE(naechster.Befehl(id)->isChecked()) << id;
    EXPECT_FALSE(naechster.Befehl(ID::Deckung)->isChecked());
    EXPECT_TRUE(naechster.Dokument().m_bFelderEinzeln && naechster.Dokument().m_bGemeinsameAchse);
    EXPECT_FALSE(naechster.Dokument().m_bDeckung);
    QSettings().clear();
}

// "Speichern unter" takes the document's ranges along to the new name; the
// old ones stay where they were.
TEST(Hauptfenster, SaveAsCarriesTheRangesAlong)
{
    CMainFrame rahmen;
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    const QString alt = QDir::temp().filePath("kalvo_test_alt.kvo");
    const QString neu = QDir::temp().filePath("kalvo_test_neu.kvo");
    const std::string bandbreiten = "Feld;Groesse;Tief;Hoch\n*;OGIP;80 %;120 %\n";
    std::filesystem::remove(BandbreitenPfad(neu.toStdString()));
    ASSERT_TRUE(DateiAtomarSchreiben(alt.toStdString(), DateiInhalt(KALVO_BEISPIEL)));
    ASSERT_TRUE(DateiAtomarSchreiben(BandbreitenPfad(alt.toStdString()), bandbreiten));
    ASSERT_TRUE(rahmen.DateiOeffnen(alt));
    ASSERT_TRUE(rahmen.Speichern(neu));
    EXPECT_EQ(DateiInhalt(BandbreitenPfad(neu.toStdString())), bandbreiten);
    EXPECT_EQ(DateiInhalt(BandbreitenPfad(alt.toStdString())), bandbreiten);
    for (const QString& p : {alt, neu}) {
        std::filesystem::remove(p.toStdString());
        std::filesystem::remove(BandbreitenPfad(p.toStdString()));
    }
}

// The options that change the figures are the document's plan: a switch is
// a step to undo, Speichern writes the plan beside the file, and opening the
// file again takes it up; a plan that cannot be read opens the document
// without it and stays as it was.
TEST(Hauptfenster, PlanOptionsAreTheDocumentsAndTravelWithIt)
{
    QCoreApplication::setOrganizationName("KalvoTest");
    QCoreApplication::setApplicationName("Planungsdatei");
    QSettings().clear();
    const QString kvo = QDir::temp().filePath("kalvo_test_plan.kvo");
    const std::string plan = Planungspfad(kvo.toStdString());
    std::filesystem::remove(plan);
    ASSERT_TRUE(DateiAtomarSchreiben(kvo.toStdString(), DateiInhalt(KALVO_BEISPIEL)));
    {
        CMainFrame rahmen;
        COhneDialog ohne;
        rahmen.Datenbefehle().SetDialoge(&ohne);
        ASSERT_TRUE(rahmen.DateiOeffnen(kvo));
        CKalvoDoc& doc = rahmen.Dokument();
        EXPECT_FALSE(doc.Planung().has_value());
        EXPECT_FALSE(rahmen.Befehl(ID::Bedarf)->isChecked());
        rahmen.Befehl(ID::Bedarf)->trigger();
        EXPECT_TRUE(doc.m_bBedarf);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(rahmen.Befehl(ID::Rueckgaengig)->text(), "Rückgängig: Förderung nach Bedarf");
        rahmen.Befehl(ID::Rueckgaengig)->trigger();
        EXPECT_FALSE(doc.m_bBedarf);
        EXPECT_FALSE(rahmen.Befehl(ID::Bedarf)->isChecked());
        rahmen.Befehl(ID::Wiederholen)->trigger();
        EXPECT_TRUE(rahmen.Befehl(ID::Bedarf)->isChecked());
        ASSERT_TRUE(rahmen.Speichern(kvo));
        EXPECT_NE(DateiInhalt(plan).find("\"bedarf\": true"), std::string::npos) << DateiInhalt(plan);
    }
    {
        CMainFrame rahmen;
        COhneDialog ohne;
        rahmen.Datenbefehle().SetDialoge(&ohne);
        ASSERT_TRUE(rahmen.DateiOeffnen(kvo));
        EXPECT_TRUE(rahmen.Befehl(ID::Bedarf)->isChecked());
        EXPECT_EQ(Bericht(rahmen.Dokument()), BatchBericht({"--bedarf"}));
    }
    const std::string kaputt = "{ \"format\": kaputt";
    ASSERT_TRUE(DateiAtomarSchreiben(plan, kaputt));
    {
        CMainFrame rahmen;
        COhneDialog ohne;
        rahmen.Datenbefehle().SetDialoge(&ohne);
        CMeldungenSchliessen antworten;
        ASSERT_TRUE(rahmen.DateiOeffnen(kvo));
        EXPECT_FALSE(rahmen.Dokument().Planung().has_value());
        EXPECT_FALSE(rahmen.Befehl(ID::Bedarf)->isChecked());
        EXPECT_EQ(Bericht(rahmen.Dokument()), BatchBericht({}));
        ASSERT_TRUE(rahmen.Speichern(kvo)); // without a plan: the file beside stays
        EXPECT_EQ(DateiInhalt(plan), kaputt);
    }
    std::filesystem::remove(plan);
    std::filesystem::remove(kvo.toStdString());
    QSettings().clear();
}

// A table a command adds below the window is scrolled into view; one that
// is in view already leaves the window where it is.
TEST(Hauptfenster, ANewTableScrollsIntoView)
{
    QCoreApplication::setOrganizationName("KalvoTest");
    QCoreApplication::setApplicationName("Rollen");
    QSettings().clear();
    CMainFrame rahmen;
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    rahmen.resize(900, 500);
    rahmen.show();
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    rahmen.Befehl(ID::Text)->trigger();
    auto* bericht = rahmen.findChild<CKalvoViewWidget*>();
    ASSERT_NE(bericht, nullptr);
    EXPECT_EQ(bericht->verticalScrollBar()->value(), 0);
    rahmen.Befehl(ID::Deckung)->trigger();
    const int gerollt = bericht->verticalScrollBar()->value();
    EXPECT_GT(gerollt, 0); // the coverage table's heading at the top of the window
    rahmen.Befehl(ID::Text)->trigger();
    EXPECT_EQ(bericht->verticalScrollBar()->value(), gerollt);
    QSettings().clear();
}

// "Verträge…": a block pasted from a German spreadsheet fills the
// quantities from the chosen cell; a bad cell keeps the dialog open with its
// message; OK is one step to undo, and the report shows the contract.
TEST(Hauptfenster, TheContractsTableTakesAPastedBlockAndIsOneStep)
{
    QCoreApplication::setOrganizationName("KalvoTest");
    QCoreApplication::setApplicationName("Vertraege");
    QSettings().clear();
    CMainFrame rahmen;
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    CKalvoDoc& doc = rahmen.Dokument();
    const struct {
        QString block;
        bool eingefuegt;
        QString zelle; // typed over the first year after the paste; "" for none
        bool angenommen;
    } faelle[] = {
        {"L-Gas\tH-Gas\n800,5\t9000\n790\t8800\n", true, "", true},
        {"800,5\t28.000\n", false, "", true},   // a point under decimal commas: refused, the table as it was
        {"800\t9000\n", true, "14.000", false}, // typed: a thousands point refused on OK
    };
    for (const auto& f : faelle) {
        CMeldungenSchliessen antworten;
        CPlanung plan;
        plan.vertraege = {CVertrag{"L-Gas", EGasart::L, true, {}, MonateNachTagen(), 1},
                          CVertrag{"H-Gas", EGasart::H, true, {}, MonateNachTagen(), 1}};
        CVertraegeDialog dialog(plan, doc.m_iProjektstart, doc.m_iProjektende);
        auto* mengen = dialog.findChild<QTableWidget*>("Mengen");
        ASSERT_NE(mengen, nullptr);
        mengen->setCurrentCell(1, 0); // 2003
        EXPECT_EQ(dialog.Einfuegen(f.block), f.eingefuegt) << f.block.toStdString();
        if (!f.zelle.isEmpty())
            mengen->item(1, 1)->setText(f.zelle);
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, f.angenommen) << f.block.toStdString();
        if (f.eingefuegt && f.angenommen) {
            const CVertrag& l = dialog.Planung().vertraege[0];
            EXPECT_EQ(l.mengen.at(2003), 800.5);
            EXPECT_EQ(l.mengen.at(2004), 790);
            EXPECT_FALSE(l.mengen.contains(2002));
            EXPECT_EQ(dialog.Planung().vertraege[1].mengen.at(2004), 8800);
        }
    }

    // Through the menu: the dialog accepted as it stands with a quantity pasted.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CVertraegeDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->findChildren<QPushButton*>().first()->click(); // Vertrag hinzufügen: L-Gas
        auto* mengen = dialog->findChild<QTableWidget*>("Mengen");
        mengen->setCurrentCell(0, 0);
        dialog->Einfuegen("800\n800\n");
        dialog->accept();
    });
    const std::vector<std::string> vorher = doc.m_saBericht;
    rahmen.Befehl(ID::Vertraege)->trigger();
    ASSERT_TRUE(doc.Planung().has_value());
    ASSERT_EQ(doc.Planung()->vertraege.size(), 1u);
    EXPECT_EQ(doc.Planung()->vertraege[0].mengen.at(2003), 800);
    EXPECT_EQ(rahmen.Befehl(ID::Rueckgaengig)->text(), "Rückgängig: Verträge");
    EXPECT_NE(std::find(doc.m_saBericht.begin(), doc.m_saBericht.end(), "                 LIEFERUNG NACH VERTRAG"),
              doc.m_saBericht.end());
    EXPECT_NE(rahmen.windowTitle().indexOf("Planung: Verträge L-Gas (L)"), -1) << rahmen.windowTitle().toStdString();
    rahmen.Befehl(ID::Rueckgaengig)->trigger();
    EXPECT_FALSE(doc.Planung().has_value());
    EXPECT_EQ(doc.m_saBericht, vorher);
    QSettings().clear();
}

// With the plan's dispatch the field table shows each field's rank, plant
// and end; without it the table keeps its columns.
TEST(Hauptfenster, TheFieldTableShowsRankPlantAndAbandonment)
{
    CMainFrame rahmen;
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    CKalvoDoc& doc = rahmen.Dokument();
    const auto kopf = [](const CFeldtabelleFenster& f) {
        const auto* t = f.findChild<QTableWidget*>();
        QStringList namen;
        for (int c = 0; c < t->columnCount(); ++c)
            namen << t->horizontalHeaderItem(c)->text();
        return namen;
    };
    EXPECT_FALSE(kopf(CFeldtabelleFenster(doc, [](int) {})).contains("Rang"));
    CPlanung plan;
    plan.anlagen = {{"Sauergasanlage", 300, {"Wesermarsch"}}};
    plan.feldVorgaben = {{"Emsland_Tief", {2, 0, 300, 0}}};
    doc.PlanungAendern(plan);
    EXPECT_EQ(doc.Planungszeile(), "Planung: Verteilung lieferbar; Anlagen Sauergasanlage");
    const CFeldtabelleFenster fenster(doc, [](int) {});
    const QStringList namen = kopf(fenster);
    ASSERT_TRUE(namen.contains("Rang") && namen.contains("Anlage") && namen.contains("Aufgabe"))
        << namen.join(",").toStdString();
    const auto* t = fenster.findChild<QTableWidget*>();
    for (int r = 0; r < t->rowCount(); ++r) {
        const QString feld = t->item(r, 1)->text();
        const QString rang = t->item(r, int(namen.indexOf("Rang")))->text();
        const QString anlage = t->item(r, int(namen.indexOf("Anlage")))->text();
        const QString aufgabe = t->item(r, int(namen.indexOf("Aufgabe")))->text();
        EXPECT_EQ(rang, feld == "Emsland_Tief" ? "2" : "") << feld.toStdString();
        EXPECT_EQ(anlage, feld == "Wesermarsch" ? "Sauergasanlage" : "") << feld.toStdString();
        if (feld == "Emsland_Tief") {
            EXPECT_TRUE(aufgabe.contains(": Lagerstättendruck")) << aufgabe.toStdString();
        } else {
            EXPECT_EQ(aufgabe, "–") << feld.toStdString();
        }
    }
}

// Planung › Szenarien…: a scenario added in the dialog is one step to undo;
// "Alle rechnen" runs it in the background, the report shows SZENARIEN and
// the chart switches to the scenarios' lines.
TEST(Hauptfenster, ScenariosAreAddedRunAndUndone)
{
    QCoreApplication::setOrganizationName("KalvoTest");
    QCoreApplication::setApplicationName("Szenarien");
    QSettings().clear();
    CMainFrame rahmen;
    COhneDialog ohne;
    rahmen.Datenbefehle().SetDialoge(&ohne);
    rahmen.resize(900, 500);
    rahmen.show();
    ASSERT_TRUE(rahmen.DateiOeffnen(KALVO_BEISPIEL));
    CKalvoDoc& doc = rahmen.Dokument();
    rahmen.Befehl(ID::Text)->trigger();
    auto* bericht = rahmen.findChild<CKalvoViewWidget*>();
    ASSERT_NE(bericht, nullptr);
    // OK without a scenario changes nothing: no empty plan, no step.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<CSzenarienDialog*>(QApplication::activeModalWidget()))
            dialog->accept();
    });
    rahmen.Befehl(ID::Szenarien)->trigger();
    EXPECT_FALSE(doc.Planung().has_value());
    EXPECT_FALSE(doc.IsModified());
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CSzenarienDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->Hinzufuegen("Heidemoor später");
        auto* tabelle = dialog->findChild<QTableWidget*>("Aenderungen");
        for (QPushButton* k : dialog->findChildren<QPushButton*>())
            if (k->text() == "&Zeile hinzufügen")
                k->click();
        tabelle->item(0, 1)->setText("Heidemoor");
        tabelle->item(0, 2)->setText("Startverzoegerung");
        tabelle->item(0, 3)->setText("2");
        dialog->findChild<QPushButton*>("Rechnen")->click();
    });
    rahmen.Befehl(ID::Szenarien)->trigger();
    ASSERT_TRUE(doc.Planung().has_value());
    ASSERT_EQ(doc.Planung()->szenarien.size(), 1u);
    EXPECT_EQ(AenderungText(doc.Planung()->szenarien[0].aenderungen.at(0)), "Heidemoor: Startverzoegerung = 2");
    EXPECT_EQ(rahmen.Befehl(ID::Rueckgaengig)->text(), "Rückgängig: Szenarien");
    ASSERT_TRUE(doc.m_Szenarien.has_value());
    ASSERT_EQ(doc.m_Szenarien->zeilen.size(), 2u);
    EXPECT_NE(std::find(doc.m_saBericht.begin(), doc.m_saBericht.end(), "                 SZENARIEN (2002-2030)"),
              doc.m_saBericht.end());
    // The new table's heading is in the report's window.
    const auto titel =
        std::find(doc.m_saBericht.begin(), doc.m_saBericht.end(), "                 SZENARIEN (2002-2030)");
    const int zeile = static_cast<int>(titel - doc.m_saBericht.begin()) * bericht->verticalScrollBar()->singleStep();
    const int oben = bericht->verticalScrollBar()->value();
    EXPECT_GE(zeile, oben);
    EXPECT_LE(zeile, oben + bericht->viewport()->height());
    EXPECT_TRUE(rahmen.Befehl(ID::SzenarienGrafik)->isChecked());
    EXPECT_TRUE(doc.m_bSzenarienGrafik);
    EXPECT_TRUE(rahmen.statusBar()->currentMessage().startsWith("1 Szenario gerechnet: Tabelle SZENARIEN"))
        << rahmen.statusBar()->currentMessage().toStdString();
    rahmen.Befehl(ID::Rueckgaengig)->trigger();
    EXPECT_FALSE(doc.Planung().has_value() && !doc.Planung()->szenarien.empty());
    QSettings().clear();
}
