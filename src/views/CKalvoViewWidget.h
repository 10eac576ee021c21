#pragma once
// Shows the document's report buffer, one line per report line, in a
// fixed-pitch bold face.

#include <QPlainTextEdit>

class CKalvoDoc;

class CKalvoViewWidget : public QPlainTextEdit {
    Q_OBJECT
public:
    CKalvoViewWidget(CKalvoDoc& doc, QWidget* parent = nullptr);
    void Aktualisieren();

private:
    CKalvoDoc& m_Doc;
};
