#include "widgets/CFeldtabelleFenster.h"

#include "doc/CKalvoDoc.h"

#include <QHeaderView>

#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// A cell that sorts by its number and shows it in the desktop's locale.
QTableWidgetItem* Zahl(double wert, int stellen)
{
    auto* zelle = new QTableWidgetItem;
    // Years and counts without a thousands separator; quantities as the desktop writes them.
    zelle->setData(Qt::DisplayRole, stellen == 0 ? QString::number(static_cast<long long>(wert))
                                                 : QLocale().toString(wert, 'f', stellen));
    zelle->setData(Qt::UserRole, wert);
    zelle->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return zelle;
}

// Sorting by the number, not by the shown text.
class CZahlZelle : public QTableWidgetItem {
public:
    bool operator<(const QTableWidgetItem& b) const override
    {
        const QVariant x = data(Qt::UserRole), y = b.data(Qt::UserRole);
        if (x.isValid() && y.isValid())
            return x.toDouble() < y.toDouble();
        return QTableWidgetItem::operator<(b);
    }
};

QTableWidgetItem* Sortierbar(QTableWidgetItem* zelle)
{
    auto* z = new CZahlZelle;
    *static_cast<QTableWidgetItem*>(z) = *zelle;
    delete zelle;
    return z;
}

} // namespace

// Rank (empty for none), plant and the year the field was abandoned ("–": not within the project).
void CFeldtabelleFenster::Verteilungsspalten(const CKalvoDoc& d, std::string_view name, int r, int& k)
{
    const CPlanung& plan = *d.Planung();
    const auto vorgabe = plan.feldVorgaben.find(std::string(name));
    const int rang = vorgabe != plan.feldVorgaben.end() ? vorgabe->second.rang : 0;
    m_pTabelle->setItem(r, k++, rang > 0 ? Sortierbar(Zahl(rang, 0)) : new QTableWidgetItem);
    QString anlage;
    for (const CAnlage& a : plan.anlagen)
        if (std::find(a.felder.begin(), a.felder.end(), name) != a.felder.end())
            anlage = QString::fromStdString(a.name);
    m_pTabelle->setItem(r, k++, new QTableWidgetItem(anlage));
    QString aufgabe;
    for (const CAufgabe& a : d.m_Aufgaben)
        if (a.feld == name)
            aufgabe = a.jahr > 0 ? QString("%1: %2").arg(a.jahr).arg(QString::fromStdString(a.grund)) : "–";
    m_pTabelle->setItem(r, k++, new QTableWidgetItem(aufgabe));
}

CFeldtabelleFenster::CFeldtabelleFenster(const CKalvoDoc& d, std::function<void(int)> oeffnen, QWidget* eltern)
    : QDialog(eltern)
{
    setWindowTitle("Feldtabelle");
    auto* layout = new QVBoxLayout(this);
    QStringList spalten = {
        "Nr.", "Feld", "Startjahr", "OGIP (Mio m³)", "Pi (bar)",         "Bohrungen",
        "A1",  "B1",   "C-Wert",    "Anteil (%)",    "1. Jahr (Mio m³)", "Kumuliert bis Projektende (Mio m³)"};
    // With the plan's dispatch: each field's rank, plant and end in the last run.
    const bool verteilt = d.Planung() && MitVerteilung(*d.Planung());
    if (verteilt)
        spalten << "Rang"
                << "Anlage"
                << "Aufgabe";
    spalten << "Status";
    m_pTabelle = new QTableWidget(static_cast<int>(d.m_saFelder.size()), static_cast<int>(spalten.size()), this);
    m_pTabelle->setHorizontalHeaderLabels(spalten);
    m_pTabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (size_t i = 0; i < d.m_saFelder.size(); ++i) {
        const CFeldsatz& satz = d.m_saFelder[i];
        const CFeldwerte& f = satz.Werte();
        const int r = static_cast<int>(i);
        auto* nr = Sortierbar(Zahl(r + 1, 0));
        nr->setData(Qt::UserRole + 1, r); // the list position, whatever the sorting
        m_pTabelle->setItem(r, 0, nr);
        m_pTabelle->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(std::string(satz.Name()))));
        const std::pair<double, int> werte[] = {{f.m_iFoerderbeginn, 0}, {f.m_fOGIP, 1},      {f.m_fPi, 1},
                                                {f.m_iBohrungen, 0},     {f.m_fA1, 1},        {f.m_fB1, 2},
                                                {f.m_fCWert, 4},         {f.m_fKonsAnteil, 2}};
        int k = 2;
        for (const auto& [wert, stellen] : werte)
            m_pTabelle->setItem(r, k++, Sortierbar(Zahl(wert, stellen)));
        // The last run's share: its first production year and the sum to the project end.
        std::string status = "berechnet";
        const CFeldreihe* reihe = nullptr;
        for (const CFeldreihe& fr : d.m_Feldreihen)
            if (fr.feld == r) // its own series, also when its name stands twice
                reihe = &fr;
        for (const CNichtBerechnet& n : d.NichtBerechnet())
            if (n.feld == satz.Name())
                status = "nicht berechnet: " + n.grund;
        if (!reihe && status == "berechnet")
            status = d.m_iEinzelfeld >= 0 ? "nicht im Einzelfeldlauf" : "noch nicht gerechnet";
        const long long erstes = static_cast<long long>(f.m_iFoerderbeginn) - d.m_iProjektstart;
        const double ersteMenge = reihe && erstes >= 0 && erstes < kMaxJahre ? reihe->produktion[erstes] : 0.0;
        m_pTabelle->setItem(r, k++, Sortierbar(Zahl(ersteMenge, 1)));
        m_pTabelle->setItem(r, k++, Sortierbar(Zahl(reihe ? reihe->reserve : 0.0, 1)));
        if (verteilt)
            Verteilungsspalten(d, satz.Name(), r, k);
        // The run's hints on this field, without its name: "berechnet; Hinweis: …".
        for (const std::string& h : d.HinweiseZumFeld(satz.Name()))
            status += "; Hinweis: " + h;
        m_pTabelle->setItem(r, k++, new QTableWidgetItem(QString::fromStdString(status)));
    }
    m_pTabelle->setSortingEnabled(true);
    m_pTabelle->sortByColumn(0, Qt::AscendingOrder); // list order until the user clicks a heading
    m_pTabelle->verticalHeader()->hide();
    m_pTabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_pTabelle);
    connect(m_pTabelle, &QTableWidget::cellDoubleClicked, this, [this, oeffnen](int zeile, int) {
        const int feld = m_pTabelle->item(zeile, 0)->data(Qt::UserRole + 1).toInt();
        accept();
        oeffnen(feld);
    });
    resize(1280, 420);
}
