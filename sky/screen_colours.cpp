// SPDX-License-Identifier: GPL-2.0-or-later
// The four screen colour schemes.
#include "sky/screen_colours.h"

namespace caelora {
namespace {

constexpr Rgb kWhite{1, 1, 1};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{1, 0, 0};

constexpr Shade grey(double base, double step) { return {{base, base, base}, {step, step, step}}; }

// Colour on black and white on black differ only in the stars, the lettering
// of the constellations and the mask.
constexpr ScreenColours onBlack(std::optional<Rgb> stars, Rgb lineText, Rgb maskBottom, Rgb maskTop, Rgb grid,
                                Rgb gridText, Rgb sun, Rgb planets, Rgb messier) {
  return {0.0f,
          stars,
          {{0.2, 0.2, 0.28}, {1, 1, 1}},
          grey(0.15, 1),
          grey(0.25, 1),
          kWhite,
          lineText,
          {0.5f, 0.1f, 0.3f},
          {1, 1, 0},
          {0.6f, 0.3f, 0.3f},
          {0.12f, 0.36f, 0.34f},
          kWhite,
          maskBottom,
          maskTop,
          {0.5f, 0.5f, 0.5f},
          kBlack,
          {0, 0, 0},
          {128, 128, 128},
          {192, 192, 192},
          {255, 255, 255},
          grid,
          gridText,
          sun,
          planets,
          {0.95f, 0.95f, 0.85f},
          {0.22f, 0.22f, 0.25f},
          messier};
}

const ScreenColours kColour = onBlack(std::nullopt, {0.9f, 0.6f, 0.3f}, {0, 0, 0.1f}, {0, 0, 0.9f},
                                      {0.15f, 0.5f, 0.3f}, {0.35f, 0.8f, 0.5f}, {1, 0.85f, 0.2f},
                                      {1, 0.8f, 0.45f}, {0.55f, 0.75f, 1});
const ScreenColours kWhiteOnBlack = onBlack(kWhite, {0.7f, 0.7f, 0.7f}, {0.4f, 0.4f, 0.4f}, {0.8f, 0.8f, 0.8f},
                                            {0.4f, 0.4f, 0.4f}, {0.65f, 0.65f, 0.65f}, kWhite, {0.9f, 0.9f, 0.9f},
                                            {0.7f, 0.7f, 0.7f});

const ScreenColours kBlackOnWhite = {1.0f,
                                     kBlack,
                                     grey(0.95, -1),
                                     grey(0.98, -1),
                                     grey(0.9, -1),
                                     kBlack,
                                     {0.3f, 0.3f, 0.3f},
                                     {0.8f, 0.8f, 0.8f},
                                     {0.5f, 0.5f, 0.5f},
                                     {0.7f, 0.7f, 0.7f},
                                     {0.82f, 0.82f, 0.82f},
                                     kBlack,
                                     {0.4f, 0.4f, 0.4f},
                                     {0.8f, 0.8f, 0.8f},
                                     {0.5f, 0.5f, 0.5f},
                                     kWhite,
                                     {0, 0, 0},
                                     {128, 128, 128},
                                     {192, 192, 192},
                                     {255, 255, 255},
                                     {0.65f, 0.65f, 0.65f},
                                     {0.4f, 0.4f, 0.4f},
                                     {0.25f, 0.25f, 0.25f},
                                     {0.15f, 0.15f, 0.15f},
                                     {0.95f, 0.95f, 0.95f},
                                     {0.2f, 0.2f, 0.2f},
                                     {0.35f, 0.35f, 0.35f}};

// Nothing but red and black, so that the eyes keep their dark adaptation.
const ScreenColours kRedOnBlack = {0.0f,
                                   kRed,
                                   {{0.3, 0, 0}, {1, 0, 0}},
                                   {{0.2, 0.1, 0.1}, {1, 0, 0}},
                                   {{0.32, 0.18, 0.18}, {1, 0, 0}},
                                   kRed,
                                   {0.9f, 0.2f, 0.2f},
                                   {0.5f, 0.2f, 0.2f},
                                   {0.9f, 0, 0},
                                   {0.6f, 0.3f, 0.3f},
                                   {0.3f, 0, 0},
                                   kRed,
                                   {0.1f, 0, 0},
                                   {0.6f, 0, 0},
                                   {0.6f, 0, 0},
                                   kBlack,
                                   {0, 0, 0},
                                   {100, 0, 0},
                                   {150, 0, 0},
                                   {255, 0, 0},
                                   {0.4f, 0, 0},
                                   {0.7f, 0, 0},
                                   {1, 0.1f, 0.1f},
                                   {0.9f, 0.2f, 0.2f},
                                   {0.8f, 0.15f, 0.15f},
                                   {0.2f, 0, 0},
                                   {0.6f, 0.1f, 0.1f}};

}  // namespace

Rgb Shade::at(double k) const {
  return {static_cast<float>(base[0] + k * step[0]), static_cast<float>(base[1] + k * step[1]),
          static_cast<float>(base[2] + k * step[2])};
}

const ScreenColours& screenColours(ScreenScheme scheme) {
  switch (scheme) {
    case ScreenScheme::WhiteOnBlack: return kWhiteOnBlack;
    case ScreenScheme::BlackOnWhite: return kBlackOnWhite;
    case ScreenScheme::Red: return kRedOnBlack;
    case ScreenScheme::Colour: break;
  }
  return kColour;
}

}  // namespace caelora
