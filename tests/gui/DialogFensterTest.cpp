#include "Testdaten.h"
#include "dialogs/CDlgInput.h"
#include "dialogs/DlgVerkauf.h"
#include "platform/Format.h"
#include "platform/Meldungen.h"
#include "widgets/CDlgInputWidget.h"
#include "widgets/CDlgWasserinvasionWidget.h"
#include "widgets/DlgVerkaufWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <clocale>

#include <gtest/gtest.h>

namespace {

template <class T>
T* Element(CDialogFenster& f, int id)
{
    return qobject_cast<T*>(f.Element(id));
}

// Types into an edit and leaves it with Tab, as a user does.
void Tippen(CDialogFenster& f, int id, const QString& text, int naechstes)
{
    auto* e = Element<QLineEdit>(f, id);
    e->setFocus(Qt::MouseFocusReason);
    e->selectAll();
    QTest::keyClicks(e, text);
    f.Element(naechstes)->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
}

void Bild(QWidget& w, const char* name)
{
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(name));
}

} // namespace

TEST(DialogFenster, FieldDataDialogTakesTypingFocusAndClicks)
{
    CAufgezeichneteMeldungen m;
    CDlgInput dlg(m);
    CFeldwerte b = FeldA();
    b.m_sFeldname = "Beta";
    dlg.m_saFelder = {Feldsatz(b), Feldsatz(FeldA())};
    dlg.m_Feld.m_iFoerderbeginn = 2003;
    dlg.m_iProjektende = 2030;
    dlg.m_iGrafikRate = 0;
    CDlgInputWidget fenster(dlg);
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    auto* liste = Element<QListWidget>(fenster, IDC_Input::FeldListe);
    ASSERT_EQ(liste->count(), 2);
    EXPECT_TRUE(liste->item(0)->text().startsWith("Beta "));
    EXPECT_EQ(Element<QLineEdit>(fenster, IDC_Input::Feld)->text(), "Beta");

    // Leaving "Initialdruck" sets the pressure of the C-Wert.
    Tippen(fenster, IDC_Input::Pi, "250", IDC_Input::OGIP);
    EXPECT_EQ(Element<QLineEdit>(fenster, IDC_Input::Referenzdruck)->text(), "250");

    // Enter does not close the dialog.
    QTest::keyClick(Element<QLineEdit>(fenster, IDC_Input::OGIP), Qt::Key_Return);
    EXPECT_TRUE(fenster.isVisible());

    // A new name, then "Feld anhängen": the question, and the list grows in order.
    Tippen(fenster, IDC_Input::Feld, "Mitte", IDC_Input::Startjahr);
    QTest::mouseClick(Element<QPushButton>(fenster, IDC_Input::FeldAnhaengen), Qt::LeftButton);
    EXPECT_EQ(m.m_saTexte.back(), "Soll das Feld Mitte angehängt werden?");
    ASSERT_EQ(liste->count(), 3);
    EXPECT_TRUE(liste->item(2)->text().startsWith("Mitte "));
    EXPECT_EQ(Element<QLabel>(fenster, IDC_Input::FeldStatus)->text(), "3.Feld wurde angehängt");

    // A refused value: the standard message and the focus back on the control.
    Tippen(fenster, IDC_Input::Bohrungen, "200", IDC_Input::MaxRate);
    EXPECT_EQ(m.m_saTexte.back(), "Geben Sie eine ganze Zahl zwischen 1 und 100 ein.");
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), fenster.Element(IDC_Input::Bohrungen))
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "keins");
    Tippen(fenster, IDC_Input::Bohrungen, "6", IDC_Input::MaxRate);

    // Double-click loads a field.
    liste->scrollToItem(liste->item(1));
    const QRect zeile = liste->visualItemRect(liste->item(1));
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, zeile.center());
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, zeile.center());
    EXPECT_EQ(Element<QLineEdit>(fenster, IDC_Input::Feld)->text(), "FeldA");
    EXPECT_EQ(Element<QLabel>(fenster, IDC_Input::FeldStatus)->text(), "2.Feld ausgewählt");
    Bild(fenster, "dlg_feldeingabe.png");

    QTest::mouseClick(Element<QPushButton>(fenster, IDC_Input::OK), Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(fenster.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_saFelder.size(), 3u);
    EXPECT_EQ(dlg.m_bGeaendert, 1);
}

// Text that is no number in an edit must not hold the user in the dialog:
// clicking "Abbrechen" leaves at once, without the number message.
TEST(DialogFenster, AbbrechenLeavesAlsoWithInvalidTextInAnEdit)
{
    CAufgezeichneteMeldungen m;
    CDlgInput dlg(m);
    dlg.m_saFelder = {Feldsatz(FeldA())};
    dlg.m_Feld.m_iFoerderbeginn = 2003;
    dlg.m_iProjektende = 2030;
    CDlgInputWidget fenster(dlg);
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    auto* ogip = Element<QLineEdit>(fenster, IDC_Input::OGIP);
    ogip->setFocus(Qt::MouseFocusReason);
    ogip->selectAll();
    QTest::keyClicks(ogip, "abc");
    m.m_saTexte.clear();
    QTest::mouseClick(Element<QPushButton>(fenster, kIdAbbrechen), Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(fenster.result(), QDialog::Rejected);
    EXPECT_FALSE(fenster.isVisible());
    EXPECT_TRUE(m.m_saTexte.empty()) << m.m_saTexte.front();
    EXPECT_EQ(dlg.m_Ende, CDlgInput::EEnde::Abbrechen);
}

TEST(DialogFenster, ProfileDialogAppendsTypedLines)
{
    CAufgezeichneteMeldungen m;
    DlgVerkauf dlg(m);
    dlg.m_iProjektstart = 2002;
    dlg.m_iProjektende = 2030;
    DlgVerkaufWidget fenster(dlg);
    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    EXPECT_EQ(fenster.windowTitle(), "Verkaufsprofil eingeben");
    EXPECT_EQ(Element<QLabel>(fenster, IDC_Verkauf::Kopf)->text(), "Startjahr: 2002 Projektende: 2030");
    for (const char* zeile : {"2002 95 13000", "2003 96 13100"}) {
        auto* e = Element<QLineEdit>(fenster, IDC_Verkauf::Zeile);
        e->clear();
        QTest::keyClicks(e, zeile);
        QTest::mouseClick(Element<QPushButton>(fenster, IDC_Verkauf::ZeileAnhaengen), Qt::LeftButton);
    }
    auto* liste = Element<QListWidget>(fenster, IDC_Verkauf::Liste);
    ASSERT_EQ(liste->count(), 2);
    EXPECT_EQ(liste->item(1)->text(), "2003          96.0       13100.0");
    EXPECT_EQ(Element<QLabel>(fenster, IDC_Verkauf::Status)->text(), "Die 2.Zeile wurde ausgewählt");
    Bild(fenster, "dlg_verkaufsprofil.png");
    QTest::keyClick(&fenster, Qt::Key_Escape);
    EXPECT_EQ(fenster.result(), QDialog::Rejected);
}

TEST(DialogFenster, WaterInvasionChartPaints)
{
    CDlgWasserinvasionWidget fenster(35.0f);
    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    const QImage bild = fenster.grab().toImage();
    EXPECT_TRUE(bild.save("dlg_wasserinvasion.png"));
    // The red decline line crosses the middle of the panel.
    bool rot = false;
    for (int y = 0; y < bild.height() && !rot; ++y) {
        const QColor c = bild.pixelColor(bild.width() / 2, y);
        rot = c.red() > 200 && c.green() < 80 && c.blue() < 80;
    }
    EXPECT_TRUE(rot);
}

TEST(DialogFenster, ProposalButtonStandsInTheTabOrderBeforeA1)
{
    CStilleMeldungen m;
    CDlgInput dlg(m);
    dlg.m_Feld.m_iFoerderbeginn = 2003;
    dlg.m_iProjektende = 2030;
    CDlgInputWidget fenster(dlg);
    // The next control that Tab reaches (labels take no focus).
    const auto naechster = [](QWidget* w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    EXPECT_EQ(naechster(fenster.Element(IDC_Input::KonsAnteil)), fenster.Element(IDC_Input::ComputeAbc));
    EXPECT_EQ(naechster(fenster.Element(IDC_Input::ComputeAbc)), fenster.Element(IDC_Input::A1));
}

TEST(DialogFenster, DecimalCommaTypedUnderAGermanLocale)
{
    const std::string alt = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    CAufgezeichneteMeldungen m;
    CDlgInput dlg(m);
    dlg.m_saFelder = {Feldsatz(FeldA())};
    dlg.m_Feld.m_iFoerderbeginn = 2003;
    dlg.m_iProjektende = 2030;
    dlg.m_iGrafikRate = 0;
    CDlgInputWidget fenster(dlg);
    fenster.show();
    fenster.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenster));
    Tippen(fenster, IDC_Input::Wasserinvasion, "0,5", IDC_Input::Foerderstunden);
    EXPECT_EQ(dlg.m_Feld.m_fWasserinvasion, 0.5f);
    EXPECT_EQ(m.m_saTexte, std::vector<std::string>{});
    // Shown again with a point, as files and reports write it.
    EXPECT_EQ(Element<QLineEdit>(fenster, IDC_Input::Pi)->text(), "380");
    EXPECT_EQ(Element<QLineEdit>(fenster, IDC_Input::CWert)->text(), "0.0125");
    std::setlocale(LC_ALL, alt.c_str());
}

TEST(DialogFenster, TakeOverButtonShowsOnlyWithAProposal)
{
    CAufgezeichneteMeldungen m;
    m.m_bAntworten = {true};
    CDlgInput dlg(m);
    dlg.m_saFelder = {Feldsatz(FeldA())};
    dlg.m_Feld.m_iFoerderbeginn = 2003;
    dlg.m_iProjektende = 2030;
    dlg.m_iGrafikRate = 0;
    CDlgInputWidget fenster(dlg);
    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    auto* uebernehmen = Element<QPushButton>(fenster, IDC_Input::VorschlagUebernehmen);
    EXPECT_FALSE(uebernehmen->isVisible());
    QTest::mouseClick(Element<QPushButton>(fenster, IDC_Input::ComputeAbc), Qt::LeftButton);
    EXPECT_TRUE(uebernehmen->isVisible());
    EXPECT_FALSE(Element<QLabel>(fenster, IDC_Input::Vorschlag)->text().isEmpty());
    QTest::mouseClick(uebernehmen, Qt::LeftButton);
    EXPECT_EQ(Element<QLineEdit>(fenster, IDC_Input::A1)->text(),
              QString::fromStdString(Format("%.6g", double(dlg.m_fVorschlagA1))));
    Bild(fenster, "dialog_vorschlag.png");
}

TEST(DialogFenster, ProfileDialogTakesEnterAndAPastedProfile)
{
    CAufgezeichneteMeldungen m; // answers Yes
    DlgVerkauf dlg(m);
    dlg.m_iProjektstart = 2002;
    dlg.m_iProjektende = 2030;
    DlgVerkaufWidget fenster(dlg);
    fenster.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    auto* e = Element<QLineEdit>(fenster, IDC_Verkauf::Zeile);
    e->setFocus();
    QTest::keyClicks(e, "2002 190,5 25000");
    QTest::keyClick(e, Qt::Key_Return);
    auto* liste = Element<QListWidget>(fenster, IDC_Verkauf::Liste);
    ASSERT_EQ(liste->count(), 1);
    EXPECT_EQ(liste->item(0)->text(), "2002         190.5       25000.0");
    EXPECT_TRUE(fenster.isVisible()); // Enter appended, it did not close the dialog

    QGuiApplication::clipboard()->setText("2002\t95,5\t13000\n2003\t96\t13100\n");
    QTest::mouseClick(Element<QPushButton>(fenster, IDC_Verkauf::Einfuegen), Qt::LeftButton);
    ASSERT_EQ(liste->count(), 2);
    EXPECT_EQ(liste->item(1)->text(), " 2003           96.0       13100.0");
    EXPECT_EQ(m.m_saTexte.back(), "2 Zeilen wurden eingefügt");
}
