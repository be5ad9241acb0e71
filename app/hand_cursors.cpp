// SPDX-License-Identifier: GPL-2.0-or-later
// The hand pointers, drawn here pixel by pixel.
#include "app/hand_cursors.h"

#include <QBitmap>
#include <QImage>
#include <cstring>

namespace caelora {

namespace {

constexpr int kCursorSize = 32;
constexpr int kHotSpot = 15;

// '#' black, '.' white, ' ' transparent.
const char* const kOpenHand[kCursorSize] = {
    "                                ",  //  0
    "                                ",  //  1
    "                                ",  //  2
    "             ##                 ",  //  3
    "            #..###              ",  //  4
    "            #..#..#             ",  //  5
    "          ###..#..#             ",  //  6
    "         #..#..#..###           ",  //  7
    "         #..#..#..#..#          ",  //  8
    "         #..#..#..#..#          ",  //  9
    "         #..#..#..#..#          ",  // 10
    "    ##   #..#..#..#..#          ",  // 11
    "   #..#  #..#..#..#..#          ",  // 12
    "   #...# #..#..#..#..#          ",  // 13
    "    #....#..#..#..#..#          ",  // 14
    "     #...............#          ",  // 15
    "     #...............#          ",  // 16
    "      #..............#          ",  // 17
    "       #.............#          ",  // 18
    "       #.............#          ",  // 19
    "        #............#          ",  // 20
    "        #............#          ",  // 21
    "         #...........#          ",  // 22
    "         #...........#          ",  // 23
    "         #...........#          ",  // 24
    "          #.........#           ",  // 25
    "          #.........#           ",  // 26
    "           #########            ",  // 27
    "                                ",  // 28
    "                                ",  // 29
    "                                ",  // 30
    "                                ",  // 31
};

const char* const kClosedHand[kCursorSize] = {
    "                                ",  //  0
    "                                ",  //  1
    "                                ",  //  2
    "                                ",  //  3
    "                                ",  //  4
    "                                ",  //  5
    "                                ",  //  6
    "                                ",  //  7
    "                                ",  //  8
    "                                ",  //  9
    "          ## ## ## ##           ",  // 10
    "         #..#..#..#..#          ",  // 11
    "         #..#..#..#..#          ",  // 12
    "         #..#..#..#..#          ",  // 13
    "         #..#..#..#..#          ",  // 14
    "       ##............#          ",  // 15
    "      #..########....#          ",  // 16
    "      #..........#...#          ",  // 17
    "      #..########....#          ",  // 18
    "       #.............#          ",  // 19
    "        #............#          ",  // 20
    "         #...........#          ",  // 21
    "         #...........#          ",  // 22
    "         #...........#          ",  // 23
    "         #...........#          ",  // 24
    "          #.........#           ",  // 25
    "          #.........#           ",  // 26
    "           #########            ",  // 27
    "                                ",  // 28
    "                                ",  // 29
    "                                ",  // 30
    "                                ",  // 31
};

// A one-bit image of the picture's pixels that are `on`.
QBitmap bitsOf(const char* const rows[kCursorSize], const char* on) {
  QImage image(kCursorSize, kCursorSize, QImage::Format_Mono);
  image.setColor(0, qRgb(255, 255, 255));
  image.setColor(1, qRgb(0, 0, 0));
  for (int y = 0; y < kCursorSize; ++y)
    for (int x = 0; x < kCursorSize; ++x)
      image.setPixel(x, y, std::strchr(on, rows[y][x]) != nullptr ? 1 : 0);
  return QBitmap::fromImage(image);
}

// Black where '#', opaque where '#' or '.'.
QCursor cursorOf(const char* const rows[kCursorSize]) {
  return QCursor(bitsOf(rows, "#"), bitsOf(rows, "#."), kHotSpot, kHotSpot);
}

}  // namespace

QCursor openHandCursor() { return cursorOf(kOpenHand); }
QCursor closedHandCursor() { return cursorOf(kClosedHand); }

}  // namespace caelora
