// SPDX-License-Identifier: GPL-2.0-or-later
// Qt's own texts (the standard dialogs, the buttons of message boxes) in the
// language of the program's language file, from the translations Qt keeps.
#pragma once

#include <QString>
#include <string>

namespace caelora {

// Puts Qt's translation for the locale of `languageFile` in place of the one
// put there before: the standard dialogs opened from now on speak it. Returns
// the locale whose translation is in use, empty when Qt has none for it (its
// own texts are English then).
QString useQtTranslations(const std::string& languageFile);

}  // namespace caelora
