#include "views/CKalvoViewWidget.h"

#include "doc/CKalvoDoc.h"

CKalvoViewWidget::CKalvoViewWidget(CKalvoDoc& doc, QWidget* parent)
    : QPlainTextEdit(parent), m_Doc(doc)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont schrift("Liberation Mono");
    schrift.setStyleHint(QFont::TypeWriter);
    schrift.setPixelSize(18);
    schrift.setBold(true);
    setFont(schrift);
}

void CKalvoViewWidget::Aktualisieren()
{
    QStringList zeilen;
    zeilen.reserve(static_cast<qsizetype>(m_Doc.m_saBericht.size()));
    for (const auto& z : m_Doc.m_saBericht)
        zeilen << QString::fromStdString(z);
    setPlainText(zeilen.join('\n'));
}
