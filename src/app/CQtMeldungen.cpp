#include "app/CQtMeldungen.h"

#include <QApplication>
#include <QMessageBox>

void CQtMeldungen::Meldung(const std::string& text)
{
    QMessageBox::information(QApplication::activeWindow(), "Kalvo", QString::fromStdString(text));
}

void CQtMeldungen::Warnung(const std::string& text)
{
    QMessageBox::warning(QApplication::activeWindow(), "Kalvo", QString::fromStdString(text));
}

bool CQtMeldungen::Frage(const std::string& text)
{
    return QMessageBox::question(QApplication::activeWindow(), "Kalvo", QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
