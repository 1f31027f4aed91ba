// SPDX-License-Identifier: GPL-3.0-or-later
// The site served, kept by its worker, released again and used offline; and
// the README's pictures of the page. Both in Chromium, through its DevTools.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

import {CALCULATE, check, SIGN_KEYS, TASK, waitFor} from './checks.mjs';
import {scenario} from './scenario.mjs';

const [PI_KEY] = SIGN_KEYS;

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
export async function offline(driver, load, site, {design, separator}) {
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
  await scenario(driver, {design, separator, short: true});
}

// The README's sample calculation, no focus ring: the window alone, a
// phone's screen, or the whole page with the solution. With `keys` the
// task "H = 7, So = 70π" typed on a phone with its π key instead, and only
// calculated for the whole page. With `task` a task typed into its field, solved by Enter:
// the notebook's line, or with 'pasted' the same task as a book prints it.
const PASTED = 'Диаметърът на основата на прав кръгов цилиндър е 10 cm, а височината му е с 15 cm по-голяма ' +
               'от диаметъра. Намерете лицето на повърхнината на цилиндъра.';

export async function picture(driver, {design, separator, phone, whole, keys, task}, out) {
  const named = async list => new Map([...await driver.named(list, 'input, button, #task-text')]
      .map(([name, [found]]) => [name, found?.element]));
  if (task) {
    await driver.type((await named([TASK])).get(TASK), task === 'pasted' ? PASTED : 'd = 10 cm; h = d + 15 cm; S₁ = ?');
    await driver.press('Enter');
  } else {
    const sample = keys ? {k: 'Вариант 4', given: [['H', '7'], ['So', '70']]}
                        : {k: 'Вариант 3', given: [['H', '3'], ['Sp', '94.2477796076937']]};
    const first = await named([sample.k, CALCULATE]);
    await driver.click(first.get(sample.k));
    const row = await named(sample.given.map(([c]) => `${sample.k}, ${c}`));
    for (const [c, text] of sample.given) await driver.type(row.get(`${sample.k}, ${c}`), text.replace('.', separator));
    if (keys) {
      await driver.click((await named([PI_KEY])).get(PI_KEY));
      await waitFor('the key let go', () => driver.script("return !document.querySelector('#keys :active')"));
    }
    if (!keys || whole) await driver.click(first.get(CALCULATE));
  }
  await driver.script('document.activeElement.blur()');
  let size = phone ? [phone.width, phone.height] : [design.width, design.height];
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
