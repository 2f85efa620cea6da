// Loads the WebAssembly module in node. The toolchain's ES module output still reaches
// for CommonJS's require and __dirname under node, so they are provided here; the wasm
// bytes are handed over directly.
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

export async function loadModule(moduleDir) {
  globalThis.require = createRequire(import.meta.url);
  globalThis.__dirname = moduleDir;
  const { default: createPalvane } = await import(path.join(moduleDir, 'palvane_web.mjs'));
  return createPalvane({ wasmBinary: fs.readFileSync(path.join(moduleDir, 'palvane_web.wasm')) });
}
