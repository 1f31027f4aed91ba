// SPDX-License-Identifier: GPL-3.0-or-later
// The page's layouts as measured: with a mouse the window at its designed
// size; on a tablet zoomed to fill the screen; on a phone held upright one
// column a finger can work, its first screen from the title to the answer.
import {CALCULATE, check, columns, optionName, rowBoxes, SIGN_KEYS, variantRows} from './checks.mjs';

// No sideways scrolling. A phone's screen: targets a finger can hit, text
// too large to zoom into. A tablet's: the window zoomed to fill it, all in
// view, centred. With a mouse: the window at its designed size.
export async function measure(driver, {design, layout, when}) {
  const boxHeight = design.control('Text2', 0).height;
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
    const ratio = Math.min(...heights) / boxHeight;
    console.log(`${when}: the boxes ${ratio.toFixed(3)} times their designed height`);
    check(`${when}: the window zoomed, its boxes at least 1.45 times their designed height; ` +
          'all of it in view, centred', [true, true, win.margins[0]],
          [ratio >= 1.45, win.inView, win.margins[1]]);
  } else {
    check(`${when}: the window ${design.width} x ${design.height} as designed, its boxes ${boxHeight} pixels high; ` +
          'no keys for signs', [design.width, design.height, [boxHeight], 0], [win.width, win.height,
          [...new Set(heights)], await driver.script("return document.getElementById('keys').getClientRects().length")]);
  }
}

// What the first screen of a phone holds with nothing scrolled: the
// controls from the title down to this one, in the column's order.
const firstScreens = {'360x640': 'Command1(0)', '390x844': 'Text1(0)'};
const columnOrder = ['Label1(0)', ...[...Array(9).keys()].map(k => `Option1(${k})`),
                     ...rowBoxes(0).map(i => `Text2(${i})`), 'Command1(0)', 'Command1(1)', 'Text1(0)'];

// A phone's first screen, nothing scrolled: from the title down, and the
// options with their numbers and given columns.
export async function firstScreen(driver, design, phone) {
  const size = `${phone.width}x${phone.height}`;
  if (!firstScreens[size]) return;
  const [bottoms, captions] = await driver.script(`
      return [arguments[0].map(id => {
                const r = document.getElementById(id).getBoundingClientRect();
                return [id, r.top >= 0 && r.bottom <= innerHeight, Math.round(r.bottom)];
              }),
              arguments[1].map(id => document.getElementById(id).innerText)]`,
      columnOrder.map(name => design.ids.get(name)), columnOrder.slice(1, 10).map(name => design.ids.get(name)));
  const upTo = columnOrder.indexOf(firstScreens[size]) + 1;
  const bottom = name => bottoms[columnOrder.indexOf(name)][2];
  console.log(`${size} first screen: "${CALCULATE}" ends at ${bottom('Command1(0)')}, ` +
              `the report at ${bottom('Text1(0)')}, of ${phone.height} pixels`);
  check(`${size}: the first screen holds ${columnOrder.slice(0, upTo).join(', ')}`, [],
        bottoms.slice(0, upTo).filter(([, inView]) => !inView).map(([id]) => id));
  const given = r => r.boxes.toSorted((a, b) => a - b).map(i => columns[i % 5]).join(', ');
  check(`${size}: each option shows its number and given columns`,
        variantRows().map(r => `${r.k + 1} · ${given(r)}`), captions);
}

// A row typed with a key for a sign the keypad lacks, and after "Изчисли" by hand in doubles,
// π = 3.14159265358979: So = 70π = 219.9114857512853, R = So / (2π · 7) = 5 exactly,
// Sp = 2π · 5 · 12 = 376.9911184307748 (120π), V = π · 5 · 5 · 7 = 549.7787143782132 (175π).
const keyRows = [{k: 3, typed: [['H', '7'], ['So', '70']], key: 'Пи', box: '70π',
                  row: ['5', '7', '219.911485751285', '376.991118430775', '549.778714378213']}];

// The keys: buttons found by name, out of the Tab chain, at least 44 pixels square; the sign
// written at the caret, the box keeping the focus (its keypad open), an input event; after
// "Изчисли" the row, and the answer's MathML as the program wrote it well-formed, shown as written.
export async function signKeys(driver, {num, choose, box, values, calculate}) {
  for (const r of keyRows) {
    const name = `${optionName(r.k)}: ${r.typed.map(([c, text]) => `${c} = ${text}`).join(', ')}, "${r.key}"`;
    await choose(r.k);
    const boxes = r.typed.map(([c]) => box(5 * r.k + columns.indexOf(c)));
    for (const [j, [, text]] of r.typed.entries()) await driver.type(boxes[j], num(text));
    const found = await driver.named(SIGN_KEYS, '#keys button');
    const keys = SIGN_KEYS.map(key => found.get(key).find(match => match.role === 'button')?.element ?? null);
    check(`${name}: the keys by name, out of the Tab chain, at least 44 x 44`, SIGN_KEYS.map(() => [-1, true]),
          await driver.script(`const [keys, box, lines] = arguments;
              window.signKeyEvents = [];
              box.addEventListener('focusout', () => signKeyEvents.push('focusout'));
              box.addEventListener('input', event => signKeyEvents.push(event.data));
              const inner = Object.getOwnPropertyDescriptor(Element.prototype, 'innerHTML');
              Object.defineProperty(lines, 'innerHTML', {configurable: true, get() { return inner.get.call(this); },
                                                         set(html) { window.markup = html; inner.set.call(this, html); }});
              return keys.map(key => key && [key.tabIndex, key.getBoundingClientRect().width >= 44 &&
                                                           key.getBoundingClientRect().height >= 44]);`,
              keys, boxes.at(-1), (await driver.find('#solution-lines'))[0]));
    await driver.click(keys[SIGN_KEYS.indexOf(r.key)]);
    check(`${name}: the box "${r.box}", the caret after the sign, the focus kept, an input event`,
          [r.box, r.box.length, true, [r.box.at(-1)]], await driver.script(`const box = arguments[0];
              return [box.value, box.selectionStart, box === document.activeElement, signKeyEvents];`, boxes.at(-1)));
    await driver.click(calculate);
    check(`${name}: the row after "${CALCULATE}"`, r.row.map(num), await values(rowBoxes(r.k)));
    check(`${name}: the answer's MathML well-formed, shown as written`, [0, true], await driver.script(`
        const answer = markup.split('</p>').find(line => line.includes('Отговор:')).replace(/^<p[^>]*>/, '');
        const xml = new DOMParser().parseFromString('<p>' + answer + '</p>', 'application/xml');
        const tags = root => [...root.querySelectorAll('math, math *')].map(e => e.localName).join(' ');
        const shown = [...document.querySelectorAll('#solution-lines p')].find(p => p.textContent.includes('Отговор:'));
        return [xml.getElementsByTagName('parsererror').length, tags(xml) !== '' && tags(xml) === tags(shown)];`));
  }
}
