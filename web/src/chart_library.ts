// echarts with only what the page draws: its core, the three series types, the components
// the figures use (the maps' side labels are graphic texts) and the SVG renderer. The whole library would triple the page's script.
import { use } from 'echarts/core';
import { CustomChart, LineChart, ScatterChart } from 'echarts/charts';
import {
  GraphicComponent,
  GridComponent,
  LegendComponent,
  MarkAreaComponent,
  TitleComponent,
  TooltipComponent,
  VisualMapContinuousComponent,
} from 'echarts/components';
import { SVGRenderer } from 'echarts/renderers';

use([
  CustomChart,
  LineChart,
  ScatterChart,
  GraphicComponent,
  GridComponent,
  LegendComponent,
  MarkAreaComponent,
  TitleComponent,
  TooltipComponent,
  VisualMapContinuousComponent,
  SVGRenderer,
]);

export * from 'echarts/core';
export type { CustomSeriesRenderItemAPI } from 'echarts';
