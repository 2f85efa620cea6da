// The model's worker and the questions to it. The page's first script (start.ts) imports
// this module, so that the worker, and with it the WebAssembly download and compilation,
// starts before the rest of the page's script is even loaded.
import { openingQuestions, type Answer, type Question, type Reply } from './model';

const worker = new Worker(new URL('./worker.ts', import.meta.url), { type: 'module' });
let nextRequest = 1;
const waiting = new Map<number, (answer: Answer) => void>();

// A question's text, its objects' keys sorted: the same question whatever order its set-up
// was built in.
const textOf = (question: Question) =>
  JSON.stringify(question, (_key, value) =>
    value && typeof value === 'object' && !Array.isArray(value) ? Object.fromEntries(Object.entries(value).sort(([a], [b]) => (a < b ? -1 : 1))) : value,
  );

// The answers to the opening questions, which the worker sends unasked, by the question's
// text; each is taken by the page's first ask of that question. All are dropped when the
// page asks for a field other than the opening one: the opening has passed.
const openingAnswers: Array<(answer: Answer) => void> = [];
const opening = new Map(
  openingQuestions.map((question, k) => [textOf(question), new Promise<Answer>((resolve) => (openingAnswers[k] = resolve))]),
);

worker.onmessage = (event: MessageEvent<Reply>) => {
  const reply = event.data;
  if ('opening' in reply) {
    openingAnswers[reply.opening](reply.answer);
    return;
  }
  waiting.get(reply.id)?.(reply.answer);
  waiting.delete(reply.id);
};

export function ask(question: Question): Promise<Answer> {
  if (opening.size > 0) {
    const key = textOf(question);
    const answer = opening.get(key);
    if (answer) {
      opening.delete(key);
      return answer;
    }
    if (question.kind === 'field') opening.clear();
  }
  const id = nextRequest++;
  return new Promise((resolve) => {
    waiting.set(id, resolve);
    worker.postMessage({ ...question, id });
  });
}
