// SPDX-License-Identifier: GPL-2.0-or-later
// localizeForm on real Qt widgets: captions from tags, tabs, menus, tooltips,
// Windows-1250 texts, missing keys, and a second pass after a language change.
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>
#include <fstream>
#include <memory>
#include <string>

#include "app/localize_form.h"
#include "ui/ui_text.h"

using caelora::guiQString;
using caelora::localizeForm;

namespace {

// A small language file; the Czech one holds Windows-1250 bytes.
const char kEnglish[] =
    "[Names]\r\n"
    "1030=not a UI text\r\n"
    "[GUI_Strings]\r\n"
    "CharSet=238\r\n"
    "200=OK\r\n"
    "202=Cancel\r\n"
    "901=Menu\r\n"
    "1001=Options\r\n"
    "1030=Milky Way\r\n"
    "1062=Out of range\r\n"
    "2001=Export\r\n"
    "2002=PDF chart\r\n"
    "2010=Colours\r\n"
    "3001=About\r\n";
const char kCzech[] =
    "[GUI_Strings]\r\n"
    "200=OK\r\n"
    "202=Storno\r\n"
    "901=Nab\xED" "dka\r\n"
    "1001=Nastaven\xED\r\n"
    "1030=Ml\xE9\xE8n\xE1 dr\xE1ha\r\n"
    "1062=Mimo rozsah\r\n"
    "2001=Export\r\n"
    "2002=Mapa v PDF\r\n"
    "2010=Barevn\xE9 proveden\xED\r\n"
    "3001=O programu\r\n";

struct Form {
  std::unique_ptr<QDialog> dialog = std::make_unique<QDialog>();
  QLabel* label = nullptr;
  QPushButton* ok = nullptr;
  QCheckBox* untagged = nullptr;
  QCheckBox* wordTag = nullptr;
  QGroupBox* group = nullptr;
  QLineEdit* tipOnly = nullptr;
  QLabel* unknownKey = nullptr;
  QTabWidget* tabs = nullptr;
  QTabBar* loneBar = nullptr;
  QMenu* menu = nullptr;
  QAction* action = nullptr;
};

Form makeForm() {
  Form f;
  f.dialog->setProperty("tag", "1001");
  auto* layout = new QVBoxLayout(f.dialog.get());
  auto* bar = new QMenuBar(f.dialog.get());
  f.menu = bar->addMenu("901");
  f.action = f.menu->addAction("3001");
  layout->setMenuBar(bar);

  f.label = new QLabel("design");
  f.label->setProperty("tag", "1030");
  f.ok = new QPushButton("Ok");
  f.ok->setProperty("tag", QStringLiteral(" 200 "));
  f.ok->setToolTip("202");
  f.untagged = new QCheckBox("stays");
  f.untagged->setProperty("tag", "");
  f.untagged->setToolTip("a plain tooltip");
  f.wordTag = new QCheckBox("stays too");
  f.wordTag->setProperty("tag", "abc");
  f.group = new QGroupBox("frame");
  f.group->setProperty("tag", 2010);  // an integer property counts as well
  f.tipOnly = new QLineEdit;
  f.tipOnly->setToolTip("1062");
  f.unknownKey = new QLabel("design");
  f.unknownKey->setProperty("tag", "4444");

  f.tabs = new QTabWidget;
  auto* page = new QWidget;
  page->setProperty("tag", "2002");
  f.tabs->addTab(page, "tab");
  f.tabs->setTabToolTip(0, "2001");
  auto* inner = new QPushButton("inner");
  inner->setObjectName("inner");
  inner->setProperty("tag", "202");
  (new QVBoxLayout(page))->addWidget(inner);

  f.loneBar = new QTabBar;
  f.loneBar->addTab("bar tab");
  f.loneBar->setTabData(0, "2001");

  for (QWidget* w : {static_cast<QWidget*>(f.label), static_cast<QWidget*>(f.ok),
                     static_cast<QWidget*>(f.untagged), static_cast<QWidget*>(f.wordTag),
                     static_cast<QWidget*>(f.group), static_cast<QWidget*>(f.tipOnly),
                     static_cast<QWidget*>(f.unknownKey), static_cast<QWidget*>(f.tabs),
                     static_cast<QWidget*>(f.loneBar)}) {
    layout->addWidget(w);
  }
  return f;
}

}  // namespace

class TestLocalizeForm : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::string english_;
  std::string czech_;

  std::string write(const char* name, const char* contents, std::size_t size) {
    const std::string path = (dir_.path() + "/" + name).toStdString();
    std::ofstream(path, std::ios::binary).write(contents, static_cast<std::streamsize>(size));
    return path;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    english_ = write("english.lng", kEnglish, sizeof kEnglish - 1);
    czech_ = write("czech.lng", kCzech, sizeof kCzech - 1);
  }

  void captionsComeFromTags() {
    Form f = makeForm();
    localizeForm(f.dialog.get(), english_);
    QCOMPARE(f.dialog->windowTitle(), QString("Options"));
    QCOMPARE(f.label->text(), QString("Milky Way"));  // not the key of section Names
    QCOMPARE(f.ok->text(), QString("OK"));
    QCOMPARE(f.group->title(), QString("Colours"));
    QCOMPARE(f.dialog->findChild<QPushButton*>("inner")->text(), QString("Cancel"));
  }

  void emptyAndWordTagsLeaveTheControlAlone() {
    Form f = makeForm();
    localizeForm(f.dialog.get(), english_);
    QCOMPARE(f.untagged->text(), QString("stays"));
    QCOMPARE(f.untagged->toolTip(), QString("a plain tooltip"));
    QCOMPARE(f.wordTag->text(), QString("stays too"));
  }

  void missingKeyOrFileGivesAnEmptyCaption() {
    Form f = makeForm();
    localizeForm(f.dialog.get(), english_);
    QCOMPARE(f.unknownKey->text(), QString());
    Form g = makeForm();
    localizeForm(g.dialog.get(), (dir_.path() + "/absent.lng").toStdString());
    QCOMPARE(g.dialog->windowTitle(), QString());
    QCOMPARE(g.label->text(), QString());
    QCOMPARE(g.wordTag->text(), QString("stays too"));
  }

  void tooltipsTabsAndMenus() {
    Form f = makeForm();
    localizeForm(f.dialog.get(), english_);
    QCOMPARE(f.ok->toolTip(), QString("Cancel"));
    QCOMPARE(f.tipOnly->toolTip(), QString("Out of range"));  // no caption, tooltip only
    QCOMPARE(f.tabs->tabText(0), QString("PDF chart"));
    QCOMPARE(f.tabs->tabToolTip(0), QString("Export"));
    QCOMPARE(f.tabs->widget(0)->toolTip(), QString());  // the page itself gets no tooltip
    QCOMPARE(f.loneBar->tabText(0), QString("Export"));
    QCOMPARE(f.menu->title(), QString("Menu"));
    QCOMPARE(f.action->text(), QString("About"));
  }

  void windows1250TextsReachTheWidgets() {
    Form f = makeForm();
    localizeForm(f.dialog.get(), czech_);
    QCOMPARE(f.label->text(), QString::fromUtf8("Mléčná dráha"));
    QCOMPARE(f.group->title(), QString::fromUtf8("Barevné provedení"));
    QCOMPARE(f.menu->title(), QString::fromUtf8("Nabídka"));
    QCOMPARE(guiQString(czech_, 1001), QString::fromUtf8("Nastavení"));
  }

  void aSecondPassFollowsTheNewLanguage() {
    Form f = makeForm();
    localizeForm(f.dialog.get(), english_);
    localizeForm(f.dialog.get(), czech_);
    QCOMPARE(f.dialog->windowTitle(), QString::fromUtf8("Nastavení"));
    QCOMPARE(f.ok->toolTip(), QString("Storno"));
    QCOMPARE(f.tipOnly->toolTip(), QString("Mimo rozsah"));
    QCOMPARE(f.tabs->tabText(0), QString("Mapa v PDF"));
    QCOMPARE(f.menu->title(), QString::fromUtf8("Nabídka"));
    QCOMPARE(f.action->text(), QString("O programu"));
    localizeForm(f.dialog.get(), english_);
    QCOMPARE(f.action->text(), QString("About"));
    QCOMPARE(f.ok->toolTip(), QString("Cancel"));
  }

  void shippedLanguageFilesLocaliseTheOptionsCaption() {
    const std::string data = CAELORA_SOURCE_DATA_DIR;
    QCOMPARE(guiQString(data + "/english.lng", 1001), QString("Options"));
    QCOMPARE(guiQString(data + "/czech.lng", 1001), QString::fromUtf8("Nastavení"));
    QCOMPARE(guiQString(data + "/czech.lng", 521), QString::fromUtf8("Severozápad"));
  }
};

QTEST_MAIN(TestLocalizeForm)
#include "tst_localize_form.moc"
