#include "app/Info.h"

#include "app/Symbole.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

void InfoZeigen(QWidget* eltern)
{
    QDialog info(eltern);
    info.setWindowTitle("Info über Kalvo");
    auto* layout = new QVBoxLayout(&info);
    auto* zeile = new QHBoxLayout;
    auto* symbol = new QLabel(&info);
    symbol->setPixmap(Symbol(ESymbol::Programm).pixmap(32, 30));
    zeile->addWidget(symbol);
    zeile->addWidget(new QLabel("Kalvo, Version " KALVO_VERSION, &info));
    zeile->addStretch();
    layout->addLayout(zeile);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, &info);
    QObject::connect(knoepfe, &QDialogButtonBox::accepted, &info, &QDialog::accept);
    layout->addWidget(knoepfe);
    info.exec();
}
