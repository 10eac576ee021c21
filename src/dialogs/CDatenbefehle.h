#pragma once
// The data commands of the document: "Daten ändern", "Neu", "Verkaufsprofil",
// "Restfelder" and the field data dialog that opening a file runs. Each copies
// the document's arrays into a modal dialog, runs it, takes the arrays back on
// OK, decides whether to recompute and redraws all views.

#include "platform/Fehler.h"

#include <string>
#include <string_view>

class CKalvoDoc;
class CDlgInput;
class DlgVerkauf;

// Runs the modal dialogs; the desktop program shows the Qt dialogs, tests
// answer from a script.
class IDialoge {
public:
    virtual ~IDialoge() = default;
    virtual bool DatenDialog(CDlgInput& dlg) = 0;   // true = ended with OK
    virtual bool ProfilDialog(DlgVerkauf& dlg) = 0; // true = ended with OK
    // Asks to save a modified document; false = the user cancelled.
    virtual bool GeaendertesDokumentSichern() = 0;
};

class CDatenbefehle {
public:
    CDatenbefehle(CKalvoDoc& doc, IDialoge* dialoge) : m_Doc(doc), m_pDialoge(dialoge) {}
    void SetDialoge(IDialoge* dialoge) { m_pDialoge = dialoge; }

    // Returns the dialog's m_bGeaendert (0 after cancel); the dialog shows field `feld` first.
    int OnDatenAendern(int feld = 0);
    bool OnFileNew(); // false when the user cancelled saving the old document
    void OnVerkaufsprofil() { ProfilBefehl(false); }
    void OnRestfelder() { ProfilBefehl(true); }
    // Opens a document file: loads it (leaving the document untouched on
    // failure), runs the field data dialog, and marks the document modified
    // exactly when that dialog changed a field or stage row. The views then
    // show the opened document's results, whether the dialog ended with OK
    // or was cancelled.
    CErgebnis<> OnOpenDocument(std::string_view bytes, const std::string& pfad);

private:
    void ProfilBefehl(bool restfelder);

    CKalvoDoc& m_Doc;
    IDialoge* m_pDialoge;
};
