// Downloads: the engine's files, the desktop's report set as a zip, the figures as SVG and
// PNG. Everything is made in the page; nothing is sent anywhere.
import type { ECharts } from './chart_library';
import { strToU8, zipSync } from 'fflate';

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

// The added layers as the captions state them.
export interface LayerCaptions {
  filters: string; // "Ag 0.05 mm", "" for none
  plate: string;
}

// The line of the figures' captions about the added layers; "" without.
export function layerCaptionLine(captions: LayerCaptions | undefined): string {
  if (!captions || (!captions.filters && !captions.plate)) return '';
  return `Added filters: ${captions.filters || 'none'}; compression plate: ${captions.plate || 'none'}`;
}

// A set's files as a zip that unpacks to its folder.
export function zipOfSet(folder: string, files: Array<{ name: string; text: string }>): Blob {
  const entries = Object.fromEntries(files.map((file) => [`${folder}/${file.name}`, strToU8(file.text)]));
  return new Blob([zipSync(entries)], { type: 'application/zip' });
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
