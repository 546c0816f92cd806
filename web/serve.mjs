// Serves the browser build (build-web/site) on 127.0.0.1 with the MIME
// types the browser insists on: a .wasm must come as application/wasm for
// streaming compilation, a module script as text/javascript.
//
//   node web/serve.mjs [ROOT] [PORT]     (PORT 0, the default, picks a free one)
//
// The tests import start() and mount folders of their own beside the site,
// e.g. /fixtures for the native program's pictures and recordings.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.png': 'image/png',
  '.css': 'text/css; charset=utf-8',
};

export function contentType(file) {
  return types[path.extname(file).toLowerCase()] ?? 'application/octet-stream';
}

// The file a URL path names under one of the mounts, or null when it
// names none or tries to climb out of its folder.
export function resolve(mounts, urlPath) {
  let decoded;
  try {
    decoded = decodeURIComponent(urlPath);
  } catch {
    return null;
  }
  if (decoded.includes('\0')) return null;
  // The longest prefix wins, so /fixtures beats /.
  const prefixes = Object.keys(mounts).sort((a, b) => b.length - a.length);
  for (const prefix of prefixes) {
    const base = prefix.endsWith('/') ? prefix : prefix + '/';
    if (decoded !== prefix && !decoded.startsWith(base) && prefix !== '/') continue;
    const rest = decoded.slice(prefix === '/' ? 1 : prefix.length).replace(/^\/+/, '');
    const root = path.resolve(mounts[prefix]);
    const file = path.resolve(root, rest === '' ? 'index.html' : rest);
    if (file !== root && !file.startsWith(root + path.sep)) return null;
    return file;
  }
  return null;
}

// Starts serving ROOT at / and each of MOUNTS ({'/fixtures': dir}) at its
// prefix. Resolves to {server, port, url, close()} once it listens.
export function start({ root, port = 0, mounts = {} } = {}) {
  const all = { ...mounts, '/': root };
  const server = http.createServer((request, response) => {
    const send = (status, body) => {
      response.writeHead(status, { 'Content-Type': 'text/plain; charset=utf-8' });
      response.end(body);
    };
    if (request.method !== 'GET' && request.method !== 'HEAD') return send(405, 'GET only\n');
    const file = resolve(all, new URL(request.url, 'http://127.0.0.1').pathname);
    if (!file) return send(404, 'not found\n');
    fs.stat(file, (error, stat) => {
      if (error || !stat.isFile()) return send(404, 'not found\n');
      response.writeHead(200, {
        'Content-Type': contentType(file),
        'Content-Length': stat.size,
        // A rebuilt site must never be mixed with a cached older part.
        'Cache-Control': 'no-store',
      });
      if (request.method === 'HEAD') return response.end();
      fs.createReadStream(file).pipe(response);
    });
  });
  return new Promise((resolvePromise, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => {
      const bound = server.address().port;
      resolvePromise({
        server,
        port: bound,
        url: `http://127.0.0.1:${bound}/`,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const here = path.dirname(fileURLToPath(import.meta.url));
  const root = process.argv[2] ?? path.join(here, '..', 'build-web', 'site');
  const port = Number(process.argv[3] ?? process.env.PORT ?? 0);
  if (!fs.existsSync(path.join(root, 'index.html'))) {
    console.error(`serve.mjs: no index.html in ${root}; build the site with scripts/build-web`);
    process.exit(1);
  }
  const { url } = await start({ root, port });
  console.log(`Serving ${path.resolve(root)} at ${url}`);
}
