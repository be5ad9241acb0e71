// The time the chart shows: the instant of the disc's turn at the place,
// "Now" and the clock the disc then follows a minute at a time, the keys
// that turn it by time, and the readout of the date and time it shows.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "chart/chart_scene.h"

namespace caelora {

class Stage;

// The middle of the computer's time zone: its standard meridian, degrees
// east (15 degrees an hour of its winter offset) at `unixSeconds`.
double systemZoneMeridianDeg(double unixSeconds);

// The place the chart is set for. Without a stored longitude it is the
// middle of the computer's time zone, and the hours are local mean time
// there whatever zone is stored.
struct ChartPlace {
  double longitudeDeg = 0;
  std::string zone;  // empty: local mean time
};
ChartPlace chartPlace(const Settings& settings, double unixSeconds);

class ChartClock : public QObject {
  Q_OBJECT

 public:
  // Seconds since 1970-01-01 00:00 UTC; the computer's clock unless set.
  using WallClock = std::function<double()>;

  // The disc as it stands shows the first instant of today (on the place's
  // clock) at which the sky stands so; nothing follows the clock yet.
  ChartClock(ChartScene& scene, Stage& stage, QObject* parent = nullptr);

  // The clock Now reads and the disc follows; the chart shows today's
  // first instant of its turn on this clock's day.
  void setWallClock(WallClock clock);

  // Now (the corner menu, Home): the disc shows the present instant and
  // follows the clock until something else turns it.
  void now();
  // The minute timer's step: while following, the disc shows the clock's
  // instant, a small turn from where it stood. The timer calls it at each
  // whole minute of the clock.
  void tick();
  // Left/Right: 10 minutes earlier/later, Down/Up: an hour, Page Down/Page
  // Up: a day, Home: now. False for any other key.
  bool pressKey(int key);
  // The options have been applied: a new place (longitude or latitude)
  // keeps the disc's turn, which then shows the instant of that turn
  // nearest the one shown before (or, following, the disc shows now there);
  // the readout takes the zone, the language and the colours.
  void settingsChanged();

  const ChartPlace& place() const { return place_; }
  bool following() const { return following_; }
  // The instant the disc shows, from its turn: a turn by hand counts at
  // the sky's mean rate from the last instant set (Now, the minute, a key).
  double shownInstant() const;
  // The readout's text as it stands on the chart.
  const std::string& readoutText() const { return shownText_; }
  const QTimer& minuteTimer() const { return minuteTimer_; }

 private:
  int latitude() const { return scene_.settings().latitude; }
  void discTurned();
  void turnBy(double seconds);
  double turnShowing(double instant) const;
  void setDisc(double angleDeg, double instant);
  void anchor(double angleDeg, double instant);
  void startFollowing();
  void stopFollowing();
  void refreshReadout();

  ChartScene& scene_;
  Stage& stage_;
  WallClock wallClock_;
  ChartPlace place_;
  double anchorAngle_ = 0;    // the disc's turn when ...
  double anchorInstant_ = 0;  // ... it showed this instant
  int anchorLatitude_ = 50;   // ... at this latitude
  bool following_ = false;
  bool turningItself_ = false;
  QTimer minuteTimer_;
  std::string shownText_;
  ScreenScheme shownScheme_ = ScreenScheme::Colour;
  std::string shownLanguage_;
};

}  // namespace caelora
