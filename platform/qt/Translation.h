// SPDX-License-Identifier: GPL-3.0-or-later
// The window's language: French, or English on a desktop that asks for it. The program's
// texts are French bytes; they are translated here, on their way to the widgets, so orders,
// files and mails never change with the language.
#pragma once

#include <QString>
#include <string>

namespace platform::qt {

// "en" when the first language of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (in that order)
// that the program has is English; "fr" otherwise, for French and for any other language.
QString ChosenLanguage();

// Installs, in the running application, the program's translation for the chosen
// language or Qt's own (the standard buttons, the folder picker).
void InstallTranslators();
// Takes them away again: texts are French from then on.
void RemoveTranslators();

// The text as the window shows it: its translation when it is one of the program's texts
// (a message built from one included), else the text itself.
QString Shown(const std::string& bytes);

}  // namespace platform::qt
