// The WebAssembly module against the native engine programs, byte for byte: for seeded
// random settings (some with added filters and a compression plate, B2F.dat's lines after
// the ninth) and the committed engine files' settings, the module's Result.dat,
// Beam_Axis.dat, warnings and error message must equal what dornic or vessick write and
// print for the B2F.dat the desktop program writes for the same settings. For every computed
// field, the module's report set of two random points (with a tube profile for half the
// molybdenum cases) must equal native_report_set's file for file (but for the last digits
// of point spectra's fluences: see fluencesApart), or both refuse it with the same message.
//   node --no-experimental-fetch web/tests/same_bytes.mjs <module dir> <native bin dir> [count]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { loadModule } from './load_module.mjs';

const [moduleDir, engineDir, countText = '520'] = process.argv.slice(2);
const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const tables = ['MUs3.dat', 'Mo-STP.dat', 'Materials.dat'].map((name) => [name, fs.readFileSync(path.join(root, 'data', name))]);

// mulberry32: a small seeded generator, so that every run checks the same settings.
function generator(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// Settings over the whole ranges the forms accept, most of them near clinical use; the
// wide angles reach the engines' refusals and runs without a beam axis.
function randomSettings(random, count) {
  const pick = (low, high, decimals) => Number((low + (high - low) * random()).toFixed(decimals));
  const maybe = (share, value) => (random() < share ? value : 0);
  const settings = [];
  for (let k = 0; k < count; ++k) {
    const wide = random() < 0.25;
    settings.push({
      target: random() < 0.5 ? 'mo' : 'w',
      tube_voltage: pick(20, 50, 1),
      target_angle: wide ? pick(-90, 90, 1) : pick(5, 30, 1),
      tilt_angle: wide ? pick(-90, 90, 1) : pick(-12, 12, 1),
      beryllium: pick(0, 3, 2),
      aluminium: maybe(0.4, pick(0, 2, 2)),
      molybdenum: maybe(0.5, pick(0, 0.1, 3)),
      rhodium: maybe(0.4, pick(0, 0.1, 3)),
      air_layer: random() < 0.7 ? 60 : pick(0, 100, 1),
    });
  }
  return settings;
}

// Random added layers on random settings: one to three filters of any material of
// Materials.dat, within the thicknesses the model takes, and a plate in half of them.
function layeredSettings(random, count) {
  const materials = ['ag', 'al', 'cu', 'sn', 'pmma', 'pc'];
  const pick = (list) => list[Math.floor(random() * list.length)];
  const thickness = (high) => Number((high * random()).toFixed(3));
  return randomSettings(random, count).map((settings) => ({
    ...settings,
    added_filters: Array.from({ length: 1 + Math.floor(3 * random()) }, () => ({ material: pick(materials), thickness: thickness(0.2) })),
    ...(random() < 0.5 ? { plate: { material: pick(['pmma', 'pc']), thickness: thickness(4) } } : {}),
  }));
}

// The committed engine files' settings: their files must come out of both sides.
const committed = [
  ['mo_30kv', { target: 'mo', tube_voltage: 30, target_angle: 10, tilt_angle: 4, beryllium: 0.8, aluminium: 0, molybdenum: 0.03, rhodium: 0, air_layer: 60 }],
  ['w_30kv', { target: 'w', tube_voltage: 30, target_angle: 10, tilt_angle: 4, beryllium: 0.8, aluminium: 0, molybdenum: 0, rhodium: 0.025, air_layer: 60 }],
];

function runNative(b2f, target) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'palvane-web-'));
  try {
    for (const [name, bytes] of tables) fs.writeFileSync(path.join(dir, name), bytes);
    fs.writeFileSync(path.join(dir, 'B2F.dat'), b2f, 'latin1');
    const program = path.join(path.resolve(engineDir), target === 'w' ? 'vessick' : 'dornic');
    const run = spawnSync(program, [], { cwd: dir, input: '\n', encoding: 'latin1' });
    const read = (name) => (fs.existsSync(path.join(dir, name)) ? fs.readFileSync(path.join(dir, name), 'latin1') : '');
    return { status: run.status, stderr: run.stderr, result: read('Result.dat'), beamAxis: read('Beam_Axis.dat') };
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

function differences(web, native) {
  if (!web.ok) {
    const problems = [];
    if (native.stderr !== `${web.error}\n`) problems.push(`message: web "${web.error}", native "${native.stderr.trim()}"`);
    if (native.result !== '') problems.push('the native engine wrote Result.dat');
    return problems;
  }
  const problems = [];
  if (web.resultText !== native.result) problems.push('Result.dat');
  if (web.beamAxisText !== native.beamAxis) problems.push('Beam_Axis.dat');
  const warnings = web.warnings.map((line) => `${line}\n`).join('');
  if (warnings !== native.stderr) problems.push(`warnings: web "${warnings}", native "${native.stderr}"`);
  return problems;
}

// Whether two spectrum files differ only in photon fluences, each by a relative 1e-12 at
// most: palvane's double-precision model computes a point's spectrum with the C library's
// exp, log, tan and atan, whose last bit differs between the native and the WebAssembly
// library for a few arguments, and an exponent's size (up to some hundreds in the lowest
// bins) amplifies such a bit. The beam-axis spectrum passes through B_SPCTL.dat's five
// decimals and every other value is printed rounded, so no other field may differ. The
// largest relative difference is kept in tally.largestApart.
function fluencesApart(web, native) {
  const a = web.split('\r\n');
  const b = native.split('\r\n');
  if (a.length !== b.length) return false;
  return a.every((line, k) => {
    if (line === b[k]) return true;
    const [energy, value] = line.split(',');
    const [nativeEnergy, nativeValue] = b[k].split(',');
    const apart = Math.abs(Number(value) - Number(nativeValue)) / Math.abs(Number(nativeValue));
    tally.largestApart = Math.max(tally.largestApart, apart);
    return energy === nativeEnergy && apart <= 1e-12;
  });
}

// The report set of the module against native_report_set's for the same study.
const profileFile = path.join(root, 'web/tests/data/room2_mo.txt');
const when = { savedAt: '2026-12-08 14:32', folderStamp: '2026-12-08_1432' };
function reportSetDifferences(setup, resultText, random) {
  const points = [0, 1].map(() => ({ x: Number((150 * random()).toFixed(1)), y: Number((100 * random()).toFixed(1)) }));
  const profile = setup.target === 'mo' && random() < 0.5 ? profileFile : '';
  const web = model.reportSet(setup, resultText, points, profile && fs.readFileSync(profile, 'utf8'), when);
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'palvane-set-'));
  try {
    fs.writeFileSync(path.join(dir, 'Result.dat'), resultText, 'latin1');
    const { added_filters: filters = [], plate, ...numbers } = setup;
    const args = [path.join(root, 'data'), path.join(dir, 'Result.dat'), profile || '-', when.savedAt, when.folderStamp, dir,
      ...Object.entries(numbers).map(([name, value]) => `${name}=${value}`), ...points.map((p) => `point=${p.x},${p.y}`),
      ...filters.map((f) => `filter=${f.material}:${f.thickness}`), ...(plate ? [`plate=${plate.material}:${plate.thickness}`] : [])];
    const native = spawnSync(path.join(path.resolve(engineDir), 'native_report_set'), args, { encoding: 'utf8' });
    if (!web.ok) return native.stderr === `native_report_set: ${web.error}\n` ? [] : [`report set: web "${web.error}", native "${native.stderr.trim()}"`];
    if (native.status !== 0) return [`report set: native "${native.stderr.trim()}"`];
    const folder = path.join(dir, native.stdout.trim());
    const names = fs.readdirSync(folder).sort();
    const problems = [];
    for (const file of web.files) {
      const native = fs.readFileSync(path.join(folder, file.name), 'utf8');
      if (file.text === native) continue;
      if (!/^spectrum_point_\d+\.csv$/.test(file.name) || !fluencesApart(file.text, native)) problems.push(`report set ${file.name}`);
      else tally.fluencesApart += 1;
    }
    if (JSON.stringify(web.files.map((file) => file.name).sort()) !== JSON.stringify(names)) problems.push('report set: other files');
    return problems;
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

const model = await loadModule(path.resolve(moduleDir));
const cases = [
  ...committed,
  ...randomSettings(generator(25), Number(countText)).map((s, k) => [`random ${k + 1}`, s]),
  ...layeredSettings(generator(26), 40).map((s, k) => [`layered ${k + 1}`, s]),
];
const tally = { same: 0, errors: 0, withoutBeamAxis: 0, sets: 0, fluencesApart: 0, largestApart: 0 };
const failures = [];
const pointRandom = generator(27);
for (const [name, setup] of cases) {
  const web = model.field(setup);
  const native = runNative(model.parameterText(setup), setup.target);
  const problems = differences(web, native);
  if (web.ok && problems.length === 0) {
    problems.push(...reportSetDifferences(setup, web.resultText, pointRandom));
    tally.sets += 1;
  }
  if (committed.some(([folder]) => folder === name)) {
    for (const file of ['Result.dat', 'Beam_Axis.dat']) {
      const wanted = fs.readFileSync(path.join(root, 'tests/data/expected', name, file), 'latin1');
      if ((file === 'Result.dat' ? web.resultText : web.beamAxisText) !== wanted) problems.push(`${file} differs from the committed file`);
    }
  }
  if (problems.length > 0) {
    failures.push(`${name} ${JSON.stringify(setup)}: ${problems.join('; ')}`);
    continue;
  }
  tally.same += 1;
  if (!web.ok) tally.errors += 1;
  else if (web.beamAxisText === '') tally.withoutBeamAxis += 1;
}
console.log(`${tally.same} of ${cases.length} settings identical with the native engines ` +
  `(${tally.errors} refused with the same message, ${tally.withoutBeamAxis} without a beam axis; ` +
  `${tally.sets} report sets compared; ${tally.fluencesApart} point spectrum files of them with ` +
  `photon fluences apart by a relative ${tally.largestApart.toExponential(1)} at most)`);
for (const failure of failures) console.log(`DIFFERS ${failure}`);
process.exit(failures.length === 0 ? 0 : 1);
