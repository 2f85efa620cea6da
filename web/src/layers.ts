// The settings form's added rows: added filters (any number, materials of Materials.dat)
// and the compression plate, each "none" at the start, so that the set-up is then the nine
// settings alone.
import type { Layer } from './model';
import { t } from './texts';

export interface Material {
  key: string;
  caption: string; // "Ag", "PMMA"
}

// The materials a compression plate is made of.
const plateMaterials = ['pmma', 'pc'];

export const filterLabel = 'その他のフィルタ';
export const plateLabel = '圧迫板';

interface LayerRow {
  material: HTMLSelectElement;
  thickness: HTMLInputElement;
  label: string;
}

export type LayerProblem = { problem: string; field: HTMLElement };

export class LayerRows {
  private readonly filters: LayerRow[] = [];
  private readonly plate: LayerRow;
  private readonly filterList: HTMLElement;
  private readonly plateCaption: HTMLElement;
  private readonly relabels: Array<() => void> = [];
  private materials: Material[] = [];

  constructor(container: HTMLElement) {
    const filterGroup = this.group(container, 'filters', filterLabel);
    this.filterList = document.createElement('div');
    const add = document.createElement('button');
    add.type = 'button';
    add.id = 'add-filter';
    this.relabels.push(() => (add.textContent = t('フィルタを追加')));
    add.addEventListener('click', () => this.addFilterRow().material.focus());
    filterGroup.append(this.filterList, add);
    this.addFilterRow();
    const plateGroup = this.group(container, 'plate', plateLabel);
    this.plate = this.row(plateGroup, 'setting-plate', plateLabel);
    this.plateCaption = document.createElement('p');
    this.plateCaption.id = 'plate-caption';
    this.plateCaption.className = 'note';
    plateGroup.append(this.plateCaption);
    for (const control of [this.plate.material, this.plate.thickness]) control.addEventListener('input', () => this.showPlateCaption());
  }

  private group(container: HTMLElement, name: string, label: string): HTMLElement {
    const group = document.createElement('fieldset');
    group.className = 'layers';
    group.id = `layers-${name}`;
    const legend = document.createElement('legend');
    this.relabels.push(() => (legend.textContent = t(label)));
    group.append(legend);
    container.append(group);
    return group;
  }

  // One row: the material ("none" first) and the thickness in mm, labelled for screen
  // readers by the group's caption and the row's number.
  private row(parent: HTMLElement, id: string, label: string, removable = false): LayerRow {
    const row = document.createElement('div');
    row.className = 'layer';
    const material = document.createElement('select');
    material.id = `${id}-material`;
    const thickness = document.createElement('input');
    thickness.id = id;
    thickness.type = 'text';
    thickness.inputMode = 'decimal';
    thickness.value = '0';
    thickness.setAttribute('aria-describedby', 'settings-message');
    const unit = document.createElement('span');
    unit.className = 'unit';
    unit.textContent = 'mm';
    row.append(material, thickness, unit);
    const entry = { material, thickness, label };
    const names = () => {
      material.setAttribute('aria-label', `${t(label)}: ${t('材質')}`);
      thickness.setAttribute('aria-label', `${t(label)} [mm]`);
    };
    this.relabels.push(names);
    if (removable) {
      const remove = document.createElement('button');
      remove.type = 'button';
      remove.textContent = '×';
      this.relabels.push(() => remove.setAttribute('aria-label', t('フィルタを削除')));
      remove.addEventListener('click', () => {
        this.filters.splice(this.filters.indexOf(entry), 1);
        row.remove();
        // The filters changed as by an entry.
        this.filterList.dispatchEvent(new Event('input', { bubbles: true }));
      });
      row.append(remove);
    }
    parent.append(row);
    this.fill(entry);
    names();
    return entry;
  }

  private addFilterRow(): LayerRow {
    const row = this.row(this.filterList, `setting-filter-${this.filters.length + 1}`, filterLabel, this.filters.length > 0);
    this.filters.push(row);
    return row;
  }

  private fill(row: LayerRow): void {
    const chosen = row.material.value;
    const keys = row === this.plate ? this.materials.filter((m) => plateMaterials.includes(m.key)) : this.materials;
    row.material.replaceChildren(new Option(t('なし'), ''), ...keys.map((m) => new Option(m.caption, m.key)));
    row.material.value = keys.some((m) => m.key === chosen) ? chosen : '';
  }

  setMaterials(materials: Material[]): void {
    this.materials = materials;
    for (const row of [...this.filters, this.plate]) this.fill(row);
  }

  relabel(): void {
    for (const apply of this.relabels) apply();
    for (const row of [...this.filters, this.plate]) this.fill(row);
    this.showPlateCaption();
  }

  private showPlateCaption(): void {
    const material = this.materials.find((m) => m.key === this.plate.material.value);
    const thickness = Number(this.plate.thickness.value.trim());
    this.plateCaption.textContent =
      material && thickness > 0 ? t('（圧迫板 %1 を考慮）', `${material.caption} ${thickness} mm`) : t('（圧迫板による減弱は考慮しない）');
  }

  // The layers of the rows with a material and more than 0 mm, or the first row's problem:
  // a thickness that is not a number or is negative, with the desktop form's messages.
  read(): { filters: Layer[]; plate?: Layer } | LayerProblem {
    const layers: Array<Layer | undefined> = [];
    for (const row of [...this.filters, this.plate]) {
      const text = row.thickness.value.trim();
      const value = Number(text);
      const label = t(row.label);
      if (row.material.value !== '' && (text === '' || !Number.isFinite(value))) {
        return { problem: t('%1「%2」は数値ではありません', label, text), field: row.thickness };
      }
      if (row.material.value !== '' && value < 0) {
        return { problem: t('%1「%2」は負の値です。厚さは 0 以上を入力してください', label, text), field: row.thickness };
      }
      layers.push(row.material.value !== '' && value > 0 ? { material: row.material.value, thickness: value } : undefined);
    }
    const plate = layers.pop();
    return { filters: layers.filter((layer): layer is Layer => layer !== undefined), plate };
  }
}
