#include "widgets/ZahlDialog.h"

#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>

std::optional<double> ZahlErfragen(QWidget* eltern, const QString& titel, const QString& frage, double vorgabe,
                                   const CZahlbereich& bereich, int nachkomma)
{
    // A German desktop shows "2,5"; "1.000" would be a thousands point to the rule.
    QLocale zahlen = QLocale();
    zahlen.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = bereich.ganz ? QString::number(vorgabe, 'f', 0) : zahlen.toString(vorgabe, 'f', nachkomma);
    const QString hinweis = frage + "\n(" + QString::fromStdString(BereichText(bereich)) + ")";
    for (;;) {
        bool ok = false;
        text = QInputDialog::getText(eltern, titel, hinweis, QLineEdit::Normal, text, &ok);
        if (!ok)
            return std::nullopt;
        const CErgebnis<double> wert = ZahlImBereich(text.toStdString(), bereich);
        if (wert)
            return *wert;
        QMessageBox::warning(eltern, titel, QString::fromStdString(wert.Fehlertext()));
    }
}
