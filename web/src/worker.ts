// Runs the model in its own thread, so that the page stays responsive while it computes.
import createPalvane from './generated/palvane_web.mjs';
import type { Reply, Request } from './model';

const model = createPalvane();

self.onmessage = async (event: MessageEvent<Request>) => {
  const request = event.data;
  const palvane = await model;
  const answer =
    request.kind === 'field'
      ? palvane.field(request.setup)
      : request.kind === 'point'
        ? palvane.point(request.setup, request.x, request.y)
        : palvane[request.name](...request.args);
  const reply: Reply = { id: request.id, answer };
  (self as unknown as Worker).postMessage(reply);
};
