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

// Typed on a touch screen: the digits, then a key for a sign its keypad
// lacks; what the box then holds, and the row after "Изчисли", worked out
// by hand in doubles with π = 3.14159265358979, each step rounded:
// So = 70π = 219.9114857512853; R = So / (2π · 7) = 219.9114857512853 /
// 43.98229715025706 = 5 exactly; Sp = 2π · 5 · (5 + 7) = 31.4159265358979 ·
// 12 = 376.9911184307748 (120π); V = π · 5 · 5 · 7 = 549.7787143782132 (175π);
// shown to 15 digits.
const keyRows = [
  {k: 3, typed: [['H', '7'], ['So', '70']], key: 'Пи', box: '70π',
   row: ['5', '7', '219.911485751285', '376.991118430775', '549.778714378213']},
];

// The keys π, √ and /: found by name, buttons out of the Tab chain, at least
// 44 pixels square. Each row: the sign written at the caret, the box never
// losing the focus (its on-screen keypad stays open), the page told by an
// input event; calculated, the answer's MathML as the program wrote it
// well-formed XML that the page shows as written.
export async function signKeys(driver, {num, choose, box, values, calculate}) {
  for (const r of keyRows) {
    const name = `${optionName(r.k)}: ${r.typed.map(([c, text]) => `${c} = ${num(text)}`).join(', ')}, ` +
                 `then "${r.key}"`;
    await choose(r.k);
    const boxes = r.typed.map(([c]) => box(5 * r.k + columns.indexOf(c)));
    for (const [j, [, text]] of r.typed.entries()) await driver.type(boxes[j], num(text));
    const into = boxes.at(-1);
    const found = await driver.named(SIGN_KEYS, '#keys button');
    check(`${name}: the keys for π, √ and / found by name, once each, role button`,
          SIGN_KEYS.map(() => ['button']), SIGN_KEYS.map(key => found.get(key).map(match => match.role)));
    const keys = new Map(SIGN_KEYS.map(key => [key, found.get(key)[0]?.element]));
    if ([...keys.values()].includes(undefined)) return;
    check(`${name}: the keys out of the Tab chain, at least 44 x 44 pixels`, SIGN_KEYS.map(() => [-1, true]),
          await driver.script(`return arguments[0].map(key => {
              const r = key.getBoundingClientRect();
              return [key.tabIndex, r.width >= 44 && r.height >= 44]; });`, [...keys.values()]));
    await driver.script(`const box = arguments[0];
        window.signKeyEvents = [];
        box.addEventListener('focusout', () => signKeyEvents.push('focusout'));
        box.addEventListener('input', event => signKeyEvents.push(event.data));`, into);
    await driver.click(keys.get(r.key));
    check(`${name}: the box holds "${r.box}", the caret after the sign, the focus kept, an input event`,
          [r.box, r.box.length, true, [r.box.at(-1)]],
          await driver.script(`const box = arguments[0];
              return [box.value, box.selectionStart, box === document.activeElement, signKeyEvents];`, into));
    // The solution's markup as the program hands it to the page.
    await driver.script(`const lines = document.getElementById('solution-lines');
        const inner = Object.getOwnPropertyDescriptor(Element.prototype, 'innerHTML');
        Object.defineProperty(lines, 'innerHTML', {
          configurable: true,
          get() { return inner.get.call(this); },
          set(html) { window.solutionMarkup = html; inner.set.call(this, html); },
        });`);
    await driver.click(calculate);
    check(`${name}: the row after "${CALCULATE}"`, r.row.map(num), await values(rowBoxes(r.k)));
    check(`${name}: the answer's MathML well-formed, shown as written`, [0, true, true],
          await driver.script(`const lines = document.getElementById('solution-lines');
              delete lines.innerHTML;
              const answer = solutionMarkup.split('</p>').find(line => line.includes('Отговор:'));
              const xml = new DOMParser().parseFromString('<p>' + answer.replace(/^<p[^>]*>/, '') + '</p>',
                                                          'application/xml');
              const tags = root => [...root.querySelectorAll('math, math *')].map(e => e.localName).join(' ');
              const shown = [...lines.children].find(p => p.textContent.includes('Отговор:'));
              return [xml.getElementsByTagName('parsererror').length, tags(xml) === tags(shown),
                      xml.getElementsByTagName('math').length > 0];`));
  }
}
