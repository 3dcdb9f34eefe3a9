// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

#include <functional>

// The maker's web pages. Each operation hands one fixed address to the
// desktop's browser and returns at once; a page that cannot be opened goes
// unnoticed.
namespace zenthra::modHelp {

void OpenHomePage();
void OpenHelpPage();
void OpenDownloadPage();
void OpenDonatePage();
void OpenFullBrandPage();
void OpenCoBrandPage();

// The site (a build-time constant), "/zenthra/ssd.php" and "?page=" + key.
QUrl pageAddress(const char* pageKey);

// Where addresses go; tests replace it to see what would open. An empty
// function restores the desktop's browser.
using PageOpener = std::function<void(const QUrl&)>;
void setPageOpener(PageOpener opener);

} // namespace zenthra::modHelp
