#pragma once
// One undo step: a confirmed data dialog or chart-style command, kept as the
// document's data and options before and after it. Undo and redo put one of
// them back, recompute and redraw.

#include "doc/CKalvoDoc.h"

#include <QUndoCommand>

#include <functional>

class CStandBefehl : public QUndoCommand {
public:
    // `optionen(nachher)` puts back the window's options the step switched
    // on (false: as before it, true: as after it), before the data.
    CStandBefehl(CKalvoDoc& doc, const QString& name, CKalvoDoc::CStand vorher, CKalvoDoc::CStand nachher,
                 std::function<void(bool)> optionen = {})
        : QUndoCommand(name), m_Doc(doc), m_Vorher(std::move(vorher)), m_Nachher(std::move(nachher)),
          m_Optionen(std::move(optionen))
    {}

    void undo() override
    {
        if (m_Optionen)
            m_Optionen(false);
        m_Doc.StandSetzen(m_Vorher);
    }
    void redo() override
    {
        // The stack redoes a command when it is pushed; the command has run by then.
        if (m_bErstesMal) {
            m_bErstesMal = false;
            return;
        }
        if (m_Optionen)
            m_Optionen(true);
        m_Doc.StandSetzen(m_Nachher);
    }

private:
    CKalvoDoc& m_Doc;
    CKalvoDoc::CStand m_Vorher, m_Nachher;
    std::function<void(bool)> m_Optionen;
    bool m_bErstesMal = true;
};
