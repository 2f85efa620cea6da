// The figures: the three maps, the spectra and the profile, drawn with echarts' SVG
// renderer (so that they export as SVG as they are shown; a map's cells are one image in it).
import type { AbsoluteKerma } from './calibration';
import * as echarts from './chart_library';
import { contourLevels, contourSegments } from './contours';
import { binEnergy, kColumns, kGridStepMm, kRows, type PointResult } from './model';
import { t } from './texts';

export type Quantity = 'energyFluence' | 'airKerma' | 'hvl';
export const quantities: Array<{ key: Quantity; title: string }> = [
  { key: 'energyFluence', title: 'エネルギーフルエンス' },
  { key: 'airKerma', title: '空気カーマ' },
  { key: 'hvl', title: 'アルミ半価層' },
];

// The hatching of the region beyond the heel cut-off.
function hatching(): HTMLCanvasElement {
  const canvas = document.createElement('canvas');
  canvas.width = canvas.height = 8;
  const g = canvas.getContext('2d')!;
  g.fillStyle = '#f4f4f4';
  g.fillRect(0, 0, 8, 8);
  g.strokeStyle = '#888';
  g.beginPath();
  g.moveTo(0, 8);
  g.lineTo(8, 0);
  g.stroke();
  return canvas;
}

export function createChart(element: HTMLElement): echarts.ECharts {
  const chart = echarts.init(element, undefined, { renderer: 'svg' });
  new ResizeObserver(() => chart.resize()).observe(element);
  return chart;
}

// The pointer's last position over each map, in pixels of its chart: the hover read-out
// names the grid cell under it. Recorded before the tooltip asks for its text, as this
// listener is bound before the chart's first option.
const pointers = new WeakMap<echarts.ECharts, number[]>();

// What each map shows: its values, the range of its colour bar and, for the air kerma with
// a measured output, the absolute air kerma of its cells.
interface ShownMap {
  title: string;
  values: Float32Array;
  low: number;
  high: number;
  absolute?: AbsoluteKerma;
}
const shownMaps = new WeakMap<echarts.ECharts, ShownMap>();

// The grid cell under the pointer with its value; undefined off the cells with a value.
function hoveredCell(chart: echarts.ECharts): { c: number; r: number; value: number; map: ShownMap } | undefined {
  const pointer = pointers.get(chart);
  const map = shownMaps.get(chart);
  if (!pointer || !map) return undefined;
  const [x, y] = chart.convertFromPixel({ gridIndex: 0 }, pointer);
  const c = Math.round(x / kGridStepMm);
  const r = Math.round(y / kGridStepMm);
  if (!(c >= 0 && c < kColumns && r >= 0 && r < kRows)) return undefined;
  const value = map.values[r * kColumns + c];
  return value > 0 ? { c, r, value, map } : undefined;
}

// The colour bar's marker of the hovered cell's value. echarts places it when the pointer
// is over an element of a series the bar colours; the cells are one image, which the bar
// does not colour, so the bar's view (echarts 5's ContinuousView, pinned by the lock file)
// is asked to place it.
interface ColourBarView {
  _showIndicator(value: number, text: number): void;
  _hideIndicator(): void;
}
function markColourBar(chart: echarts.ECharts): void {
  const inside = chart as unknown as {
    getModel(): { getComponent(type: string): object | undefined } | undefined;
    getViewOfComponentModel(model: object): Partial<ColourBarView> | undefined;
  };
  const model = inside.getModel()?.getComponent('visualMap');
  const view = model && inside.getViewOfComponentModel(model);
  if (!view?._showIndicator || !view._hideIndicator) return;
  const cell = hoveredCell(chart);
  if (cell) view._showIndicator(cell.value, cell.value);
  else view._hideIndicator();
}

export function createMapChart(element: HTMLElement): echarts.ECharts {
  const chart = createChart(element);
  chart.getZr().on('mousemove', (event: { offsetX: number; offsetY: number }) => {
    pointers.set(chart, [event.offsetX, event.offsetY]);
    markColourBar(chart);
  });
  chart.getZr().on('globalout', () => {
    pointers.delete(chart);
    markColourBar(chart);
  });
  return chart;
}

const axisName = (text: string) => ({ name: text, nameLocation: 'middle' as const, nameGap: 28 });

// The colour scale of the maps' colour bar, from the lowest to the highest value.
const mapColours = ['#313695', '#4575b4', '#74add1', '#abd9e9', '#fee090', '#fdae61', '#f46d43', '#d73027'];
// Image pixels per grid cell: enough that the cells keep sharp edges when the browser
// scales the image to the grid, on screen and in the PNG export.
const kPixelsPerCell = 8;

const palette = mapColours.map((colour) => echarts.color.parse(colour));

// The colour of a value on the colour bar from `low` to `high` (RGBA, alpha 0 to 1), as the
// chart library maps a value onto it.
function cellColour(v: number, low: number, high: number): number[] {
  const position = high > low ? Math.min(Math.max((v - low) / (high - low), 0), 1) : 0.5;
  return echarts.color.fastLerp(position, palette)!;
}

// The map's cells as one PNG image, one cell per block of pixels, the first row at the
// bottom; cells without a value stay transparent.
function cellImage(values: Float32Array, low: number, high: number): string {
  const cells = new ImageData(kColumns, kRows);
  for (let r = 0; r < kRows; ++r) {
    for (let c = 0; c < kColumns; ++c) {
      const v = values[r * kColumns + c];
      if (!(v > 0)) continue;
      const rgba = cellColour(v, low, high);
      const at = 4 * ((kRows - 1 - r) * kColumns + c);
      cells.data.set([rgba[0], rgba[1], rgba[2], Math.round(255 * rgba[3])], at);
    }
  }
  const small = document.createElement('canvas');
  small.width = kColumns;
  small.height = kRows;
  small.getContext('2d')!.putImageData(cells, 0, 0);
  const large = document.createElement('canvas');
  large.width = kColumns * kPixelsPerCell;
  large.height = kRows * kPixelsPerCell;
  const g = large.getContext('2d')!;
  g.imageSmoothingEnabled = false;
  g.drawImage(small, 0, 0, large.width, large.height);
  return large.toDataURL('image/png');
}

export function drawMap(
  chart: echarts.ECharts,
  quantity: { key: Quantity; title: string },
  values: Float32Array,
  cutOffMm: number,
  points: PointResult[],
  caption: string, // the added layers, "" without
  absolute?: AbsoluteKerma, // of the air kerma map's cells
): void {
  let low = Infinity;
  let high = -Infinity;
  for (const v of values) {
    if (v > 0) {
      low = Math.min(low, v);
      high = Math.max(high, v);
    }
  }
  if (low > high) [low, high] = [0, 1];
  const image = cellImage(values, low, high);
  shownMaps.set(chart, { title: quantity.title, values, low, high, absolute });
  // The read-out of the cell under the pointer, framed in the cell's colour; "" (no
  // read-out) off the cells with a value.
  const readOut = (): string => {
    const cell = hoveredCell(chart);
    if (!cell) return '';
    const lines = [`X ${cell.c * kGridStepMm} mm, Y ${cell.r * kGridStepMm} mm`, `${t(quantity.title)}: ${cell.value.toPrecision(4)}`];
    // With a measured output, as the desktop's read-out: "n/a" where it cannot serve.
    if (absolute?.cells) lines.push(`${t('絶対空気カーマ')}: ${absolute.cells[cell.r * kColumns + cell.c] || 'n/a'} µGy/mAs`);
    else if (absolute?.reason) lines.push(`${t('絶対空気カーマ')}: n/a`);
    const colour = echarts.color.stringify(cellColour(cell.value, low, high), 'rgba');
    return `<div style="border: 1px solid ${colour}; border-radius: 4px; padding: 10px">${lines.join('<br>')}</div>`;
  };
  const contours = contourLevels(values, 6).map((level) => ({
    type: 'line' as const,
    data: contourSegments(values, level),
    showSymbol: false,
    silent: true,
    connectNulls: false,
    lineStyle: { color: '#222', width: 0.8 },
    z: 3,
  }));
  chart.setOption(
    {
      title: { text: t(quantity.title), subtext: caption, left: 'center', textStyle: { fontSize: 14 }, subtextStyle: { fontSize: 10 }, itemGap: 2 },
      grid: { left: 48, right: 84, top: 36, bottom: 56 },
      // The sides of the field under the X axis, as the desktop's map figure names them.
      graphic: [
        { type: 'text', left: 8, bottom: 4, style: { text: t('胸壁側'), font: 'italic 11px sans-serif', fill: '#333' } },
        { type: 'text', right: 84, bottom: 4, style: { text: t('陽極側'), font: 'italic 11px sans-serif', fill: '#333' } },
      ],
      // Kept inside the figure, which on a phone is the width of the screen.
      tooltip: { trigger: 'item', confine: true },
      xAxis: { type: 'value', min: 0, max: 150, interval: 30, ...axisName(`${t('X (陽極側)')} [mm]`) },
      yAxis: { type: 'value', min: 0, max: 100, interval: 20, ...axisName('Y [mm]') },
      // The colour bar alone: the cells are coloured in their image.
      visualMap: {
        type: 'continuous',
        min: low,
        max: high,
        seriesIndex: [],
        right: 0,
        top: 'middle',
        itemHeight: 160,
        precision: 3,
        calculable: false,
        text: [high.toFixed(3), low.toFixed(3)],
        inRange: { color: mapColours },
      },
      series: [
        {
          // The cells' image over the grid, each cell centred on its point.
          type: 'custom',
          clip: true,
          animation: false,
          data: [[0, 0]],
          // The frame of the read-out is its own, in the cell's colour.
          tooltip: { formatter: readOut, padding: 0, borderWidth: 0 },
          renderItem: (_params: unknown, api: echarts.CustomSeriesRenderItemAPI) => {
            const half = kGridStepMm / 2;
            const [left, top] = api.coord([-half, (kRows - 1) * kGridStepMm + half]);
            const [right, bottom] = api.coord([(kColumns - 1) * kGridStepMm + half, -half]);
            // At the image's own size, then scaled to the grid: an SVG image keeps its aspect
            // ratio within the size it is given, which the grid's need not have.
            const width = kColumns * kPixelsPerCell;
            const height = kRows * kPixelsPerCell;
            return {
              type: 'image',
              x: left,
              y: top,
              scaleX: (right - left) / width,
              scaleY: (bottom - top) / height,
              style: { image, x: 0, y: 0, width, height },
            };
          },
          markArea: cutOffMm < 150
            ? {
                silent: true,
                itemStyle: { color: { image: hatching(), repeat: 'repeat' } as unknown as string },
                label: { show: true, position: 'inside', color: '#444', formatter: t('ヒールカットオフ') },
                data: [[{ xAxis: Math.max(cutOffMm, 0) }, { xAxis: 150 }]],
              }
            : undefined,
        },
        ...contours,
        {
          type: 'scatter',
          data: points.map((p, k) => ({ value: [p.x, p.y], name: String(k + 1) })),
          symbolSize: 16,
          itemStyle: { color: '#fff', borderColor: '#000', borderWidth: 1.5 },
          label: { show: true, formatter: '{b}', color: '#000', fontSize: 10 },
          z: 5,
          tooltip: { formatter: (p: { name: string; value: number[] }) => `${p.name}: X ${p.value[0]} mm, Y ${p.value[1]} mm` },
        },
      ],
    },
    true,
  );
}

export interface SpectrumLine {
  name: string;
  spectrum: Float32Array;
}

export function drawSpectra(chart: echarts.ECharts, lines: SpectrumLine[]): void {
  chart.setOption(
    {
      title: { text: t('Ｘ線スペクトル'), left: 'center', textStyle: { fontSize: 14 } },
      grid: { left: 56, right: 16, top: 56, bottom: 44 },
      legend: { top: 24, type: 'scroll' },
      tooltip: { trigger: 'axis', valueFormatter: (v: number) => v.toFixed(4) },
      xAxis: { type: 'value', min: 0, max: 50, ...axisName(`${t('エネルギー')} [keV]`) },
      yAxis: { type: 'value', min: 0, ...axisName(t('光子数 (相対)')), nameGap: 40 },
      series: lines.map((line) => {
        const peak = Math.max(...Array.from(line.spectrum));
        return {
          type: 'line',
          name: line.name,
          showSymbol: false,
          data: Array.from(line.spectrum)
            .map((v, bin) => [binEnergy(bin), peak > 0 ? v / peak : 0])
            .slice(1),
        };
      }),
    },
    true,
  );
}

export function drawProfile(chart: echarts.ECharts, maps: Record<Quantity, Float32Array>, row: number): void {
  chart.setOption(
    {
      title: { text: `${t('プロファイル')} (Y = ${row * kGridStepMm} mm)`, left: 'center', textStyle: { fontSize: 14 } },
      grid: { left: 56, right: 16, top: 56, bottom: 44 },
      legend: { top: 24 },
      tooltip: { trigger: 'axis', valueFormatter: (v: number) => v.toFixed(4) },
      xAxis: { type: 'value', min: 0, max: 150, ...axisName(`${t('X (陽極側)')} [mm]`) },
      yAxis: { type: 'value', scale: true, ...axisName(t('基準点') + ' = 1'), nameGap: 40 },
      series: quantities.map((q) => ({
        type: 'line',
        name: t(q.title),
        showSymbol: false,
        data: Array.from({ length: kColumns }, (_, c) => {
          const v = maps[q.key][row * kColumns + c];
          return v > 0 ? [c * kGridStepMm, v] : [c * kGridStepMm, null];
        }),
      })),
    },
    true,
  );
}
