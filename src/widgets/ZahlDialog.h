#pragma once
// The small number boxes of the desktop (own use, a flat quantity, the
// number of runs, the plateau's years): one line of text read by the number
// rule that every path shares, so that "2,5" and "2.5" are 2.5, "14.000" is
// refused and no digit is dropped (a spin box would drop what exceeds its
// range as it is typed, and read "860.5" as 8605 in a German desktop).

#include "platform/Zahlregel.h"

#include <QString>

#include <optional>

class QWidget;

// Asks until the text is a number in the range or the user cancels; a
// refusal shows its message and asks again with the text as typed. The
// default is shown in the desktop's locale with `nachkomma` decimals.
std::optional<double> ZahlErfragen(QWidget* eltern, const QString& titel, const QString& frage, double vorgabe,
                                   const CZahlbereich& bereich, int nachkomma = 0);
