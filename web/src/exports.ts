// Downloads: the engine's files, the maps, spectra and points as CSV, the figures as SVG
// and PNG. Everything is made in the page; nothing is sent anywhere.
import type { ECharts } from './chart_library';
import { binEnergy, kColumns, kGridStepMm, kRows, type FieldResult, type PointResult } from './model';

export function download(name: string, content: Blob | string, type = 'text/plain'): void {
  const blob = typeof content === 'string' ? new Blob([content], { type }) : content;
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

const csv = (rows: Array<Array<string | number>>) => rows.map((row) => row.join(',')).join('\r\n') + '\r\n';
const number = (v: number) => (Number.isFinite(v) ? String(Number(v.toPrecision(7))) : '');

export function mapsCsv(field: FieldResult): string {
  const rows: Array<Array<string | number>> = [['X (mm)', 'Y (mm)', 'Relative energy fluence', 'Relative air kerma', 'Relative Al HVL']];
  for (let r = 0; r < kRows; ++r) {
    for (let c = 0; c < kColumns; ++c) {
      const k = r * kColumns + c;
      rows.push([c * kGridStepMm, r * kGridStepMm, number(field.energyFluence[k]), number(field.airKerma[k]), number(field.hvl[k])]);
    }
  }
  return csv(rows);
}

export function spectraCsv(axis: Float32Array | undefined, points: PointResult[]): string {
  const rows: Array<Array<string | number>> = [['Energy (keV)', 'Beam axis', ...points.map((_, k) => `Point ${k + 1}`)]];
  for (let bin = 1; bin < (axis?.length ?? 251); ++bin) {
    rows.push([number(binEnergy(bin)), number(axis ? axis[bin] : NaN), ...points.map((p) => number(p.spectrum[bin]))]);
  }
  return csv(rows);
}

export function pointsCsv(points: PointResult[]): string {
  return csv([
    ['Point', 'X (mm)', 'Y (mm)', 'Mean energy (keV)', 'HVL1 (mm Al)', 'HVL2 (mm Al)', 'Homogeneity coefficient', 'Relative air kerma (%)'],
    ...points.map((p, k) => [
      k + 1,
      number(p.x),
      number(p.y),
      number(p.quality.meanEnergy),
      number(p.quality.firstHvl),
      number(p.quality.secondHvl),
      number(p.quality.homogeneity),
      number(100 * p.quality.relativeAirKerma),
    ]),
  ]);
}

export function svgOf(chart: ECharts): string {
  const url = chart.getDataURL({ type: 'svg' });
  return decodeURIComponent(url.substring(url.indexOf(',') + 1));
}

export async function pngOf(chart: ECharts): Promise<Blob> {
  const svg = svgOf(chart);
  const image = new Image();
  image.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(svg)}`;
  await image.decode();
  const canvas = document.createElement('canvas');
  canvas.width = chart.getWidth() * 2;
  canvas.height = chart.getHeight() * 2;
  const g = canvas.getContext('2d')!;
  g.fillStyle = '#fff';
  g.fillRect(0, 0, canvas.width, canvas.height);
  g.drawImage(image, 0, 0, canvas.width, canvas.height);
  return new Promise((resolve) => canvas.toBlob((blob) => resolve(blob!), 'image/png'));
}
