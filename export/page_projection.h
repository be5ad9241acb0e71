// The star disc placed on the page: the projection of the sky with the limit
// circle at 0.8 x pageWidth / 2 (238 units) about the disc centre, and the
// mapping of disc coordinates (rim radius 1) onto the page.
#pragma once

#include "export/export_state.h"

namespace caelora {

// prevodPDF and prevodPDF_Milky with their three results. Like the on-screen
// projection, a point off the disc keeps the previous position.
class PageProjector {
 public:
  explicit PageProjector(const ExportState& state);

  // prevodPDF: returns OnDisc.
  bool project(double ra, double dec);
  // prevodPDF_Milky: no declination test; OnDisc untouched.
  void projectUnbounded(double ra, double dec);

  double x() const { return x_; }
  double y() const { return y_; }
  bool onDisc() const { return onDisc_; }

 private:
  void place(double ra, double dec);

  int latitude_;
  double width_;
  double centreY_;  // pageHeight - discCentreFromTop
  double x_ = 0;
  double y_ = 0;
  bool onDisc_ = false;
};

// Disc coordinates (centre 0, rim 1, y up) on the page: the rim at radius
// 0.9 x pageWidth / 2 about (pageWidth / 2, pageHeight - discCentreFromTop).
double discToPageX(const ExportState& state, double u);
double discToPageY(const ExportState& state, double v);

}  // namespace caelora
