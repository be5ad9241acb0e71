// SPDX-License-Identifier: GPL-2.0-or-later
// The OpenGL surface the chart needs: RGBA, double buffered, depth and a
// stencil for the horizon window, and a legacy (compatibility) context, since
// the chart lives in display lists.
#pragma once

#include <QSurfaceFormat>

class QOpenGLContext;

namespace caelora {

// RGBA (24 colour bits, no alpha plane), double buffer, depth 24, stencil 8, compatibility profile, no MSAA
// (multisampling turns smoothed points square).
QSurfaceFormat chartSurfaceFormat();

// True when the context can run display lists and the stencil sequence: a
// desktop OpenGL context that is not a core profile.
bool canDrawChart(const QOpenGLContext& context);

// The fixed message when no usable context can be had.
inline constexpr const char* kContextErrorText = "Can't create OpenGL context!";
inline constexpr const char* kContextErrorTitle = "Errror";

}  // namespace caelora
