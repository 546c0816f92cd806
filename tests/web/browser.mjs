// Chromium driven by puppeteer-core, and the few moves the tests make
// with the game's page: open it, wait on its state, hold keys as a player
// does, answer its message boxes.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

// puppeteer-core lives in web/node_modules, not beside the tests.
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

// The machine may have no network: without these Chromium keeps dialling
// out for updates, sync and the like and fills its log with refusals.
const chromiumArgs = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
];

// Launches Chromium on a profile of its own, removed again by close().
export async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'varnholt-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: [...chromiumArgs, `--user-data-dir=${profile}`],
  });
  return {
    browser,
    // Kills by the id of the process we started: close() may hang on a
    // browser that has stopped answering.
    kill: () => browser.process()?.kill('SIGKILL'),
    close: async () => {
      await browser.close().catch(() => browser.process()?.kill('SIGKILL'));
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A promise that rejects after MS with WHAT in its message.
export function within(ms, what, promise) {
  let timer;
  const timeout = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${what}: no answer in ${ms} ms`)), ms);
  });
  return Promise.race([promise, timeout]).finally(() => clearTimeout(timer));
}

// Opens the game's page with QUERY (e.g. '?replay=/fixtures/demo.rec')
// in a new page of CONTEXT and waits until its main has started. The
// page's uncaught errors and failed requests are kept in page.log for the
// failure report (its console is left out: the synthesizer's library
// chatters there on every start). BEFORE, a function, runs in the page
// before any of its own scripts: a browser made to lack something.
export async function openGame(context, site, query = '', { before = null, started = true } = {}) {
  const page = await context.newPage();
  if (before) await page.evaluateOnNewDocument(before);
  page.log = [];
  page.on('pageerror', (error) => page.log.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => page.log.push(`request failed: ${request.url()}`));
  page.on('response', (response) => {
    // Chromium asks for a favicon of its own accord.
    if (response.status() >= 400 && !response.url().endsWith('/favicon.ico')) {
      page.log.push(`HTTP ${response.status()}: ${response.url()}`);
    }
  });
  await page.goto(site + query, { waitUntil: 'load', timeout: 30_000 });
  if (started) await gameStarted(page);
  return page;
}

// Waits until the page's game has started, after opening or reloading it.
export async function gameStarted(page) {
  // (A promise returned here would be waited for, so answer a plain boolean.)
  await page.waitForFunction(() => Boolean(window.varnholt && window.varnholt.ready), { timeout: 10_000 })
    .catch(() => { throw new Error('the page defined no window.varnholt in 10 s'); });
  await within(30_000, 'varnholt.ready', page.evaluate(() => window.varnholt.ready.then(() => true)));
}

// The few state variables a failure report shows.
const shown = ['frame', 'scene', 'difficulty', 'menuCursor', 'titleScroll', 'fadingOut', 'fadingIn', 'playerX', 'hp'];

export async function state(page) {
  return page.evaluate(() => window.varnholt.state());
}

// Waits until PREDICATE(state, ARG) holds in the page; PREDICATE runs in
// the page, so it may use only its parameters. On a timeout the error
// tells the condition and where the game stood.
export async function waitState(page, predicate, arg = null, timeout = 15_000) {
  const expression = `(() => { const s = window.varnholt.state();
    return s !== null && (${predicate})(s, ${JSON.stringify(arg)}); })()`;
  try {
    await page.waitForFunction(expression, { polling: 50, timeout });
  } catch (error) {
    const now = await state(page).catch(() => null);
    const where = now ? shown.map((k) => `${k}=${JSON.stringify(now[k])}`).join(' ') : 'no state';
    throw new Error(`waited ${timeout} ms for ${predicate}${arg === null ? '' : ` (${JSON.stringify(arg)})`}; ${where}`);
  }
}

// Holds KEY down until PREDICATE holds, as a player keeps a key down
// until the game has seen it, then lets it go.
export async function holdUntil(page, key, predicate, arg = null, timeout = 15_000) {
  await page.keyboard.down(key);
  try {
    await waitState(page, predicate, arg, timeout);
  } finally {
    await page.keyboard.up(key);
  }
}

// From a fresh page at the opening to play on DIFFICULTY: Enter cuts the
// opening short, Down moves the menu's cursor, C chooses. The native game
// takes about 25 frames from C to play and 70 more until the fade-in
// ends and the player can walk; waits for that end.
export async function startGame(page, difficulty) {
  await holdUntil(page, 'Enter', (s) => s.scene === 0 && s.titleScroll === 0);
  for (let step = 1; step <= difficulty; step++) {
    await holdUntil(page, 'ArrowDown', (s, want) => s.menuCursor === want, step);
    // The cursor moves once per press: the game must see the key let go.
    await waitState(page, (s) => s.menuKeyLock === 0);
  }
  await holdUntil(page, 'KeyC', (s) => s.fadingOut === 1);
  await waitState(page, (s) => s.scene === 1 && s.fadingOut === 0 && s.fadingIn === 0, null, 20_000);
}

// Waits until FN(ARG) is true in the page; on a timeout says WHAT it waited for.
export async function waitPage(page, what, fn, arg = null, timeout = 10_000) {
  try {
    await page.waitForFunction(fn, { polling: 50, timeout }, arg);
  } catch (error) {
    throw new Error(`waited ${timeout} ms for ${what}`);
  }
}

// Holds KEY until the message box opens; returns its caption, text and
// kind (the dialog's class: information or error).
export async function keyForBox(page, key) {
  await page.keyboard.down(key);
  try {
    await waitPage(page, `a message box after ${key}`, () => document.querySelector('#message-box').open);
  } finally {
    await page.keyboard.up(key);
  }
  return page.evaluate(() => ({
    caption: document.querySelector('#message-box-caption').textContent,
    text: document.querySelector('#message-box-text').textContent,
    kind: document.querySelector('#message-box').className,
  }));
}

// Answers the open message box with Enter (or ANSWER, a function that
// clicks) and waits for it to close. Its close event is what counts: a
// box the game opens straight after would hide a close seen by polling.
export async function answerBox(page, answer = () => page.keyboard.press('Enter')) {
  await page.evaluate(() => {
    const box = document.querySelector('#message-box');
    window.messageBoxClosedForTest = new Promise((resolve) => box.addEventListener('close', resolve, { once: true }));
  });
  await answer();
  await within(10_000, 'the message box to close after its answer',
    page.evaluate(() => window.messageBoxClosedForTest.then(() => true)));
}
