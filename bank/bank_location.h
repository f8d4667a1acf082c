// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace yhb {

// Where the program and the tool look for the question bank, in order.
struct BankPlaces {
    std::string currentDir;    // a tm/ here is the bank, whatever it lacks
    std::string executableDir; // then <executableDir>/../share/yunhuiban
    std::string configuredDir; // then the data directory chosen when the program was built
    std::string buildTree;     // the build's own bank, only for executables inside this tree
    std::string buildBank;
};

// The places for this process: the current directory and the running executable's.
BankPlaces bankPlacesFor(std::string configuredDir, std::string buildTree, std::string buildBank);

// The directory that holds the bank's tm/, or empty when there is none anywhere.
std::string locateBank(const BankPlaces& places);

} // namespace yhb
