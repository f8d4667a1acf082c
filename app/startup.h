// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "bank/bank_location.h"

namespace yhb {

// The places this executable looks for the bank in.
BankPlaces bankPlaces();
// The bank's directory, or empty; see locateBank.
std::string findBankDirectory();

// Qt's own buttons and dialogs in Simplified Chinese; false when no translation was found.
bool loadChineseTranslations();

} // namespace yhb
