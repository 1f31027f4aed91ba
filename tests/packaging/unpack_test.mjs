// SPDX-License-Identifier: GPL-3.0-or-later
// The page's module packing: what packwasm.py packs, unpack.js with the
// unpacker module (unpack.cpp) gives back byte for byte, for data that takes
// every path of the decoder; and packwasm.py refuses a page it cannot pack.
// usage: node unpack_test.mjs PYTHON packwasm.py unpack.js unpack.wasm
import {spawnSync} from 'node:child_process';
import {createHash} from 'node:crypto';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import vm from 'node:vm';
import {check, counts} from '../runtime/web/checks.mjs';

const [python, packer, loader, unpacker] = process.argv.slice(2);
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'unpack-test-'));
const unpackerText = fs.readFileSync(unpacker).toString('base64');

// The same bytes on every run: xorshift32.
function random(seed) {
  let x = seed;
  return () => {
    x ^= x << 13; x ^= x >>> 17; x ^= x << 5;
    return x >>> 0;
  };
}
function randomBytes(n, seed) {
  const next = random(seed);
  return Buffer.from(Array.from({length: n}, () => next() & 0xFF));
}
// Words of a few letters, drawn again and again: short distances, repeated ones.
function words(n, seed) {
  const next = random(seed);
  const vocabulary = ['cylinder', 'radius', 'height', ' = ', '3.14', 'π', '\n', 'V', 'S₁', 'dm²'];
  let text = '';
  while (text.length < n) text += vocabulary[next() % vocabulary.length];
  return Buffer.from(text);
}
// Blocks of random bytes copied from up to 256 KiB back: every distance slot.
function farCopies(n, seed) {
  const next = random(seed);
  const out = Buffer.alloc(n);
  for (let at = 0; at < n;) {
    const length = Math.min(8 + next() % 120, n - at);
    if (at > 4096 && next() % 2) {
      const from = at - 1 - next() % Math.min(at, 1 << 18);
      for (let i = 0; i < length; ++i) out[at + i] = out[from + i];
    } else {
      for (let i = 0; i < length; ++i) out[at + i] = next() & 0xFF;
    }
    at += length;
  }
  return out;
}

// Runs copied from four distances in a random order, a byte apart: the
// decoder's four last distances, each used again and again.
function fourDistances(n, seed) {
  const next = random(seed);
  const out = randomBytes(n, seed + 1);
  const distances = [1000, 2345, 4567, 8901];
  for (let at = 10000; at < n - 40;) {
    const distance = distances[next() % 4];
    for (const end = at + 3 + next() % 30; at < end; ++at) out[at] = out[at - distance];
    ++at;  // a random byte between
  }
  return out;
}

const cases = [
  ['nothing', Buffer.alloc(0)],
  ['one byte', Buffer.from([0x41])],
  ['random bytes', randomBytes(65536, 1)],
  ['one byte 1000 times', Buffer.alloc(1000, 0xCC)],
  ['words', words(20000, 2)],
  ['copies from far back', farCopies(300000, 3)],
  ['four distances in turn', fourDistances(100000, 6)],
  ['the unpacker module itself', fs.readFileSync(unpacker)],
  ['words, lc 0 lp 2 pb 2', words(20000, 4), [0, 2, 2]],
  ['copies from far back, lc 4 lp 0 pb 4', farCopies(100000, 5), [4, 0, 4]],
];

function packed(data, props = []) {
  const input = path.join(folder, 'in');
  const output = path.join(folder, 'out');
  fs.writeFileSync(input, data);
  const run = spawnSync(python, [packer, '--pack', input, output, ...props.map(String)]);
  if (run.status !== 0) throw new Error(`${packer}: ${run.stderr}`);
  return fs.readFileSync(output, 'ascii');
}

// unpack.js as the page runs it, with the texts packwasm.py fills in (the
// packed one in the page's data block); the
// bytes it hands to WebAssembly.instantiate are what it unpacked.
function unpack(text) {
  let unpacked = null;
  const context = {
    atob,
    document: {getElementById: (id) => id === 'cylinder-module' && {textContent: text}},
    Module: {},
    WebAssembly: {
      Module: WebAssembly.Module,
      Instance: WebAssembly.Instance,
      instantiate(bytes, imports) {
        unpacked = Buffer.from(bytes);
        return Promise.resolve({instance: imports, module: null});
      },
    },
    Uint8Array,
    DataView,
    TextEncoder,
  };
  const source = fs.readFileSync(loader, 'utf8')
      .replace('@UNPACK_WASM@', unpackerText);
  vm.runInNewContext(source, context);
  context.Module.instantiateWasm({}, () => {});
  return unpacked;
}

// The bytes' length and hash, or what went wrong on the way.
function digest(bytes) {
  try {
    const data = typeof bytes === 'function' ? bytes() : bytes;
    return {length: data.length, sha256: createHash('sha256').update(data).digest('hex')};
  } catch (error) {
    return String(error);
  }
}
const ends = new Set();
for (const [name, data, props] of cases) {
  const text = packed(data, props);
  ends.add(/=*$/.exec(text)[0]);
  check(`${name}: the same bytes back`, digest(data), digest(() => unpack(text)));
}
check('the packed texts end in no, one and two padding signs', ['', '=', '=='], [...ends].sort());

// A page: emscripten's empty prefix of data URIs, its module, the places.
const module = fs.readFileSync(unpacker);
const uri = bytes => `"data:application/octet-stream;base64,${bytes.toString('base64')}"`;
const prefix = 'var dataURIPrefix="data:application/octet-stream;base64,";';
const page = (body, data = '@PACKED_WASM@') =>
  `<script>${prefix}${body}</script><div id="cylinder-module" hidden>${data}</div>`;
function packPage(text) {
  const file = path.join(folder, 'page.html');
  fs.writeFileSync(file, text);
  const run = spawnSync(python, [packer, file, unpacker]);
  return {status: run.status, page: fs.readFileSync(file, 'utf8')};
}
const good = packPage(page(`wasmBinaryFile=${uri(module)};b('@UNPACK_WASM@')`));
const filled = /wasmBinaryFile="";b\('([A-Za-z0-9+/=]+)'\)/.exec(good.page);
const data = /<div id="cylinder-module" hidden>(.*)<\/div>/.exec(good.page)[1];
const blocks = [...data.matchAll(/<script type="application\/octet-stream">([A-Za-z0-9+/=]*)<\/script>/g)];
const text = blocks.map(block => block[1]).join('');
check('a page: packed, its module left as an empty name', [0, true], [good.status, filled !== null]);
check('a page: emscripten\'s prefix of data URIs kept', true, good.page.includes(prefix));
check('a page: the packed text all in data blocks', data.length, blocks.reduce((n, b) => n + b[0].length, 0));
check('a page: blocks of 8192 characters, the last shorter',
      [...Array(Math.floor(text.length / 8192)).fill(8192), text.length % 8192].filter(n => n),
      blocks.map(block => block[1].length));
check('a page: its module unpacks to the same bytes', digest(module), digest(() => unpack(text)));
check('a page: the unpacker in it', unpackerText, filled && filled[1]);

const refused = [
  ['no place for the packed module', `wasmBinaryFile=${uri(module)};b('@UNPACK_WASM@')`, ''],
  ['no place for the unpacker', `wasmBinaryFile=${uri(module)}`],
  ['two modules', `w=${uri(module)};v=${uri(module)};b('@UNPACK_WASM@')`],
  ['no module', `b('@UNPACK_WASM@')`],
  ['a data URI that is no module', `w=${uri(Buffer.from('not a module'))};b('@UNPACK_WASM@')`],
];
for (const [name, body, data] of refused) {
  const result = packPage(page(body, data));
  check(`refused, ${name}: an error and the page as it was`, [true, page(body, data)], [result.status !== 0, result.page]);
}

fs.rmSync(folder, {recursive: true, force: true});
console.log(`${counts.passed} passed, ${counts.failed} failed`);
process.exitCode = counts.failed ? 1 : 0;
