#!/usr/bin/node
// SPDX-License-Identifier: GPL-3.0-or-later
// cylinder.html in a real browser, every control found by its accessible name
// as a screen reader finds it: the nine variants, the locks, Enter, each kind
// of error with its dialog, clearing, Tab and the arrow keys, a number fitted
// to its box; no console error, nothing fetched from elsewhere.
//   page_test.mjs [--engine chromium|firefox|webkit] [--phone [WxH]] [--lang en-US|bg-BG]
//                 [--server WEBDRIVER] PAGE.html
//                   --phone: a touch screen, 390x844 unless given; narrower than
//                   the window a phone held upright, else a tablet
//   page_test.mjs --offline [--lang en-US] SITE_DIR
//                   the site served as static hosts do, then a release of it, then
//                   used with no network and no server
//   page_test.mjs --picture OUT.png [--phone [WxH]|--whole] [--lang en-US] PAGE.html
//                   only the README's sample calculation, saved as a picture:
//                   the window, a touch screen, or the whole page (800 wide)
// The scenario talks to a small driver object; an engine is a way to make one.
// --phone and --offline use Chromium's DevTools (device emulation, network).
import {spawn} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const sourceDir = path.resolve(here, '../../..');

// ---------------------------------------------------------------- WebDriver classic

const ELEMENT = 'element-6066-11e4-a52e-4f735466cecf';
const KEYS = {Enter: '\uE007', Escape: '\uE00C', Tab: '\uE004', Shift: '\uE008', ArrowDown: '\uE015'};

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

// Starts a program and returns a function that stops it (TERM, then KILL).
function run(program, args, options) {
  const child = spawn(program, args, options);
  let exited = false;
  const exit = new Promise(resolve => child.on('exit', () => { exited = true; resolve(); }));
  child.on('error', () => { exited = true; });
  const stop = async () => {
    if (!exited) child.kill('SIGTERM');
    await Promise.race([exit, sleep(5000)]);
    if (!exited) child.kill('SIGKILL');
  };
  return {child, stop, exited: () => exited};
}

// Starts a WebDriver server, opens a session with these capabilities and
// returns the driver object; close() ends the session and the server.
async function classicDriver({server, serverArgs, env, capabilities, watch, consoleErrors}) {
  const port = await freePort();
  const {child, stop: stopServer, exited} =
      run(server, serverArgs(port), {stdio: ['ignore', 'pipe', 'pipe'], env: {...process.env, ...env}});
  let log = '';
  child.stdout.on('data', d => { log += d; });
  child.stderr.on('data', d => { log += d; });
  child.on('error', e => { log += String(e); });
  const base = `http://127.0.0.1:${port}`;
  let session = null;
  try {
    for (let waited = 0; ; waited += 50) {
      if (exited() || waited > 20000) throw new Error(`${server} did not start:\n${log}`);
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
  const keys = actions => cmd('POST', '/actions', {actions: [{type: 'key', id: 'keyboard', actions}]});
  const script = (body, ...args) => cmd('POST', '/execute/sync', {script: body, args});
  const find = selector => cmd('POST', '/elements', {using: 'css selector', value: selector});
  return {
    open: url => cmd('POST', '/url', {url}),
    loaded: () => (watch ? script(watch) : null),
    script,
    find,
    // The elements under `scope` a screen reader is told one of these names
    // of, with their roles: name -> [{element, role}].
    named: async (names, scope) => {
      const found = new Map(names.map(name => [name, []]));
      await Promise.all((await find(scope)).map(async element => {
        const matches = found.get(await cmd('GET', on(element, '/computedlabel')));
        matches?.push({element, role: await cmd('GET', on(element, '/computedrole'))});
      }));
      return found;
    },
    click: e => cmd('POST', on(e, '/click'), {}),
    type: (e, text) => cmd('POST', on(e, '/value'), {text}),
    // Keys to whatever has the focus, as a user presses them ("Shift+Tab").
    press: chord => {
      const held = chord.split('+').map(key => KEYS[key]);
      return keys([...held.map(value => ({type: 'keyDown', value})),
                   ...held.reverse().map(value => ({type: 'keyUp', value}))]);
    },
    typeFocused: text => keys([...text].flatMap(value => [{type: 'keyDown', value}, {type: 'keyUp', value}])),
    checked: e => cmd('GET', on(e, '/property/checked')),
    text: e => cmd('GET', on(e, '/text')),
    displayed: e => cmd('GET', on(e, '/displayed')),
    focused: e => script('return arguments[0] === document.activeElement', e),
    // The element, or without one the viewport.
    screenshot: async e => Buffer.from(await cmd('GET', e ? on(e, '/screenshot') : '/screenshot'), 'base64'),
    cdp: (name, params) => request(base, 'POST', `/session/${session}/goog/cdp/execute`, {cmd: name, params}),
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

// ---------------------------------------------------------------- WebDriver BiDi

// Firefox through puppeteer-core (npm, tests/runtime/web/package.json).
async function firefoxDriver({lang, profile}) {
  const {default: puppeteer} = await import('puppeteer-core');
  const browser = await puppeteer.launch({
    browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true, userDataDir: profile,
    extraPrefsFirefox: {'intl.accept_languages': lang},
  });
  // A tab of our own: the one open at start never has the focus, so no focus
  // event fires there and Enter on a focused button presses nothing.
  const page = await browser.newPage();
  const errors = [];
  page.on('console', message => { if (message.type() === 'error') errors.push(message.text()); });
  page.on('pageerror', error => errors.push(String(error)));
  const aria = query => page.$$(`::-p-aria(${query})`);
  const roles = ['textbox', 'radio', 'button', 'alertdialog'];
  return {
    open: url => page.goto(url),
    loaded: () => null,
    script: (body, ...args) => page.evaluate(new Function(body), ...args),
    find: selector => page.$$(selector),
    // The browser's own accessibility tree (BiDi locateNodes), a query a name
    // (about 160 ms each); the roles from one query per role.
    named: async (names, scope) => {
      const found = await Promise.all(names.map(name => aria(`[name=${JSON.stringify(name)}]`)));
      const ofRole = await Promise.all(roles.map(role => aria(`[role="${role}"]`)));
      const roleIndex = await page.evaluate((scope, count, sizes, ...elements) => {
        let at = count;
        const groups = sizes.map(size => elements.slice(at, at += size));
        return elements.slice(0, count)
            .map(e => (e.matches(scope) ? groups.findIndex(group => group.includes(e)) : null));
      }, scope, found.flat().length, ofRole.map(group => group.length), ...found.flat(), ...ofRole.flat());
      const role = () => { const r = roleIndex.shift(); return r === null ? r : roles[r] ?? 'another role'; };
      return new Map(names.map((name, i) => [name, found[i].map(element => ({element, role: role()}))
                                                       .filter(match => match.role !== null)]));
    },
    click: e => e.click(),
    type: (e, text) => e.type(text),
    press: async chord => {
      const held = chord.split('+');
      const key = held.pop();
      for (const k of held) await page.keyboard.down(k);
      await page.keyboard.press(key);
      for (const k of held.reverse()) await page.keyboard.up(k);
    },
    typeFocused: text => page.keyboard.type(text),
    checked: e => e.evaluate(e => e.checked),
    text: e => e.evaluate(e => e.innerText),
    displayed: e => e.isVisible(),
    focused: e => e.evaluate(e => e === document.activeElement),
    consoleErrors: async () => errors,
    close: () => browser.close(),
  };
}

// ---------------------------------------------------------------- engines

const engines = {
  chromium: ({lang, profile, server, phone}) => classicDriver({
    server: server ?? '/usr/bin/chromedriver',
    serverArgs: port => [`--port=${port}`],
    capabilities: {
      'goog:chromeOptions': {
        binary: '/usr/bin/chromium',
        args: ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync',
               `--user-data-dir=${profile}`, `--accept-lang=${lang}`, '--window-size=800,600'],
        prefs: {'intl.accept_languages': lang},
        // A touch screen (DevTools device emulation).
        ...(phone && {mobileEmulation: {deviceMetrics: {width: phone.width, height: phone.height, touch: true,
                                                        pixelRatio: phone.pixelRatio}}}),
      },
      'goog:loggingPrefs': {browser: 'ALL'},
    },
    consoleErrors: async cmd => (await cmd('POST', '/se/log', {type: 'browser'}))
        .filter(entry => entry.level === 'SEVERE').map(entry => entry.message),
  }),
  firefox: firefoxDriver,
  // Safari's engine. MiniBrowser has no headless mode (without a display the
  // session hangs); the page's language follows LANG, and with no en_US
  // locale here English is C, which WebKit reports as "C" (the page: '.').
  webkit: ({lang, server}) => {
    if (!process.env.DISPLAY) throw new Error('WebKit needs an X display (see with-display.sh)');
    return classicDriver({
      server: server ?? '/usr/bin/WebKitWebDriver',
      serverArgs: port => [`--port=${port}`],
      env: {LANG: lang === 'bg-BG' ? 'bg_BG.UTF-8' : 'C.UTF-8'},
      capabilities: {
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': {
          binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'],
        },
      },
      // No log endpoint, and MiniBrowser writes no console messages under
      // automation: listeners from the ready mark on. An error before the mark
      // goes unseen here, but then the mark would not come.
      watch: `window.cylinderErrors = [];
              const seen = text => cylinderErrors.push(String(text));
              addEventListener('error', e => seen(e.message));
              addEventListener('unhandledrejection', e => seen(e.reason));
              addEventListener('securitypolicyviolation', e => seen(e.violatedDirective));
              const error = console.error;
              console.error = (...parts) => { seen(parts.join(' ')); error(...parts); };`,
      consoleErrors: cmd => cmd('POST', '/execute/sync', {script: 'return window.cylinderErrors', args: []}),
    });
  },
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

// The design's tab stops in its tab order, as the page's element ids: the
// text areas, the chosen option, the boxes typed into (the variant rows'
// given ones), the buttons.
function tabStops(rows, chosen) {
  const header = fs.readFileSync(path.join(sourceDir, 'window/design.h'), 'utf8');
  const table = header.match(/TabOrder\{\{([\s\S]*?)\}\};/);
  if (!table) throw new Error('design.h: no TabOrder');
  const given = new Set(rows.flatMap(r => r.boxes.map(i => `Text2_${i}`)));
  return [...table[1].matchAll(/Kind::(\w+), (\d+)\}/g)].map(([, kind, n]) => `${kind}_${n}`)
      .filter(id => /^(Text1|Command1)_/.test(id) || id === `Option1_${chosen}` || given.has(id));
}

const columns = ['R', 'H', 'So', 'Sp', 'V'];
const optionName = k => `Вариант ${k + 1}`;
const boxName = i => `${optionName(Math.floor(i / 5))}, ${columns[i % 5]}`;
const rowBoxes = k => [0, 1, 2, 3, 4].map(c => 5 * k + c);
const allBoxes = Array.from({length: 45}, (_, i) => i);
const CALCULATE = 'Изчисли';
const CLEAR = 'Изчисти';
const REPORT = 'Задание и резултат: вписана сфера';
const QUOTATION = 'Цитат';
const ERROR_TITLE = 'Грешка при изчисляването';

// The error cases of the Windows test plus a number that cannot be read; each
// calculated and closed one of the ways a user would. The solution shows the
// steps up to the error, except when nothing could be read.
const errorCases = [
  {k: 1, boxes: [5, 7], texts: ['0', '5'], calculate: 'button', close: 'Escape', explained: true,
   message: 'Деление на нула.\nНе може да се изчисли H.'},
  {k: 8, boxes: [42, 43], texts: ['5', '4'], calculate: 'Enter', close: 'Enter', explained: true,
   message: 'Корен квадратен от отрицателно число.\nНе може да се изчисли R.'},
  {k: 4, boxes: [22, 24], texts: ['1', '1e308'], calculate: 'button', close: 'click', explained: true,
   message: 'Препълване: резултатът е извън допустимия обхват.\nНе може да се изчисли R.'},
  {k: 0, boxes: [0, 1], texts: ['1e400', '1'], calculate: 'Enter', close: 'Escape', explained: false,
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

// What the first screen of a phone holds with nothing scrolled: the
// controls from the title down to this one, in the column's order.
const firstScreens = {'360x640': 'Command1_0', '390x844': 'Text1_0'};
const columnOrder = ['Label1_0', ...Array.from({length: 9}, (_, k) => `Option1_${k}`),
                     ...rowBoxes(0).map(i => `Text2_${i}`), 'Command1_0', 'Command1_1', 'Text1_0'];
const designedBoxHeight = 27;  // 405 twips

// The whole scenario, or with `short` one variant and one error. A phone held
// upright (narrower than the window) shows only the chosen row's boxes; a
// wider touch screen, the window zoomed to fit.
async function scenario(driver, {separator, phone = false, short = false, print = false}) {
  const num = text => text.replaceAll('.', separator);  // as this language writes it
  const names = list => list.map(boxName);
  const narrow = phone && phone.width < 504;
  const layout = !phone ? 'mouse' : narrow ? 'phone' : 'tablet';
  const shownWith = k => names(narrow ? rowBoxes(k) : allBoxes);

  // The boxes' texts, locks and visibility and the options' states in one
  // round trip, by their design ids; every click and key goes to a control
  // found by its name.
  const boxes = async () => {
    const [state, chosen] = await driver.script(`return [Array.from({length: 45}, (_, i) => {
        const box = document.getElementById('Text2_' + i);
        return [box.value, !box.readOnly, box.getClientRects().length > 0];
      }), Array.from({length: 9}, (_, k) => document.getElementById('Option1_' + k).firstChild.checked)]`);
    return {values: state.map(([value]) => value),
            writable: names(allBoxes.filter(i => state[i][1])),
            shown: names(allBoxes.filter(i => state[i][2])),
            chosen: chosen.flatMap((on, k) => (on ? [optionName(k)] : []))};
  };
  const values = async list => { const {values: all} = await boxes(); return list.map(i => all[i]); };
  const rowState = async k => { const {writable, shown, chosen} = await boxes(); return [writable, shown, chosen]; };
  const expectedRow = k => [names(rowBoxes(k)), shownWith(k), [optionName(k)]];

  // Name -> element, each name looked up once: the controls are never
  // replaced. A box hidden on a phone is looked up when its row shows.
  const controls = new Map();
  const lookUp = async (groups, scope) => {
    const found = await driver.named(groups.flatMap(([, list]) => list), scope);
    for (const [what, list, role] of groups) {
      const wrong = [];
      for (const name of list) {
        const matches = found.get(name);
        if (matches.length === 1 && matches[0].role === role) controls.set(name, matches[0].element);
        else wrong.push(`${name}: ${matches.map(m => m.role).join(', ') || 'not found'}`);
      }
      check(`${what} found by name, once each, role ${role}`, [], wrong);
    }
  };
  const get = name => {
    const control = controls.get(name);
    if (!control) throw new Error(`no control named "${name}"`);
    return control;
  };
  const box = i => get(boxName(i));
  const choose = async k => {
    await driver.click(get(optionName(k)));
    const missing = names(rowBoxes(k)).filter(name => !controls.has(name));
    if (missing.length) await lookUp([[`${optionName(k)}: its boxes`, missing, 'textbox']], `.row-${k} input`);
  };
  const report = async () => driver.script("return document.getElementById('Text1_0').value");

  await lookUp([
    [narrow ? 'the boxes shown' : 'the 45 boxes', shownWith(0), 'textbox'],
    ['the 9 options', Array.from({length: 9}, (_, k) => optionName(k)), 'radio'],
    ['the 2 buttons', [CALCULATE, CLEAR], 'button'],
    ['the 2 text areas', [REPORT, QUOTATION], 'textbox'],
  ], 'input, button, textarea');

  // The solution under the window: shown, its text's numbers (a square's 2
  // counts as a number), what copying it gives (its plain text), the
  // proportions of the sketch's rectangle, "не в мащаб", the page's width.
  const solutionState = () => driver.script(`
      const section = document.getElementById('solution');
      const lines = document.getElementById('solution-lines');
      const walk = document.createTreeWalker(lines, NodeFilter.SHOW_TEXT);
      const texts = [];
      while (walk.nextNode()) texts.push(walk.currentNode.data);
      const copy = new ClipboardEvent('copy', {clipboardData: new DataTransfer(), bubbles: true});
      getSelection().selectAllChildren(lines);
      lines.dispatchEvent(copy);
      getSelection().removeAllRanges();
      const rect = section.querySelector('rect.section')?.getBBox();
      return [section.getClientRects().length > 0, texts.join(' '), copy.clipboardData.getData('text/plain'),
              rect ? rect.height / rect.width : null, section.querySelector('.note')?.textContent ?? null,
              document.documentElement.scrollWidth > innerWidth];`);
  const emptySolution = [false, '', '', null, null, false];
  const numbers = text => text.replaceAll('²', ' 2').match(/\d+(?:[.,]\d+)?(?:E[+−]\d+)?/g) ?? [];
  const checkSolution = async (name, row, ratio) => {
    const [shown, text, copied, drawn, note, wider] = await solutionState();
    const found = numbers(text);
    check(`${name}: the solution shown, the row's numbers in it; copied, its plain text with the ` +
          'same numbers in the same order; the page no wider than the screen',
          [true, row, found, false], [shown, row.filter(value => found.includes(value)), numbers(copied), wider]);
    const limited = Math.min(Math.max(ratio, 1 / 6), 6);
    check(`${name}: the sketch's rectangle drawn H : 2R (${limited.toFixed(3)})` +
          (limited === ratio ? '' : ', at the limit, "не в мащаб"'),
          ['1.000', limited === ratio ? null : 'не в мащаб'], [(drawn / limited).toFixed(3), note]);
  };
  // After the README's sample calculation: no accessibility violation (axe-core),
  // and printed from Chromium, one page.
  const sample = async () => {
    const axe = fs.readFileSync(path.join(here, 'node_modules/axe-core/axe.min.js'), 'utf8');
    check(`${layout}, after the sample: no accessibility violation (axe-core)`, [],
          await driver.script(`${axe};
              return axe.run(document, {resultTypes: ['violations']}).then(result => result.violations
                  .map(v => v.id + ': ' + v.nodes.map(node => node.target.join(' ')).join(', ')));`));
    if (phone) await measure(`${layout}, after the sample`);
    if (print) {
      const {data} = await driver.cdp('Page.printToPDF', {paperWidth: 8.27, paperHeight: 11.69});
      const pdf = Buffer.from(data, 'base64').toString('latin1');
      check('printed after the sample (A4): one page', 1, pdf.match(/\/Type\s*\/Page(?![a-z])/g)?.length);
    }
  };

  // Load.
  check('load: "Вариант 1" chosen', true, await driver.checked(get(optionName(0))));
  check('load: only the row of "Вариант 1" writable; the boxes shown; it alone chosen', expectedRow(0),
        await rowState(0));
  check('load: all boxes empty', allBoxes.map(() => ''), (await boxes()).values);
  check('load: the focus in "Вариант 1, R"', true, await driver.focused(box(0)));
  check('load: the report is the assignment', assignmentText(), await report());

  // No sideways scrolling. A phone's screen: targets a finger can hit, text
  // too large to zoom into. A tablet's: the window zoomed to fill it, all in
  // view, centred. With a mouse: the window at its designed size.
  const measure = async when => {
    const [wider, low, small, heights, win] = await driver.script(`
        const shown = [...document.querySelectorAll('#window :is(.box, .option, button)')]
            .filter(e => e.getClientRects().length > 0);
        const height = e => e.getBoundingClientRect().height;
        const w = document.getElementById('window').getBoundingClientRect();
        return [document.documentElement.scrollWidth - innerWidth,
                shown.filter(e => height(e) < 44).map(e => e.id + ': ' + height(e)),
                shown.filter(e => e.matches('.box') && parseFloat(getComputedStyle(e).fontSize) < 16)
                     .map(e => e.id),
                shown.filter(e => e.matches('.box')).map(height),
                {width: w.width, height: w.height, inView: w.left >= 0 && w.top >= 0 &&
                 w.right <= innerWidth && w.bottom <= innerHeight,
                 margins: [Math.round(w.left), Math.round(innerWidth - w.right)]}];`);
    check(`${when}: no sideways scrolling`, true, wider <= 0);
    if (layout === 'phone') {
      check(`${when}: every box, option and button shown at least 44 pixels high`, [], low);
      check(`${when}: the boxes' text at least 16 pixels`, [], small);
    } else if (layout === 'tablet') {
      const ratio = Math.min(...heights) / designedBoxHeight;
      console.log(`${when}: the boxes ${ratio.toFixed(3)} times their designed height`);
      check(`${when}: the window zoomed, its boxes at least 1.45 times their designed height; ` +
            'all of it in view, centred', [true, true, win.margins[0]],
            [ratio >= 1.45, win.inView, win.margins[1]]);
    } else {
      check(`${when}: the window 504 x 419 as designed, its boxes ${designedBoxHeight} pixels high`,
            [504, 419, [designedBoxHeight]], [win.width, win.height, [...new Set(heights)]]);
    }
  };
  await measure(`${layout}, load`);

  // A phone's first screen, nothing scrolled: from the title down, and the
  // options with their numbers and given columns.
  const size = phone && `${phone.width}x${phone.height}`;
  if (firstScreens[size]) {
    const [bottoms, captions] = await driver.script(`
        return [arguments[0].map(id => {
                  const r = document.getElementById(id).getBoundingClientRect();
                  return [id, r.top >= 0 && r.bottom <= innerHeight, Math.round(r.bottom)];
                }),
                Array.from({length: 9}, (_, k) => document.getElementById('Option1_' + k).innerText)]`,
        columnOrder);
    const upTo = columnOrder.indexOf(firstScreens[size]) + 1;
    const bottom = id => bottoms[columnOrder.indexOf(id)][2];
    console.log(`${size} first screen: "${CALCULATE}" ends at ${bottom('Command1_0')}, ` +
                `the report at ${bottom('Text1_0')}, of ${phone.height} pixels`);
    check(`${size}: the first screen holds ${columnOrder.slice(0, upTo).join(', ')}`, [],
          bottoms.slice(0, upTo).filter(([, inView]) => !inView).map(([id]) => id));
    const given = r => r.boxes.toSorted((a, b) => a - b).map(i => columns[i % 5]).join(', ');
    check(`${size}: each option shows its number and given columns`,
          variantRows().map(r => `${r.k + 1} · ${given(r)}`), captions);
  }

  if (!narrow && !short) {
    // A number too wide for its box shows rounded while the box has no focus.
    await driver.type(box(0), '1e8');
    await driver.type(box(1), '1e8');
    await driver.press('Enter');
    const fit = () => driver.script(`const box = arguments[0];
        return [box.value, box.classList.contains('fitted'), document.getElementById(box.id + '_fit').textContent]`,
        box(4));
    const [value, fitted, shownText] = await fit();
    const digits = /^3(?:[.,](\d{1,13}))?E\+24$/.exec(shownText)?.[1]?.length ?? 0;
    check('"Вариант 1": R = H = 1e8: V whole, shown rounded to fit',
          [num('3.14159265358979E+24'), true, num(`${(3.14159265358979).toFixed(digits)}E+24`)],
          [value, fitted, shownText]);
    await driver.click(box(4));
    check('"Вариант 1": V with the focus shows all of it', [value, false], (await fit()).slice(0, 2));

    // Tab from "Вариант 1, R" follows the design's order, past the computed
    // boxes and the options not chosen; Shift+Tab goes back to the option.
    const stops = tabStops(variantRows(), 0);
    const order = [...stops.slice(stops.indexOf('Text2_0')), ...stops.slice(0, stops.indexOf('Text2_0'))];
    const focus = () => driver.script('const e = document.activeElement; return e.id || e.parentElement.id');
    const landed = [];
    await driver.click(box(0));
    for (let n = 0; n < 8; ++n) {
      await driver.press('Tab');
      landed.push(await focus());
    }
    await driver.click(box(0));
    await driver.press('Shift+Tab');
    landed.push(await focus());
    check('Tab from "Вариант 1, R" eight times, then Shift+Tab from it',
          [...order.slice(1, 9), order.at(-1)], landed);
    // The arrow keys choose among the options, as a click does.
    await driver.press('ArrowDown');
    const after = await boxes();
    check('ArrowDown on "Вариант 1": "Вариант 2" chosen, the boxes empty, its row writable',
          [true, allBoxes.map(() => ''), names(rowBoxes(1))],
          [await driver.checked(get(optionName(1))), after.values, after.writable]);
  }

  // The nine variants; Enter calculates in every other one.
  const rows = variantRows();
  check('nine variant rows read', 9, rows.length);
  for (const [n, r] of rows.slice(0, short ? 1 : 9).entries()) {
    const name = `${optionName(r.k)}: ${r.boxes.map((i, j) => `${columns[i % 5]} = ${num(r.texts[j])}`)
                                      .join(', ')}`;
    await choose(r.k);
    check(`${name}: only its row writable; the boxes shown; it alone chosen`, expectedRow(r.k),
          await rowState(r.k));
    check(`${name}: choosing the option emptied the solution`, emptySolution, await solutionState());
    if (!narrow) {  // a phone upright shows no locked box
      const locked = box(5 * ((r.k + 1) % 9) + n % 5);
      await driver.click(locked);
      await driver.typeFocused('7');
      check(`${name}: typing into a locked box changes nothing`, '',
            await driver.script('return arguments[0].value', locked));
    }
    for (const [j, i] of r.boxes.entries()) await driver.type(box(i), num(r.texts[j]));
    const how = n % 2 ? 'Enter' : 'button';
    // On a phone, from the top of the page: the report brought into view,
    // smoothly after the button, at once after Enter with reduced motion.
    const reveal = narrow && n < 2;
    if (reveal) {
      await driver.script('scrollTo(0, 0)');
      if (how === 'Enter') {
        await driver.cdp('Emulation.setEmulatedMedia',
                         {features: [{name: 'prefers-reduced-motion', value: 'reduce'}]});
      }
    }
    if (how === 'Enter') await driver.press('Enter');
    else await driver.click(get(CALCULATE));
    check(`${name}: the row after ${how}`, r.row.map(num), await values(rowBoxes(r.k)));
    if (reveal) {
      const inView = () => driver.script(`const r = document.getElementById('Text1_0').getBoundingClientRect();
          return r.top >= 0 && r.bottom <= innerHeight`);
      if (how === 'button') await waitFor('the report in view', inView, 3000).catch(() => {});
      check(`${name}: the report in view after ${how}, the focus kept`, [true, true],
            [await inView(), await driver.focused(how === 'Enter' ? box(r.boxes[1]) : get(CALCULATE))]);
    }
    await checkSolution(name, r.row.map(num), Number(r.row[1]) / (2 * Number(r.row[0])));
    if (r.k === 2) await sample();
  }

  if (!short) {
    await measure(`${layout}, after the nine variants`);
    // As the Windows test: the report after the last row.
    const lastReport = await report();
    check('the report after the last row',
          num('Радиус на максималната вписана сфера: 1.5\nПовърхнина на сферата: 28.2743338823082\n'),
          lastReport);

    const lastRow = rows[rows.length - 1].k;
    if (phone) {
      // Turned sideways and back: a phone's screen is then wide enough for the
      // designed window; the same controls, so every text, lock and the choice stay.
      const state = async () => {
        const {values, writable, shown} = await boxes();
        return [values, writable, await driver.checked(get(optionName(lastRow))), shown];
      };
      const [values, writable, chosen] = await state();
      for (const [width, height] of [[phone.height, phone.width], [phone.width, phone.height]]) {
        const wide = width >= 504;
        await driver.cdp('Emulation.setDeviceMetricsOverride',
                         {width, height, deviceScaleFactor: phone.pixelRatio, mobile: true});
        check(`turned to ${width} x ${height}: ${wide ? 'the designed window, all boxes' : 'the column, one row'} ` +
              'shown; texts, locks and the choice kept',
              [values, writable, chosen, names(wide ? allBoxes : rowBoxes(lastRow))], await state());
        if (!narrow) await measure(`turned to ${width} x ${height}`);  // a tablet: zoomed to fit again
      }
    }

    // Clear: every box empty, the locks and the report kept.
    await driver.click(get(CLEAR));
    check('"Изчисти": all boxes empty', allBoxes.map(() => ''), (await boxes()).values);
    check('"Изчисти": the locks and the choice kept', expectedRow(lastRow), await rowState(lastRow));
    check('"Изчисти": the report kept', lastReport, await report());
    check('"Изчисти": the solution emptied', emptySolution, await solutionState());
    await driver.type(box(5 * lastRow + 2), '7');
    check('"Изчисти": an emptied box holds only what is typed now', ['7'], await values([5 * lastRow + 2]));
  }

  // Each kind of error: the dialog, nothing lost, closed, the focus back.
  const [dialog] = await driver.find('#error');
  const [dialogText] = await driver.find('#error-text');
  for (const e of errorCases.slice(0, short ? 1 : errorCases.length)) {
    const name = `${optionName(e.k)}: ${e.boxes.map((i, j) => `${columns[i % 5]} = ${num(e.texts[j])}`)
                                      .join(', ')}`;
    await choose(e.k);
    for (const [j, i] of e.boxes.entries()) await driver.type(box(i), num(e.texts[j]));
    const typedRow = rowBoxes(e.k).map(i => (e.boxes.includes(i) ? num(e.texts[e.boxes.indexOf(i)]) : ''));
    const reportBefore = await report();
    const focusBefore = e.calculate === 'Enter' ? box(e.boxes[1]) : get(CALCULATE);
    if (e.calculate === 'Enter') await driver.press('Enter');
    else await driver.click(get(CALCULATE));
    await waitFor('the error dialog', () => driver.displayed(dialog), 5000).catch(() => {});
    const found = await driver.named([ERROR_TITLE, 'OK'], '#error, #error-close');
    const [title] = found.get(ERROR_TITLE);
    const [button] = found.get('OK');
    check(`${name}: a dialog "${ERROR_TITLE}", "OK" with the focus`, ['alertdialog', 'button', true],
          [title?.role, button?.role, button ? await driver.focused(button.element) : null]);
    check(`${name}: the message`, e.message, await driver.text(dialogText));
    if (e.close === 'click') await driver.click(button.element);
    else await driver.press(e.close);
    check(`${name}: closed by ${e.close}, the focus back`, [false, true],
          [await driver.displayed(dialog), await driver.focused(focusBefore)]);
    check(`${name}: nothing lost`, [typedRow, reportBefore], [await values(rowBoxes(e.k)), await report()]);
    const [shown, , , drawn] = await solutionState();
    check(`${name}: the solution ${e.explained ? 'up to the error' : 'empty'}, no sketch`, [e.explained, null],
          [shown, drawn]);
  }

  check('no error in the console', [], await driver.consoleErrors());
  check('nothing fetched from elsewhere', [], await driver.script(
      "return performance.getEntriesByType('resource').map(e => e.name)" +
      ".filter(name => !name.startsWith(location.origin + '/'))"));
}

// The site as many static hosts serve it: cached by the browser for ten minutes.
async function serve(site) {
  const types = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
                 '.webmanifest': 'application/manifest+json', '.png': 'image/png'};
  const server = http.createServer((request, response) => {
    const file = path.join(site, new URL(request.url, 'http://host').pathname.replace(/\/$/, '/index.html'));
    fs.readFile(file, (error, data) => {
      response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(file)] ?? 'text/plain',
                                             'Cache-Control': 'max-age=600'});
      response.end(error ? '' : data);
    });
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  return {url: `http://127.0.0.1:${server.address().port}/`,
          stop: () => { server.closeAllConnections(); server.close(); }};
}

// The site served, kept by its worker; then a release (a changed page, the
// worker's cache renamed with it) reaches the pupil within a few visits; then
// opened with neither network nor server: the window still works. Chromium's
// DevTools take it offline.
async function offline(driver, load, site, separator) {
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'cylinder-site-'));
  fs.cpSync(site, copy, {recursive: true});
  const server = await serve(copy);
  const {url} = server;
  const released = "return document.querySelector('meta[name=release]') !== null";
  try {
    await load(url);
    const controlled = () => driver.script('return navigator.serviceWorker.controller !== null');
    await driver.script('return navigator.serviceWorker.ready.then(() => true)');
    if (!(await controlled())) await load(url);
    check('served: the worker keeps the page', true, await controlled());
    check('served: installable', [],
          (await driver.cdp('Page.getInstallabilityErrors', {})).installabilityErrors.map(e => e.errorId));

    const edit = (file, from, to) => {
      const text = fs.readFileSync(path.join(copy, file), 'utf8');
      if (!from.test(text)) throw new Error(`${file}: no ${from}`);
      fs.writeFileSync(path.join(copy, file), text.replace(from, to));
    };
    edit('index.html', /<\/head>/, '<meta name="release" content="next">\n</head>');
    edit('sw.js', /'cylinder-[^']*'/, "'cylinder-next'");
    const installed = () => driver.script(`return navigator.serviceWorker.getRegistration().then(r =>
        caches.keys().then(names => names.includes('cylinder-next') && !r.installing && !r.waiting))`);
    let visits = 0;
    while (visits < 4 && !(visits && await driver.script(released))) {
      await load(url);
      ++visits;
      await waitFor("the release's worker", installed, 10000).catch(() => {});
    }
    console.log(`the release ${await driver.script(released) ? 'showed at' : 'not shown by'} visit ${visits}`);
    check('a release, the site cached for 10 minutes: the new page within 3 visits', [true, true],
          [await driver.script(released), visits <= 3]);
  } finally {
    server.stop();
  }
  await driver.cdp('Network.emulateNetworkConditions',
                   {offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1});
  await load(url);
  check('offline: no network, no server, the new page from its worker', [false, true, true],
        await driver.script(`return [navigator.onLine, navigator.serviceWorker.controller !== null,
                                     document.querySelector('meta[name=release]') !== null]`));
  fs.rmSync(copy, {recursive: true, force: true});
  await scenario(driver, {separator, short: true});
}

// The README's sample calculation, no focus ring: the window alone, a
// phone's screen, or the whole page with the solution.
async function picture(driver, {separator, phone, whole}, out) {
  const named = async list => new Map([...await driver.named(list, 'input, button')]
      .map(([name, [found]]) => [name, found?.element]));
  const first = await named(['Вариант 3', CALCULATE]);
  await driver.click(first.get('Вариант 3'));
  const row = await named(['Вариант 3, H', 'Вариант 3, Sp']);
  await driver.type(row.get('Вариант 3, H'), '3');
  await driver.type(row.get('Вариант 3, Sp'), '94.2477796076937'.replace('.', separator));
  await driver.click(first.get(CALCULATE));
  await driver.script('document.activeElement.blur()');
  let size = phone ? [phone.width, phone.height] : [504, 419];
  let png;
  if (whole) {
    await driver.script('return document.fonts.ready.then(() => true)');
    size = await driver.script('return [innerWidth, document.documentElement.scrollHeight]');
    png = Buffer.from((await driver.cdp('Page.captureScreenshot', {
      captureBeyondViewport: true, clip: {x: 0, y: 0, width: size[0], height: size[1], scale: 1}})).data, 'base64');
  } else {
    png = await driver.screenshot(phone ? null : (await driver.find('#window'))[0]);
  }
  fs.writeFileSync(out, png);
  check(`${out}: ${size.join(' x ')}`, size, [png.readUInt32BE(16), png.readUInt32BE(20)]);
}

// ---------------------------------------------------------------- main

function parseArguments(argv) {
  const options = {engine: 'chromium', lang: 'en-US', server: null, picture: null, phone: false,
                   whole: false, offline: false, page: null};
  for (let i = 0; i < argv.length; ++i) {
    if (argv[i] === '--engine') options.engine = argv[++i];
    else if (argv[i] === '--lang') options.lang = argv[++i];
    else if (argv[i] === '--server') options.server = argv[++i];
    else if (argv[i] === '--picture') options.picture = argv[++i];
    else if (argv[i] === '--phone') options.phone = /^\d+x\d+$/.test(argv[i + 1]) ? argv[++i] : '390x844';
    else if (argv[i] === '--whole') options.whole = true;
    else if (argv[i] === '--offline') options.offline = true;
    else options.page = argv[i];
  }
  const devtools = options.phone || options.offline;
  if (!options.page || !engines[options.engine] || (devtools && options.engine !== 'chromium') ||
      (options.picture && options.engine !== 'chromium')) {
    console.error('usage: page_test.mjs [--engine chromium|firefox|webkit] [--phone [WxH]] [--offline] ' +
                  '[--lang en-US|bg-BG] [--server WEBDRIVER] [--picture OUT.png [--whole]] PAGE.html|SITE_DIR\n' +
                  '--phone, --offline and --picture: Chromium only');
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
const what = [options.engine, options.phone && `phone ${options.phone}`, options.offline && 'offline', options.lang]
    .filter(Boolean).join(' ');
try {
  // A picture at one pixel per CSS pixel; a test at a phone's three, a tablet's two.
  const [width, height] = (options.phone || '0x0').split('x').map(Number);
  const phone = options.phone && {width, height, pixelRatio: options.picture ? 1 : width < 504 ? 3 : 2};
  driver = await engines[options.engine]({lang: options.lang, profile, server: options.server, phone});
  const load = async url => {
    await driver.open(url);
    await waitFor('data-ready', () => driver.script(
        "return document.documentElement.hasAttribute('data-ready')"));
    await driver.loaded();
  };
  if (options.offline) {
    await offline(driver, load, path.resolve(options.page), separator);
  } else {
    await load(pathToFileURL(path.resolve(options.page)).href);
    if (options.picture) await picture(driver, {separator, phone, whole: options.whole}, options.picture);
    else await scenario(driver, {separator, phone, print: options.engine === 'chromium' && !phone});
  }
} catch (e) {
  ++failed;
  console.log(`FAIL: ${e.stack || e}`);
} finally {
  await finish();
}
console.log(`${what}: ${((Date.now() - started) / 1000).toFixed(1)} s`);
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
