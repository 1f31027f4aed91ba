// SPDX-License-Identifier: GPL-3.0-or-later
// The browsers the page test drives, each behind one small driver object:
// Chromium through chromedriver and WebKit's MiniBrowser through
// WebKitWebDriver (selenium-webdriver), Firefox over WebDriver BiDi
// (puppeteer-core). Debian's browsers and drivers, each given by its path, so
// that neither library looks for or downloads one of its own.
import {Builder, By, Key} from 'selenium-webdriver';
import chrome from 'selenium-webdriver/chrome.js';
import remote from 'selenium-webdriver/remote/index.js';

const KEYS = {Enter: Key.ENTER, Escape: Key.ESCAPE, Tab: Key.TAB, Shift: Key.SHIFT, ArrowDown: Key.ARROW_DOWN};

// A selenium session as the scenario's driver; close() ends it and `stop`
// what started its server.
function seleniumDriver(session, {watch, consoleErrors, stop = () => {}}) {
  const script = (body, ...args) => session.executeScript(body, ...args);
  const find = selector => session.findElements(By.css(selector));
  return {
    open: url => session.get(url),
    loaded: () => (watch ? script(watch) : null),
    script,
    find,
    // The elements under `scope` a screen reader is told one of these names
    // of, with their roles: name -> [{element, role}].
    named: async (names, scope) => {
      const found = new Map(names.map(name => [name, []]));
      await Promise.all((await find(scope)).map(async element => {
        const matches = found.get(await element.getAccessibleName());
        matches?.push({element, role: await element.getAriaRole()});
      }));
      return found;
    },
    click: e => e.click(),
    type: (e, text) => e.sendKeys(text),
    // The select's option of this text chosen, as a user clicks it.
    pick: async (e, text) => {
      for (const option of await e.findElements(By.css('option')))
        if ((await option.getText()) === text) return option.click();
      throw new Error(`no option "${text}"`);
    },
    // Keys to whatever has the focus, as a user presses them ("Shift+Tab").
    press: chord => {
      const held = chord.split('+').map(key => KEYS[key]);
      const actions = session.actions();
      for (const key of held) actions.keyDown(key);
      for (const key of held.reverse()) actions.keyUp(key);
      return actions.perform();
    },
    typeFocused: text => session.actions().sendKeys(text).perform(),
    checked: e => e.getProperty('checked'),
    text: e => e.getText(),
    displayed: e => e.isDisplayed(),
    focused: e => script('return arguments[0] === document.activeElement', e),
    // The element, or without one the viewport.
    screenshot: async e => Buffer.from(await (e ?? session).takeScreenshot(), 'base64'),
    cdp: (name, params) => session.sendAndGetDevToolsCommand(name, params),
    consoleErrors: () => consoleErrors(session),
    close: async () => {
      try {
        await session.quit();
      } finally {
        await stop();
      }
    },
  };
}

export const engines = {
  chromium: async ({lang, profile, server, phone}) => {
    const options = new chrome.Options()
        .setChromeBinaryPath('/usr/bin/chromium')
        .addArguments('--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                      '--disable-background-networking', '--disable-component-update', '--disable-sync',
                      `--user-data-dir=${profile}`, `--accept-lang=${lang}`, '--window-size=800,600')
        .setUserPreferences({'intl.accept_languages': lang});
    options.set('goog:loggingPrefs', {browser: 'ALL'});
    // A touch screen (DevTools device emulation).
    if (phone) {
      options.setMobileEmulation({deviceMetrics: {width: phone.width, height: phone.height, touch: true,
                                                  pixelRatio: phone.pixelRatio}});
    }
    const session = await new Builder().disableEnvironmentOverrides().forBrowser('chrome')
        .setChromeOptions(options).setChromeService(new chrome.ServiceBuilder(server ?? '/usr/bin/chromedriver'))
        .build();
    return seleniumDriver(session, {
      consoleErrors: async s => (await s.manage().logs().get('browser'))
          .filter(entry => entry.level.name === 'SEVERE').map(entry => entry.message),
    });
  },

  // Firefox through puppeteer-core.
  firefox: async ({lang, profile}) => {
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
    const roles = ['textbox', 'radio', 'button', 'alertdialog', 'combobox'];
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
      pick: (e, text) => e.select(text),  // an option's value is its text
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
  },

  // Safari's engine. MiniBrowser has no headless mode (without a display the
  // session hangs); the page's language follows LANG, and with no en_US
  // locale here English is C, which WebKit reports as "C" (the page: '.').
  webkit: async ({lang, server}) => {
    if (!process.env.DISPLAY) throw new Error('WebKit needs an X display (see with-display.sh)');
    const service = new remote.DriverService.Builder(server ?? '/usr/bin/WebKitWebDriver').setLoopback(true)
        .setEnvironment({...process.env, LANG: lang === 'bg-BG' ? 'bg_BG.UTF-8' : 'C.UTF-8'}).build();
    let session;
    try {
      session = await new Builder().disableEnvironmentOverrides().usingServer(await service.start())
          .withCapabilities({
            browserName: 'MiniBrowser',
            'webkitgtk:browserOptions': {
              binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'],
            },
          }).build();
    } catch (e) {
      await service.kill();
      throw e;
    }
    return seleniumDriver(session, {
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
      consoleErrors: s => s.executeScript('return window.cylinderErrors'),
      stop: () => service.kill(),
    });
  },
};
