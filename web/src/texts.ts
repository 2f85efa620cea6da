// The page's texts in Japanese and English. The desktop program's own texts (Japanese, with
// their English translation) come from its translation file; the page's further texts are
// in the table below.
import desktop from 'virtual:translations';

export type Language = 'ja' | 'en';

const pageTexts: Record<string, string> = {
  '言語': 'Language',
  '受像面の照射野': 'Field in the image plane',
  '計算中…': 'Computing…',
  '計算時間': 'Computation time',
  '線質 (ビーム軸上)': 'Beam quality (beam axis)',
  '測定点': 'Points',
  '点を追加': 'Add point',
  '点を消去': 'Clear points',
  '番号': 'No.',
  '平均エネルギー': 'Mean energy',
  '第1半価層': 'HVL1',
  '第2半価層': 'HVL2',
  '均等度': 'Homogeneity',
  '相対空気カーマ': 'Relative air kerma',
  'プロファイル': 'Profile',
  '書き出し': 'Export',
  'CSV 一式 (zip)': 'CSV set (zip)',
  '光子数 (相対)': 'Photons (relative)',
  'エネルギー': 'Energy',
  'ビーム軸': 'Beam axis',
  'ヒールカットオフ': 'Heel cut-off',
  '空気層': 'Air layer',
  '地図をクリックするか座標を入力して点を追加します。': 'Click a map or type coordinates to add a point.',
  '角度が設定可能範囲を逸脱しています (-90 ～ 90 度)': 'The angle is outside the range that can be set (-90 to 90 degrees).',
  '空気層「%1」は負の値です。0 以上を入力してください': 'Air layer "%1" is negative. Enter 0 or more.',
  '設定を確認してください': 'Check the settings.',
  'この点ではスペクトルを計算できません: %1': 'No spectrum at this point: %1',
  '計算モデルを読み込めませんでした (%1)': 'The model could not be loaded (%1)',
  'フィルタを追加': 'Add filter',
  'フィルタを削除': 'Remove filter',
  '材質': 'Material',
  '胸壁側': 'chest-wall side',
  '陽極側': 'anode side',
  '絶対空気カーマ (ビーム軸)': 'Absolute air kerma (beam axis)',
  '絶対空気カーマ': 'Absolute air kerma',
};

let language: Language = navigator.language.startsWith('ja') ? 'ja' : 'en';

export function currentLanguage(): Language {
  return language;
}

export function setLanguage(next: Language): void {
  language = next;
  document.documentElement.lang = next;
}

// The text in the current language; %1, %2 are replaced by the arguments.
export function t(japanese: string, ...args: string[]): string {
  const text = language === 'ja' ? japanese : desktop[japanese] ?? pageTexts[japanese] ?? japanese;
  return args.reduce((out, arg, k) => out.replace(`%${k + 1}`, arg), text);
}
