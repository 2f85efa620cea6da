// The page in Debian's chromium: computes Mo/Mo 28 kV, compares the beam-axis HVL and three
// map read-outs with the native sweep, adds a clicked and a typed point, compares the
// downloaded engine files with the native engine's, looks for the cells in a map's SVG
// download, computes through an added silver filter and a plate, loads a tube profile and
// compares its aluminium with sweep's, the downloaded CSV set with the desktop's report set
// and the absolute air kerma shown with that set's, follows the profile through a change of
// filters and the clearing of its output, and takes the screenshots (speed.mjs times the
// page). Any console error or failed request fails it.
//   node web/tests/page.mjs <dist dir> <native bin dir> <screenshot dir>
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { spawn, spawnSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { unzipSync } from 'fflate';
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

// The last row of a native sweep of the study's settings at a tube voltage with further
// options, by column.
function sweepRow(kv, ...options) {
  const sweep = spawnSync(path.join(binDir, 'sweep'), ['--tables', path.join(root, 'data'), '--target', 'mo', '--kv', kv, '--theta', '22', '--phi', '0', ...options], { encoding: 'utf8' });
  const [header, row] = sweep.stdout.trim().split('\n').slice(-2).map((line) => line.split(','));
  return Object.fromEntries(header.map((name, k) => [name, row[k]]));
}
const native = sweepRow('28');
const profileFile = path.join(root, 'web/tests/data/room2_mo.txt');

const server = spawn(process.execPath, [path.join(root, 'web/serve.mjs'), distDir, '0']);
process.on('exit', () => server.kill()); // also when a step throws
const address = await new Promise((resolve) => server.stdout.on('data', (data) => resolve(String(data).match(/http:\S+/)[0])));
const browser = await launchBrowser();

async function openPage(width, height, language) {
  const context = await browser.newContext({ viewport: { width, height }, locale: language === 'ja' ? 'ja-JP' : 'en-GB', acceptDownloads: true });
  const page = await context.newPage();
  page.on('pageerror', (error) => check(false, `page error: ${error.message}`));
  page.on('console', (message) => message.type() === 'error' && check(false, `console error: ${message.text()}`));
  page.on('response', (response) => response.status() >= 400 && check(false, `${response.status()} for ${response.url()}`));
  page.on('requestfailed', (request) => check(false, `request failed: ${request.url()} ${request.failure()?.errorText}`));
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

// The pixel of (x, y) mm on a map: the maps' grid leaves 48, 84, 36 and 56 pixels.
async function mapPixel(page, id, x, y) {
  await page.locator(`#${id}`).scrollIntoViewIfNeeded();
  const box = await page.locator(`#${id}`).boundingBox();
  const width = box.width - 48 - 84;
  const height = box.height - 36 - 56;
  return [box.x + 48 + (x / 150) * width, box.y + box.height - 56 - (y / 100) * height];
}

// Waits for the field the page computes after `action`.
async function recomputed(page, action) {
  await page.evaluate(() => (document.querySelector('#status').dataset.state = ''));
  await action();
  await page.waitForSelector('#status[data-state=done]');
}

async function shownQuality(page) {
  const names = await page.$$eval('#axis-quality dt', (cells) => cells.map((cell) => cell.textContent));
  const values = await page.$$eval('#axis-quality dd', (cells) => cells.map((cell) => cell.textContent));
  return Object.fromEntries(names.map((name, k) => [name, values[k]]));
}

// The lines of a map's read-out of the cell at (x, y) mm, and whether its colour bar marks
// the cell's value.
async function hover(page, id, x, y) {
  const [px, py] = await mapPixel(page, id, x, y + 0.5);
  await page.mouse.move(px, py);
  const label = `X ${x} mm, Y ${y} mm`;
  await page.waitForFunction(([id, label]) => [...document.querySelectorAll(`#${id} div`)].some((d) => d.innerText.startsWith(label)), [id, label]);
  const lines = await page.$$eval(`#${id} div`, (divs, label) => divs.map((d) => d.innerText).find((t) => t.startsWith(label)).split('\n'), label);
  // The marker's label has three decimals.
  const value = Number(lines[1].split(': ')[1]);
  const marked = await page.waitForFunction(([id, value]) => [...document.querySelectorAll(`#${id} svg text`)].some((t) => Math.abs(Number(t.textContent) - value) < 6e-4),
    [id, value], { timeout: 2000 }).then(() => true, () => false);
  return { lines, marked };
}

async function readOut(page, id, x, y) {
  return Number((await hover(page, id, x, y)).lines[1].split(': ')[1]);
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
fs.rmSync(runDir, { recursive: true, force: true });

// A map's SVG download holds its cells: one embedded PNG image.
const figureDownloads = [];
const collect = (download) => figureDownloads.push(download);
page.on('download', collect);
await page.click('[data-export=svg]');
for (let waited = 0; figureDownloads.length < 5 && waited < 50; ++waited) await page.waitForTimeout(100);
page.off('download', collect);
const mapSvg = figureDownloads.find((download) => download.suggestedFilename() === 'map_airKerma.svg');
const mapSvgText = mapSvg ? fs.readFileSync(await mapSvg.path(), 'utf8') : '';
check(/<image href="data:image\/png;base64,/.test(mapSvgText), `the air kerma map's SVG download embeds its cells as an image (${figureDownloads.length} figures downloaded)`);

// An added silver filter and a PMMA plate: the beam-axis HVL equals sweep's through them.
await page.selectOption('#setting-filter-1-material', 'ag');
await page.fill('#setting-filter-1', '0.05');
await page.selectOption('#setting-plate-material', 'pmma');
await page.fill('#setting-plate', '2.4');
await recomputed(page, () => page.click('#settings-form button[type=submit]'));
const layered = sweepRow('28', '--filter', 'ag:0.05', '--plate', 'pmma:2.4');
const layeredHvl = parseFloat(Object.values(await shownQuality(page))[0]);
const caption = await page.textContent('#field-caption');
check(layeredHvl.toFixed(3) === Number(layered['hvl [mm Al]']).toFixed(3) && caption === 'Added filters: Ag 0.05 mm; compression plate: PMMA 2.4 mm',
  `with Ag 0.05 mm and PMMA 2.4 mm: HVL ${layeredHvl} mm Al, sweep ${layered['hvl [mm Al]']}; caption "${caption}"`);
await page.selectOption('#setting-filter-1-material', '');
await page.selectOption('#setting-plate-material', '');

// The page's CSV set against the desktop's report set composed natively for the same
// settings, points, profile and Result.dat of the native engine, with the page's time of
// the save: every file byte for byte, and no file more or less.
async function compareCsvSet(page, kv, aluminium, profile) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('[data-export=csv-set]')]);
  const zipped = unzipSync(fs.readFileSync(await download.path()));
  const names = Object.keys(zipped);
  const folder = names[0].split('/')[0];
  const pageFiles = Object.fromEntries(names.map((name) => [name.slice(folder.length + 1), Buffer.from(zipped[name])]));
  const savedAt = pageFiles['README.txt'].toString().split('\r\n')[0].split(', saved ')[1];
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'palvane-set-'));
  for (const name of ['MUs3.dat', 'Mo-STP.dat']) fs.copyFileSync(path.join(root, 'data', name), path.join(dir, name));
  const al = Number(aluminium).toFixed(2).padStart(5, '0');
  fs.writeFileSync(path.join(dir, 'B2F.dat'), `0\r\n${Number(kv).toFixed(1)}\r\n22.0\r\n00.0\r\n00.80\r\n${al}\r\n00.030\r\n00.000\r\n60.000\r\n`);
  spawnSync(path.join(binDir, 'dornic'), [], { cwd: dir, input: '\n' });
  const points = await page.$$eval('#points-table tbody tr', (trs) => trs.map((tr) => `point=${tr.children[1].textContent},${tr.children[2].textContent}`));
  const settings = Object.entries({ ...study, tube_voltage: kv, aluminium }).map(([name, value]) => `${name}=${value}`);
  const native = spawnSync(path.join(binDir, 'native_report_set'),
    [path.join(root, 'data'), path.join(dir, 'Result.dat'), profile, savedAt, folder.slice(0, 15), dir, ...settings, ...points], { encoding: 'utf8' });
  const nativeDir = path.join(dir, native.stdout.trim());
  const nativeNames = native.status === 0 ? fs.readdirSync(nativeDir).sort() : [];
  const differing = nativeNames.filter((name) => !pageFiles[name]?.equals(fs.readFileSync(path.join(nativeDir, name))));
  check(native.status === 0 && folder === native.stdout.trim() && JSON.stringify(Object.keys(pageFiles).sort()) === JSON.stringify(nativeNames) && differing.length === 0 && points.length === 2,
    `the CSV set ${folder}.zip (${Object.keys(pageFiles).join(', ')}) equals the desktop's set byte for byte${differing.length ? `; differing: ${differing.join(', ')}` : ''} ${native.stderr}`);
  fs.rmSync(dir, { recursive: true, force: true });
  return pageFiles;
}

// A tube profile loaded from its file: the fitted aluminium equals sweep's with the same
// profile, at the output's and at another tube voltage; the CSV set is the desktop's; the
// absolute air kerma shown on the beam axis and in the air kerma map's read-out is that
// set's (its values here have two integer digits: its four significant digits are the
// read-outs' two decimals), and the colour bar marks the cell's value.
await recomputed(page, () => page.setInputFiles('#load-profile', profileFile));
for (const kv of ['28', '30']) {
  if (kv !== '28') await recomputed(page, async () => { await page.fill('#setting-tube_voltage', kv); await page.click('#settings-form button[type=submit]'); });
  const calibrated = sweepRow(kv, '--calibration', profileFile);
  const fitted = (await page.textContent('#fit-result')).match(/t = (\S+) mm/)?.[1];
  const box = await page.inputValue('#setting-aluminium');
  const state = await page.textContent('#calibration-state');
  check(fitted === Number(calibrated['fitted_aluminium [mm]']).toFixed(3) && Number(box) === Number(calibrated['aluminium [mm]']) && state.startsWith('Calibrated'),
    `profile at ${kv} kV: aluminium ${fitted} mm (box ${box}), "${state}"; sweep ${calibrated['fitted_aluminium [mm]']} mm (${calibrated['aluminium [mm]']})`);
  const axisKerma = (await shownQuality(page))['Absolute air kerma (beam axis)'];
  const { lines, marked } = await hover(page, 'map-airKerma', 50, 0);
  const table = (await compareCsvSet(page, kv, box, profileFile))['map_absolute_air_kerma.csv']?.toString() ?? '';
  const reference = Number(table.match(/^# Reference air kerma \(uGy\/mAs\): (\S+)\r$/m)?.[1]).toFixed(2);
  const cell = Number(table.match(/^50,0,(\S+)\r$/m)?.[1]).toFixed(2);
  check(axisKerma === `${reference} µGy/mAs` && lines[2] === `Absolute air kerma: ${cell} µGy/mAs` && marked,
    `absolute air kerma at ${kv} kV: beam axis ${axisKerma}, read-out at X 50 mm "${lines[2]}"${marked ? '' : ', no marker on the colour bar'}; the set's ${reference} and ${cell}`);
}
check(JSON.stringify(await page.evaluate(() => localStorage.getItem('palvane.tubeProfile'))) === JSON.stringify(fs.readFileSync(profileFile, 'utf8')),
  'the loaded profile is kept in local storage as its file');
const [saved] = await Promise.all([page.waitForEvent('download'), page.click('#save-profile')]);
const savedFile = path.join(os.tmpdir(), `palvane-page-${process.pid}.txt`);
await saved.saveAs(savedFile);
check(saved.suggestedFilename() === 'Room_2_Mo.txt' && fs.readFileSync(savedFile, 'utf8') === fs.readFileSync(profileFile, 'utf8'),
  `the saved profile ${saved.suggestedFilename()} is the loaded file`);
fs.rmSync(savedFile);
// A damaged profile is named with its line in the desktop's message and changes nothing.
await page.setInputFiles('#load-profile', { name: 'bad.txt', mimeType: 'text/plain', buffer: Buffer.from('format = 2\ntarget = mo\nbogus = 1\n') });
await page.waitForFunction(() => document.querySelector('#calibration-message').textContent.includes('bad.txt'));
check((await page.textContent('#calibration-message')) === 'bad.txt, line 3: unknown key "bogus". Nothing was changed.' &&
  (await page.evaluate(() => localStorage.getItem('palvane.tubeProfile'))) === fs.readFileSync(profileFile, 'utf8'),
  `a damaged profile: "${await page.textContent('#calibration-message')}", the kept one unchanged`);

// A change of filters puts the profile's fit for the new filters into the aluminium box:
// Mo/none has none (the box keeps its text), Mo/Mo has the fit.
await page.fill('#setting-aluminium', '0');
await page.fill('#setting-molybdenum', '0');
await page.waitForFunction(() => document.querySelector('#calibration-state').textContent.includes('Mo/none'));
const unfiltered = [await page.inputValue('#setting-aluminium'), await page.textContent('#calibration-state')];
await page.fill('#setting-molybdenum', '0.03');
const refitted = await page.waitForFunction(() => document.querySelector('#setting-aluminium').value === '0.19' &&
  document.querySelector('#calibration-state').textContent.startsWith('Calibrated'), null, { timeout: 5000 }).then(() => true, () => false);
check(unfiltered[0] === '0' && unfiltered[1] === 'Not calibrated for these settings: Room 2 Mo (Mo/none is not calibrated (no fit for this filter))' && refitted,
  `filters changed: Mo/none "${unfiltered.join('", "')}", back to Mo/Mo: box ${await page.inputValue('#setting-aluminium')}, "${await page.textContent('#calibration-state')}"`);
// A tube voltage beyond the form's range is still a number: the profile serves it, as on the
// desktop (the computation refuses it with its own message).
await page.fill('#setting-tube_voltage', '60');
const beyond = await page.waitForFunction(() => document.querySelector('#calibration-state').textContent.startsWith('Calibrated'), null, { timeout: 5000 }).then(() => true, () => false);
check(beyond, `tube voltage 60 kV: "${await page.textContent('#calibration-state')}"`);
await page.fill('#setting-tube_voltage', '28');

// Emptied output entries clear the output from the profile: no absolute air kerma then.
await page.fill('#output-kerma', '');
await page.fill('#output-distance', '');
await page.click('#set-output');
const cleared = await page.waitForFunction(() => !document.querySelector('#axis-quality').textContent.includes('Absolute') &&
  document.querySelector('#reference-kerma').textContent === '', null, { timeout: 5000 }).then(() => true, () => false);
const keptProfile = await page.evaluate(() => localStorage.getItem('palvane.tubeProfile'));
check(cleared && !keptProfile.includes('output_') && keptProfile.includes('aluminium = '),
  `emptied output entries: ${cleared ? 'no absolute air kerma shown' : 'an absolute air kerma still shown'}; the kept profile ${keptProfile.includes('output_') ? 'keeps' : 'lost'} its output`);

await page.fill('#setting-tube_voltage', '28');
await page.fill('#setting-aluminium', '0');
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
    // With a loaded profile and added layers.
    await recomputed(opened.page, () => opened.page.setInputFiles('#load-profile', profileFile));
    await opened.page.selectOption('#setting-filter-1-material', 'ag');
    await opened.page.fill('#setting-filter-1', '0.05');
    await opened.page.selectOption('#setting-plate-material', 'pmma');
    await opened.page.fill('#setting-plate', '2.4');
    await recomputed(opened.page, () => opened.page.click('#settings-form button[type=submit]'));
    await opened.page.evaluate(() => {
      document.activeElement?.blur();
      window.scrollTo(0, 0);
    });
    await opened.page.waitForTimeout(500);
    await opened.page.screenshot({ path: path.join(shotDir, `web_${width}_${language}.png`), fullPage: width < 500 });
  }
}

// Without its module (here: not served) the page says so instead of waiting for ever.
{
  const context = await browser.newContext({ locale: 'en-GB' });
  const page = await context.newPage();
  await page.route(/\.wasm$/, (route) => route.fulfill({ status: 404, body: '' }));
  await page.goto(address);
  const said = await page.waitForFunction(() => document.querySelector('#status[data-state=done]')?.textContent.startsWith('The model could not be loaded ('),
    null, { timeout: 30000 }).then(() => true, () => false);
  check(said, `without the module: "${await page.textContent('#status')}"`);
  await context.close();
}

await browser.close();
server.kill();
console.log(failures.length === 0 ? 'page test passed' : `page test FAILED: ${failures.length}`);
process.exit(failures.length === 0 ? 0 : 1);
