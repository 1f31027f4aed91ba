// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of cylinder.html against its floor (the same markup and fonts, no
// script), alternating, in one headless Chromium driven over the DevTools
// pipe. First contentful paint of both; the page ready (handlers attached,
// load run: the "cylinder-ready" mark) against the floor's load event.
// usage: node bench/startup-web.mjs [RUNS] [BUILD_DIR]
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const runs = Number(process.argv[2] ?? 15);
const build = resolve(process.argv[3] ?? new URL('../build/web', import.meta.url).pathname);
const pages = {
  cylinder: pathToFileURL(join(build, 'app/cylinder.html')).href,
  floor: pathToFileURL(join(build, 'runtime/web/floor.html')).href,
};

const profile = mkdtempSync(join(tmpdir(), 'startup-web-'));
const chromium = spawn('/usr/bin/chromium', [
  '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--remote-debugging-pipe', `--user-data-dir=${profile}`, '--window-size=800,600', 'about:blank',
], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });

// DevTools protocol: JSON messages, each ended by a NUL byte.
let nextId = 0;
const waiting = new Map();
const listeners = [];
let pending = '';
chromium.stdio[4].on('data', (chunk) => {
  pending += chunk.toString('utf8');
  let end;
  while ((end = pending.indexOf('\0')) >= 0) {
    const message = JSON.parse(pending.slice(0, end));
    pending = pending.slice(end + 1);
    if (message.id !== undefined && waiting.has(message.id)) {
      const { resolve: done, reject } = waiting.get(message.id);
      waiting.delete(message.id);
      message.error ? reject(new Error(message.error.message)) : done(message.result);
    } else {
      for (const listener of listeners) listener(message);
    }
  }
});
function send(method, params = {}, sessionId) {
  const id = ++nextId;
  chromium.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
  return new Promise((done, reject) => waiting.set(id, { resolve: done, reject }));
}

const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
const evaluate = async (expression) =>
  (await send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true }, sessionId))
    .result.value;

// Waits until the page has painted and, for the program, is ready. Both
// pages have scripts (the floor sizes the window on touch screens too).
const measure = (isProgram) => `new Promise((done) => {
  const read = () => {
    const paint = performance.getEntriesByName('first-contentful-paint')[0];
    const navigation = performance.getEntriesByType('navigation')[0];
    const ready = performance.getEntriesByName('cylinder-ready')[0];
    const isProgram = ${isProgram};
    if (!paint || !navigation || navigation.loadEventEnd === 0 || (isProgram && !ready))
      return setTimeout(read, 5);
    done({ paint: paint.startTime, load: navigation.loadEventEnd, ready: ready ? ready.startTime : 0 });
  };
  read();
})`;

const samples = { cylinder: [], floor: [] };
for (let run = 0; run < runs + 1; ++run) {
  for (const name of run % 2 ? ['floor', 'cylinder'] : ['cylinder', 'floor']) {
    await send('Page.navigate', { url: `${pages[name]}?run=${run}` }, sessionId);
    await new Promise((done) => setTimeout(done, 50));
    const figures = await evaluate(measure(name === 'cylinder'));
    if (run > 0) samples[name].push(figures);  // the first round warms the browser up
  }
}

const closed = new Promise((done) => chromium.on('exit', done));
chromium.kill();
await closed;
// Chromium's helpers may still be writing their profile for a moment.
await new Promise((done) => setTimeout(done, 500));
rmSync(profile, { recursive: true, force: true, maxRetries: 10 });

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const of = (name, key) => median(samples[name].map((s) => s[key]));
const fcp = of('cylinder', 'paint') / of('floor', 'paint');
const ready = of('cylinder', 'ready') / of('floor', 'load');
console.log(`runs: ${runs} of each, alternating; medians in ms after navigation`);
console.log(`floor     first paint ${of('floor', 'paint').toFixed(1)}  load ${of('floor', 'load').toFixed(1)}`);
console.log(`cylinder  first paint ${of('cylinder', 'paint').toFixed(1)}  load ${of('cylinder', 'load').toFixed(1)}  ready ${of('cylinder', 'ready').toFixed(1)}`);
console.log(`first paint: ${fcp.toFixed(2)} x the floor's (target <= 1.10)`);
console.log(`ready: ${ready.toFixed(2)} x the floor's load (target <= 1.50)`);
process.exitCode = fcp <= 1.10 && ready <= 1.5 ? 0 : 1;
