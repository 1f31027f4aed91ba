// SPDX-License-Identifier: GPL-3.0-or-later
// The page test's scenario, the same in every engine and layout: the nine
// variants, the locks, Enter, each kind of error with its dialog, clearing,
// Tab and the arrow keys, a number fitted to its box, the solution, tasks
// typed into the task field; every click and key to a control found by its
// accessible name, the page's state read by the design's ids.
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

import {
  boxName, CALCULATE, check, CLEAR, columns, ERROR_TITLE, focusChain, optionName, QUOTATION, REPORT, ROUNDING,
  rowBoxes, SOLVE, TASK, variantRows, waitFor,
} from './checks.mjs';
import {firstScreen, measure, signKeys} from './phone.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));

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

// A task with mixed units, worked out by hand, its answer rounded to a place
// chosen after calculating: the givens in the smaller unit.
const unitRow = {k: 0, boxes: [0, 1], texts: ['3 dm', '0.2 m'], place: 'до стотните (0.01)', shown: ['3', '2'],
                 answer: 'R = 3 dm, H = 2 dm, So = 12π ≈ 37.70 dm², Sp = 30π ≈ 94.25 dm², V = 18π ≈ 56.55 dm³, ' +
                         'r = 1 dm, s = 4π ≈ 12.57 dm², ρ = √10 ≈ 3.16 dm, S = 40π ≈ 125.66 dm²'};

// Tasks as a book prints them and a pupil writes them, typed into the task field (Shift+Enter between
// lines), solved by Enter or the button. Worked out by hand: d = 10 gives R = 5,
// H = 10 + 15 = 25, S₁ = 2π·5·(5 + 25) = 300π; r = 6, l = 8: S = 2 · 3.14 · 6 · 8.
// The row of "Вариант 1" in doubles, π = 3.14159265358979, as the formulas run
// (2π·R)·H, (2π·R)·(R + H), ((π·R)·R)·H, printed with "%.15G".
const taskRows = [
  {lines: ['Диаметърът на основата на цилиндър е 10 cm, а височината му е с 15 cm по-голяма от диаметъра. ' +
           'Намерете лицето на повърхнината на цилиндъра.'], solve: 'Enter', answer: 'S₁ = 300π ≈ 942.48 cm²',
   row: ['5', '25', '785.398163397447', '942.477796076937', '1963.49540849362']},
  {lines: ['r = 6 cm, l = 8 cm,', 'π ≈ 3,14, S = ?'], solve: 'button', answer: 'S = 301.44 cm²',
   row: ['6', '8', '301.59289474462', '527.787565803085', '904.77868423386']},
];

// The whole scenario, or with `short` one variant and one error. With `brief`
// (a touch screen whose calculations another size has run in full) the
// layout's own checks all, three variants (a calculation by the button and by
// Enter, the sample), the other six options chosen and their rows looked up,
// one error. A phone held upright (narrower than the window) shows only the
// chosen row's boxes; a wider touch screen, the window zoomed to fit.
export async function scenario(driver, {design, separator, phone = false, short = false, brief = false,
                                        print = false}) {
  const num = text => text.replaceAll('.', separator);  // as this language writes it
  const names = list => list.map(boxName);
  const narrow = phone && phone.width < design.width;
  const layout = !phone ? 'mouse' : narrow ? 'phone' : 'tablet';
  const ofArray = kind => design.controls.filter(c => c.kind === kind).map(c => c.index);
  const allBoxes = ofArray('Text2');
  const shownWith = k => names(narrow ? rowBoxes(k) : allBoxes);
  const reportId = design.id('Text1', 0);

  // The boxes' texts, locks and visibility and the options' states in one
  // round trip, by their design ids; every click and key goes to a control
  // found by its name.
  const boxes = async () => {
    const [state, chosen] = await driver.script(`return [arguments[0].map(id => {
        const box = document.getElementById(id);
        return [box.value, !box.readOnly, box.getClientRects().length > 0];
      }), arguments[1].map(id => document.getElementById(id).firstChild.checked)]`,
        allBoxes.map(i => design.id('Text2', i)), ofArray('Option1').map(k => design.id('Option1', k)));
    return {values: state.map(([value]) => value),
            writable: names(allBoxes.filter(i => state[i][1])),
            shown: names(allBoxes.filter(i => state[i][2])),
            chosen: chosen.flatMap((on, k) => (on ? [optionName(k)] : []))};
  };
  const values = async list => { const {values: all} = await boxes(); return list.map(i => all[i]); };
  const rowState = async k => { const {writable, shown, chosen} = await boxes(); return [writable, shown, chosen]; };
  const expectedRow = k => [names(rowBoxes(k)), shownWith(k), [optionName(k)]];

  // Name -> element, each name looked up once: the controls are never
  // replaced. A box hidden on a phone is looked up when its row shows. A
  // role may be one of several, as engines name a select's differently.
  const controls = new Map();
  const lookUp = async (groups, scope) => {
    const found = await driver.named(groups.flatMap(([, list]) => list), scope);
    for (const [what, list, role] of groups) {
      const wrong = [];
      for (const name of list) {
        const matches = found.get(name);
        if (matches.length === 1 && role.split(' or ').includes(matches[0].role)) controls.set(name, matches[0].element);
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
  const report = async () => driver.script('return document.getElementById(arguments[0]).value', reportId);
  const sphereReport = r => num(`Радиус на максималната вписана сфера: ${r.sphere[0]}\n` +
                                `Повърхнина на сферата: ${r.sphere[1]}\n`);

  const options = ofArray('Option1').map(optionName);
  await lookUp([
    [narrow ? 'the boxes shown' : `the ${allBoxes.length} boxes`, shownWith(0), 'textbox'],
    [`the ${options.length} options`, options, 'radio'],
    ['the 2 buttons', [CALCULATE, CLEAR], 'button'],
    ['the 2 text areas', [REPORT, QUOTATION], 'textbox'],
  ], '#window :is(input, button, textarea)');  // WebKit's driver names no hidden key under the task field

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
  const measured = when => measure(driver, {design, layout, when});
  // After the README's sample calculation: no accessibility violation (axe-core),
  // and printed from Chromium, one page.
  const sample = async () => {
    const axe = fs.readFileSync(path.join(here, 'node_modules/axe-core/axe.min.js'), 'utf8');
    check(`${layout}, after the sample: no accessibility violation (axe-core)`, [],
          await driver.script(`${axe};
              return axe.run(document, {resultTypes: ['violations']}).then(result => result.violations
                  .map(v => v.id + ': ' + v.nodes.map(node => node.target.join(' ')).join(', ')));`));
    if (phone) await measured(`${layout}, after the sample`);
    if (print) {
      const {data} = await driver.cdp('Page.printToPDF', {paperWidth: 8.27, paperHeight: 11.69});
      const pdf = Buffer.from(data, 'base64').toString('latin1');
      check('printed after the sample (A4): one page', 1, pdf.match(/\/Type\s*\/Page(?![a-z])/g)?.length);
    }
  };

  // Load.
  check('load: only the row of "Вариант 1" writable; the boxes shown; it alone chosen', expectedRow(0),
        await rowState(0));
  check('load: all boxes empty', allBoxes.map(() => ''), (await boxes()).values);
  check('load: the focus in "Вариант 1, R"', true, await driver.focused(box(0)));
  check('load: the report is the assignment', design.control('Text1', 0).text.replaceAll('\r\n', '\n'),
        await report());
  await measured(`${layout}, load`);
  if (phone) await firstScreen(driver, design, phone);

  if (!narrow && !short && !brief) {
    // A number too wide for its box shows rounded while the box has no focus.
    await driver.type(box(0), '1e8');
    await driver.type(box(1), '1e8');
    await driver.press('Enter');
    const fit = () => driver.script(`const box = arguments[0];
        return [box.value, box.classList.contains('fitted'), box.nextElementSibling.textContent]`, box(4));
    const [value, fitted, shownText] = await fit();
    const digits = /^3(?:[.,](\d{1,13}))?E\+24$/.exec(shownText)?.[1]?.length ?? 0;
    check('"Вариант 1": R = H = 1e8: V whole, shown rounded to fit',
          [num('3.14159265358979E+24'), true, num(`${(3.14159265358979).toFixed(digits)}E+24`)],
          [value, fitted, shownText]);
    await driver.click(box(4));
    check('"Вариант 1": V with the focus shows all of it', [value, false], (await fit()).slice(0, 2));

    // Tab from "Вариант 1, R" follows the chain written from the window's
    // tab order; Shift+Tab goes back to the option.
    const stops = focusChain(0).map(name => design.ids.get(name));
    const from = stops.indexOf(design.id('Text2', 0));
    const order = [...stops.slice(from), ...stops.slice(0, from)];
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

  if (phone && !short) await signKeys(driver, {num, choose, box, values, calculate: get(CALCULATE)});

  // The nine variants; Enter calculates in every other one.
  const rows = variantRows();
  check('nine variant rows read', 9, rows.length);
  const typed = short ? 1 : brief ? 3 : 9;
  for (const [n, r] of rows.slice(0, typed).entries()) {
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
    check(`${name}: the row and the report after ${how}`, [r.row.map(num), sphereReport(r)],
          [await values(rowBoxes(r.k)), await report()]);
    if (reveal) {
      const inView = () => driver.script(`const r = document.getElementById(arguments[0]).getBoundingClientRect();
          return r.top >= 0 && r.bottom <= innerHeight`, reportId);
      if (how === 'button') await waitFor('the report in view', inView, 3000).catch(() => {});
      check(`${name}: the report in view after ${how}, the focus kept`, [true, true],
            [await inView(), await driver.focused(how === 'Enter' ? box(r.boxes[1]) : get(CALCULATE))]);
    }
    await checkSolution(name, r.row.map(num), Number(r.row[1]) / (2 * Number(r.row[0])));
    if (r.k === 2) await sample();
  }
  // The options not typed into: each chosen, its row found by name and shown.
  if (brief) {
    for (const r of rows.slice(typed)) {
      await choose(r.k);
      check(`${optionName(r.k)}: only its row writable; the boxes shown; it alone chosen`, expectedRow(r.k),
            await rowState(r.k));
    }
  }

  if (!short) {
    await measured(`${layout}, after the ${brief ? 'options' : 'nine variants'}`);
    const lastReport = await report();
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
        const wide = width >= design.width;
        await driver.cdp('Emulation.setDeviceMetricsOverride',
                         {width, height, deviceScaleFactor: phone.pixelRatio, mobile: true});
        check(`turned to ${width} x ${height}: ${wide ? 'the designed window, all boxes' : 'the column, one row'} ` +
              'shown; texts, locks and the choice kept',
              [values, writable, chosen, names(wide ? allBoxes : rowBoxes(lastRow))], await state());
        if (!narrow) await measured(`turned to ${width} x ${height}`);  // a tablet: zoomed to fit again
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
  for (const e of errorCases.slice(0, short || brief ? 1 : errorCases.length)) {
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

  if (!short && !brief) {
    await lookUp([['the task field', [TASK], 'textbox'], ['its button', [SOLVE], 'button']],
                 '#task-text, #task-solve');
    for (const t of taskRows) {
      const name = `task "${t.lines.join('⏎')}", ${t.solve}`;
      await driver.script('arguments[0].value = ""', get(TASK));
      for (const [n, line] of t.lines.entries()) {
        if (n) await driver.press('Shift+Enter');
        await driver.type(get(TASK), line);
      }
      const typedText = await driver.script('return arguments[0].value', get(TASK));
      if (t.solve === 'Enter') await driver.press('Enter');
      else await driver.click(get(SOLVE));
      const [, , copied] = await solutionState();
      const fromTask = await values(rowBoxes(0));
      await choose(0);
      for (const [j, text] of t.row.slice(0, 2).entries()) await driver.type(box(j), text);
      await driver.click(get(CALCULATE));
      check(`${name}: its lines kept; the answer; "${optionName(0)}" as by hand`,
            [t.lines.join('\n'), `Отговор: ${num(t.answer)}.`, t.row.map(num), t.row.map(num)],
            [typedText, copied.split('\n').find(line => line.startsWith('Отговор:')), fromTask,
             await values(rowBoxes(0))]);
    }
  }

  if (!short) {
    const r = unitRow;
    const name = `${optionName(r.k)}: ${r.boxes.map((i, j) => `${columns[i % 5]} = ${num(r.texts[j])}`)
                                      .join(', ')}, "${r.place}"`;
    await choose(r.k);
    for (const [j, i] of r.boxes.entries()) await driver.type(box(i), num(r.texts[j]));
    await driver.click(get(CALCULATE));
    // WebKit names a select a pop-up button.
    await lookUp([['the place of the answer', [ROUNDING], 'combobox or button']], '#solution select');
    await driver.pick(get(ROUNDING), num(r.place));  // its sample in the page's separator
    const [, , copied] = await solutionState();
    check(`${name}: the givens in dm; the answer rounded, in units`, [r.shown.map(num), `Отговор: ${num(r.answer)}.`],
          [await values(r.boxes), copied.split('\n').find(line => line.startsWith('Отговор:'))]);
    if (phone) {
      check(`${name}: the place's select at least 44 pixels high`, true,
            await driver.script('return arguments[0].getBoundingClientRect().height >= 44', get(ROUNDING)));
    }
  }

  check('no error in the console', [], await driver.consoleErrors());
  check('nothing fetched from elsewhere', [], await driver.script(
      "return performance.getEntriesByType('resource').map(e => e.name)" +
      ".filter(name => !name.startsWith(location.origin + '/'))"));
}
