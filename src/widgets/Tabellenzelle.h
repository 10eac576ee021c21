#pragma once
// A cell of a dialog's table as typed: a drop-down's current entry, else
// the item's text without the blanks around it ("" for an empty cell).

#include <QComboBox>
#include <QTableWidget>

#include <string>

inline std::string Zellentext(const QTableWidget* tabelle, int zeile, int spalte)
{
    if (const auto* box = qobject_cast<const QComboBox*>(tabelle->cellWidget(zeile, spalte)))
        return box->currentText().toStdString();
    const QTableWidgetItem* zelle = tabelle->item(zeile, spalte);
    return zelle ? zelle->text().trimmed().toStdString() : std::string();
}
