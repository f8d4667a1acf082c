// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <string>

#include <QString>

#include "bank/bank_location.h"

class QWidget;

namespace yhb {

// The places this executable looks for the bank in.
BankPlaces bankPlaces();
// The bank's directory, or empty; see locateBank.
std::string findBankDirectory();

// Makes the bank's directory the current one and loads its catalogue. With no bank anywhere
// only the version message stands: scanning the current directory then could walk a whole disk.
class Catalogue;
void openBank(Catalogue& catalogue);

// Qt's own buttons and dialogs in Simplified Chinese; false when no translation was found.
bool loadChineseTranslations();

// Calls `work` once, when the widget's first paint is on the screen (or after a second,
// should no paint come).
void afterFirstPaint(QWidget& widget, std::function<void()> work);

// Shows the window, made with openBank as its bank's reader, and once its first paint is on
// the screen does what that paint does not need: Qt's translations, the bank read and its menu
// filled, the lesson named on the command line (`lesson`, an absolute path, or empty) opened;
// then calls `ready`. The first sight of the window waits for none of these.
class MainWindow;
void showAndFinishStart(MainWindow& window, const QString& lesson, std::function<void()> ready = {});

} // namespace yhb
