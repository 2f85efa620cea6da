// The settings form: the spectrum form's fields, labels and checks.
import { LayerRows, type Material } from './layers';
import { defaultSetup, type Setup, type Target } from './model';
import { t } from './texts';

type NumberName = Exclude<keyof Setup, 'target' | 'added_filters' | 'plate'>;

interface FieldDefinition {
  name: NumberName;
  label: string; // the desktop's Japanese text
  unit: string;
  thickness: boolean;
}

const fields: FieldDefinition[] = [
  { name: 'tube_voltage', label: 'Ｘ線管電圧', unit: 'kV', thickness: false },
  { name: 'target_angle', label: 'ターゲット角度(θ)', unit: 'deg', thickness: false },
  { name: 'tilt_angle', label: '管球傾斜角度(φ)', unit: 'deg', thickness: false },
  { name: 'beryllium', label: 'ベリリウム', unit: 'mm', thickness: true },
  { name: 'aluminium', label: 'アルミ (当量)', unit: 'mm', thickness: true },
  { name: 'molybdenum', label: 'モリブデン', unit: 'mm', thickness: true },
  { name: 'rhodium', label: 'ロジウム', unit: 'mm', thickness: true },
  { name: 'air_layer', label: '空気層', unit: 'cm', thickness: false },
];

export class SettingsForm {
  private readonly target: HTMLSelectElement;
  private readonly inputs = new Map<NumberName, HTMLInputElement>();
  private readonly labels: Array<() => void> = [];
  private readonly layers: LayerRows;

  constructor(private readonly container: HTMLElement) {
    this.target = document.createElement('select');
    this.target.id = 'setting-target';
    for (const [value, label] of [['mo', 'モリブデン'], ['w', 'タングステン']] as const) {
      const option = document.createElement('option');
      option.value = value;
      this.labels.push(() => (option.textContent = t(label)));
      this.target.append(option);
    }
    this.row('target', () => t('ターゲット'), this.target);
    for (const field of fields) {
      const input = document.createElement('input');
      input.id = `setting-${field.name}`;
      input.type = 'text';
      input.inputMode = 'decimal';
      input.setAttribute('aria-describedby', 'settings-message');
      this.row(field.name, () => t(field.label), input, field.unit);
      this.inputs.set(field.name, input);
    }
    this.layers = new LayerRows(container);
    this.show(defaultSetup);
    this.relabel();
  }

  setMaterials(materials: Material[]): void {
    this.layers.setMaterials(materials);
  }

  // Puts a value into a field's box as the desktop's calibration does ("#0.00", "00.0").
  setText(name: NumberName, text: string): void {
    this.inputs.get(name)!.value = text;
  }

  // A labelled row; a control without a unit (the target's list) takes the unit's place too,
  // so that its longest name fits.
  private row(name: string, label: () => string, control: HTMLElement, unit?: string): void {
    const row = document.createElement('div');
    row.className = 'setting';
    const text = document.createElement('label');
    text.htmlFor = `setting-${name}`;
    this.labels.push(() => (text.textContent = label()));
    row.append(text, control);
    if (unit === undefined) {
      control.classList.add('without-unit');
    } else {
      const unitText = document.createElement('span');
      unitText.className = 'unit';
      unitText.textContent = unit;
      row.append(unitText);
    }
    this.container.append(row);
  }

  relabel(): void {
    for (const apply of this.labels) apply();
    this.layers.relabel();
  }

  show(setup: Setup): void {
    this.target.value = setup.target;
    for (const field of fields) this.inputs.get(field.name)!.value = String(setup[field.name]);
  }

  // The set-up, or the first problem with its field: the desktop form's messages. Without
  // `checkRanges` only numbers and thicknesses that are not negative are asked for, as the
  // desktop's calibration strip asks to state whether a profile serves the settings.
  read(checkRanges = true): { setup: Setup } | { problem: string; field: HTMLElement } {
    const setup = { ...defaultSetup, target: this.target.value as Target };
    for (const field of fields) {
      const input = this.inputs.get(field.name)!;
      const text = input.value.trim();
      const value = Number(text);
      const label = t(field.label);
      if (text === '' || !Number.isFinite(value)) return { problem: t('%1「%2」は数値ではありません', label, text), field: input };
      if (field.thickness && value < 0) {
        return { problem: t('%1「%2」は負の値です。厚さは 0 以上を入力してください', label, text), field: input };
      }
      if (!checkRanges) {
        setup[field.name] = value;
        continue;
      }
      if (field.name === 'tube_voltage' && (value < 20 || value > 50)) return { problem: t('管電圧が設定可能範囲を逸脱しています'), field: input };
      if ((field.name === 'target_angle' || field.name === 'tilt_angle') && Math.abs(value) > 90) {
        return { problem: t('角度が設定可能範囲を逸脱しています (-90 ～ 90 度)'), field: input };
      }
      if (field.name === 'air_layer' && value < 0) return { problem: t('空気層「%1」は負の値です。0 以上を入力してください', text), field: input };
      setup[field.name] = value;
    }
    const layers = this.layers.read();
    if ('problem' in layers) return layers;
    if (layers.filters.length > 0) setup.added_filters = layers.filters;
    if (layers.plate) setup.plate = layers.plate;
    return { setup };
  }
}
