// SPDX-License-Identifier: GPL-3.0-or-later
// The page test's checks and the data it expects: the window as the page
// generator describes it (design.json), the nine variant rows the desktop
// tests share (tests/data/variants.txt) and the Tab chains written by hand
// (tests/data/focus-chains.txt).
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

const dataDir = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../data');

export const counts = {passed: 0, failed: 0};

export function check(what, expected, actual) {
  const e = JSON.stringify(expected);
  const a = JSON.stringify(actual);
  if (e === a) {
    ++counts.passed;
    console.log(`ok: ${what}`);
  } else {
    ++counts.failed;
    console.log(`FAIL: ${what}: expected ${e}, got ${a}`);
  }
}

export const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

export async function waitFor(what, condition, ms = 20000) {
  for (const start = Date.now(); Date.now() - start < ms; await sleep(25))
    if (await condition()) return;
  throw new Error(`timed out waiting for ${what}`);
}

// The design file beside the page the build made (app/cylinder.html or the
// site folder, both next to runtime/web): the window's size, and each
// control's id by its name, design.ids.get('Text2(11)'), or array and index.
export function readDesign(page) {
  const folder = fs.statSync(page).isDirectory() ? page : path.dirname(page);
  const design = JSON.parse(fs.readFileSync(path.resolve(folder, '../runtime/web/design.json'), 'utf8'));
  design.ids = new Map(design.controls.map(c => [`${c.kind}(${c.index})`, c.id]));
  design.id = (kind, index) => design.ids.get(`${kind}(${index})`);
  design.control = (kind, index) => design.controls.find(c => c.kind === kind && c.index === index);
  return design;
}

const lines = file => fs.readFileSync(path.join(dataDir, file), 'utf8').split('\n')
    .filter(line => line.trim() && !line.startsWith('#'));

// variant, its two given boxes and the texts typed | the row's five texts |
// the report's sphere radius and surface.
export function variantRows() {
  return lines('variants.txt').map(line => {
    const [given, row, sphere] = line.split('|').map(part => part.trim().split(/\s+/));
    const [k, first, second, a, b] = given;
    return {k: Number(k), boxes: [Number(first), Number(second)], texts: [a, b], row, sphere};
  });
}

// The controls Tab visits in turn while an option is chosen, as "Text2(11)".
export function focusChain(chosen) {
  const line = lines('focus-chains.txt').map(l => l.trim().split(/\s+/)).find(([k]) => Number(k) === chosen);
  if (!line) throw new Error(`focus-chains.txt: no chain for option ${chosen}`);
  return line.slice(1);
}

// What a screen reader announces for each control, as a user hears it.
export const columns = ['R', 'H', 'So', 'Sp', 'V'];
export const optionName = k => `Вариант ${k + 1}`;
export const boxName = i => `${optionName(Math.floor(i / 5))}, ${columns[i % 5]}`;
export const rowBoxes = k => [0, 1, 2, 3, 4].map(c => 5 * k + c);
export const CALCULATE = 'Изчисли';
export const CLEAR = 'Изчисти';
export const REPORT = 'Задание и резултат: вписана сфера';
export const QUOTATION = 'Цитат';
export const ERROR_TITLE = 'Грешка при изчисляването';
export const ROUNDING = 'Закръгляне на отговора';  // the select above the solution
export const TASK = 'Задача';  // the task field under the window, and its button
export const SOLVE = 'Реши';
export const SIGN_KEYS = ['Пи', 'Корен квадратен', 'Дробна черта'];  // π, √, / on a touch screen
