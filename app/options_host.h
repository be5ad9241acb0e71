// SPDX-License-Identifier: GPL-2.0-or-later
// The options dialog over the main window: the window's side of the dialog
// (the settings in force, applying and saving new ones) and opening it.
#pragma once

#include <memory>

#include "settings/qt/options_dialog.h"

namespace caelora {

class Mapka;

// The link between the options dialog and `window`: it applies the
// confirmed values to the window's chart and saves them to its store.
std::unique_ptr<OptionsHost> makeOptionsHost(Mapka& window);

// The options dialog over `window`, modal. Used by the corner menu and at
// start-up when the figure file is missing.
void showOptionsDialog(Mapka& window);

}  // namespace caelora
