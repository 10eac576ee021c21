#include "widgets/CDlgInputWidget.h"

#include "dialogs/CDlgInput.h"
#include "widgets/CDlgWasserinvasionWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace IDC_Input;

namespace {

struct CEingabe {
    int id;
    int x, y, w, h;
    const char* beschriftung; // label on the row of the edit (nullptr: none)
    int lx;                   // x of that label
};

// The edits in tab order with their labels.
// clang-format off
const CEingabe kEingaben[] = {
    {Feld, 23, 0, 78, 14, "Feld", 7},
    {Startjahr, 135, 0, 40, 14, "Startjahr", 105},
    {LetztesJahr, 219, 0, 40, 14, "Letztes Jahr", 178},
    {H2S, 7, 33, 40, 14, nullptr, 0}, {CO2, 47, 33, 40, 14, nullptr, 0}, {N2, 88, 33, 40, 14, nullptr, 0},
    {CH4, 127, 33, 40, 14, nullptr, 0}, {C2H6, 167, 34, 40, 14, nullptr, 0}, {C3H8, 207, 34, 40, 14, nullptr, 0},
    {iC4H10, 247, 34, 40, 14, nullptr, 0}, {nC4H10, 287, 34, 40, 14, nullptr, 0},
    {iC5H12, 7, 58, 40, 14, nullptr, 0}, {nC5H12, 47, 58, 40, 14, nullptr, 0}, {C6H14, 87, 58, 40, 14, nullptr, 0},
    {C7H16, 128, 57, 40, 14, nullptr, 0}, {C8H18, 169, 57, 40, 14, nullptr, 0}, {C9H20, 209, 58, 40, 14, nullptr, 0},
    {C10H22, 249, 58, 40, 14, nullptr, 0},
    {Tcel, 119, 77, 40, 14, "Lagerstättentemperatur ( °C )", 7},
    {Kopftemperatur, 249, 76, 40, 14, "Kopftemperatur ( °C )", 164},
    {OGIP, 119, 91, 40, 14, "OGIP ( Mio m3 )", 7},
    {Pi, 249, 90, 40, 14, "Initialdruck ( Bar )", 164},
    {PermH, 119, 105, 40, 14, "Horizont.Permeabilität ( mD )", 7},
    {PermV, 249, 104, 40, 14, "Vert.Permeabilität ( mD )", 164},
    {MaechtigkeitB, 119, 119, 40, 14, "Bankrechte Mächtigkeit (m )", 7},
    {MaechtigkeitE, 250, 118, 40, 14, "Erbohrte Mächtigkeit ( m ) ", 165},
    {Einflussradius, 119, 132, 40, 14, "Einflussradius (m )", 7},
    {Teufe, 249, 132, 40, 14, "Lagerstättenteufe ( m )", 164},
    {SteigrohrDi, 119, 146, 40, 14, "Steigrohrdurchmesser ( cm )", 7},
    {Horizontallaenge, 249, 146, 40, 14, "Horizontalbohrlänge ( m )", 164},
    {KumProd, 119, 160, 40, 14, "Kum.Anfangsproduktion ( Mio m3 )", 7},
    {Kopfdruck, 249, 160, 40, 14, "Kopffliessdruck ( Bar )", 164},
    {Bohrungen, 119, 174, 40, 14, "Bohrungsanzahl", 7},
    {MaxRate, 249, 174, 40, 14, "Max.Entnahmerate (m3/h)", 164},
    {Wasserinvasion, 119, 188, 40, 14, "Max. Wasserinvasion ( % )", 7},
    {Foerderstunden, 249, 188, 40, 14, "Förderstunden je Jahr", 164},
    {Referenzdruck, 119, 202, 40, 14, "Druck beim C-Wert ( Bar )", 7},
    {KonsAnteil, 250, 202, 40, 14, "Konsortialanteil ( % )", 165},
};
// clang-format on

} // namespace

CDlgInputWidget::CDlgInputWidget(CDlgInput& dlg, QWidget* eltern) : CDialogFenster(eltern), m_Dlg(dlg)
{
    setWindowTitle("Dialogfeld zur Dateneingabe");
    GroesseSetzen(370, 330);
    Anlegen();
    m_Dlg.m_fnWasserinvasion = [this](float we) {
        CDlgWasserinvasionWidget fenster(we, this);
        fenster.exec();
    };
    Ausfuehren([this] { m_Dlg.OnInitDialog(); });
}

void CDlgInputWidget::Anlegen()
{
    CDlgInput& d = m_Dlg;
    for (const auto& e : kEingaben) {
        Eingabe(e.id, e.x, e.y, e.w, e.h);
        if (e.beschriftung)
            Text(QString::fromUtf8(e.beschriftung), e.lx, e.y + 2);
        if (e.id == KonsAnteil) // the proposal comes before the three inputs it is for
            Knopf(ComputeAbc, "A1,B1,C-Wert berechnen", 277, 232, 86, 14, [&d] { d.OnComputeAbc(); });
    }
    Eingabe(A1, 21, 229, 40, 14);
    Eingabe(B1, 76, 229, 40, 14);
    Eingabe(CWert, 142, 228, 40, 14);
    Eingabe(ZeileAbJahr, 7, 278, 33, 14);
    Eingabe(ZeileFoerderstunden, 42, 279, 39, 14);
    Eingabe(ZeileKopfdruck, 81, 278, 40, 14);
    Eingabe(ZeileBohrungen, 121, 279, 40, 14);
    Eingabe(ZeileCWert, 161, 278, 40, 14);
    Eingabe(ZeileKonsAnteil, 202, 278, 40, 14);
    auto* zeilen = Liste(ZeilenListe, 7, 293, 236, 30);
    auto* felder = Liste(FeldListe, 300, 286, 63, 37);
    Knopf(FeldAnhaengen, "Feld anhängen", 246, 282, 50, 14, [&d] { d.FeldAnhaengen(); });
    Knopf(FeldAendern, "Feld ändern", 246, 295, 50, 14, [&d] { d.FeldAendern(); });
    Knopf(FeldLoeschen, "Feld löschen", 246, 309, 50, 14, [&d] { d.FeldLoeschen(); });
    Knopf(OK, "OK", 313, 0, 50, 14, [this] {
        m_Dlg.OnOK();
        if (m_Dlg.m_Ende == CDlgInput::EEnde::OK)
            QMetaObject::invokeMethod(
                this, [this] { QDialog::accept(); }, Qt::QueuedConnection);
    });
    Knopf(Abbrechen, "Abbrechen", 263, 0, 50, 14, [this] {
        QMetaObject::invokeMethod(
            this, [this] { reject(); }, Qt::QueuedConnection);
    });
    Knopf(Gaseigenschaften, "Gaseigenschaften", 296, 58, 67, 14, [&d] { d.OnGaseigenschaften(); });
    auto* gruppe = new QGroupBox("Grafik mit", this);
    gruppe->setGeometry(Rechteck(303, 103, 60, 40));
    gruppe->lower();
    auto* radios = new QButtonGroup(this);
    radios->addButton(Radio(Produktion, "Produktion", 307, 113, 50, 10));
    radios->addButton(Radio(Rate, "Rate", 307, 125, 31, 10));
    auto* detail = Haken(Detailausgabe, "Detailausgabe", 295, 76, 61, 10);
    Knopf(Einzelfeld, "Einzelfeldberechnung", 278, 218, 85, 14, [&d] { d.OnEinzelfeldberechnung(); });
    auto* druck = Haken(Druckabhaengig, "Faktoren druckabhängig", 183, 230, 93, 10);
    Knopf(IDC_Input::ZeileAendern, "Zeile ändern", 7, 247, 50, 14, [&d] { d.ZeileAendern(); });
    Text("", 59, 247, 75, 12, ZeileStatus, true);
    Text("", 263, 262, 100, 13, FeldStatus, true);
    Text("", 230, 250, 133, 8, Vorschlag);
    // Takes the proposal into A1, B1, C-Wert; shown only while there is one.
    Knopf(VorschlagUebernehmen, "Übernehmen", 178, 247, 48, 12, [&d] {
        d.OnVorschlagUebernehmen();
    })->setToolTip("A1, B1 und C-Wert aus dem Vorschlag übernehmen");
    Knopf(WasserinvasionGrafik, "Wasserinvasion", 301, 161, 62, 14, [&d] { d.OnWasserinvasion(); });
    auto* reserven = Haken(Feldesreserven, "Feldesreserven", 295, 87, 64, 10);

    // Fixed labels.
    Text("GASZUSAMMENSETZUNG", 7, 16);
    m_pVerkaufsgas = Text("", 112, 16, 251, 8);
    m_pVerkaufsgas->setToolTip("Brennwert Hs,n und Wobbe-Index Ws,n des Verkaufsgases (ohne H2S und CO2) nach "
                               "ISO 6976 bei 25 °C / 0 °C, Gasgruppe nach DVGW G 260");
    Text("      H2S              CO2             N2               CH4           C2H6            C3H8         "
         "iC4H10        nC4H19",
         7, 24);
    Text("   iC5H12         nC5H12       C6H14         C7H16         C8H18          C9H20        C10H22", 7, 49);
    Text("DRUCKVERLUSTFAKTOREN", 7, 220);
    Text("A1", 7, 230);
    Text("B1", 65, 231);
    Text("C-Wert", 118, 231);
    Text("FELDAUSWAHL", 308, 276);
    Text("Ab Jahr", 13, 265);
    Text("Förder-", 51, 262);
    Text("stunden", 49, 270);
    Text("Kopf-", 90, 263);
    Text("druck", 90, 270);
    Text("Bohrungs-", 128, 263);
    Text("anzahl", 131, 270);
    Text("C-Wert", 167, 266);
    Text("Konsortial-", 206, 263);
    Text("anteil", 212, 271);

    // Events.
    connect(zeilen, &QListWidget::currentRowChanged, this, [this](int r) { m_Dlg.m_lbZeilen.SetCurSel(r); });
    connect(felder, &QListWidget::currentRowChanged, this, [this](int r) { m_Dlg.m_lbFelder.SetCurSel(r); });
    connect(zeilen, &QListWidget::itemDoubleClicked, this, [this, &d] { Ausfuehren([&d] { d.ZeileAuswaehlen(); }); });
    connect(felder, &QListWidget::itemDoubleClicked, this, [this, &d] { Ausfuehren([&d] { d.FeldAuswaehlen(); }); });
    connect(druck, &QCheckBox::clicked, this, [this, &d] { Ausfuehren([&d] { d.OnDruckabhaengig(); }); });
    connect(detail, &QCheckBox::clicked, this, [this, &d] { Ausfuehren([&d] { d.OnDetailausgabe(); }); });
    connect(reserven, &QCheckBox::clicked, this, [this, &d] { Ausfuehren([&d] { d.OnFeldesreserven(); }); });
    for (int id = H2S; id <= C10H22; ++id) {
        BeiFokusverlust(id, [&d] { d.OnKillFocusZusammensetzung(); });
        connect(qobject_cast<QLineEdit*>(Element(id)), &QLineEdit::textChanged, this, [this] { VerkaufsgasZeigen(); });
    }
    BeiFokusverlust(LetztesJahr, [&d] { d.OnKillFocusLetztesJahr(); });
    for (int id : {Startjahr, Foerderstunden, Kopfdruck, Bohrungen, KonsAnteil, CWert})
        BeiFokusverlust(id, [&d] { d.OnKillFocusKopfwerte(); });
    BeiFokusverlust(Pi, [&d] { d.OnKillFocusInitialdruck(); });
    BeiFokusverlust(Referenzdruck, [&d] { d.OnKillFocusReferenzdruck(); });
    BeiFokusverlust(Wasserinvasion, [&d] { d.OnKillFocusWasserinvasion(); });
    BeiFokusverlust(Feld, [&d] { d.OnKillFocusFeldname(); });
}

void CDlgInputWidget::VerkaufsgasZeigen()
{
    std::array<std::string, kAnzahlKomponenten> texte;
    for (int id = H2S; id <= C10H22; ++id)
        texte[static_cast<size_t>(id - H2S)] = qobject_cast<QLineEdit*>(Element(id))->text().toStdString();
    TextEinpassen(m_pVerkaufsgas, QString::fromStdString(VerkaufsgasAnzeige(texte)));
}

void CDlgInputWidget::TexteHolen()
{
    auto& a = m_Dlg.m_Austausch;
    for (auto it = m_Elemente.cbegin(); it != m_Elemente.cend(); ++it) {
        if (auto* e = qobject_cast<QLineEdit*>(it.value()))
            a.m_Texte[it.key()] = e->text().toStdString();
        else if (auto* l = qobject_cast<QLabel*>(it.value()))
            a.m_Texte[it.key()] = l->text().toStdString();
        else if (auto* c = qobject_cast<QAbstractButton*>(it.value()); c && c->isCheckable())
            a.m_Haken[it.key()] = c->isChecked() ? 1 : 0;
    }
}

namespace {

void ListeZeigen(QListWidget* liste, const CListBox& modell)
{
    QStringList eintraege;
    for (const auto& e : modell.Eintraege())
        eintraege << QString::fromStdString(e);
    const QSignalBlocker sperre(liste);
    QStringList jetzt;
    for (int i = 0; i < liste->count(); ++i)
        jetzt << liste->item(i)->text();
    if (jetzt != eintraege) {
        liste->clear();
        liste->addItems(eintraege);
    }
    liste->setCurrentRow(modell.GetCurSel());
    if (modell.GetCurSel() < 0)
        liste->clearSelection();
}

} // namespace

void CDlgInputWidget::TexteZeigen()
{
    auto& a = m_Dlg.m_Austausch;
    for (auto it = m_Elemente.cbegin(); it != m_Elemente.cend(); ++it) {
        const QString text = QString::fromStdString(a.m_Texte[it.key()]);
        if (auto* e = qobject_cast<QLineEdit*>(it.value())) {
            if (e->text() != text)
                e->setText(text);
        } else if (auto* l = qobject_cast<QLabel*>(it.value())) {
            TextEinpassen(l, text);
        } else if (auto* c = qobject_cast<QAbstractButton*>(it.value()); c && c->isCheckable()) {
            c->setChecked(a.m_Haken[it.key()] != 0);
        }
    }
    Element(VorschlagUebernehmen)->setVisible(m_Dlg.m_bVorschlagDa);
    ListeZeigen(qobject_cast<QListWidget*>(Element(FeldListe)), m_Dlg.m_lbFelder);
    ListeZeigen(qobject_cast<QListWidget*>(Element(ZeilenListe)), m_Dlg.m_lbZeilen);
    if (a.m_iFokus) {
        // After the focus change under way, not inside it.
        if (QWidget* w = Element(a.m_iFokus))
            QMetaObject::invokeMethod(
                w,
                [w] {
                    w->setFocus(Qt::OtherFocusReason);
                    if (auto* e = qobject_cast<QLineEdit*>(w))
                        e->selectAll();
                },
                Qt::QueuedConnection);
        a.m_iFokus = 0;
    }
}

void CDlgInputWidget::reject()
{
    m_Dlg.OnCancel();
    QDialog::reject();
}
