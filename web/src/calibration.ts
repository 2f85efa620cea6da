// The tube calibration: the tube's profile (kept as the text of its file, which the module
// reads and writes as the desktop does, and in the browser's local storage), the fit of the
// aluminium-equivalent filtration to measured HVLs, the measured output and the fit of the
// target angle to a measured heel. The fits run in the worker with the model core. As on
// the desktop, the state line follows the form's settings, and a change of their filters
// puts the profile's fit for the new filters into the aluminium box.
import desktopMessages from 'virtual:messages';
import { download } from './exports';
import { heelCutOffMm, type Setup } from './model';
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
  name: string;
  target: 'mo' | 'w';
  state: 'calibrated' | 'notForThese';
  unserved: 'served' | 'otherTarget' | 'noFit' | 'otherSettings' | 'otherAluminium' | 'settingNotANumber';
  values: string[]; // the numbers the reason names
  differing: Array<{ setting: 'targetAngle' | 'tiltAngle' | 'beryllium' | 'filterThickness'; value: string }>;
  why: string; // in English
  setupName?: string; // of the profile's fit for the set-up's filters
  fit?: { aluminium?: number; pairs: PairFit[]; madeFor: boolean }; // that fit
  output?: { kermaPerLoad: number; distance: number; tubeVoltage: number; referenceKerma: number; setupName: string };
}

// The absolute air kerma of the field shown (the module's absoluteKerma), as the desktop's
// read-out writes it: at the reference point and in each cell; or why there is none.
export interface AbsoluteKerma {
  reference?: string;
  cells?: string[];
  reason?: string;
}

const storageKey = 'palvane.tubeProfile';
const kPairRows = 3;
const kHeelRows = 4;
const kFlaggedResidual = 0.03;

// The desktop's message of a failure, its %1, %2 ... filled in.
export function messageOf(answer: Answer): string {
  if (answer.ok) return '';
  if (answer.message) return t(desktopMessages[answer.message] ?? answer.message, ...(answer.args ?? []));
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

// Why the profile does not serve the form's settings, in the desktop's words.
function reasonText(state: ProfileState): string {
  const m = desktopMessages;
  switch (state.unserved) {
    case 'otherTarget':
      return t(m.kOtherTargetReason, t(state.target === 'w' ? m.kTungstenTargetName : m.kMolybdenumTargetName));
    case 'noFit':
      return t(m.kNoFitReason, state.values[0] ?? '');
    case 'otherAluminium':
      return t(m.kOtherAluminiumReason, state.values[0] ?? '', state.values[1] ?? '');
    case 'settingNotANumber':
      return t(m.kSettingNotANumberReason);
    case 'served':
      return state.why;
    case 'otherSettings': {
      const named = state.differing.map(({ setting, value }) =>
        setting === 'targetAngle' ? `θ (${value}°)`
          : setting === 'tiltAngle' ? `φ (${value}°)`
            : t(setting === 'beryllium' ? m.kDifferingBerylliumReason : m.kDifferingFilterReason, value));
      return t(named.length === 1 ? m.kOneSettingDiffersReason : m.kSettingsDifferReason, named.join(t(m.kReasonSeparator)));
    }
  }
}

export class CalibrationPanel {
  private text = localStorage.getItem(storageKey) ?? '';
  // What the profile says about the form's settings; undefined without a profile or while
  // a setting is not a number.
  private state?: ProfileState;
  // The filters' key of the form's settings when last seen, to notice its change.
  private shownFilter?: string;
  private asked = 0; // the latest change of the settings, whose answer is shown
  private answered: Promise<void> = Promise.resolve(); // that answer shown
  // The field shown, and its absolute air kerma with the profile in force.
  private shown?: { setup: Setup; resultText: string };
  private absolute?: AbsoluteKerma;
  // The profile's name and output go into their entries when its state is next known: at
  // the start (the kept profile) and after loading one.
  private loaded = this.text !== '';
  private readonly pairs: Array<{ tubeVoltage: HTMLInputElement; hvl: HTMLInputElement; model: HTMLInputElement; difference: HTMLInputElement }> = [];
  private readonly heel: Array<{ position: HTMLInputElement; kerma: HTMLInputElement; model: HTMLInputElement; difference: HTMLInputElement }> = [];
  private readonly byId = <T extends HTMLElement>(id: string) => document.getElementById(id) as T;

  constructor(
    private readonly call: CallModule,
    // The form's set-up, or undefined (after showing its problem when `report`).
    private readonly formSetup: (report: boolean) => Setup | undefined,
    private readonly apply: (name: 'aluminium' | 'target_angle', text: string) => void,
    private readonly recompute: () => void, // the panel changed the form's boxes
    private readonly redraw: () => void, // the absolute air kerma of the field shown changed
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

  private currentSetup(): Setup | undefined {
    return this.formSetup(true);
  }

  private name(): string {
    return this.byId<HTMLInputElement>('profile-name').value.trim();
  }

  private keep(text: string): void {
    this.text = text;
    localStorage.setItem(storageKey, text);
  }

  // The number of an entry, or undefined after the desktop's message naming it (`name`):
  // empty, not a number, or (when `positive`) not above 0.
  private entry(input: HTMLInputElement, name: string, positive = false): number | undefined {
    const text = input.value.trim();
    const value = Number(text);
    if (text === '') return this.fail('kCalibrationEmptyEntryMessage', name);
    if (!Number.isFinite(value)) return this.fail('kCalibrationNotANumberMessage', name, text);
    if (positive && !(value > 0)) return this.fail('kCalibrationNotPositiveMessage', name, text);
    return value;
  }

  // Shows the desktop's message; undefined, for the callers' returns.
  private fail(message: string, ...args: string[]): undefined {
    this.warn(messageOf({ ok: false, message, args }));
    return undefined;
  }

  // The measured pairs of the filled rows, with the row of each; undefined after a message.
  private readPairs(): Array<{ row: number; tubeVoltage: number; hvl: number }> | undefined {
    const read = [];
    for (const [k, row] of this.pairs.entries()) {
      if (row.tubeVoltage.value.trim() === '' && row.hvl.value.trim() === '') continue;
      const voltageName = t(desktopMessages.kRowVoltageName, String(k + 1));
      const tubeVoltage = this.entry(row.tubeVoltage, voltageName);
      if (tubeVoltage === undefined) return undefined;
      const hvl = this.entry(row.hvl, t(desktopMessages.kRowHvlName, String(k + 1)), true);
      if (hvl === undefined) return undefined;
      if (tubeVoltage < 20 || tubeVoltage > 50) return this.fail('kCalibrationVoltageOutOfRangeMessage', voltageName, String(tubeVoltage));
      read.push({ row: k, tubeVoltage, hvl });
    }
    return read;
  }

  // The heel points of the filled rows, with the row of each; undefined after a message.
  private readHeel(setup: Setup): Array<{ row: number; position: number; relativeKerma: number }> | undefined {
    const read = [];
    for (const [k, row] of this.heel.entries()) {
      if (row.position.value.trim() === '' && row.kerma.value.trim() === '') continue;
      const xName = t(desktopMessages.kHeelXName, String(k + 1));
      const kermaName = t(desktopMessages.kHeelKermaName, String(k + 1));
      const [position, relativeKerma] = [row.position, row.kerma].map((input) => Number(input.value.trim()));
      for (const [input, name, value] of [[row.position, xName, position], [row.kerma, kermaName, relativeKerma]] as const) {
        if (input.value.trim() === '' || !Number.isFinite(value)) return this.fail('kHeelNotANumberMessage', name, input.value);
      }
      if (!(position > 0 && position <= 150)) return this.fail('kHeelOutOfRangeMessage', xName, String(position), '(0, 150] mm');
      if (!(relativeKerma > 0 && relativeKerma <= 1.5)) return this.fail('kHeelOutOfRangeMessage', kermaName, String(relativeKerma), '(0, 1.5]');
      if (position >= heelCutOffMm(setup)) return this.fail('kHeelBeyondCutOffMessage', xName, String(position));
      read.push({ row: k, position, relativeKerma });
    }
    return read;
  }

  private async fitAluminium(): Promise<void> {
    const read = this.readPairs();
    if (!read) return;
    if (read.length === 0) return this.fail('kCalibrationNoPairMessage');
    const setup = this.currentSetup();
    if (!setup) return;
    this.warn(t('計算中…'));
    const answer = await this.call('fitProfileAluminium', this.text, this.name(), setup, read.map(({ tubeVoltage, hvl }) => ({ tubeVoltage, hvl })), today());
    if (!answer.ok) return this.warn(messageOf(answer));
    this.warn('');
    this.keep(answer.text as string);
    this.showPairs(answer.pairs as PairFit[], read.map(({ row }) => row));
    this.showAluminium(answer.aluminium as number, answer.pairs as PairFit[]);
    this.apply('aluminium', (answer.aluminium as number).toFixed(2));
    await this.settingsChanged();
    this.recompute();
  }

  // Sets the output from its entries, or clears it from the profile when both are empty.
  private async setOutput(): Promise<void> {
    const kermaBox = this.byId<HTMLInputElement>('output-kerma');
    const distanceBox = this.byId<HTMLInputElement>('output-distance');
    if (kermaBox.value.trim() === '' && distanceBox.value.trim() === '') {
      if (!this.text) return;
      const answer = await this.call('clearProfileOutput', this.text);
      if (!answer.ok) return this.warn(messageOf(answer));
      this.warn('');
      this.keep(answer.text as string);
      return this.profileChanged();
    }
    const kerma = this.entry(kermaBox, t(desktopMessages.kOutputKermaName), true);
    if (kerma === undefined) return;
    const distanceName = t(desktopMessages.kOutputDistanceName);
    const distance = this.entry(distanceBox, distanceName, true);
    if (distance === undefined) return;
    if (distance < 10 || distance > 200) return this.fail('kCalibrationDistanceOutOfRangeMessage', distanceName, String(distance));
    const setup = this.currentSetup();
    if (!setup) return;
    const answer = await this.call('setProfileOutput', this.text, this.name(), setup, kerma, distance, today());
    if (!answer.ok) return this.warn(messageOf(answer));
    this.warn('');
    this.keep(answer.text as string);
    await this.profileChanged();
  }

  // Renews the state line and the absolute air kerma of the field shown after a change of
  // the profile that leaves the form's boxes as they are.
  private async profileChanged(): Promise<void> {
    await this.settingsChanged();
    if (this.shown) await this.fieldShown(this.shown.setup, this.shown.resultText);
    this.redraw();
  }

  private async fitHeel(): Promise<void> {
    const setup = this.currentSetup();
    const read = setup && this.readHeel(setup);
    if (!setup || !read) return;
    if (read.length === 0) return this.fail('kHeelNoPointMessage');
    this.warn(t('計算中…'));
    const answer = await this.call('fitProfileHeel', this.text, this.name(), setup, read.map(({ position, relativeKerma }) => ({ position, relativeKerma })), today());
    for (const row of this.heel) row.model.value = row.difference.value = '';
    if (!answer.ok) return this.warn(messageOf(answer));
    this.warn('');
    this.keep(answer.text as string);
    const points = answer.points as Array<{ relativeKerma: number; modelKerma?: number }>;
    for (const [n, { row }] of read.entries()) {
      const model = points[n]?.modelKerma;
      if (model === undefined) continue;
      this.heel[row].model.value = model.toFixed(3);
      this.heel[row].difference.value = (100 * (model / points[n].relativeKerma - 1)).toFixed(1);
    }
    const angle = (answer.targetAngle as number).toFixed(1).padStart(4, '0');
    this.byId('heel-result').textContent = `θ = ${angle}°`;
    this.apply('target_angle', angle);
    if (answer.aluminium !== undefined) this.apply('aluminium', (answer.aluminium as number).toFixed(2));
    await this.settingsChanged();
    this.recompute();
  }

  private async load(text: string, fileName: string): Promise<void> {
    const setup = this.currentSetup();
    if (!setup) return;
    const answer = await this.call('loadProfile', text, fileName, setup);
    if (!answer.ok) return this.warn(messageOf(answer));
    this.warn('');
    this.keep(answer.text as string);
    this.loaded = true;
    // The fit of the form's filters goes into the aluminium box, as on a change of filters.
    this.shownFilter = undefined;
    await this.settingsChanged();
    this.recompute();
  }

  // Downloads the profile under the name in the box, as the desktop's save writes it.
  private async save(): Promise<void> {
    const setup = this.currentSetup();
    if (!setup) return;
    const answer = await this.call('savedProfile', this.text, this.name(), setup);
    if (!answer.ok) return this.warn(messageOf(answer));
    this.keep(answer.text as string);
    download(answer.fileName as string, this.text);
    await this.settingsChanged();
  }

  // Called on every change of the form's settings: on a change of their filters, the
  // profile's fit for the new filters goes into the rows and the aluminium box when it was
  // made for the other settings too (the box keeps its text otherwise); then the state line
  // is renewed.
  settingsChanged(): Promise<void> {
    this.answered = this.renewForSettings(++this.asked);
    return this.answered;
  }

  // Resolves when the answer to the latest change of the settings is shown (the aluminium
  // box holds what that change puts there).
  settled(): Promise<void> {
    return this.answered;
  }

  private async renewForSettings(asked: number): Promise<void> {
    const setup = this.formSetup(false);
    const answer = setup && (await this.call('profileState', this.text, setup));
    if (asked !== this.asked) return; // a later change is answered instead
    if (answer && !answer.ok) this.warn(messageOf(answer));
    const known = answer?.ok ? (answer as unknown as { filter: string; profile?: ProfileState }) : undefined;
    // While a setting is not a number, the profile serves no settings.
    this.state = known ? known.profile : this.state && { ...this.state, state: 'notForThese', unserved: 'settingNotANumber' };
    if (known && this.loaded) {
      this.loaded = false;
      this.byId<HTMLInputElement>('profile-name').value = this.state?.name ?? '';
      this.byId<HTMLInputElement>('output-kerma').value = this.state?.output ? String(this.state.output.kermaPerLoad) : '';
      this.byId<HTMLInputElement>('output-distance').value = this.state?.output ? String(this.state.output.distance) : '';
    }
    if (known && known.filter !== this.shownFilter) {
      this.shownFilter = known.filter;
      const fit = this.state?.fit?.madeFor ? this.state.fit : undefined;
      this.showPairs(fit?.pairs ?? [], (fit?.pairs ?? []).map((_, k) => k), true);
      this.showAluminium(fit?.aluminium, fit?.pairs ?? []);
      if (fit?.aluminium !== undefined) {
        this.apply('aluminium', fit.aluminium.toFixed(2));
        return this.settingsChanged(); // the state line of the aluminium put in
      }
    }
    this.showState();
  }

  // Renews the absolute air kerma of the field the page computed for `setup`.
  async fieldShown(setup: Setup, resultText: string): Promise<void> {
    this.shown = { setup, resultText };
    const answer = await this.call('absoluteKerma', setup, resultText, this.text);
    this.absolute = answer.ok ? (answer as AbsoluteKerma) : { reason: messageOf(answer) };
    this.showState();
  }

  // The text of the profile in force, as its file holds it; "" for none.
  profileText(): string {
    return this.text;
  }

  // The absolute air kerma of the field shown, when the profile has a measured output.
  absoluteKerma(): AbsoluteKerma | undefined {
    return this.absolute;
  }

  // The pairs in their rows with the model's HVLs; the other rows' measurements are
  // emptied too when `alone`.
  private showPairs(pairs: PairFit[], rows: number[], alone = false): void {
    for (const row of this.pairs) {
      row.model.value = row.difference.value = '';
      if (alone) row.tubeVoltage.value = row.hvl.value = '';
    }
    pairs.forEach((pair, n) => {
      const row = this.pairs[rows[n]];
      row.tubeVoltage.value = String(pair.tubeVoltage);
      row.hvl.value = String(pair.hvl);
      if (pair.modelHvl === undefined) return;
      row.model.value = pair.modelHvl.toFixed(3);
      row.difference.value = signedPercent(pair.modelHvl / pair.hvl - 1);
    });
  }

  // The fitted thickness beside the fit button, flagged with a large residual; nothing for
  // undefined.
  private showAluminium(aluminium: number | undefined, pairs: PairFit[]): void {
    const result = this.byId('fit-result');
    const largest = pairs.reduce((worst, p) => {
      const d = p.modelHvl === undefined ? 0 : p.modelHvl / p.hvl - 1;
      return Math.abs(d) > Math.abs(worst) ? d : worst;
    }, 0);
    const flagged = Math.abs(largest) > kFlaggedResidual;
    result.textContent = aluminium === undefined ? ''
      : `t = ${aluminium.toFixed(3)} mm` + (flagged ? `  ${t('残差 %1 % (3 % 超)', signedPercent(largest))}` : '');
    result.classList.toggle('flagged', aluminium !== undefined && flagged);
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
        : t('この設定では未校正: %1 (%2)', name, reasonText(state));
    const output = state?.output;
    this.byId('reference-kerma').textContent = output
      ? [t('65 cm: %1 µGy/mAs、%2 %3 kV', output.referenceKerma.toFixed(2), output.setupName, String(output.tubeVoltage)), this.absolute?.reason ?? ''].join(' ')
      : '';
  }
}
