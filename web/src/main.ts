// The page: settings, the beam-axis spectrum and its quality, the three maps with points,
// the profile and the downloads. The model runs in a worker.
import { ask } from './model_worker';
import './style.css';
import type { ECharts } from './chart_library';
import { createChart, createMapChart, drawMap, drawProfile, drawSpectra, quantities, type Quantity } from './charts';
import { CalibrationPanel, type CallModule } from './calibration';
import { download, layerCaptionLine, pngOf, svgOf, zipOfSet, type LayerCaptions } from './exports';
import type { Material } from './layers';
import { heelCutOffMm, kGridStepMm, kRows, type FieldResult, type PointResult, type Setup } from './model';
import { SettingsForm } from './settings';
import { currentLanguage, setLanguage, t, type Language } from './texts';

const byId = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;

const callModule: CallModule = (name, ...args) => ask({ kind: 'call', name, args }) as unknown as ReturnType<CallModule>;

const settings = new SettingsForm(byId('settings'));
const status = byId<HTMLParagraphElement>('status');
const settingsMessage = byId<HTMLParagraphElement>('settings-message');
const spectrumChart = createChart(byId('spectrum-chart'));
const mapCharts = quantities.map((q) => createMapChart(byId(`map-${q.key}`)));
const profileChart = createChart(byId('profile-chart'));
const profileRow = byId<HTMLSelectElement>('profile-row');

let setup: Setup | undefined;
let field: FieldResult | undefined;
let axisQuality: PointResult | undefined;
let captions: LayerCaptions | undefined;
const points: PointResult[] = [];

// The form's set-up, or undefined (after showing its first problem when `report`).
// The form's set-up for a computation or a fit (`report`: every check, the first problem
// shown), or, silently, for the calibration's state line, which needs only numbers.
function formSetup(report = true): Setup | undefined {
  const read = settings.read(report);
  if ('problem' in read) {
    if (report) {
      settingsMessage.textContent = read.problem;
      read.field.focus();
    }
    return undefined;
  }
  if (report) settingsMessage.textContent = '';
  return read.setup;
}

const calibration = new CalibrationPanel(
  callModule,
  formSetup,
  (name, text) => settings.setText(name, text),
  () => void compute(),
  redraw,
);
byId('settings').addEventListener('input', () => void calibration.settingsChanged());

for (let r = 0; r < kRows; ++r) profileRow.add(new Option(`Y = ${r * kGridStepMm} mm`, String(r)));

function fixed(v: number, digits: number): string {
  return Number.isFinite(v) ? v.toFixed(digits) : '—';
}

function redraw(): void {
  settings.relabel();
  calibration.relabel();
  for (const element of document.querySelectorAll<HTMLElement>('[data-text]')) element.textContent = t(element.dataset.text!);
  if (!field || !setup) return;
  const maps: Record<Quantity, Float32Array> = { energyFluence: field.energyFluence, airKerma: field.airKerma, hvl: field.hvl };
  const captionLine = layerCaptionLine(captions);
  const absolute = calibration.absoluteKerma();
  byId('field-caption').textContent = captionLine;
  quantities.forEach((q, k) =>
    drawMap(mapCharts[k], q, maps[q.key], heelCutOffMm(setup!), points, captionLine, q.key === 'airKerma' ? absolute : undefined));
  drawSpectra(spectrumChart, [
    ...(field.spectrum ? [{ name: t('ビーム軸'), spectrum: field.spectrum }] : []),
    ...points.map((p, k) => ({ name: `${k + 1}: X ${p.x} Y ${p.y} mm`, spectrum: p.spectrum })),
  ]);
  drawProfile(profileChart, maps, Number(profileRow.value));
  const quality = byId('axis-quality');
  quality.replaceChildren();
  const rows: Array<[string, string]> = [
    [t('アルミ半価層'), `${fixed(field.hvlReference, 3)} mm Al`],
    ...(axisQuality
      ? ([
          [t('平均エネルギー'), `${fixed(axisQuality.quality.meanEnergy, 2)} keV`],
          [t('第2半価層'), `${fixed(axisQuality.quality.secondHvl, 3)} mm Al`],
          [t('均等度'), fixed(axisQuality.quality.homogeneity, 3)],
        ] as Array<[string, string]>)
      : []),
    ...(absolute?.reference ? ([[t('絶対空気カーマ (ビーム軸)'), `${absolute.reference} µGy/mAs`]] as Array<[string, string]>) : []),
    [t('計算時間'), `${field.computeMilliseconds.toFixed(1)} ms`],
  ];
  for (const [name, value] of rows) {
    const dt = document.createElement('dt');
    dt.textContent = name;
    const dd = document.createElement('dd');
    dd.textContent = value;
    quality.append(dt, dd);
  }
  const body = byId('points-table').querySelector('tbody')!;
  body.replaceChildren(
    ...points.map((p, k) => {
      const row = document.createElement('tr');
      for (const text of [String(k + 1), `${p.x}`, `${p.y}`, fixed(p.quality.meanEnergy, 2), fixed(p.quality.firstHvl, 3),
        fixed(p.quality.secondHvl, 3), fixed(p.quality.homogeneity, 3), fixed(100 * p.quality.relativeAirKerma, 1)]) {
        const cell = document.createElement('td');
        cell.textContent = text;
        row.append(cell);
      }
      return row;
    }),
  );
}

async function compute(): Promise<void> {
  await calibration.settled(); // a change of filters may still put a fit into the form
  const asked = formSetup();
  if (!asked) return;
  status.textContent = t('計算中…');
  status.dataset.state = 'busy';
  const answer = await ask({ kind: 'field', setup: asked });
  if (!answer.ok) {
    status.textContent = answer.modelUnavailable ? t('計算モデルを読み込めませんでした (%1)', answer.error) : '';
    status.dataset.state = 'done';
    if (!answer.modelUnavailable) settingsMessage.textContent = answer.error;
    return;
  }
  setup = asked;
  field = answer as FieldResult;
  captions = (await callModule('layerCaptions', setup)) as unknown as LayerCaptions;
  await calibration.fieldShown(setup, field.resultText);
  const axis = await ask({ kind: 'point', setup, x: 0, y: 0 });
  axisQuality = axis.ok ? (axis as PointResult) : undefined;
  const kept = points.splice(0);
  for (const p of kept) await addPoint(p.x, p.y, false);
  status.textContent = [t('計算が終了しました'), ...field.warnings].join(' ');
  redraw();
  status.dataset.state = 'done';
}

async function addPoint(x: number, y: number, draw = true): Promise<void> {
  if (!setup) return;
  const answer = await ask({ kind: 'point', setup, x, y });
  if (!answer.ok) {
    status.textContent = t('この点ではスペクトルを計算できません: %1', answer.error);
    return;
  }
  points.push(answer as PointResult);
  if (draw) redraw();
}

mapCharts.forEach((chart) => {
  chart.getZr().on('click', (event: { offsetX: number; offsetY: number }) => {
    const [x, y] = chart.convertFromPixel({ gridIndex: 0 }, [event.offsetX, event.offsetY]);
    if (x < 0 || x > 150 || y < 0 || y > 100) return;
    void addPoint(Math.round(x * 10) / 10, Math.round(y * 10) / 10);
  });
});

byId('settings-form').addEventListener('submit', (event) => {
  event.preventDefault();
  void compute();
});
byId('point-form').addEventListener('submit', (event) => {
  event.preventDefault();
  const x = Number(byId<HTMLInputElement>('point-x').value);
  const y = Number(byId<HTMLInputElement>('point-y').value);
  if (Number.isFinite(x) && Number.isFinite(y)) void addPoint(x, y);
});
byId('clear-points').addEventListener('click', () => {
  points.splice(0);
  redraw();
});
profileRow.addEventListener('change', redraw);
const language = byId<HTMLSelectElement>('language');
language.value = currentLanguage();
language.addEventListener('change', () => {
  setLanguage(language.value as Language);
  redraw();
});

// The time of a save as the desktop's files state it ("2026-12-08 14:32") and as its set
// folder's name begins ("2026-12-08_1432"), local time.
function saveTime(now: Date): { savedAt: string; folderStamp: string } {
  const two = (n: number) => String(n).padStart(2, '0');
  const date = `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}`;
  return { savedAt: `${date} ${two(now.getHours())}:${two(now.getMinutes())}`, folderStamp: `${date}_${two(now.getHours())}${two(now.getMinutes())}` };
}

// The desktop's report set of the study shown (its text files, composed by the desktop's
// own code in the module) as a zip holding the set's folder.
async function downloadCsvSet(): Promise<void> {
  if (!setup || !field) return;
  const shownPoints = points.map((p) => ({ x: p.x, y: p.y }));
  const answer = await callModule('reportSet', setup, field.resultText, shownPoints, calibration.profileText(), saveTime(new Date()));
  if (!answer.ok) {
    status.textContent = answer.error ?? '';
    return;
  }
  const folder = answer.folder as string;
  download(`${folder}.zip`, zipOfSet(folder, answer.files as Array<{ name: string; text: string }>));
}

const figures: Array<[string, ECharts]> = [
  ['spectra', spectrumChart],
  ...quantities.map((q, k) => [`map_${q.key}`, mapCharts[k]] as [string, ECharts]),
  ['profile', profileChart],
];
byId('exports').addEventListener('click', async (event) => {
  const kind = (event.target as HTMLElement).dataset.export;
  if (!kind || !field) return;
  if (kind === 'result') download('Result.dat', field.resultText);
  if (kind === 'beam-axis' && field.beamAxisText) download('Beam_Axis.dat', field.beamAxisText);
  if (kind === 'csv-set') await downloadCsvSet();
  if (kind === 'svg') for (const [name, chart] of figures) download(`${name}.svg`, svgOf(chart), 'image/svg+xml');
  if (kind === 'png') for (const [name, chart] of figures) download(`${name}.png`, await pngOf(chart));
});

setLanguage(currentLanguage());
redraw();
void callModule('materials').then((materials) => {
  if (!Array.isArray(materials)) return; // no model: the computation says so
  settings.setMaterials(materials as unknown as Material[]);
  redraw();
});
// The kept profile's fit for the form's filters goes into the aluminium box before the
// first field. The offline copy's service worker starts once the first field is shown: its
// start would only compete with the first field for the processor.
void calibration
  .settingsChanged()
  .then(compute)
  .then(() => {
    if ('serviceWorker' in navigator && location.protocol.startsWith('http')) void navigator.serviceWorker.register('./offline.js');
  });
