#pragma once
// What the Qt windows of the dialogs share: controls placed in dialog units
// (converted with the dialog font's metrics), Enter that never closes the
// dialog, and focus-loss events that reach a handler once, never again from
// the message box the handler opens.

#include <QDialog>
#include <QMap>

#include <functional>

class QLineEdit;
class QLabel;
class QPushButton;
class QListWidget;
class QCheckBox;
class QRadioButton;

// The id of every dialog's "Abbrechen" button.
constexpr int kIdAbbrechen = 2;

class CDialogFenster : public QDialog {
    Q_OBJECT
public:
    explicit CDialogFenster(QWidget* eltern);

    // Size and positions in dialog units.
    void GroesseSetzen(int breite, int hoehe);
    QRect Rechteck(int x, int y, int w, int h) const;

    QLineEdit* Eingabe(int id, int x, int y, int w, int h);
    QLabel* Text(const QString& text, int x, int y, int w = 0, int h = 8, int id = 0, bool vertieft = false);
    QPushButton* Knopf(int id, const QString& text, int x, int y, int w, int h, std::function<void()> aktion);
    QListWidget* Liste(int id, int x, int y, int w, int h);
    QCheckBox* Haken(int id, const QString& text, int x, int y, int w, int h);
    QRadioButton* Radio(int id, const QString& text, int x, int y, int w, int h);

    QWidget* Element(int id) const { return m_Elemente.value(id); }
    // Shows a status text whole: a text wider than its label gets a smaller
    // font (down to 6 points) instead of losing its end.
    static void TextEinpassen(QLabel* label, const QString& text);
    // Runs when an edit loses the focus to another control of the dialog.
    void BeiFokusverlust(int id, std::function<void()> aktion) { m_Fokusverlust[id] = std::move(aktion); }
    // Runs a handler between taking the texts from and giving them to the controls.
    void Ausfuehren(const std::function<void()>& handler);

protected:
    virtual void TexteHolen() = 0;  // controls → behaviour
    virtual void TexteZeigen() = 0; // behaviour → controls
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;

    QMap<int, QWidget*> m_Elemente;
    QMap<int, std::function<void()>> m_Fokusverlust;
    bool m_bImHandler = false;
    int m_iBasisX = 6, m_iBasisY = 13; // dialog base units in pixels
};
