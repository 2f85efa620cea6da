// Runs the model in its own thread, so that the page stays responsive while it computes.
import createPalvane from './generated/palvane_web.mjs';
import { openingQuestions, type Answer, type Question, type Reply, type Request } from './model';

const model = createPalvane();
const post = (reply: Reply) => (self as unknown as Worker).postMessage(reply);

function answerOf(palvane: Awaited<typeof model>, question: Question): Answer {
  return question.kind === 'field'
    ? palvane.field(question.setup)
    : question.kind === 'point'
      ? palvane.point(question.setup, question.x, question.y)
      : palvane[question.name](...question.args);
}

// The answer, or, when the module could not be started, that failure: the page must not
// wait for ever for a model it will never have.
async function answerTo(question: Question): Promise<Answer> {
  let palvane: Awaited<typeof model>;
  try {
    palvane = await model;
  } catch (error) {
    return { ok: false, error: String(error), modelUnavailable: true };
  }
  return answerOf(palvane, question);
}

// The page's opening questions are answered before any request: the page's requests
// reach the worker only once its main thread has run the page's script.
void (async () => {
  for (const [opening, question] of openingQuestions.entries()) post({ opening, answer: await answerTo(question) });
})();

self.onmessage = async (event: MessageEvent<Request>) => {
  const { id, ...question } = event.data;
  post({ id, answer: await answerTo(question) });
};
