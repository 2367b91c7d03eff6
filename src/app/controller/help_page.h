// The help page shipped with the program, opened in the desktop's browser.
#pragma once

#include <QString>

class QWidget;

namespace pw {

class UrlOpener;

// Its file name, beside the executable in the build folder and in
// <prefix>/share/paperwisp once installed.
inline constexpr char kHelpPageName[] = "paperwisp-help.html";

// Opens the help page of the program whose executable lies in
// `programFolder` with `opener`; when the page is missing or nothing opens
// it, a message box (a child of `parent`) says so. True when it was opened.
bool OpenHelpPage(QWidget* parent, const QString& programFolder, UrlOpener& opener);

}  // namespace pw
