#pragma once
// The About box "Info über Kalvo".

class QWidget;

void InfoZeigen(QWidget* eltern);
