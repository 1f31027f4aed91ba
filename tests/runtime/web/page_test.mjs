#!/usr/bin/node
// SPDX-License-Identifier: GPL-3.0-or-later
// cylinder.html in a real browser, every control found by its accessible name
// as a screen reader finds it: the nine variants, the locks, Enter, each kind
// of error with its dialog, clearing, Tab and the arrow keys, a number fitted
// to its box; no console error, nothing fetched from elsewhere.
//   page_test.mjs [--engine chromium|firefox|webkit] [--phone [WxH] [--brief]] [--lang en-US|bg-BG]
//                 [--server WEBDRIVER] PAGE.html
//                   --phone: a touch screen, 390x844 unless given; narrower than
//                   the window a phone held upright, else a tablet
//                   --brief: the layout's own checks, the calculations in part
//                   (another run has them all)
//   page_test.mjs --offline [--lang en-US] SITE_DIR
//                   the site served as static hosts do, then a release of it, then
//                   used with no network and no server
//   page_test.mjs --picture OUT.png [--phone [WxH]|--whole] [--keys|--task|--pasted] [--lang en-US] PAGE.html
//                   only the README's sample calculation, saved as a picture:
//                   the window, a touch screen, or the whole page (800 wide, or
//                   the phone's width); --keys: "70π" typed with the π key,
//                   calculated for the whole page only; --task: a task typed into its
//                   field and solved instead; --pasted: the same task as a book prints it
// The scenario (scenario.mjs) talks to a small driver object; an engine
// (drivers.mjs) is a way to make one. --phone and --offline use Chromium's
// DevTools (device emulation, network). The design is read from the design
// file the build writes beside the page (runtime/web/design.json).
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {pathToFileURL} from 'node:url';

import {counts, readDesign, waitFor} from './checks.mjs';
import {engines} from './drivers.mjs';
import {offline, picture} from './offline.mjs';
import {scenario} from './scenario.mjs';

function parseArguments(argv) {
  const options = {engine: 'chromium', lang: 'en-US', server: null, picture: null, phone: false,
                   whole: false, keys: false, task: false, offline: false, brief: false, page: null};
  for (let i = 0; i < argv.length; ++i) {
    if (argv[i] === '--engine') options.engine = argv[++i];
    else if (argv[i] === '--lang') options.lang = argv[++i];
    else if (argv[i] === '--server') options.server = argv[++i];
    else if (argv[i] === '--picture') options.picture = argv[++i];
    else if (argv[i] === '--phone') options.phone = /^\d+x\d+$/.test(argv[i + 1]) ? argv[++i] : '390x844';
    else if (argv[i] === '--whole') options.whole = true;
    else if (argv[i] === '--keys') options.keys = true;
    else if (argv[i] === '--task') options.task = true;
    else if (argv[i] === '--pasted') options.task = 'pasted';
    else if (argv[i] === '--offline') options.offline = true;
    else if (argv[i] === '--brief') options.brief = true;
    else options.page = argv[i];
  }
  const devtools = options.phone || options.offline;
  if (!options.page || !engines[options.engine] || (devtools && options.engine !== 'chromium') ||
      (options.picture && options.engine !== 'chromium') || (options.brief && !options.phone)) {
    console.error('usage: page_test.mjs [--engine chromium|firefox|webkit] [--phone [WxH]] [--offline] ' +
                  '[--lang en-US|bg-BG] [--server WEBDRIVER] [--picture OUT.png [--whole] [--keys|--task|--pasted]] [--brief] ' +
                  'PAGE.html|SITE_DIR\n--phone, --offline and --picture: Chromium only; --brief: with --phone');
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
      ++counts.failed;
    }
    fs.rmSync(profile, {recursive: true, force: true});
  })();
  return closing;
};
for (const signal of ['SIGINT', 'SIGTERM'])
  process.on(signal, () => finish().finally(() => process.exit(1)));

const started = Date.now();
const what = [options.engine, options.phone && `phone ${options.phone}`, options.brief && 'brief',
              options.offline && 'offline', options.lang]
    .filter(Boolean).join(' ');
try {
  const design = readDesign(path.resolve(options.page));
  // A picture at one pixel per CSS pixel; a test at a phone's three, a tablet's two.
  const [width, height] = (options.phone || '0x0').split('x').map(Number);
  const phone = options.phone && {width, height, pixelRatio: options.picture ? 1 : width < design.width ? 3 : 2};
  driver = await engines[options.engine]({lang: options.lang, profile, server: options.server, phone});
  const load = async url => {
    await driver.open(url);
    await waitFor('data-ready', () => driver.script(
        "return document.documentElement.hasAttribute('data-ready')"));
    await driver.loaded();
  };
  if (options.offline) {
    await offline(driver, load, path.resolve(options.page), {design, separator});
  } else {
    await load(pathToFileURL(path.resolve(options.page)).href);
    if (options.picture) await picture(driver, {design, separator, phone, whole: options.whole, keys: options.keys,
                                                         task: options.task},
                                       options.picture);
    else await scenario(driver, {design, separator, phone, brief: options.brief,
                                 print: options.engine === 'chromium' && !phone});
  }
} catch (e) {
  ++counts.failed;
  console.log(`FAIL: ${e.stack || e}`);
} finally {
  await finish();
}
console.log(`${what}: ${((Date.now() - started) / 1000).toFixed(1)} s`);
console.log(`${counts.passed} passed, ${counts.failed} failed`);
process.exit(counts.failed ? 1 : 0);
