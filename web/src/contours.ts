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
  const at = (c: number, r: number) => values[r * kColumns + c];
  const out: Array<[number, number] | null> = [];
  const crossing = (c0: number, r0: number, c1: number, r1: number): [number, number] => {
    const a = at(c0, r0);
    const b = at(c1, r1);
    const f = (level - a) / (b - a);
    return [(c0 + (c1 - c0) * f) * kGridStepMm, (r0 + (r1 - r0) * f) * kGridStepMm];
  };
  for (let r = 0; r + 1 < kRows; ++r) {
    for (let c = 0; c + 1 < kColumns; ++c) {
      const corners: Array<[number, number]> = [[c, r], [c + 1, r], [c + 1, r + 1], [c, r + 1]];
      if (corners.some(([cc, rr]) => !(at(cc, rr) > 0))) continue; // beyond the cut-off
      const points: Array<[number, number]> = [];
      for (let k = 0; k < 4; ++k) {
        const [c0, r0] = corners[k];
        const [c1, r1] = corners[(k + 1) % 4];
        if ((at(c0, r0) < level) !== (at(c1, r1) < level)) points.push(crossing(c0, r0, c1, r1));
      }
      for (let k = 0; k + 1 < points.length; k += 2) out.push(points[k], points[k + 1], null);
    }
  }
  return out;
}
