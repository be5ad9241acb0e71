#!/usr/bin/env node
// SPDX-License-Identifier: GPL-2.0-or-later
// Writes tests/fixtures/sky_time.txt: reference values for the chart's clock
// from an independent library, the npm package astronomy-engine (MIT licence,
// Copyright (c) 2019-2023 Don Cross).
//
// Getting the source (nothing is installed system-wide):
//   npm install --prefix /tmp/npm astronomy-engine@2.1.19
// Usage:
//   node tools/make_sky_time_fixture.js /tmp/npm/node_modules/astronomy-engine > tests/fixtures/sky_time.txt
//
// Lines:
//   gmst <unix seconds> <Greenwich mean sidereal time, hours>
//     300 instants from 1990 to 2060 (GAST less the equation of the
//     equinoxes, both as the library computes them).
//   sky <latitude> <longitude> <unix seconds> <altitude>,<altitude>,...
//     the geometric altitude (degrees, no refraction) of every star of
//     data/yale.dat brighter than magnitude 3.5, in the file's order, seen
//     from the place at the instant: the catalogue's J2000 places carried to
//     the equator of date by the library's precession and nutation.
'use strict';
const fs = require('fs');
const path = require('path');
const Astronomy = require(process.argv[2] || 'astronomy-engine');

const yale = fs.readFileSync(path.join(__dirname, '..', 'data', 'yale.dat'), 'latin1');
const stars = [];
for (const line of yale.split(/\r?\n/)) {
  const f = line.split(',').map(Number);
  if (f.length < 4 || !(f[2] / 100 < 3.5)) continue;
  stars.push({ ra: f[0] / 1000, dec: f[1] / 100 });
}

// A fixed sequence of pseudo-random numbers in [0, 1).
let seed = 20261208;
function random() {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
}

const from = Date.UTC(1990, 0, 1) / 1000;
const to = Date.UTC(2060, 0, 1) / 1000;
const out = [];
out.push('# Written by tools/make_sky_time_fixture.js with astronomy-engine ' +
         JSON.parse(fs.readFileSync(path.join(process.argv[2] || '', 'package.json'), 'utf8')).version +
         '; ' + stars.length + ' stars brighter than 3.5.');

for (let i = 0; i < 300; ++i) {
  const unix = Math.round(from + (to - from) * random());
  const time = Astronomy.MakeTime(new Date(unix * 1000));
  const gmst = Astronomy.SiderealTime(time) - Astronomy.e_tilt(time).ee / 3600;
  out.push('gmst ' + unix + ' ' + ((gmst + 24) % 24).toFixed(9));
}

function sky(latitude, longitude, unix) {
  const time = Astronomy.MakeTime(new Date(unix * 1000));
  const observer = new Astronomy.Observer(latitude, longitude, 0);
  const toDate = Astronomy.Rotation_EQJ_EQD(time);
  const altitudes = stars.map((s) => {
    const j2000 = Astronomy.VectorFromSphere(new Astronomy.Spherical(s.dec, s.ra * 15, 1), time);
    const ofDate = Astronomy.EquatorFromVector(Astronomy.RotateVector(toDate, j2000));
    return Astronomy.Horizon(time, observer, ofDate.ra, ofDate.dec, null).altitude.toFixed(1);
  });
  out.push('sky ' + latitude + ' ' + longitude + ' ' + unix + ' ' + altitudes.join(','));
}

// The places and times a user would try first (zone times in UTC here), then
// instants spread over seventy years at the same places and a few more.
sky(50, 14.4, Date.UTC(2026, 0, 15, 20, 0) / 1000);    // Prague, 21:00 CET
sky(-34, 151.2, Date.UTC(2026, 0, 15, 11, 0) / 1000);  // Sydney, 22:00 AEDT
sky(41, -74, Date.UTC(2026, 6, 15, 2, 0) / 1000);      // New York, 22:00 EDT
sky(64, -21.9, Date.UTC(2026, 1, 10, 22, 0) / 1000);   // Reykjavik, 22:00 GMT
const places = [[50, 14.4], [-34, 151.2], [41, -74], [64, -21.9], [25, -80.2], [-45, 170.5], [78, 15.6], [35, 139.7]];
for (let i = 0; i < 28; ++i) {
  const [latitude, longitude] = places[i % places.length];
  sky(latitude, longitude, Math.round(from + (to - from) * random()));
}
process.stdout.write(out.join('\n') + '\n');
