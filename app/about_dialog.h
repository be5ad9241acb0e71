// SPDX-License-Identifier: GPL-2.0-or-later
// The about box `frmAbout`: the program's name and version, a line about it,
// the home page as a link and a logo that opens it too. Opens centred on the
// screen and above other windows.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QLabel;

namespace caelora {

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(const std::string& languageFile, QWidget* parent = nullptr);

  // The addresses that the home page label and the logo open.
  static QString homePage();
  static QString logoAddress();
  // The program's version, as the title shows it.
  static constexpr int kVersionMajor = 2;
  static constexpr int kVersionMinor = 0;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void placeCentredOnTop();

  QLabel* lblTitle_ = nullptr;
  QLabel* lblDescription_ = nullptr;
  QLabel* lblHome_ = nullptr;
  QLabel* imgLogo_ = nullptr;
};

// The logo: a small star disc under its horizon window.
QPixmap drawLogo(int sizePx);

}  // namespace caelora
