// The page in Debian's chromium: computes Mo/Mo 28 kV, compares the beam-axis HVL and three
// map read-outs with the native sweep, adds a clicked and a typed point, compares the
// downloaded engine files with the native engine's and takes the screenshots (speed.mjs
// times the page).
//   node web/tests/page.mjs <dist dir> <native bin dir> <screenshot dir>
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawn, spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { launchBrowser } from './browser.mjs';

const [distDir, binDir, shotDir] = process.argv.slice(2).map((p) => path.resolve(p));
const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const failures = [];
const check = (ok, what) => {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
};

// The study of the issue: Mo/Mo 28 kV, theta 22, phi 0, 0.8 mm Be, 0.03 mm Mo.
const study = { target: 'mo', tube_voltage: '28', target_angle: '22', tilt_angle: '0', beryllium: '0.8', aluminium: '0', molybdenum: '0.03', rhodium: '0', air_layer: '60' };

const sweep = spawnSync(path.join(binDir, 'sweep'), ['--tables', path.join(root, 'data'), '--target', 'mo', '--kv', '28', '--theta', '22', '--phi', '0'], { encoding: 'utf8' });
const [header, row] = sweep.stdout.trim().split('\n').slice(-2).map((line) => line.split(','));
const native = Object.fromEntries(header.map((name, k) => [name, row[k]]));

const server = spawn(process.execPath, [path.join(root, 'web/serve.mjs'), distDir, '0']);
process.on('exit', () => server.kill()); // also when a step throws
const address = await new Promise((resolve) => server.stdout.on('data', (data) => resolve(String(data).match(/http:\S+/)[0])));
const browser = await launchBrowser();

async function openPage(width, height, language) {
  const context = await browser.newContext({ viewport: { width, height }, locale: language === 'ja' ? 'ja-JP' : 'en-GB', acceptDownloads: true });
  const page = await context.newPage();
  page.on('pageerror', (error) => failures.push(`page error: ${error.message}`));
  const started = Date.now();
  await page.goto(address);
  await page.waitForSelector('#status[data-state=done]', { timeout: 30000 });
  return { page, loadMs: Date.now() - started };
}

async function compute(page, settings) {
  for (const [name, value] of Object.entries(settings)) {
    if (name === 'target') await page.selectOption('#setting-target', value);
    else await page.fill(`#setting-${name}`, value);
  }
  await page.waitForSelector('#status[data-state=done]');
  await page.evaluate(() => (document.querySelector('#status').dataset.state = ''));
  await page.click('#settings-form button[type=submit]');
  await page.waitForSelector('#status[data-state=done]');
  const texts = await page.$$eval('#axis-quality dd', (cells) => cells.map((cell) => cell.textContent));
  return { hvl: parseFloat(texts[0]) };
}

// The pixel of (x, y) mm on a map: the maps' grid leaves 48, 84, 36 and 44 pixels.
async function mapPixel(page, id, x, y) {
  const box = await page.locator(`#${id}`).boundingBox();
  const width = box.width - 48 - 84;
  const height = box.height - 36 - 44;
  return [box.x + 48 + (x / 150) * width, box.y + box.height - 44 - (y / 100) * height];
}

async function readOut(page, id, x, y) {
  const [px, py] = await mapPixel(page, id, x, y + 0.5);
  await page.mouse.move(px, py);
  const label = `X ${x} mm, Y ${y} mm`;
  await page.waitForFunction(([id, label]) => [...document.querySelectorAll(`#${id} div`)].some((d) => d.textContent.includes(label)), [id, label]);
  const text = await page.$$eval(`#${id} div`, (divs, label) => divs.map((d) => d.textContent).find((t) => t.includes(label) && t.length < 80), label);
  return Number(text.split(':').pop());
}

const { page, loadMs } = await openPage(1366, 768, 'en');
console.log(`page interactive (first field shown) after ${loadMs} ms`);
const axis = await compute(page, study);
check(axis.hvl.toFixed(3) === Number(native['hvl [mm Al]']).toFixed(3), `beam-axis HVL ${axis.hvl} mm Al, sweep ${native['hvl [mm Al]']}`);
for (const [id, x, column] of [['map-airKerma', 50, 'relative_air_kerma_X5cm [1]'], ['map-airKerma', 150, 'relative_air_kerma_X15cm [1]'], ['map-hvl', 100, 'relative_hvl_X10cm [1]']]) {
  const value = await readOut(page, id, x, 0);
  check(value === Number(native[column]), `${id} at X ${x} mm: ${value}, sweep ${native[column]}`);
}

const [cx, cy] = await mapPixel(page, 'map-energyFluence', 80, 40);
await page.mouse.click(cx, cy);
await page.fill('#point-x', '30');
await page.fill('#point-y', '20');
await page.press('#point-y', 'Enter');
await page.waitForFunction(() => document.querySelectorAll('#points-table tbody tr').length === 2);
const rows = await page.$$eval('#points-table tbody tr', (trs) => trs.map((tr) => [...tr.children].map((td) => td.textContent)));
check(rows[1][1] === '30' && rows[1][2] === '20' && Math.abs(Number(rows[0][1]) - 80) < 2, `points table ${JSON.stringify(rows.map((r) => r.slice(0, 3)))}`);
const legend = await page.$$eval('#spectrum-chart text', (texts) => texts.map((t) => t.textContent).filter((t) => /^[12]: /.test(t)));
check(legend.length === 2, `spectrum legend lists both points: ${legend.join(' | ')}`);

// The downloaded engine files against the native engine's for the same B2F.dat.
const runDir = fs.mkdtempSync(path.join(os.tmpdir(), 'palvane-page-'));
for (const name of ['MUs3.dat', 'Mo-STP.dat']) fs.copyFileSync(path.join(root, 'data', name), path.join(runDir, name));
fs.writeFileSync(path.join(runDir, 'B2F.dat'), '0\r\n28.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n');
spawnSync(path.join(binDir, 'dornic'), [], { cwd: runDir, input: '\n' });
for (const [button, file] of [['result', 'Result.dat'], ['beam-axis', 'Beam_Axis.dat']]) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click(`[data-export=${button}]`)]);
  const saved = path.join(runDir, `web_${file}`);
  await download.saveAs(saved);
  check(fs.readFileSync(saved).equals(fs.readFileSync(path.join(runDir, file))), `downloaded ${file} equals the native engine's`);
}
const [csvDownload] = await Promise.all([page.waitForEvent('download'), page.click('[data-export=points]')]);
await csvDownload.saveAs(path.join(runDir, 'points.csv'));
check(fs.readFileSync(path.join(runDir, 'points.csv'), 'utf8').split('\r\n').length === 4, 'points.csv holds the heading and both points');
fs.rmSync(runDir, { recursive: true, force: true });

await compute(page, study);

if (shotDir) {
  fs.mkdirSync(shotDir, { recursive: true });
  for (const [width, height, language] of [[1366, 768, 'en'], [1366, 768, 'ja'], [390, 844, 'en'], [390, 844, 'ja']]) {
    const opened = width === 1366 && language === 'en' ? { page } : await openPage(width, height, language);
    if (opened.page !== page) {
      await compute(opened.page, study);
      await opened.page.fill('#point-x', '80');
      await opened.page.fill('#point-y', '40');
      await opened.page.press('#point-y', 'Enter');
      await opened.page.waitForFunction(() => document.querySelectorAll('#points-table tbody tr').length === 1);
    }
    await opened.page.evaluate(() => {
      document.activeElement?.blur();
      window.scrollTo(0, 0);
    });
    await opened.page.waitForTimeout(500);
    await opened.page.screenshot({ path: path.join(shotDir, `web_${width}_${language}.png`), fullPage: width < 500 });
  }
}

await browser.close();
server.kill();
console.log(failures.length === 0 ? 'page test passed' : `page test FAILED: ${failures.length}`);
process.exit(failures.length === 0 ? 0 : 1);
