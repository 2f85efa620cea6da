// Contour lines of a map by marching squares: for each level, the segments where the
// linearly interpolated map crosses it, as [x, y] points in mm with null between segments.
import { kColumns, kGridStepMm, kRows } from './model';

export function contourLevels(values: Float32Array, count: number): number[] {
  const present = Array.from(values).filter((v) => v > 0);
  if (present.length === 0) return [];
  const low = Math.min(...present);
  const high = Math.max(...present);
  const step = (high - low) / (count + 1);
  return Array.from({ length: count }, (_, k) => low + step * (k + 1));
}

export function contourSegments(values: Float32Array, level: number): Array<[number, number] | null> {
  const out: Array<[number, number] | null> = [];
  // A cell's corners anticlockwise from its lower left, as column and row offsets.
  const dc = [0, 1, 1, 0];
  const dr = [0, 0, 1, 1];
  const corner = [0, 0, 0, 0];
  const points: Array<[number, number]> = [];
  for (let r = 0; r + 1 < kRows; ++r) {
    for (let c = 0; c + 1 < kColumns; ++c) {
      for (let k = 0; k < 4; ++k) corner[k] = values[(r + dr[k]) * kColumns + c + dc[k]];
      if (!(corner[0] > 0 && corner[1] > 0 && corner[2] > 0 && corner[3] > 0)) continue; // beyond the cut-off
      points.length = 0;
      for (let k = 0; k < 4; ++k) {
        const j = (k + 1) % 4;
        const a = corner[k];
        const b = corner[j];
        if (a < level === b < level) continue;
        const f = (level - a) / (b - a);
        points.push([(c + dc[k] + (dc[j] - dc[k]) * f) * kGridStepMm, (r + dr[k] + (dr[j] - dr[k]) * f) * kGridStepMm]);
      }
      for (let k = 0; k + 1 < points.length; k += 2) out.push(points[k], points[k + 1], null);
    }
  }
  return out;
}
