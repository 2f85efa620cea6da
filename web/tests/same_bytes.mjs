// The WebAssembly module against the native engine programs, byte for byte: for seeded
// random settings (some with added filters and a compression plate, B2F.dat's lines after
// the ninth) and the committed engine files' settings, the module's Result.dat,
// Beam_Axis.dat, warnings and error message must equal what dornic or vessick write and
// print for the B2F.dat the desktop program writes for the same settings.
//   node --no-experimental-fetch web/tests/same_bytes.mjs <module dir> <engine dir> [count]
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

const model = await loadModule(path.resolve(moduleDir));
const cases = [
  ...committed,
  ...randomSettings(generator(25), Number(countText)).map((s, k) => [`random ${k + 1}`, s]),
  ...layeredSettings(generator(26), 40).map((s, k) => [`layered ${k + 1}`, s]),
];
const tally = { same: 0, errors: 0, withoutBeamAxis: 0 };
const failures = [];
for (const [name, setup] of cases) {
  const web = model.field(setup);
  const native = runNative(model.parameterText(setup), setup.target);
  const problems = differences(web, native);
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
  `(${tally.errors} refused with the same message, ${tally.withoutBeamAxis} without a beam axis)`);
for (const failure of failures) console.log(`DIFFERS ${failure}`);
process.exit(failures.length === 0 ? 0 : 1);
