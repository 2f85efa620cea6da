// The tube calibration: the tube's profile (kept as the text of its file, which the module
// reads and writes as the desktop does, and in the browser's local storage), the fit of the
// aluminium-equivalent filtration to measured HVLs, the measured output and the fit of the
// target angle to a measured heel. The fits run in the worker with the model core.
import desktopMessages from 'virtual:messages';
import { download } from './exports';
import type { Setup } from './model';
import { t } from './texts';

// The worker's answer to a call of the module's calibration functions.
type Answer = { ok: true; [key: string]: unknown } | { ok: false; message?: string; args?: string[]; error?: string };
export type CallModule = (name: string, ...args: unknown[]) => Promise<Answer>;

export interface PairFit {
  tubeVoltage: number;
  hvl: number;
  modelHvl?: number;
}

// What the profile says about a set-up (the module's profileState).
export interface ProfileState {
  ok: true;
  name: string;
  setupName?: string;
  fit?: { aluminium: number; pairs: PairFit[]; madeFor: boolean };
  state: 'calibrated' | 'notForThese';
  why: string;
  output?: { kermaPerLoad: number; distance: number; tubeVoltage: number; referenceKerma: number; setupName: string };
  referenceKerma?: number;
  outputNote?: string;
}

const storageKey = 'palvane.tubeProfile';
const kPairRows = 3;
const kHeelRows = 4;
const kFlaggedResidual = 0.03;

// The desktop's message of a failure, its %1, %2 ... filled in.
export function messageOf(answer: Answer): string {
  if (answer.ok) return '';
  if (answer.message) return (answer.args ?? []).reduce((text, arg, k) => text.replace(`%${k + 1}`, arg), desktopMessages[answer.message] ?? answer.message);
  return answer.error ?? '';
}

const today = () => new Date().toISOString().slice(0, 10);
const signedPercent = (relative: number) => {
  const percent = Math.round(1000 * relative) / 10;
  return percent === 0 ? '0.0' : `${percent > 0 ? '+' : ''}${percent.toFixed(1)}`;
};

function cell(row: HTMLTableRowElement, label: string, readOnly = false): HTMLInputElement {
  const input = document.createElement('input');
  input.inputMode = 'decimal';
  input.size = 6;
  input.readOnly = readOnly;
  input.tabIndex = readOnly ? -1 : 0;
  input.dataset.label = label;
  const td = document.createElement('td');
  td.append(input);
  row.append(td);
  return input;
}

export class CalibrationPanel {
  private text = localStorage.getItem(storageKey) ?? '';
  private state?: ProfileState;
  private readonly pairs: Array<{ tubeVoltage: HTMLInputElement; hvl: HTMLInputElement; model: HTMLInputElement; difference: HTMLInputElement }> = [];
  private readonly heel: Array<{ position: HTMLInputElement; kerma: HTMLInputElement; model: HTMLInputElement; difference: HTMLInputElement }> = [];
  private readonly byId = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;

  constructor(
    private readonly call: CallModule,
    private readonly currentSetup: () => Setup | undefined, // the form's set-up, or undefined after showing its problem
    private readonly apply: (name: 'aluminium' | 'target_angle', text: string) => void,
    private readonly changed: () => void, // the profile or the form's boxes changed
  ) {
    const pairBody = this.byId('calibration-pairs').querySelector('tbody')!;
    for (let k = 0; k < kPairRows; ++k) {
      const row = pairBody.insertRow();
      this.pairs.push({ tubeVoltage: cell(row, '管電圧'), hvl: cell(row, '実測 HVL'), model: cell(row, '計算 HVL', true), difference: cell(row, '差', true) });
    }
    const heelBody = this.byId('calibration-heel').querySelector('tbody')!;
    for (let k = 0; k < kHeelRows; ++k) {
      const row = heelBody.insertRow();
      this.heel.push({ position: cell(row, 'X (mm)'), kerma: cell(row, '相対空気カーマ'), model: cell(row, '計算値', true), difference: cell(row, '差 (%)', true) });
    }
    this.byId('fit-aluminium').addEventListener('click', () => void this.fitAluminium());
    this.byId('set-output').addEventListener('click', () => void this.setOutput());
    this.byId('fit-heel').addEventListener('click', () => void this.fitHeel());
    this.byId('save-profile').addEventListener('click', () => void this.save());
    this.byId<HTMLInputElement>('load-profile').addEventListener('change', (event) => {
      const input = event.target as HTMLInputElement;
      const file = input.files?.[0];
      input.value = '';
      if (file) void file.text().then((text) => this.load(text, file.name));
    });
    this.relabel();
  }

  relabel(): void {
    for (const input of document.querySelectorAll<HTMLInputElement>('#calibration td input')) {
      const row = (input.closest('tr') as HTMLTableRowElement).rowIndex;
      input.setAttribute('aria-label', `${t(input.dataset.label!)} ${row}`);
    }
    this.showState();
  }

  private warn(text: string): void {
    this.byId('calibration-message').textContent = text;
  }

  private name(): string {
    return this.byId<HTMLInputElement>('profile-name').value.trim();
  }

  private keep(text: string): void {
    this.text = text;
    localStorage.setItem(storageKey, text);
  }

  // The number of an entry, or undefined after the desktop's message about it.
  private entry(input: HTMLInputElement): number | undefined {
    const text = input.value.trim();
    const value = Number(text);
    if (text === '' || !Number.isFinite(value)) {
      const row = (input.closest('tr') as HTMLTableRowElement).rowIndex;
      this.warn(messageOf({ ok: false, message: 'kCalibrationNotANumberMessage', args: [`row ${row}, ${t(input.dataset.label!)}`, text] }));
      return undefined;
    }
    return value;
  }

  // The filled rows' values, or undefined after the message about the first bad one; a row
  // with one entry of two is an error.
  private rows<Row extends Record<string, HTMLInputElement>>(rows: Row[], keys: [keyof Row, keyof Row]): Array<[number, number, number]> | undefined {
    const filled: Array<[number, number, number]> = [];
    for (const [k, row] of rows.entries()) {
      const [a, b] = keys.map((key) => row[key]);
      if (a.value.trim() === '' && b.value.trim() === '') continue;
      const empty = a.value.trim() === '' ? a : b.value.trim() === '' ? b : undefined;
      if (empty) {
        this.warn(messageOf({ ok: false, message: 'kCalibrationEmptyEntryMessage', args: [`row ${k + 1}, ${t(empty.dataset.label!)}`] }));
        return undefined;
      }
      const x = this.entry(a);
      const y = x === undefined ? undefined : this.entry(b);
      if (x === undefined || y === undefined) return undefined;
      filled.push([k, x, y]);
    }
    return filled;
  }

  private async fitAluminium(): Promise<void> {
    const setup = this.currentSetup();
    const filled = this.rows(this.pairs, ['tubeVoltage', 'hvl']);
    if (!setup || !filled) return;
    for (const [k, kv, hvl] of filled) {
      const what = `row ${k + 1}`;
      if (kv < 20 || kv > 50) return this.warn(messageOf({ ok: false, message: 'kCalibrationVoltageOutOfRangeMessage', args: [`${what}, ${t('管電圧')}`, String(kv)] }));
      if (!(hvl > 0)) return this.warn(messageOf({ ok: false, message: 'kCalibrationNotPositiveMessage', args: [`${what}, ${t('実測 HVL')}`, String(hvl)] }));
    }
    this.warn(t('計算中…'));
    const answer = await this.call('fitProfileAluminium', this.text, this.name(), setup, filled.map(([, tubeVoltage, hvl]) => ({ tubeVoltage, hvl })), today());
    if (!answer.ok) return this.warn(messageOf(answer));
    this.warn('');
    this.keep(answer.text as string);
    this.showPairs(answer.pairs as PairFit[], filled.map(([k]) => k));
    this.showAluminium(answer.aluminium as number, answer.pairs as PairFit[]);
    this.apply('aluminium', (answer.aluminium as number).toFixed(2));
    this.changed();
  }

  private async setOutput(): Promise<void> {
    const setup = this.currentSetup();
    const kerma = this.byId<HTMLInputElement>('output-kerma');
    const distance = this.byId<HTMLInputElement>('output-distance');
    if (!setup) return;
    const values: number[] = [];
    for (const input of [kerma, distance]) {
      const text = input.value.trim();
      const value = Number(text);
      const label = t(input.dataset.label!);
      if (text === '' || !Number.isFinite(value)) return this.warn(messageOf({ ok: false, message: 'kCalibrationNotANumberMessage', args: [label, text] }));
      values.push(value);
    }
    if (!(values[0] > 0)) return this.warn(messageOf({ ok: false, message: 'kCalibrationNotPositiveMessage', args: [t('空気カーマ'), String(values[0])] }));
    if (values[1] < 10 || values[1] > 200) return this.warn(messageOf({ ok: false, message: 'kCalibrationDistanceOutOfRangeMessage', args: [t('焦点からの距離'), String(values[1])] }));
    const answer = await this.call('setProfileOutput', this.text, this.name(), setup, values[0], values[1], today());
    if (!answer.ok) return this.warn(messageOf(answer));
    this.warn('');
    this.keep(answer.text as string);
    this.changed();
  }

  private async fitHeel(): Promise<void> {
    const setup = this.currentSetup();
    const filled = this.rows(this.heel, ['position', 'kerma']);
    if (!setup || !filled) return;
    this.warn(t('計算中…'));
    const answer = await this.call('fitProfileHeel', this.text, this.name(), setup, filled.map(([, position, relativeKerma]) => ({ position, relativeKerma })), today());
    if (!answer.ok) return this.warn(messageOf(answer));
    this.warn('');
    this.keep(answer.text as string);
    const points = answer.points as Array<{ relativeKerma: number; modelKerma?: number }>;
    for (const [n, [k]] of filled.entries()) {
      const model = points[n]?.modelKerma;
      this.heel[k].model.value = model === undefined ? '' : model.toFixed(3);
      this.heel[k].difference.value = model === undefined ? '' : signedPercent(model / points[n].relativeKerma - 1);
    }
    this.byId('heel-result').textContent = `θ = ${(answer.targetAngle as number).toFixed(1)}°`;
    this.apply('target_angle', (answer.targetAngle as number).toFixed(1).padStart(4, '0'));
    if (answer.aluminium !== undefined) this.apply('aluminium', (answer.aluminium as number).toFixed(2));
    this.changed();
  }

  private async load(text: string, fileName: string): Promise<void> {
    const setup = this.currentSetup();
    if (!setup) return;
    const answer = await this.call('loadProfile', text, fileName, setup);
    if (!answer.ok) return this.warn(messageOf(answer));
    this.warn('');
    this.keep(answer.text as string);
    await this.update(setup);
    // The fit of the form's filter goes into the aluminium box, as on the desktop.
    if (this.state?.fit?.madeFor) this.apply('aluminium', this.state.fit.aluminium.toFixed(2));
    this.changed();
  }

  // Downloads the profile under the name in the box, as the desktop's save writes it.
  private async save(): Promise<void> {
    const setup = this.currentSetup();
    if (!setup) return;
    const answer = await this.call('savedProfile', this.text, this.name(), setup);
    if (!answer.ok) return this.warn(messageOf(answer));
    this.keep(answer.text as string);
    download(answer.fileName as string, this.text);
    await this.update(setup);
  }

  // Renews what the panel shows of the profile for the set-up the page computed.
  async update(setup: Setup): Promise<void> {
    if (!this.text) {
      this.state = undefined;
    } else {
      const answer = await this.call('profileState', this.text, setup);
      this.state = answer.ok ? (answer as unknown as ProfileState) : undefined;
      if (!answer.ok) this.warn(messageOf(answer));
    }
    const name = this.byId<HTMLInputElement>('profile-name');
    if (this.state && document.activeElement !== name) name.value = this.state.name;
    const output = this.state?.output;
    if (output) {
      this.byId<HTMLInputElement>('output-kerma').value = String(output.kermaPerLoad);
      this.byId<HTMLInputElement>('output-distance').value = String(output.distance);
    }
    if (this.state?.fit) {
      this.showPairs(this.state.fit.pairs, this.state.fit.pairs.map((_, k) => k));
      this.showAluminium(this.state.fit.aluminium, this.state.fit.pairs);
    }
    this.showState();
  }

  // The absolute air kerma at the beam axis (µGy/mAs) for the set-up shown, when a
  // measured output serves it.
  referenceKerma(): number | undefined {
    return this.state?.referenceKerma;
  }

  private showPairs(pairs: PairFit[], rows: number[]): void {
    for (const row of this.pairs) row.model.value = row.difference.value = '';
    pairs.forEach((pair, n) => {
      const row = this.pairs[rows[n]];
      row.tubeVoltage.value = String(pair.tubeVoltage);
      row.hvl.value = String(pair.hvl);
      if (pair.modelHvl === undefined) return;
      row.model.value = pair.modelHvl.toFixed(3);
      row.difference.value = signedPercent(pair.modelHvl / pair.hvl - 1);
    });
  }

  private showAluminium(aluminium: number, pairs: PairFit[]): void {
    const result = this.byId('fit-result');
    const largest = pairs.reduce((worst, p) => {
      const d = p.modelHvl === undefined ? 0 : p.modelHvl / p.hvl - 1;
      return Math.abs(d) > Math.abs(worst) ? d : worst;
    }, 0);
    const flagged = Math.abs(largest) > kFlaggedResidual;
    result.textContent = `t = ${aluminium.toFixed(3)} mm` + (flagged ? `  ${t('残差 %1 % (3 % 超)', signedPercent(largest))}` : '');
    result.classList.toggle('flagged', flagged);
  }

  private showState(): void {
    const line = this.byId('calibration-state');
    const state = this.state;
    const name = state?.name || t('(名前なし)');
    line.className = state ? (state.state === 'calibrated' ? 'calibrated' : 'not-calibrated') : 'uncalibrated';
    line.textContent = !state
      ? t('未校正のモデル: HVL は実測より低めになりがちで、空気カーマはモデルの単位です')
      : state.state === 'calibrated'
        ? t('校正済み: %1、%2 用', name, state.setupName ?? '')
        : t('この設定では未校正: %1 (%2)', name, state.why);
    const output = state?.output;
    this.byId('reference-kerma').textContent = output
      ? [t('65 cm: %1 µGy/mAs、%2 %3 kV', output.referenceKerma.toFixed(2), output.setupName, String(output.tubeVoltage)), state?.outputNote ?? ''].join(' ')
      : '';
  }
}
