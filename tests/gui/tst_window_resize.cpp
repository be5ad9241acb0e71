// SPDX-License-Identifier: GPL-2.0-or-later
// The main window under a real window manager (Openbox, on an X display of
// the test's own): each edge and corner of the frame dragged with real input
// events (XTest). The frame follows the pointer undisturbed while the button
// is held, and once it is up the window settles square where the sizing rule
// puts it for the edge that was dragged.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QProcess>
#include <QSurfaceFormat>
#include <QtTest>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

#include "app/aspect_ratio.h"
#include "app/mapka.h"
#include "gl/context_format.h"
#include "tests/gui/gui_test_support.h"

using namespace caelora;

Q_DECLARE_METATYPE(caelora::SizingEdge)

namespace {

const std::string kData = CAELORA_BUILD_DATA_DIR;
// Bounds a hang only: every wait ends as soon as its condition holds.
constexpr int kPatienceMs = 20000;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

// The pointer of the X server, driven through XTest on a connection of the
// test's own, as a user's mouse would drive it.
class FakePointer {
 public:
  FakePointer() : c_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(c_) == 0)
      root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
  }
  ~FakePointer() { xcb_disconnect(c_); }
  FakePointer(const FakePointer&) = delete;
  FakePointer& operator=(const FakePointer&) = delete;

  bool connected() const { return root_ != 0; }
  void moveTo(QPoint at) { send(XCB_MOTION_NOTIFY, 0, at); }
  void press(QPoint at) { send(XCB_BUTTON_PRESS, 1, at); }
  void release(QPoint at) { send(XCB_BUTTON_RELEASE, 1, at); }

  // The frame round `client` as the server has it now: the client's place
  // on the root window widened by the extents the window manager states.
  WindowRect frameOnServer(xcb_window_t client) {
    ReplyPtr<xcb_translate_coordinates_reply_t> at(
        xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, client, root_, 0, 0), nullptr), &std::free);
    ReplyPtr<xcb_get_geometry_reply_t> size(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, client), nullptr),
                                            &std::free);
    ReplyPtr<xcb_get_property_reply_t> extents(
        xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, client, atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4), nullptr),
        &std::free);
    if (!at || !size || !extents || xcb_get_property_value_length(extents.get()) != 16) return {};
    const auto* e = static_cast<const uint32_t*>(xcb_get_property_value(extents.get()));  // left, right, top, bottom
    return {at->dst_x - static_cast<int>(e[0]), at->dst_y - static_cast<int>(e[2]),
            at->dst_x + size->width + static_cast<int>(e[1]), at->dst_y + size->height + static_cast<int>(e[3])};
  }

  // A window manager has announced itself on the root window.
  bool windowManagerRunning() {
    const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
    ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c_, xcb_get_property(c_, 0, root_, check, XCB_ATOM_WINDOW, 0, 1),
                               nullptr),
        &std::free);
    return reply && xcb_get_property_value_length(reply.get()) == 4;
  }

 private:
  void send(uint8_t type, uint8_t button, QPoint at) {
    xcb_test_fake_input(c_, type, button, XCB_CURRENT_TIME, root_, static_cast<int16_t>(at.x()),
                        static_cast<int16_t>(at.y()), 0);
    // A round trip: the server has taken the event before the next one.
    ReplyPtr<xcb_get_input_focus_reply_t>(
        xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr), &std::free);
  }

  xcb_atom_t atom(const char* name) {
    ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  }

  xcb_connection_t* c_;
  xcb_window_t root_ = 0;
};

WindowRect frameRect(const QWidget& window) {
  const QRect f = window.frameGeometry();
  return {f.left(), f.top(), f.left() + f.width(), f.top() + f.height()};
}

bool operator==(const WindowRect& a, const WindowRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

QString shown(const WindowRect& r) {
  return QStringLiteral("(%1, %2)-(%3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

// The sides of the frame that a drag of `edge` moves.
struct Sides {
  bool left, top, right, bottom;
};
Sides sidesOf(SizingEdge edge) {
  const bool left =
      edge == SizingEdge::Left || edge == SizingEdge::TopLeft || edge == SizingEdge::BottomLeft;
  const bool top =
      edge == SizingEdge::Top || edge == SizingEdge::TopLeft || edge == SizingEdge::TopRight;
  const bool right = !left && edge != SizingEdge::Top && edge != SizingEdge::Bottom;
  const bool bottom = !top && edge != SizingEdge::Left && edge != SizingEdge::Right;
  return {left, top, right, bottom};
}

// The pixel of the frame where a user takes hold of `edge`: the middle of a
// side, or the outermost pixel of a corner.
QPoint grabPoint(const WindowRect& f, SizingEdge edge) {
  const Sides s = sidesOf(edge);
  return {s.left    ? f.left
          : s.right ? f.right - 1
                    : (f.left + f.right) / 2,
          s.top      ? f.top
          : s.bottom ? f.bottom - 1
                     : (f.top + f.bottom) / 2};
}

// The frame as the window manager sizes it while the pointer holds `edge`
// and has moved by `by`.
WindowRect draggedFrame(WindowRect f, SizingEdge edge, QPoint by) {
  const Sides s = sidesOf(edge);
  (s.left ? f.left : f.right) += (s.left || s.right) ? by.x() : 0;
  (s.top ? f.top : f.bottom) += (s.top || s.bottom) ? by.y() : 0;
  return f;
}

}  // namespace

class TestWindowResize : public QObject {
  Q_OBJECT

 public:
  static void initMain() { QSurfaceFormat::setDefaultFormat(chartSurfaceFormat()); }

 private slots:
  void initTestCase() {
    QVERIFY2(test::usesOwnSettingsStore(), test::kOwnStoreNeeded);
    QVERIFY2(pointer_.connected(), "no X display");
    QVERIFY2(!pointer_.windowManagerRunning(), "the display must be the test's own");
    windowManager_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    QVERIFY2(windowManager_.waitForStarted(),
             "openbox is missing: scripts/install-deps installs it");
    QTRY_VERIFY_WITH_TIMEOUT(pointer_.windowManagerRunning(), kPatienceMs);
    test::startWithOrdinaryWindow();
    window_ = std::make_unique<Mapka>(kData);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    // Framed: the window manager has put its frame round the window.
    QTRY_VERIFY_WITH_TIMEOUT(window_->frameGeometry() != window_->geometry(), kPatienceMs);
  }

  void cleanupTestCase() {
    window_.reset();
    windowManager_.terminate();
    windowManager_.waitForFinished();
  }

  void dragEndsSquareWhereTheRulePutsIt_data() {
    QTest::addColumn<SizingEdge>("edge");
    QTest::addColumn<QPoint>("by");
    QTest::newRow("left, wider") << SizingEdge::Left << QPoint(-70, 0);
    QTest::newRow("right, narrower") << SizingEdge::Right << QPoint(-60, 0);
    QTest::newRow("top, lower") << SizingEdge::Top << QPoint(0, 45);
    QTest::newRow("bottom, taller") << SizingEdge::Bottom << QPoint(0, 80);
    QTest::newRow("top-left, up more than in") << SizingEdge::TopLeft << QPoint(20, -75);
    QTest::newRow("top-right, out more than down") << SizingEdge::TopRight << QPoint(90, 30);
    QTest::newRow("bottom-left, in more than down") << SizingEdge::BottomLeft << QPoint(55, 20);
    QTest::newRow("bottom-right, down more than out") << SizingEdge::BottomRight << QPoint(25, 85);
  }

  void dragEndsSquareWhereTheRulePutsIt() {
    QFETCH(SizingEdge, edge);
    QFETCH(QPoint, by);
    placeWindow(QRect(300, 250, 400, 400));
    const WindowRect start = frameRect(*window_);
    const FrameMetrics frame = measureFrame(*window_);

    const QPoint from = grabPoint(start, edge);
    pointer_.moveTo(from);
    pointer_.press(from);
    // A failed check below must not leave the button down for the next row.
    std::unique_ptr<FakePointer, std::function<void(FakePointer*)>> held(
        &pointer_, [from, by](FakePointer* p) { p->release(from + by); });
    for (int step = 1; step <= 4; ++step) pointer_.moveTo(from + by * step / 4);
    // While the button is held the frame is where the pointer put it.
    const WindowRect dragged = draggedFrame(start, edge, by);
    QTRY_VERIFY2_WITH_TIMEOUT(followed(start, from + by) && frameRect(*window_) == dragged,
                              qPrintable(shown(frameRect(*window_)) + " not " + shown(dragged)),
                              kPatienceMs);
    pointer_.release(from + by);
    held.release();

    const WindowRect kept = keepAspect(edge, dragged, frame, window_->aspectRatio());
    QTRY_VERIFY2_WITH_TIMEOUT(frameRect(*window_) == kept,
                              qPrintable(shown(frameRect(*window_)) + " not " + shown(kept)),
                              kPatienceMs);
    QCOMPARE(window_->width(), window_->height());
    QTRY_COMPARE_WITH_TIMEOUT(window_->stageWidth(), window_->width(), kPatienceMs);
  }

 private:
  // Puts the window's client area at `client`, as a program may ask the
  // window manager to, and waits until it is there.
  void placeWindow(const QRect& client) {
    window_->setGeometry(client);
    QTRY_COMPARE_WITH_TIMEOUT(window_->geometry(), client, kPatienceMs);
    // The window manager may still move the frame a pixel after the client
    // has its size (its gravity): a drag measured from a frame that then
    // moves lands beside it. Wait until the server's frame holds still over
    // two looks and the window knows it.
    WindowRect last;
    QTRY_VERIFY_WITH_TIMEOUT(frameHoldsStill(last), kPatienceMs);
  }

  bool frameHoldsStill(WindowRect& last) {
    const WindowRect now = pointer_.frameOnServer(static_cast<xcb_window_t>(window_->winId()));
    const bool still = now == last && frameRect(*window_) == now;
    last = now;
    return still;
  }

  // Openbox starts a resize on the first motion after the press and sizes
  // the frame on the motions after that: as a hand on the mouse would, the
  // pointer moves on until the frame has begun to follow it. True once it has.
  bool followed(const WindowRect& start, QPoint to) {
    if (!(frameRect(*window_) == start)) return true;
    pointer_.moveTo(to + QPoint(1, 1));
    pointer_.moveTo(to);
    return false;
  }

  FakePointer pointer_;
  QProcess windowManager_;
  std::unique_ptr<Mapka> window_;
};

QTEST_MAIN(TestWindowResize)
#include "tst_window_resize.moc"
