// Benchmarks of the browser build, reported and not asserted: a whole field in headless
// chromium side by side with the native engines' benchmarks at the same settings, the time
// until the page is usable and shows its first field, and what the page transfers.
//   node web/tests/speed.mjs <dist dir> <module dir> <native bin dir> [rounds] [loads]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawn, spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { launchBrowser } from './browser.mjs';

const [distDir, moduleDir, binDir] = process.argv.slice(2, 5).map((p) => path.resolve(p));
const rounds = Number(process.argv[5] ?? 3);
const loads = Number(process.argv[6] ?? 5);
const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const load = () => os.loadavg().map((v) => v.toFixed(2)).join(' ');

async function serve(folder) {
  const server = spawn(process.execPath, [path.join(root, 'web/serve.mjs'), folder, '0']);
  process.on('exit', () => server.kill());
  return new Promise((resolve) => server.stdout.on('data', (data) => resolve(String(data).match(/http:\S+/)[0])));
}

// The native benchmarks' settings: Mo/Mo 28 kV and W/Rh 50 kV, theta 22, phi 0.
const mo28 = { target: 'mo', tube_voltage: 28, target_angle: 22, tilt_angle: 0, beryllium: 0.8, aluminium: 0, molybdenum: 0.03, rhodium: 0, air_layer: 60 };
const w50 = { ...mo28, target: 'w', tube_voltage: 50, molybdenum: 0, rhodium: 0.05 };
const cases = [
  { name: 'Mo 28 kV', setup: mo28, program: 'dornic_bench', filter: '^BM_MolybdenumField$' },
  { name: 'W 50 kV', setup: w50, program: 'vessick_bench', filter: '^BM_TungstenField/50$' },
];

// The median wall time of five repetitions, in ms.
function nativeField({ program, filter }) {
  const run = spawnSync(path.join(binDir, program), [`--benchmark_filter=${filter}`, '--benchmark_repetitions=5',
    '--benchmark_report_aggregates_only=true', '--benchmark_format=json'], { encoding: 'utf8' });
  const result = JSON.parse(run.stdout).benchmarks.find((b) => b.aggregate_name === 'median');
  if (result.time_unit !== 'ms') throw new Error(`${program}: times in ${result.time_unit}`);
  return result.real_time;
}

const browser = await launchBrowser();

// The module's own time for a whole field (what the native benchmarks measure), in a page of
// the module's folder.
const modulePage = await (await browser.newContext()).newPage();
await modulePage.goto(`${await serve(moduleDir)}index.html`);
await modulePage.evaluate(async () => {
  const { default: createPalvane } = await import('./palvane_web.mjs');
  globalThis.palvane = await createPalvane();
});
// Measured as the native benchmarks are: five repetitions, each the mean time of the fields
// computed in half a second, and their median; what the host takes from a short stretch of
// time then moves one repetition, not the figure.
const browserField = (setup) =>
  modulePage.evaluate((setup) => {
    const means = [];
    for (let repetition = 0; repetition < 5; ++repetition) {
      let total = 0;
      let count = 0;
      while (total < 500) {
        const answer = globalThis.palvane.field(setup);
        if (!answer.ok) throw new Error(answer.error);
        total += answer.computeMilliseconds;
        ++count;
      }
      means.push(total / count);
    }
    return means.sort((a, b) => a - b)[2];
  }, setup);

// Fields computed for a second before the rounds: the browser compiles the module's hot
// code again, optimised, in the background while the first fields run, as the native
// benchmarks' figures are of code already optimised.
const warmUp = (setup) =>
  modulePage.evaluate((setup) => {
    for (const started = performance.now(); performance.now() - started < 1000;) globalThis.palvane.field(setup);
  }, setup);

console.log(`load average before: ${load()}`);
for (const c of cases) {
  await warmUp(c.setup);
  const native = [];
  const chromium = [];
  for (let round = 0; round < rounds; ++round) {
    native.push(nativeField(c));
    chromium.push(await browserField(c.setup));
  }
  const [n, b] = [median(native), median(chromium)];
  console.log(`whole field ${c.name}: chromium ${b.toFixed(2)} ms, native ${n.toFixed(2)} ms, ` +
    `${(b / n).toFixed(2)}x (medians of ${rounds} rounds side by side)`);
}

// Cold loads from the local server: each in a new context (empty cache). The times are
// from the start of navigation: the settings form built (the page's script has run and
// bound its controls) and the frame after the first field's status turned done.
const site = await serve(distDir);
const usable = [];
const shown = [];
const transferred = [];
const asked = [];
for (let k = 0; k < loads; ++k) {
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 } });
  const page = await context.newPage();
  await page.addInitScript(() => {
    const marks = (globalThis.loadMarks = { asked: 0 });
    // The questions the page sends its worker before the first field is shown: none when
    // the worker's unasked answers to the page's opening questions serve it.
    const post = Worker.prototype.postMessage;
    Worker.prototype.postMessage = function (...message) {
      if (marks.done === undefined) marks.asked += 1;
      return post.apply(this, message);
    };
    new MutationObserver(() => {
      if (marks.usable === undefined && document.querySelector('#settings input')) marks.usable = performance.now();
      if (marks.done === undefined && document.querySelector('#status[data-state=done]')) {
        marks.done = performance.now();
        requestAnimationFrame(() => setTimeout(() => (marks.shown = performance.now())));
      }
    }).observe(document, { subtree: true, childList: true, attributes: true });
  });
  // Every file the page and its workers ask for, as the server sends it: the gzip copy
  // where the build wrote one.
  const files = new Set();
  context.on('request', (request) => files.add(new URL(request.url()).pathname));
  await page.goto(site);
  await page.waitForFunction(() => globalThis.loadMarks.shown !== undefined, undefined, { timeout: 60000 });
  const marks = await page.evaluate(() => globalThis.loadMarks);
  usable.push(marks.usable);
  shown.push(marks.shown);
  asked.push(marks.asked);
  transferred.push([...files].reduce((sum, name) => {
    const file = path.join(distDir, name === '/' ? 'index.html' : name);
    const sent = [`${file}.gz`, file].find((f) => fs.existsSync(f));
    return sum + (sent ? fs.statSync(sent).size : 0);
  }, 0));
  await context.close();
}
console.log(`page load from a local server, median of ${loads}: settings usable after ${median(usable).toFixed(0)} ms, ` +
  `first field shown after ${median(shown).toFixed(0)} ms (questions sent to the model's worker before it: ${median(asked)})`);
console.log(`transferred (the files served, gzip where the build wrote a copy): ${(median(transferred) / 1024).toFixed(0)} KiB`);
console.log(`load average after: ${load()}`);
await browser.close();
process.exit(0);
