// SPDX-License-Identifier: GPL-2.0-or-later
// Puts the UI texts of the language file into a form: the key of a widget is
// its dynamic property "tag" (a numeric text), as the forms are designed.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace caelora {

// Localises `form` and every widget, tab, menu and action in it:
// - the form's window title from the form's "tag";
// - buttons, labels and group boxes from their "tag";
// - each tab of a tab widget from the "tag" of its page (a lone tab bar from
//   the tab's data);
// - menus and actions whose text is a number, and every tooltip that is a
//   number.
// A key that the file lacks gives an empty text. Keys found in texts and
// tooltips are kept in the properties "tag", "tooltipTag" and (on a tab's
// page) "tabToolTipTag", so that the form can be localised again after the
// language changed.
void localizeForm(QWidget* form, const std::string& languageFile);

}  // namespace caelora
