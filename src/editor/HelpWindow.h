#pragma once
// The manual of the editor and the instruction set, with contents and links.

#include <QString>

class QWidget;

// Shows the help window (one at a time, without blocking the editor).
void showHelp(QWidget* parent, const QString& versionText);
