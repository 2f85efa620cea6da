// The model's worker and the questions to it. The page imports this module first, so that
// the worker, and with it the WebAssembly download, starts before the rest of the page's
// script runs.
import type { Question, Reply } from './model';

const worker = new Worker(new URL('./worker.ts', import.meta.url), { type: 'module' });
let nextRequest = 1;
const waiting = new Map<number, (reply: Reply['answer']) => void>();
worker.onmessage = (event: MessageEvent<Reply>) => {
  waiting.get(event.data.id)?.(event.data.answer);
  waiting.delete(event.data.id);
};

export function ask(request: Question): Promise<Reply['answer']> {
  const id = nextRequest++;
  return new Promise((resolve) => {
    waiting.set(id, resolve);
    worker.postMessage({ ...request, id });
  });
}
