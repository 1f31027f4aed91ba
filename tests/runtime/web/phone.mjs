// SPDX-License-Identifier: GPL-3.0-or-later
// The page's layouts as measured: with a mouse the window at its designed
// size; on a tablet zoomed to fill the screen; on a phone held upright one
// column a finger can work, its first screen from the title to the answer.
import {CALCULATE, check, columns, rowBoxes, variantRows} from './checks.mjs';

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
    check(`${when}: the window ${design.width} x ${design.height} as designed, its boxes ${boxHeight} pixels high`,
          [design.width, design.height, [boxHeight]], [win.width, win.height, [...new Set(heights)]]);
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
