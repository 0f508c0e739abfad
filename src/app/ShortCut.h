#pragma once
// The 16-bit shortcut values of the settings file (a Windows virtual key in the low byte,
// 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt) and Qt's key sequences.
#include <QKeySequence>

// An empty sequence for 0 or a key Qt has no name for.
QKeySequence ShortCutToKeySequence(int shortCut);
// 0 for a sequence that has no such value.
int KeySequenceToShortCut(const QKeySequence& sequence);
