// Serves the built page (dist/, or the folder given) on localhost and prints its address.
// The page is static files only; any web server does as well.
//   node web/serve.mjs [folder] [port]
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(process.argv[2] ?? path.join(here, 'dist'));
const port = Number(process.argv[3] ?? 8765);
const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.mjs': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.json': 'application/json',
};

const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  const file = path.join(root, path.normalize(name === '/' ? '/index.html' : name));
  if (!file.startsWith(root) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    response.writeHead(404).end('not found');
    return;
  }
  const headers = { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream', Vary: 'Accept-Encoding' };
  // The build's file names under assets/ change with their contents: kept for good.
  if (name.startsWith('/assets/')) headers['Cache-Control'] = 'public, max-age=31536000, immutable';
  // The build writes a gzip copy beside the larger files; sent to browsers that take it.
  const compressed = `${file}.gz`;
  const gzip = /\bgzip\b/.test(request.headers['accept-encoding'] ?? '') && fs.existsSync(compressed);
  if (gzip) headers['Content-Encoding'] = 'gzip';
  response.writeHead(200, headers);
  fs.createReadStream(gzip ? compressed : file).pipe(response);
});
server.listen(port, '127.0.0.1', () => {
  console.log(`Palvane in the browser: http://127.0.0.1:${server.address().port}/`);
});
