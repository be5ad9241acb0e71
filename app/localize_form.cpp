// SPDX-License-Identifier: GPL-2.0-or-later
// Localising forms from the language file.
#include "app/localize_form.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>
#include <exception>

#include "ui/ui_text.h"

namespace caelora {
namespace {

const char* const kTag = "tag";
const char* const kTooltipTag = "tooltipTag";
const char* const kTabToolTipTag = "tabToolTipTag";  // on a tab's page

// A key is a text that reads as a decimal number: an optional sign, digits
// and at most one decimal point, with blanks around it. An empty text is not.
bool isNumeric(const QString& text) {
  const QString t = text.trimmed();
  int digits = 0;
  bool point = false;
  for (int i = 0; i < t.size(); ++i) {
    const QChar c = t.at(i);
    if (c.isDigit() && c.unicode() < 0x80) {
      ++digits;
    } else if (c == QLatin1Char('.') && !point) {
      point = true;
    } else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && i == 0) {
      continue;
    } else {
      return false;
    }
  }
  return digits > 0;
}

QString propertyText(const QObject* object, const char* name) {
  const QVariant value = object->property(name);
  return value.isValid() ? value.toString() : QString();
}

QString textOf(const std::string& languageFile, const QString& key) {
  return guiQString(languageFile, cp1250FromQString(key.trimmed()));
}

// The key of a text that holds one, remembered in `property` of `owner` so
// that the next localisation finds it after the text has been replaced.
QString keyOf(QObject* owner, const char* property, const QString& shown) {
  const QString remembered = propertyText(owner, property);
  if (isNumeric(remembered)) return remembered;
  if (!isNumeric(shown)) return QString();
  owner->setProperty(property, shown.trimmed());
  return shown.trimmed();
}

void localizeCaption(QWidget* widget, const std::string& languageFile) {
  const QString tag = propertyText(widget, kTag);
  if (!isNumeric(tag)) return;
  const QString text = textOf(languageFile, tag);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(text);
  }
}

void localizeToolTip(QWidget* widget, const std::string& languageFile) {
  const QString key = keyOf(widget, kTooltipTag, widget->toolTip());
  if (!key.isEmpty()) widget->setToolTip(textOf(languageFile, key));
}

void localizeTabs(QTabWidget* tabs, const std::string& languageFile) {
  for (int i = 0; i < tabs->count(); ++i) {
    QWidget* page = tabs->widget(i);
    const QString tag = propertyText(page, kTag);
    if (isNumeric(tag)) tabs->setTabText(i, textOf(languageFile, tag));
    const QString tipKey = keyOf(page, kTabToolTipTag, tabs->tabToolTip(i));
    if (!tipKey.isEmpty()) tabs->setTabToolTip(i, textOf(languageFile, tipKey));
  }
}

// A tab bar of its own (not the one inside a tab widget) keeps each tab's key
// in the tab's data.
void localizeLoneTabBar(QTabBar* bar, const std::string& languageFile) {
  if (qobject_cast<QTabWidget*>(bar->parentWidget())) return;
  for (int i = 0; i < bar->count(); ++i) {
    const QString tag = bar->tabData(i).toString();
    if (isNumeric(tag)) bar->setTabText(i, textOf(languageFile, tag));
  }
}

void localizeAction(QAction* action, const std::string& languageFile) {
  const QString key = keyOf(action, kTag, action->text());
  if (!key.isEmpty()) action->setText(textOf(languageFile, key));
  // An action without a tooltip of its own reports its text as the tooltip.
  const QString tipKey = keyOf(action, kTooltipTag, action->toolTip());
  if (!tipKey.isEmpty()) action->setToolTip(textOf(languageFile, tipKey));
}

void localizeWidget(QWidget* widget, const std::string& languageFile) {
  if (auto* tabs = qobject_cast<QTabWidget*>(widget)) localizeTabs(tabs, languageFile);
  if (auto* bar = qobject_cast<QTabBar*>(widget)) localizeLoneTabBar(bar, languageFile);
  localizeCaption(widget, languageFile);
  localizeToolTip(widget, languageFile);
}

// Every action of the form: those it owns and those shown by its menus and
// menu bars (a menu's own title is the text of its menu action).
QSet<QAction*> actionsOf(QWidget* form) {
  QSet<QAction*> actions;
  for (QAction* a : form->findChildren<QAction*>()) actions.insert(a);
  for (QWidget* w : form->findChildren<QWidget*>()) {
    if (qobject_cast<QMenu*>(w) || qobject_cast<QMenuBar*>(w)) {
      for (QAction* a : w->actions()) actions.insert(a);
    }
    if (auto* menu = qobject_cast<QMenu*>(w)) actions.insert(menu->menuAction());
  }
  return actions;
}

// One step of the form: a failing step is skipped and the next one runs.
template <typename Step>
void tryStep(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

void localizeForm(QWidget* form, const std::string& languageFile) {
  if (form == nullptr) return;
  tryStep([&] {
    const QString tag = propertyText(form, kTag);
    if (isNumeric(tag)) form->setWindowTitle(textOf(languageFile, tag));
  });
  for (QWidget* widget : form->findChildren<QWidget*>()) {
    tryStep([&] { localizeWidget(widget, languageFile); });
  }
  for (QAction* action : actionsOf(form)) {
    tryStep([&] { localizeAction(action, languageFile); });
  }
}

}  // namespace caelora
