// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "bank/bank_location.h"

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

} // namespace yhb
