#!/usr/bin/node
// SPDX-License-Identifier: GPL-3.0-or-later
// cylinder.html in a real browser, every control found by its accessible name
// as a screen reader finds it: the nine variants, the locks, Enter, each kind
// of error with its dialog, clearing; no console error, nothing fetched.
//   page_test.mjs [--engine chromium] [--lang en-US|bg-BG] [--server WEBDRIVER] PAGE.html
//   page_test.mjs --picture OUT.png [--lang en-US] PAGE.html
//                   only the README's sample calculation, saved as a picture
// The scenario talks to a small driver object; an engine is a way to make one.
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const sourceDir = path.resolve(here, '../../..');

// ---------------------------------------------------------------- WebDriver classic

const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';
const KEYS = {Enter: '\uE007', Escape: '\uE00C'};

async function request(base, method, route, body) {
  const response = await fetch(base + route, {
    method,
    headers: body === undefined ? {} : {'Content-Type': 'application/json'},
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  const reply = await response.json();
  if (!response.ok) {
    const v = reply.value || {};
    throw new Error(`${method} ${route}: ${v.error}: ${(v.message || '').split('\n')[0]}`);
  }
  return reply.value;
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => resolve(port));
    });
  });
}

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// Starts a WebDriver server, opens a session with these capabilities and
// returns the driver object; close() ends the session and the server.
async function classicDriver({server, serverArgs, capabilities, consoleErrors}) {
  const port = await freePort();
  const child = spawn(server, serverArgs(port), {stdio: ['ignore', 'pipe', 'pipe']});
  let log = '';
  child.stdout.on('data', d => { log += d; });
  child.stderr.on('data', d => { log += d; });
  let exited = false;
  const exit = new Promise(resolve => child.on('exit', () => { exited = true; resolve(); }));
  child.on('error', e => { log += String(e); });
  const base = `http://127.0.0.1:${port}`;
  let session = null;
  const stopServer = async () => {
    if (!exited) child.kill('SIGTERM');
    await Promise.race([exit, sleep(5000)]);
    if (!exited) child.kill('SIGKILL');
  };
  try {
    for (let waited = 0; ; waited += 50) {
      if (exited || waited > 20000) throw new Error(`${server} did not start:\n${log}`);
      try {
        if ((await request(base, 'GET', '/status')).ready) break;
      } catch {
        // not listening yet
      }
      await sleep(50);
    }
    session = (await request(base, 'POST', '/session', {capabilities: {alwaysMatch: capabilities}}))
                  .sessionId;
  } catch (e) {
    await stopServer();
    throw e;
  }

  const cmd = (method, route, body) => request(base, method, `/session/${session}${route}`, body);
  const on = (e, route) => `/element/${e[ELEMENT]}${route}`;
  const keys = values => cmd('POST', '/actions', {
    actions: [{type: 'key', id: 'keyboard',
               actions: values.flatMap(value => [{type: 'keyDown', value}, {type: 'keyUp', value}])}],
  });
  return {
    open: url => cmd('POST', '/url', {url}),
    script: (body, ...args) => cmd('POST', '/execute/sync', {script: body, args}),
    find: selector => cmd('POST', '/elements', {using: 'css selector', value: selector}),
    // What a screen reader is told of each element the selector finds.
    accessible: async selector => Promise.all((await cmd('POST', '/elements', {
      using: 'css selector', value: selector,
    })).map(async element => ({
      element,
      name: await cmd('GET', on(element, '/computedlabel')),
      role: await cmd('GET', on(element, '/computedrole')),
    }))),
    name: e => cmd('GET', on(e, '/computedlabel')),
    role: e => cmd('GET', on(e, '/computedrole')),
    click: e => cmd('POST', on(e, '/click'), {}),
    type: (e, text) => cmd('POST', on(e, '/value'), {text}),
    // Keys to whatever has the focus, as a user presses them.
    press: key => keys([KEYS[key]]),
    typeFocused: text => keys([...text]),
    // Many elements at once: one round trip rather than one each.
    values: elements => cmd('POST', '/execute/sync', {
      script: 'return arguments[0].map(e => e.value)', args: [elements],
    }),
    readOnly: elements => cmd('POST', '/execute/sync', {
      script: 'return arguments[0].map(e => e.readOnly)', args: [elements],
    }),
    checked: e => cmd('GET', on(e, '/property/checked')),
    text: e => cmd('GET', on(e, '/text')),
    displayed: e => cmd('GET', on(e, '/displayed')),
    focused: e => cmd('POST', '/execute/sync', {
      script: 'return arguments[0] === document.activeElement', args: [e],
    }),
    screenshot: async e => Buffer.from(await cmd('GET', on(e, '/screenshot')), 'base64'),
    consoleErrors: () => consoleErrors(cmd),
    close: async () => {
      try {
        await cmd('DELETE', '');
      } finally {
        await stopServer();
      }
    },
  };
}

// ---------------------------------------------------------------- engines

const engines = {
  chromium: ({lang, profile, server}) => classicDriver({
    server: server ?? '/usr/bin/chromedriver',
    serverArgs: port => [`--port=${port}`],
    capabilities: {
      'goog:chromeOptions': {
        binary: '/usr/bin/chromium',
        args: ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               `--user-data-dir=${profile}`, `--accept-lang=${lang}`, '--window-size=800,600'],
        prefs: {'intl.accept_languages': lang},
      },
      'goog:loggingPrefs': {browser: 'ALL'},
    },
    consoleErrors: async cmd => (await cmd('POST', '/se/log', {type: 'browser'}))
        .filter(entry => entry.level === 'SEVERE').map(entry => entry.message),
  }),
};

// ---------------------------------------------------------------- the scenario's data

// The nine rows the desktop tests share: variant, the two given boxes and
// texts, then the five texts of the row.
function variantRows() {
  const script = fs.readFileSync(path.join(sourceDir, 'tests/app/variant-cases.sh'), 'utf8');
  const array = script.match(/^cases=\(\n([\s\S]*?)^\)/m);
  if (!array) throw new Error('variant-cases.sh: no cases=( ... )');
  return [...array[1].matchAll(/^\s*"([^"]*)"\s*$/gm)].map(([, line]) => {
    const [given, row] = line.split('|').map(part => part.trim().split(/\s+/));
    const [k, first, second, a, b] = given;
    return {k: Number(k), boxes: [Number(first), Number(second)], texts: [a, b], row};
  });
}

// The report's text at load: the assignment as the design table holds it,
// CR LF as the text area gives it back (LF).
function assignmentText() {
  const header = fs.readFileSync(path.join(sourceDir, 'window/design.h'), 'utf8');
  const literals = header.match(/AssignmentText\s*=([\s\S]*?);/);
  if (!literals) throw new Error('design.h: no AssignmentText');
  const unescape = {r: '\r', n: '\n', '"': '"', '\\': '\\'};
  return [...literals[1].matchAll(/u"((?:[^"\\]|\\.)*)"/g)]
      .map(([, text]) => text.replace(/\\(.)/g, (_, c) => unescape[c]))
      .join('').replaceAll('\r\n', '\n');
}

const columns = ['R', 'H', 'So', 'Sp', 'V'];
const optionName = k => `Вариант ${k + 1}`;
const boxName = i => `${optionName(Math.floor(i / 5))}, ${columns[i % 5]}`;
const rowBoxes = k => [0, 1, 2, 3, 4].map(c => 5 * k + c);
const CALCULATE = 'Изчисли';
const CLEAR = 'Изчисти';
const REPORT = 'Задание и резултат: вписана сфера';
const QUOTATION = 'Цитат';

// The error cases of the Windows test plus a number that cannot be read; each
// calculated and closed one of the ways a user would.
const errorCases = [
  {k: 1, boxes: [5, 7], texts: ['0', '5'], calculate: 'button', close: 'Escape',
   message: 'Деление на нула.\nНе може да се изчисли H.'},
  {k: 8, boxes: [42, 43], texts: ['5', '4'], calculate: 'Enter', close: 'Enter',
   message: 'Корен квадратен от отрицателно число.\nНе може да се изчисли R.'},
  {k: 4, boxes: [22, 24], texts: ['1', '1e308'], calculate: 'button', close: 'click',
   message: 'Препълване: резултатът е извън допустимия обхват.\nНе може да се изчисли R.'},
  {k: 0, boxes: [0, 1], texts: ['1e400', '1'], calculate: 'Enter', close: 'Escape',
   message: 'Препълване: резултатът е извън допустимия обхват.\n' +
            'Въведената стойност на R не може да се представи като число.'},
];

// ---------------------------------------------------------------- checks

let passed = 0;
let failed = 0;
function check(what, expected, actual) {
  const e = JSON.stringify(expected);
  const a = JSON.stringify(actual);
  if (e === a) {
    ++passed;
    console.log(`ok: ${what}`);
  } else {
    ++failed;
    console.log(`FAIL: ${what}: expected ${e}, got ${a}`);
  }
}

async function waitFor(what, condition, ms = 20000) {
  for (const start = Date.now(); Date.now() - start < ms; await sleep(25))
    if (await condition()) return;
  throw new Error(`timed out waiting for ${what}`);
}

// ---------------------------------------------------------------- the scenario

async function scenario(driver, separator) {
  const num = text => text.replaceAll('.', separator);  // as this language writes it

  // Name -> element, once: the controls are never replaced.
  const found = await driver.accessible('input, button, textarea, h1');
  const byName = new Map();
  const duplicates = [];
  for (const control of found) {
    if (!control.name) continue;
    if (byName.has(control.name)) duplicates.push(control.name);
    byName.set(control.name, control);
  }
  const groups = [
    ['the 45 boxes', Array.from({length: 45}, (_, i) => boxName(i)), 'textbox'],
    ['the 9 options', Array.from({length: 9}, (_, k) => optionName(k)), 'radio'],
    ['the 2 buttons', [CALCULATE, CLEAR], 'button'],
    ['the 2 text areas', [REPORT, QUOTATION], 'textbox'],
  ];
  for (const [what, names, role] of groups) {
    const wrong = names.filter(name => byName.get(name)?.role !== role)
                      .map(name => `${name}: ${byName.get(name)?.role ?? 'not found'}`);
    check(`${what} found by name with role ${role}`, [], wrong);
  }
  check('accessible names are unique', [], duplicates);
  const get = name => {
    const control = byName.get(name);
    if (!control) throw new Error(`no control named "${name}"`);
    return control.element;
  };
  const box = i => get(boxName(i));
  const allBoxes = Array.from({length: 45}, (_, i) => i);
  const values = boxes => driver.values(boxes.map(box));
  const writable = async () => {
    const locked = await driver.readOnly(allBoxes.map(box));
    return allBoxes.filter(i => !locked[i]).map(boxName);
  };
  const report = async () => (await driver.values([get(REPORT)]))[0];

  // Load.
  check('load: "Вариант 1" chosen', true, await driver.checked(get(optionName(0))));
  check('load: only the row of "Вариант 1" writable', rowBoxes(0).map(boxName), await writable());
  check('load: all boxes empty', allBoxes.map(() => ''), await values(allBoxes));
  check('load: the focus in "Вариант 1, R"', true, await driver.focused(box(0)));
  check('load: the report is the assignment', assignmentText(), await report());

  // The nine variants; Enter calculates in every other one.
  const rows = variantRows();
  check('nine variant rows read', 9, rows.length);
  for (const [n, r] of rows.entries()) {
    const name = `${optionName(r.k)}: ${r.boxes.map((i, j) => `${columns[i % 5]} = ${num(r.texts[j])}`)
                                      .join(', ')}`;
    await driver.click(get(optionName(r.k)));
    check(`${name}: only its row writable`, rowBoxes(r.k).map(boxName), await writable());
    const locked = box(5 * ((r.k + 1) % 9) + n % 5);
    await driver.click(locked);
    await driver.typeFocused('7');
    check(`${name}: typing into a locked box changes nothing`, [''], await driver.values([locked]));
    for (const [j, i] of r.boxes.entries()) await driver.type(box(i), num(r.texts[j]));
    const how = n % 2 ? 'Enter' : 'button';
    if (how === 'Enter') await driver.press('Enter');
    else await driver.click(get(CALCULATE));
    check(`${name}: the row after ${how}`, r.row.map(num), await values(rowBoxes(r.k)));
  }
  // As the Windows test: the report after the last row.
  const lastReport = await report();
  check('the report after the last row',
        num('Радиус на максималната вписана сфера: 1.5\nПовърхнина на сферата: 28.2743338823082\n'),
        lastReport);

  // Clear: every box empty, the locks and the report kept.
  const lastRow = rows[rows.length - 1].k;
  await driver.click(get(CLEAR));
  check('"Изчисти": all boxes empty', allBoxes.map(() => ''), await values(allBoxes));
  check('"Изчисти": the locks kept', rowBoxes(lastRow).map(boxName), await writable());
  check('"Изчисти": the report kept', lastReport, await report());
  await driver.type(box(5 * lastRow + 2), '7');
  check('"Изчисти": an emptied box holds only what is typed now', ['7'],
        await values([5 * lastRow + 2]));

  // Each kind of error: the dialog, nothing lost, closed, the focus back.
  const [dialog] = await driver.find('#error');
  const [dialogText] = await driver.find('#error-text');
  const [dialogButton] = await driver.find('#error-close');
  for (const e of errorCases) {
    const name = `${optionName(e.k)}: ${e.boxes.map((i, j) => `${columns[i % 5]} = ${num(e.texts[j])}`)
                                      .join(', ')}`;
    await driver.click(get(optionName(e.k)));
    for (const [j, i] of e.boxes.entries()) await driver.type(box(i), num(e.texts[j]));
    const typedRow = rowBoxes(e.k).map(i => (e.boxes.includes(i) ? num(e.texts[e.boxes.indexOf(i)]) : ''));
    const reportBefore = await report();
    const focusBefore = e.calculate === 'Enter' ? box(e.boxes[1]) : get(CALCULATE);
    if (e.calculate === 'Enter') await driver.press('Enter');
    else await driver.click(get(CALCULATE));
    await waitFor('the error dialog', () => driver.displayed(dialog), 5000).catch(() => {});
    check(`${name}: a dialog, role and title`,
          [true, 'alertdialog', 'Грешка при изчисляването'],
          [await driver.displayed(dialog), await driver.role(dialog), await driver.name(dialog)]);
    check(`${name}: the message`, e.message, await driver.text(dialogText));
    check(`${name}: "OK" has the focus`, ['OK', true],
          [await driver.name(dialogButton), await driver.focused(dialogButton)]);
    if (e.close === 'click') await driver.click(dialogButton);
    else await driver.press(e.close);
    check(`${name}: closed by ${e.close}, the focus back`, [false, true],
          [await driver.displayed(dialog), await driver.focused(focusBefore)]);
    check(`${name}: nothing lost`, [typedRow, reportBefore],
          [await values(rowBoxes(e.k)), await report()]);
  }

  check('no error in the console', [], await driver.consoleErrors());
  check('nothing fetched', 0, await driver.script("return performance.getEntriesByType('resource').length"));
}

// The README's sample calculation, the window alone, no focus ring.
async function picture(driver, separator, out) {
  const named = new Map((await driver.accessible('input, button')).map(c => [c.name, c.element]));
  await driver.click(named.get('Вариант 3'));
  await driver.type(named.get('Вариант 3, H'), '3');
  await driver.type(named.get('Вариант 3, Sp'), '94.2477796076937'.replace('.', separator));
  await driver.click(named.get(CALCULATE));
  await driver.script('document.activeElement.blur()');
  const [window] = await driver.find('#window');
  const png = await driver.screenshot(window);
  fs.writeFileSync(out, png);
  check(`${out}: 504 x 419`, [504, 419], [png.readUInt32BE(16), png.readUInt32BE(20)]);
}

// ---------------------------------------------------------------- main

function parseArguments(argv) {
  const options = {engine: 'chromium', lang: 'en-US', server: null, picture: null, page: null};
  for (let i = 0; i < argv.length; ++i) {
    if (argv[i] === '--engine') options.engine = argv[++i];
    else if (argv[i] === '--lang') options.lang = argv[++i];
    else if (argv[i] === '--server') options.server = argv[++i];
    else if (argv[i] === '--picture') options.picture = argv[++i];
    else options.page = argv[i];
  }
  if (!options.page || !engines[options.engine]) {
    console.error('usage: page_test.mjs [--engine chromium] [--lang en-US|bg-BG] ' +
                  '[--server WEBDRIVER] [--picture OUT.png] PAGE.html');
    process.exit(2);
  }
  return options;
}

const options = parseArguments(process.argv.slice(2));
const separator = options.lang.startsWith('bg') ? ',' : '.';
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'cylinder-page-'));
let driver = null;
let closing = null;
const finish = () => {
  closing ??= (async () => {
    try {
      await driver?.close();
    } catch (e) {
      console.log(`FAIL: closing the browser: ${e.message}`);
      ++failed;
    }
    fs.rmSync(profile, {recursive: true, force: true});
  })();
  return closing;
};
for (const signal of ['SIGINT', 'SIGTERM'])
  process.on(signal, () => finish().finally(() => process.exit(1)));

const started = Date.now();
try {
  driver = await engines[options.engine]({lang: options.lang, profile, server: options.server});
  await driver.open(pathToFileURL(path.resolve(options.page)).href);
  await waitFor('data-ready', () => driver.script(
      "return document.documentElement.hasAttribute('data-ready')"));
  if (options.picture) await picture(driver, separator, options.picture);
  else await scenario(driver, separator);
} catch (e) {
  ++failed;
  console.log(`FAIL: ${e.stack || e}`);
} finally {
  await finish();
}
console.log(`${options.engine} ${options.lang}: ${((Date.now() - started) / 1000).toFixed(1)} s`);
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
