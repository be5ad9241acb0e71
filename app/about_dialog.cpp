// SPDX-License-Identifier: GPL-2.0-or-later
// The about box: its controls, its frame, its logo and its two links.
#include "app/about_dialog.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/localize_form.h"
#include "ui/ui_text.h"
#include "ui/whole_pixels.h"

namespace caelora {

namespace {

// The designed client area, 5835 x 3285 twips at 15 twips to a pixel.
constexpr int kClientWidthPx = 389;
constexpr int kClientHeightPx = 219;
constexpr int kFramePx = 3;
constexpr int kLogoPx = 56;
const QColor kFrameGrey(128, 128, 128);
const QColor kLightOrange(255, 192, 128);

void colourText(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

}  // namespace

QString AboutDialog::homePage() { return QStringLiteral("https://caelora.example.org/"); }

QString AboutDialog::logoAddress() {
  return QStringLiteral("https://caelora.example.org/planisphere/");
}

QPixmap drawLogo(int sizePx) {
  QPixmap logo(sizePx, sizePx);
  logo.fill(Qt::black);
  QPainter p(&logo);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF disc(1.5, 1.5, sizePx - 3.0, sizePx - 3.0);
  // The star disc, a dark blue sky with a few stars.
  p.setPen(QPen(kFrameGrey, 1.5));
  p.setBrush(QColor(16, 28, 72));
  p.drawEllipse(disc);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  const double s = sizePx / 56.0;
  const QPointF stars[] = {{18, 20}, {25, 15}, {32, 18}, {38, 13}, {30, 27}, {21, 31}, {41, 24}};
  const double radii[] = {2.0, 1.4, 1.8, 1.2, 1.5, 1.1, 1.3};
  for (int i = 0; i < 7; ++i) p.drawEllipse(stars[i] * s, radii[i] * s, radii[i] * s);
  // The mask over the lower part of the disc, cut by the horizon's arc.
  QPainterPath mask;
  mask.addEllipse(disc);
  QPainterPath window;
  window.addEllipse(QRectF(sizePx * 0.14, sizePx * 0.06, sizePx * 0.72, sizePx * 0.62));
  p.setBrush(kLightOrange);
  p.drawPath(mask.subtracted(window));
  return logo;
}

AboutDialog::AboutDialog(const std::string& languageFile, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setProperty("tag", QStringLiteral("3001"));
  setModal(true);

  lblTitle_ = new QLabel;
  lblTitle_->setObjectName(QStringLiteral("lblTitle"));
  QFont titleFont(QStringLiteral("Courier New"));
  titleFont.setStyleHint(QFont::Monospace);
  titleFont.setPixelSize(22);
  titleFont.setBold(true);
  lblTitle_->setFont(titleFont);
  colourText(lblTitle_, kLightOrange);

  QFont tahoma(QStringLiteral("Tahoma"));
  tahoma.setStyleHint(QFont::SansSerif);
  tahoma.setPixelSize(12);
  lblDescription_ = new QLabel;
  lblDescription_->setObjectName(QStringLiteral("lblDescription"));
  lblDescription_->setProperty("tag", QStringLiteral("3005"));
  lblDescription_->setWordWrap(true);
  lblDescription_->setFont(tahoma);
  colourText(lblDescription_, Qt::white);

  lblHome_ = new QLabel(homePage());
  lblHome_->setObjectName(QStringLiteral("lblHome"));
  QFont link = tahoma;
  link.setUnderline(true);
  lblHome_->setFont(link);
  colourText(lblHome_, kLightOrange);
  lblHome_->setCursor(Qt::PointingHandCursor);
  lblHome_->installEventFilter(this);

  imgLogo_ = new QLabel;
  imgLogo_->setObjectName(QStringLiteral("imgLogo"));
  imgLogo_->setPixmap(drawLogo(kLogoPx));
  imgLogo_->setToolTip(logoAddress());
  imgLogo_->setCursor(Qt::PointingHandCursor);
  imgLogo_->installEventFilter(this);

  auto* ok = new QPushButton;
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setProperty("tag", QStringLiteral("200"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(lblTitle_);
  text->addWidget(lblDescription_);
  text->addWidget(lblHome_);
  text->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(text, 1);
  top->addWidget(imgLogo_, 0, Qt::AlignTop);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ok);
  auto* whole = new QVBoxLayout(this);
  whole->setContentsMargins(kFramePx + 12, kFramePx + 10, kFramePx + 12, kFramePx + 10);
  whole->addLayout(top, 1);
  whole->addLayout(bottom);

  localizeForm(this, languageFile);
  lblTitle_->setText(guiQString(languageFile, 101) +
                     QStringLiteral(" v%1.%2").arg(kVersionMajor).arg(kVersionMinor));

  setMinimumSize(kClientWidthPx, kClientHeightPx);
  resize(kClientWidthPx, kClientHeightPx);
  resize(kClientWidthPx, std::max(kClientHeightPx, heightForWidth(kClientWidthPx)));
  placeCentredOnTop();
}

// Above every window that is not itself kept on top, centred on the screen,
// whether or not the main window stays on top.
void AboutDialog::placeCentredOnTop() {
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  centreOnScreen(*this);
}

void AboutDialog::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(rect(), kFrameGrey);
  p.fillRect(rect().adjusted(kFramePx, kFramePx, -kFramePx, -kFramePx), Qt::black);
  QDialog::paintEvent(event);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    // Whether the desktop can open the address is not reported.
    if (watched == lblHome_) QDesktopServices::openUrl(QUrl(lblHome_->text()));
    if (watched == imgLogo_) QDesktopServices::openUrl(QUrl(imgLogo_->toolTip()));
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace caelora
