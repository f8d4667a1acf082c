// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include "bank/catalogue.h"

namespace yhb {

BankPlaces bankPlaces() { return bankPlacesFor(YHB_INSTALLED_BANK, YHB_BUILD_TREE, YHB_BUILD_BANK); }

std::string findBankDirectory() { return locateBank(bankPlaces()); }

void openBank(Catalogue& catalogue) {
    const std::string bank = findBankDirectory();
    if (!bank.empty() && QDir::setCurrent(QString::fromStdString(bank)))
        catalogue.load(".");
    else
        catalogue.readVersion(".");
}

bool loadChineseTranslations() {
    auto* t = new QTranslator(QCoreApplication::instance());
    if (t->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(t))
        return true;
    delete t;
    return false;
}

} // namespace yhb
