// SPDX-License-Identifier: GPL-2.0-or-later
// The box of the parts of the chart that could not be loaded.
#include "app/load_notes_box.h"

#include <QMessageBox>
#include <QWidget>
#include <algorithm>

namespace caelora {

QString shortenedText(const QString& text, int most) {
  if (text.size() <= most) return text;
  const int half = (most - 1) / 2;
  return text.left(half) + QChar(0x2026) + text.right(half);
}

LoadNotesText composeLoadNotes(const QString& lead, const QStringList& notes,
                               const QString& moreLine, int shownAtMost) {
  LoadNotesText out;
  const int shown = std::min<int>(static_cast<int>(notes.size()), shownAtMost);
  QStringList lines{lead, QString()};
  bool cut = false;
  // A bullet at each note keeps a note that wraps apart from the next one.
  for (const QString& note : notes.mid(0, shown)) {
    lines << QStringLiteral("\u2022 ") + shortenedText(note);
    cut = cut || note.size() > kMostShownCharacters;
  }
  if (notes.size() > shown)
    lines << QString() << QString(moreLine).replace(QStringLiteral("%1"),
                                                    QString::number(notes.size() - shown));
  if (notes.size() > shown || cut) {
    QStringList detailed;
    for (const QString& note : notes) detailed << shortenedText(note, kMostDetailedCharacters);
    out.details = detailed.join(QLatin1Char('\n'));
  }
  out.text = lines.join(QLatin1Char('\n'));
  return out;
}

void LoadNotesBox::show(const QStringList& notes, const QString& title, const QString& lead,
                        const QString& moreLine) {
  if (!box_) listed_.clear();
  const int before = static_cast<int>(listed_.size());
  for (const QString& note : notes)
    if (!listed_.contains(note)) listed_.append(note);
  if (listed_.size() == before) return;

  const LoadNotesText text = composeLoadNotes(lead, listed_, moreLine);
  if (!box_) {
    box_ = new QMessageBox(QMessageBox::Warning, title, QString(), QMessageBox::Ok, &window_);
    box_->setObjectName(QStringLiteral("loadNotesBox"));
    box_->setAttribute(Qt::WA_DeleteOnClose);
    box_->setWindowModality(Qt::WindowModal);
    // A path or a record may hold '<' or '&': never read it as markup.
    box_->setTextFormat(Qt::PlainText);
  }
  box_->setText(text.text);
  box_->setDetailedText(text.details);
  if (box_->isVisible()) {
    box_->adjustSize();
  } else {
    box_->open();
  }
}

}  // namespace caelora
