// The chart's clock: the instant the disc shows, Now, following the clock,
// the time keys and the readout.
#include "app/chart_clock.h"

#include <QDateTime>
#include <QTimeZone>
#include <cmath>

#include "app/stage.h"
#include "chart/time_zone.h"
#include "sky/sky_time.h"
#include "sky/time_readout.h"

namespace caelora {
namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kMillisecondsPerMinute = 60000;

double computerClock() { return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000; }

// The start of the day of `unixSeconds` on the place's clock.
double startOfDay(const ChartPlace& place, double unixSeconds) {
  const ZoneClock clock = zoneClockAt(place.zone, place.longitudeDeg, unixSeconds);
  CivilTime day = civilFromUnix(static_cast<std::int64_t>(std::floor(unixSeconds)) + clock.offsetSeconds);
  day.hour = day.minute = day.second = 0;
  return resolveZoneTime(place.zone, place.longitudeDeg, day).unixSeconds;
}

// The seconds the disc takes to turn by `degrees` at the sky's rate.
double secondsOfTurn(double degrees, int latitude) { return degrees / discTurnFor(1, latitude); }

}  // namespace

double systemZoneMeridianDeg(double unixSeconds) {
  const QDateTime at = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(unixSeconds)), Qt::UTC);
  return QTimeZone::systemTimeZone().standardTimeOffset(at) / 240.0;
}

ChartPlace chartPlace(const Settings& settings, double unixSeconds) {
  if (settings.longitude) return {*settings.longitude, settings.timeZone};
  // A zone without a longitude: the middle of that zone, on its clock.
  if (isKnownTimeZone(settings.timeZone))
    return {timeZoneFacts(settings.timeZone, unixSeconds).standardOffsetHours * 15, settings.timeZone};
  return {systemZoneMeridianDeg(unixSeconds), ""};
}

ChartClock::ChartClock(ChartScene& scene, Stage& stage, QObject* parent)
    : QObject(parent), scene_(scene), stage_(stage) {
  minuteTimer_.setSingleShot(true);
  connect(&minuteTimer_, &QTimer::timeout, this, &ChartClock::tick);
  connect(&stage_, &Stage::discAngleChanged, this, &ChartClock::discTurned);
  setWallClock(computerClock);
}

void ChartClock::setWallClock(WallClock clock) {
  wallClock_ = std::move(clock);
  const double today = wallClock_();
  place_ = chartPlace(scene_.settings(), today);
  const double angle = stage_.discAngle();
  anchor(angle, instantForDiscAngle(angle, place_.longitudeDeg, latitude(), startOfDay(place_, today)));
  stopFollowing();
  refreshReadout();
}

double ChartClock::shownInstant() const {
  return anchorInstant_ + secondsOfTurn(stage_.discAngle() - anchorAngle_, anchorLatitude_);
}

void ChartClock::anchor(double angleDeg, double instant) {
  anchorAngle_ = angleDeg;
  anchorInstant_ = instant;
  anchorLatitude_ = latitude();
}

void ChartClock::setDisc(double angleDeg, double instant) {
  anchor(angleDeg, instant);
  turningItself_ = true;
  stage_.setDiscAngle(angleDeg);
  turningItself_ = false;
  refreshReadout();
}

// The sky's turn for `instant` (which the core gives 0..360) as far round
// as the mean rate from the instant shown now says: a key's day is a whole
// turn and a little more, as on a disc turned by hand.
double ChartClock::turnShowing(double instant) const {
  const double expected = stage_.discAngle() + discTurnFor(instant - shownInstant(), latitude());
  return expected + std::remainder(discAngleFor(instant, place_.longitudeDeg, latitude()) - expected, 360.0);
}

void ChartClock::now() {
  const double t = wallClock_();
  setDisc(discAngleFor(t, place_.longitudeDeg, latitude()), t);
  startFollowing();
}

void ChartClock::tick() {
  if (!following_) return;
  const double t = wallClock_();
  setDisc(turnShowing(t), t);
  startFollowing();
}

void ChartClock::startFollowing() {
  following_ = true;
  const double intoMinute = std::fmod(wallClock_() * 1000, kMillisecondsPerMinute);
  minuteTimer_.start(static_cast<int>(std::ceil(kMillisecondsPerMinute - intoMinute)));
}

void ChartClock::stopFollowing() {
  following_ = false;
  minuteTimer_.stop();
}

void ChartClock::discTurned() {
  if (turningItself_) return;
  // Dragged, or turned by anything but the clock: the clock lets go.
  stopFollowing();
  refreshReadout();
}

void ChartClock::turnBy(double seconds) {
  stopFollowing();
  const double instant = shownInstant() + seconds;
  const double angle = turnShowing(instant);
  anchor(angle, instant);
  // Held keys turn like a drag, from the images of the disc and the mask.
  turningItself_ = true;
  stage_.turnDisc(angle);
  turningItself_ = false;
  refreshReadout();
}

bool ChartClock::pressKey(int key) {
  switch (key) {
    case Qt::Key_Home: now(); return true;
    case Qt::Key_Left: turnBy(-600); return true;
    case Qt::Key_Right: turnBy(600); return true;
    case Qt::Key_Down: turnBy(-3600); return true;
    case Qt::Key_Up: turnBy(3600); return true;
    case Qt::Key_PageDown: turnBy(-kSecondsPerDay); return true;
    case Qt::Key_PageUp: turnBy(kSecondsPerDay); return true;
    default: return false;
  }
}

void ChartClock::settingsChanged() {
  const double shown = shownInstant();
  const double longitudeBefore = place_.longitudeDeg;
  place_ = chartPlace(scene_.settings(), wallClock_());
  if (following_) {
    now();
    return;
  }
  if (place_.longitudeDeg != longitudeBefore || latitude() != anchorLatitude_) {
    const double angle = stage_.discAngle();
    anchor(angle, instantForDiscAngle(angle, place_.longitudeDeg, latitude(),
                                      shown - kSecondsPerDay / kSiderealRate / 2));
  }
  refreshReadout();
}

void ChartClock::refreshReadout() {
  const Settings& s = scene_.settings();
  const std::string text = chartTimeText(place_.zone, place_.longitudeDeg, shownInstant(), s.languageFile);
  // Recorded again only when the text or its look has changed.
  if (text == shownText_ && s.colourScheme == shownScheme_ && s.languageFile == shownLanguage_) return;
  shownText_ = text;
  shownScheme_ = s.colourScheme;
  shownLanguage_ = s.languageFile;
  stage_.setReadout(recordTimeReadout(scene_.setup().glyphs, s.colourScheme, text));
}

}  // namespace caelora
