// The messages between the page and the worker that runs the WebAssembly model.

export type Target = 'mo' | 'w';

// The set-up as the model takes it: the names of the desktop's table of fields.
export interface Setup {
  target: Target;
  tube_voltage: number;
  target_angle: number;
  tilt_angle: number;
  beryllium: number;
  aluminium: number;
  molybdenum: number;
  rhodium: number;
  air_layer: number;
  // Beyond the nine settings: added filters in the order crossed, and the compression plate.
  added_filters?: Layer[];
  plate?: Layer;
}

export interface Layer {
  material: string; // a key of Materials.dat: "ag", "pmma", ...
  thickness: number; // mm
}

export interface Sums {
  peak: number;
  photonFluence: number;
  energyFluence: number;
  airKerma: number;
  hvl: number;
}

export interface FieldResult {
  ok: true;
  energyFluence: Float32Array;
  airKerma: Float32Array;
  hvl: Float32Array;
  energyFluenceReference: number;
  airKermaReference: number;
  hvlReference: number;
  spectrum?: Float32Array;
  sums?: Sums;
  warnings: string[];
  resultText: string;
  beamAxisText: string;
  computeMilliseconds: number; // the model's time for the field, without copies and texts
}

export interface PointResult {
  ok: true;
  x: number;
  y: number;
  spectrum: Float32Array;
  highestBin: number;
  sums: Sums;
  quality: {
    meanEnergy: number;
    firstHvl: number;
    secondHvl: number;
    homogeneity: number;
    relativeAirKerma: number;
  };
}

export interface Failure {
  ok: false;
  error: string;
  // The module could not be started (not downloaded, or a browser without WebAssembly SIMD):
  // every answer is this failure.
  modelUnavailable?: true;
}

export type Question =
  | { kind: 'field'; setup: Setup }
  | { kind: 'point'; setup: Setup; x: number; y: number }
  | { kind: 'call'; name: string; args: unknown[] }; // another function of the module
export type Request = Question & { id: number };

// A call's answer is the module function's (see calibration.ts).
export type Answer = FieldResult | PointResult | Failure;
// The answer to a request, or to the opening question of that index, which the worker
// sends unasked.
export type Reply = { id: number; answer: Answer } | { opening: number; answer: Answer };

// The grid of the maps: column c at X = 2c mm (0..150), row r at Y = 2r mm (0..100).
export const kColumns = 76;
export const kRows = 51;
export const kGridStepMm = 2;
export const kBins = 250;
export const binEnergy = (bin: number): number => 0.2 * bin;

// The spectrum form's start values.
export const defaultSetup: Setup = {
  target: 'mo',
  tube_voltage: 30,
  target_angle: 10,
  tilt_angle: 4,
  beryllium: 0.8,
  aluminium: 0,
  molybdenum: 0.03,
  rhodium: 0,
  air_layer: 60,
};

// What the page asks the model when it opens, in its order: the added layers' materials,
// then the field of the form's start values, its layers' captions and the beam axis's
// spectrum. The worker answers them as soon as the model is ready, without waiting for the
// page's script to have loaded and asked.
export const openingQuestions: Question[] = [
  { kind: 'call', name: 'materials', args: [] },
  { kind: 'field', setup: defaultSetup },
  { kind: 'call', name: 'layerCaptions', args: [defaultSetup] },
  { kind: 'point', setup: defaultSetup, x: 0, y: 0 },
];

// The heel cut-off in mm: columns beyond it carry no radiation.
export function heelCutOffMm(setup: Setup): number {
  return 650 * Math.tan(((setup.target_angle + setup.tilt_angle) * Math.PI) / 180);
}
