#!/usr/bin/env node
// Writes tests/fixtures/boundaries.txt: which constellation an independent
// library, the npm package astronomy-engine (MIT licence, Copyright (c)
// 2019-2023 Don Cross), finds on either side of every edge of
// data/boundaries.dat. Its Constellation(ra, dec) takes a J2000 place (ra in
// hours, dec in degrees), carries it to B1875 itself and looks it up in its
// own table of the IAU boundaries.
//
// Getting the source (nothing is installed system-wide):
//   npm install --prefix /tmp/npm astronomy-engine@2.1.19
// Usage:
//   node tools/make_boundaries_fixture.js /tmp/npm/node_modules/astronomy-engine > tests/fixtures/boundaries.txt
//
// Lines, in the file's order, up to three an edge:
//   <record> <where> <ra> <dec> <constellation> <ra> <dec> <constellation>
// Two places OFFSET_DEG off a point of the edge, on either side of it,
// carried along the normal of the great circle through a point before and
// one after it (a, b), first to the side of a x b. <where> is
//   middle: the edge's middle point, between the points before and after
//     it, or the middle of its middle segment when it has an even number of
//     points (they are equally spaced);
//   first, last: the middle of its first and last segment, near the corners
//     (edges of three points or more).
'use strict';
const fs = require('fs');
const path = require('path');
const Astronomy = require(process.argv[2] || 'astronomy-engine');

const OFFSET_DEG = 0.05;

function vector(raHours, decDeg) {
  const ra = raHours * Math.PI / 12, dec = decDeg * Math.PI / 180;
  return [Math.cos(dec) * Math.cos(ra), Math.cos(dec) * Math.sin(ra), Math.sin(dec)];
}
function unit(v) {
  const n = Math.hypot(v[0], v[1], v[2]);
  return v.map((c) => c / n);
}
function cross(a, b) {
  return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
}
function place(v) {
  const ra = Math.atan2(v[1], v[0]) * 12 / Math.PI;
  return { ra: (ra + 24) % 24, dec: Math.asin(Math.max(-1, Math.min(1, v[2]))) * 180 / Math.PI };
}

// The two places either side of the middle of v[i], v[j], off the great
// circle through v[a] and v[b].
function sides(v, i, j, a, b) {
  const middle = unit(v[i].map((c, k) => c + v[j][k]));
  const normal = unit(cross(v[a], v[b]));
  const t = Math.tan(OFFSET_DEG * Math.PI / 180);
  return [1, -1].map((s) => place(unit(middle.map((c, k) => c + s * t * normal[k]))));
}

// The probes of an edge: [where, i, j, a, b].
function probes(n) {
  const middle = ['middle', Math.floor((n - 1) / 2), Math.floor(n / 2), Math.floor(n / 2) - 1, Math.floor((n - 1) / 2) + 1];
  if (n < 3) return [middle];
  return [['first', 0, 1, 0, 1], middle, ['last', n - 2, n - 1, n - 2, n - 1]];
}

const data = fs.readFileSync(path.join(__dirname, '..', 'data', 'boundaries.dat'), 'latin1');
const out = [];
out.push('# Written by tools/make_boundaries_fixture.js with astronomy-engine ' +
         JSON.parse(fs.readFileSync(path.join(process.argv[2] || '', 'package.json'), 'utf8')).version +
         '; places ' + OFFSET_DEG + ' degrees either side of each edge of data/boundaries.dat.');
let record = 0;
for (const line of data.split(/\r?\n/)) {
  if (line.trim() === '') continue;
  ++record;
  const f = line.split(',');
  const count = Number(f[2]);
  const v = [];
  for (let i = 0; i < count; ++i) v.push(vector(Number(f[3 + 2 * i]) / 1000, Number(f[4 + 2 * i]) / 100));
  for (const [where, i, j, a, b] of probes(count)) {
    const row = [record, where];
    for (const p of sides(v, i, j, a, b)) row.push(p.ra.toFixed(6), p.dec.toFixed(6), Astronomy.Constellation(p.ra, p.dec).symbol);
    out.push(row.join(' '));
  }
}
process.stdout.write(out.join('\n') + '\n');
