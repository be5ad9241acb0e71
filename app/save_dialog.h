// SPDX-License-Identifier: GPL-2.0-or-later
// The file chooser of the export: a save dialog with a filter, a title, the
// default extension "pdf" and a question before an existing file is replaced.
#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace caelora {

// A filter of pairs "description|pattern|description|pattern" as the file
// choosers of the export are given it, in the form QFileDialog wants
// ("description (pattern);;..."). A trailing "|" is allowed.
QString qtNameFilter(const QString& filter);

// Sets up `dialog` as the export's save dialog (for showSaveDialog).
void prepareSaveDialog(QFileDialog& dialog, const QString& filter, const QString& title);

// The chosen full path, or an empty text when the user cancels. A name
// typed without extension gets ".pdf".
QString showSaveDialog(QWidget* owner, const QString& filter, const QString& title,
                       const QString& initialFolder, const QString& defaultName);

}  // namespace caelora
