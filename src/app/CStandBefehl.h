#pragma once
// One undo step: a confirmed data dialog or chart-style command, kept as the
// document's data and options before and after it. Undo and redo put one of
// them back, recompute and redraw.

#include "doc/CKalvoDoc.h"

#include <QUndoCommand>

class CStandBefehl : public QUndoCommand {
public:
    CStandBefehl(CKalvoDoc& doc, const QString& name, CKalvoDoc::CStand vorher, CKalvoDoc::CStand nachher)
        : QUndoCommand(name), m_Doc(doc), m_Vorher(std::move(vorher)), m_Nachher(std::move(nachher))
    {}

    void undo() override { m_Doc.StandSetzen(m_Vorher); }
    void redo() override
    {
        // The stack redoes a command when it is pushed; the command has run by then.
        if (m_bErstesMal)
            m_bErstesMal = false;
        else
            m_Doc.StandSetzen(m_Nachher);
    }

private:
    CKalvoDoc& m_Doc;
    CKalvoDoc::CStand m_Vorher, m_Nachher;
    bool m_bErstesMal = true;
};
