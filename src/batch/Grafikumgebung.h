#pragma once
// The start-up of Qt for kalvo-batch: the command-line program starts Qt only
// when it draws (a chart file, the report as PDF), on the offscreen platform
// when there is no screen, and keeps Qt's notes about the missing desktop
// session off the terminal.

// Makes sure a QGuiApplication exists; the decimal point stays the C library's.
void GrafikUmgebung();
