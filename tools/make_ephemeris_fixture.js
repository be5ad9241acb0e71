#!/usr/bin/env node
// SPDX-License-Identifier: GPL-2.0-or-later
// Writes tests/fixtures/ephemeris.txt: the apparent geocentric places of the
// Sun, the Moon and the planets, and the Moon's lit fraction, from an
// independent library, the npm package astronomy-engine (MIT licence,
// Copyright (c) 2019-2023 Don Cross).
//
// Getting the source (nothing is installed system-wide):
//   npm install --prefix /tmp/npm astronomy-engine@2.1.19
// Usage:
//   node tools/make_ephemeris_fixture.js /tmp/npm/node_modules/astronomy-engine > tests/fixtures/ephemeris.txt
//
// One line an instant, 300 instants from 1950 to 2100:
//   <unix seconds> <ra> <dec> (x 9: Sun, Moon, Mercury ... Neptune) <Moon lit fraction>
// right ascension in hours and declination in degrees in the J2000 frame,
// corrected for light time and (but for the Moon) aberration, geocentric.
'use strict';
const fs = require('fs');
const path = require('path');
const Astronomy = require(process.argv[2] || 'astronomy-engine');

const bodies = ['Sun', 'Moon', 'Mercury', 'Venus', 'Mars', 'Jupiter', 'Saturn', 'Uranus', 'Neptune'];

let seed = 1950;
function random() {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
}

const from = Date.UTC(1950, 0, 1) / 1000;
const to = Date.UTC(2100, 0, 1) / 1000;
const out = ['# Written by tools/make_ephemeris_fixture.js with astronomy-engine ' +
             JSON.parse(fs.readFileSync(path.join(process.argv[2] || '', 'package.json'), 'utf8')).version + '.'];
const instants = [Date.UTC(2026, 0, 15, 20, 0) / 1000];  // Prague, 21:00 CET
for (let i = 0; i < 299; ++i) instants.push(Math.round(from + (to - from) * random()));
for (const unix of instants) {
  const time = Astronomy.MakeTime(new Date(unix * 1000));
  const fields = [unix];
  for (const name of bodies) {
    const equator = Astronomy.EquatorFromVector(Astronomy.GeoVector(Astronomy.Body[name], time, true));
    fields.push(equator.ra.toFixed(6), equator.dec.toFixed(5));
  }
  fields.push(Astronomy.Illumination(Astronomy.Body.Moon, time).phase_fraction.toFixed(4));
  out.push(fields.join(' '));
}
process.stdout.write(out.join('\n') + '\n');
