// The browser build, tested in Chromium against the native program:
//
//   node tests/web/browser_tests.mjs [--screenshot] [WORDS]
//
// from the repository's root, after scripts/build (the native reference)
// and scripts/build-web (the site). --screenshot also writes docs/web.png,
// a picture of the game in play for the README; WORDS runs only the tests
// whose names hold them. Prints "PASS name" or
// "FAIL name: why" per test and "N passed, M failed" at the end.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { start } from '../../web/serve.mjs';
import { makeReferences } from './native.mjs';
import {
  answerBox, gameStarted, holdUntil, keyForBox, launch, openGame, startGame, state, waitPage, waitState,
  within,
} from './browser.mjs';

const repo = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
const buildDir = path.resolve(repo, process.env.BUILD_DIR ?? 'build');
const siteDir = path.resolve(repo, process.env.SITE_DIR ?? 'build-web/site');
const wantScreenshot = process.argv.includes('--screenshot');
const only = process.argv.slice(2).filter((word) => !word.startsWith('--')).join(' ');

const overallMs = 5 * 60_000;
const perTestMs = 90_000;

// An equality whose failure tells both values on one line.
function same(got, want, what) {
  const [g, w] = [JSON.stringify(got), JSON.stringify(want)];
  assert.ok(g === w, `${what} is ${g}, expected ${w}`);
}

const tests = [];
const test = (name, body, ms = perTestMs) => tests.push({ name, body, ms });
let passed = 0;
let failed = 0;

// Set up in main(); shared by the tests.
let site;
let fixtures;
let references;
let chromium;

// Each test runs in a browser context of its own: its own storage, so a
// save made by one test is never found by another.
async function inContext(body) {
  const context = await chromium.browser.createBrowserContext();
  const pages = [];
  try {
    return await body(async (query, options) => {
      const page = await openGame(context, site, query, options);
      pages.push(page);
      return page;
    });
  } catch (error) {
    // What the pages and the program reported is often the real cause.
    error.details = [];
    for (const page of pages) {
      const stderr = await page.evaluate(() => window.varnholt?.stderr ?? []).catch(() => []);
      error.details.push(...page.log, ...stderr.map((line) => `stderr: ${line}`));
    }
    throw error;
  } finally {
    await context.close().catch(() => {});
  }
}

function get(url) {
  return new Promise((resolve, reject) => {
    http.get(url, (response) => {
      response.resume();
      resolve({ status: response.statusCode, type: response.headers['content-type'] });
    }).on('error', reject);
  });
}

test('the server gives each file its type and nothing outside its folders', async () => {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'varnholt-serve-'));
  try {
    fs.mkdirSync(path.join(root, 'site'));
    fs.mkdirSync(path.join(root, 'extra'));
    for (const name of ['index.html', 'a.js', 'a.wasm', 'a.data', 'a.sf2']) {
      fs.writeFileSync(path.join(root, 'site', name), 'x');
    }
    fs.writeFileSync(path.join(root, 'secret'), 'x');
    fs.writeFileSync(path.join(root, 'extra', 'demo.rec'), 'x');
    const server = await start({ root: path.join(root, 'site'), mounts: { '/fixtures': path.join(root, 'extra') } });
    try {
      const want = {
        '': 'text/html', 'index.html': 'text/html', 'a.js': 'text/javascript',
        'a.wasm': 'application/wasm', 'a.data': 'application/octet-stream',
        'a.sf2': 'application/octet-stream', 'fixtures/demo.rec': 'application/octet-stream',
      };
      for (const [name, type] of Object.entries(want)) {
        const got = await get(server.url + name);
        same(got.status, 200, `the status of /${name}`);
        same(got.type.split(';')[0], type, `the type of /${name}`);
      }
      for (const name of ['missing.js', '%2e%2e/secret', 'fixtures/%2e%2e/secret', 'fixtures/..%2fsecret']) {
        same((await get(server.url + name)).status, 404, `the status of /${name}`);
      }
    } finally {
      await server.close();
    }
  } finally {
    fs.rmSync(root, { recursive: true, force: true });
  }
});

test('replayed pictures equal the native ones', () => inContext(async (open) => {
  for (const { frame, file } of references.pictures) {
    const page = await open(`?replay=/fixtures/demo.rec&frames=${frame}`);
    const code = await within(60_000, `exit after ${frame} frames`,
      page.evaluate(() => window.varnholt.exited));
    same(code, 0, `the exit code after ${frame} frames`);
    const result = await page.evaluate(async (png) => {
      const image = new Image();
      image.src = png;
      await image.decode();
      const scratch = document.createElement('canvas');
      scratch.width = 640;
      scratch.height = 480;
      const context = scratch.getContext('2d');
      context.drawImage(image, 0, 0);
      const want = context.getImageData(0, 0, 640, 480).data;
      const screen = document.querySelector('#screen');
      if (screen.width !== 640 || screen.height !== 480) return { size: `${screen.width}x${screen.height}` };
      const got = screen.getContext('2d').getImageData(0, 0, 640, 480).data;
      let differing = 0;
      let first = null;
      for (let i = 0; i < want.length; i += 4) {
        const same = got[i] === want[i] && got[i + 1] === want[i + 1] &&
          got[i + 2] === want[i + 2] && got[i + 3] === want[i + 3];
        if (same) continue;
        differing += 1;
        if (!first) {
          first = { x: (i / 4) % 640, y: Math.floor(i / 4 / 640),
            got: Array.from(got.slice(i, i + 4)), want: Array.from(want.slice(i, i + 4)) };
        }
      }
      return { differing, first };
    }, `/fixtures/${file}`);
    assert.ok(!result.size, `the canvas is ${result.size}, not 640x480`);
    if (result.differing) {
      const { x, y, got, want } = result.first;
      assert.fail(`frame ${frame}: ${result.differing} pixels differ, the first at (${x},${y}): ` +
        `RGBA ${got} where the native picture has ${want}`);
    }
    await page.close();
  }
}), 180_000);

test('keys start a game on the chosen difficulty and walk the player', () => inContext(async (open) => {
  const page = await open();
  await startGame(page, 2);
  const before = await state(page);
  await holdUntil(page, 'ArrowRight', (s, x) => s.playerX >= x + 30, before.playerX);
  const after = await state(page);
  same(after.scene, 1, 'scene');
  same(after.difficulty, 2, 'difficulty');
  assert.ok(after.playerX > before.playerX, `playerX went from ${before.playerX} to ${after.playerX}`);
}));

// What a load gives back exactly; hit points and stamina come back halved.
const restored = ['maxHp', 'maxStamina', 'attack', 'level', 'exp', 'playing', 'difficulty'];

test('a save survives a reload', () => inContext(async (open) => {
  const page = await open();
  await startGame(page, 1);
  const box = await keyForBox(page, 'F7');
  assert.match(box.text, /ＳＡＶＥしました/, `the save box says "${box.text}"`);
  const saved = await state(page);
  await answerBox(page);

  // The same browser profile, a new page life: only what was stored survives.
  await page.reload({ waitUntil: 'load' });
  await gameStarted(page);
  await startGame(page, 0);
  const fresh = await state(page);
  same(fresh.difficulty, 0, 'the new game\'s difficulty');
  const load = await keyForBox(page, 'F8');
  assert.match(load.text, /ＬＯＡＤしました/, `the load box says "${load.text}"`);
  await answerBox(page);
  // The load takes effect as its box is answered; one that finds no saved
  // game says so in a second box instead.
  await waitPage(page, 'the loaded game\'s difficulty', (d) => document.querySelector('#message-box').open ||
    window.varnholt.state().difficulty === d, saved.difficulty);
  const second = await page.$eval('#message-box', (box) => box.open &&
    box.querySelector('#message-box-text').textContent);
  assert.ok(!second, `a second box after the load says "${second}"`);

  const loaded = await state(page);
  same(loaded.saveRecord, saved.saveRecord, 'the loaded record');
  for (const name of restored) same(loaded[name], saved[name], `${name} after the load`);
  same(loaded.hp, Math.floor(saved.hp / 2), 'hp after the load (halved)');
  same(loaded.stamina, Math.floor(saved.stamina / 2), 'stamina after the load (halved)');
}));

test('sound plays after the first key', () => inContext(async (open) => {
  const page = await open();
  await holdUntil(page, 'Enter', (s) => s.titleScroll === 0);
  await waitPage(page, 'audioLevels().started after Enter', () => window.varnholt.audioLevels().started);
  await waitPage(page, 'the title music to sound (audioLevels().music > 0)',
    () => window.varnholt.audioLevels().music > 0, null, 15_000);
  await waitPage(page, `${references.midi.length} MIDI messages`,
    (n) => window.varnholt.midiLog().length >= n, references.midi.length, 15_000);
  const log = (await page.evaluate(() => window.varnholt.midiLog())).slice(0, references.midi.length);
  const parse = (line) => {
    const [ms, ...bytes] = line.trim().split(/\s+/);
    return `${Number(ms).toFixed(3)} ${bytes.map((b) => b.toUpperCase()).join(' ')}`;
  };
  references.midi.forEach((want, i) => {
    const got = log[i] === undefined ? 'nothing' : `"${parse(log[i])}"`;
    assert.ok(got === `"${parse(want)}"`, `MIDI message ${i + 1} is ${got}, the native program's "${parse(want)}"`);
  });

  // The sword's swing is a sound effect of its own.
  await holdUntil(page, 'KeyC', (s) => s.fadingOut === 1);
  await waitState(page, (s) => s.scene === 1 && s.fadingIn === 0, null, 20_000);
  await holdUntil(page, 'KeyC', (s) => s.swordFrames > 0);
  await waitPage(page, 'the sword to sound (audioLevels().effects > 0)',
    () => window.varnholt.audioLevels().effects > 0);
}));

test('a message box is a dialog that Enter or a click answers', () => inContext(async (open) => {
  const page = await open();
  await startGame(page, 0);
  const box = await keyForBox(page, 'F7');
  assert.ok(box.caption.trim(), 'the box has a caption');
  assert.match(box.text, /ＳＡＶＥしました/, `the box says "${box.text}", not of the save`);
  same(box.kind, 'information', 'the save\'s box kind');
  const modal = await page.$eval('#message-box', (dialog) => dialog.matches(':modal'));
  assert.ok(modal, 'the box is modal');
  // As on the desktop, the game waits for the answer. Nothing to poll for
  // when nothing should happen: a third of a second is some 20 frames.
  const frame = (await state(page)).frame;
  await new Promise((resolve) => setTimeout(resolve, 300));
  same((await state(page)).frame, frame, 'the frame after a third of a second with the box open');
  await answerBox(page);
  await waitState(page, (s, f) => s.frame >= f + 30, frame);

  // A click on its button answers it as well.
  await keyForBox(page, 'F7');
  await answerBox(page, () => page.click('#message-box-ok'));
  const after = (await state(page)).frame;
  await waitState(page, (s, f) => s.frame >= f + 30, after);
}));

test('the page keeps the game\'s keys to itself', () => inContext(async (open) => {
  const page = await open();
  // Heard after the page's own listener: was the browser's reaction stopped?
  await page.evaluate(() => {
    window.keptForTest = {};
    window.addEventListener('keydown', (event) => { window.keptForTest[event.code] = event.defaultPrevented; });
  });
  const plain = ['ArrowDown', 'ArrowUp', 'Pause', 'KeyX', 'KeyC'];
  for (const key of plain) await page.keyboard.press(key);
  // F5 (a window size) and F1 (full screen) each ask in a box first.
  const boxed = ['F5', 'F1'];
  for (const key of boxed) {
    await keyForBox(page, key);
    await answerBox(page);
  }
  const keys = [...plain, ...boxed];
  const kept = await page.evaluate(() => window.keptForTest);
  for (const key of keys) same(kept[key], true, `the browser's own reaction to ${key} stopped`);
  same(await page.evaluate(() => performance.getEntriesByType('navigation').length), 1, 'page loads (F5 reloads)');
}));

test('the window sizes set the canvas\'s size on the page, and F1 the browser\'s full screen', () => inContext(async (open) => {
  const page = await open();
  const size = () => page.$eval('#screen', (canvas) => [canvas.clientWidth, canvas.clientHeight]);
  for (const [key, width, height] of [['F2', 160, 120], ['F4', 320, 240]]) {
    const box = await keyForBox(page, key);
    assert.match(box.text, new RegExp(`${width}×${height}`), `the box after ${key} says "${box.text}"`);
    await answerBox(page);
    await waitPage(page, `the canvas at ${width}x${height}`, (w) => document.querySelector('#screen').clientWidth === w, width);
    same(await size(), [width, height], `the canvas after ${key}`);
  }
  // F1 asks first, and the answer is the player's gesture the browser wants.
  const box = await keyForBox(page, 'F1');
  same(box.text, 'フルスクリーン', 'the box after F1');
  await answerBox(page);
  await waitPage(page, 'the browser\'s full screen', () => document.fullscreenElement?.id === 'stage');
  // Left by the browser's own means, it is the game's 640x480 window again.
  await page.evaluate(() => document.exitFullscreen());
  await waitPage(page, 'a message box', () => document.querySelector('#message-box').open);
  same(await page.$eval('#message-box-text', (t) => t.textContent), 'ウインドウ640×480', 'the box after leaving full screen');
  await answerBox(page);
  await waitPage(page, 'the canvas at 640x480', () => document.querySelector('#screen').clientWidth === 640);
  same((await state(page)).displayMode, 1, 'displayMode');
}));

test('a key tapped between two frames walks the player one step', () => inContext(async (open) => {
  const page = await open();
  await startGame(page, 0);
  const { playerX, frame } = await state(page);
  // Pressed and let go in one go: no frame runs in between.
  await page.evaluate(() => {
    window.dispatchEvent(new KeyboardEvent('keydown', { code: 'ArrowRight' }));
    window.dispatchEvent(new KeyboardEvent('keyup', { code: 'ArrowRight' }));
  });
  await waitState(page, (s, f) => s.frame >= f + 20, frame);
  same((await state(page)).playerX, playerX + 2, 'playerX 20 frames after the tap');
}));

// A gamepad in the browser's standard layout that the test plugs in, moves
// and pulls out: the page asks navigator.getGamepads() at every reading.
function fakeGamepad() {
  window.padForTest = { connected: true, axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false })) };
  window.padsForTest = [window.padForTest];
  navigator.getGamepads = () => window.padsForTest;
}

test('a gamepad walks the player, and may be pulled out and plugged in again', () => inContext(async (open) => {
  const page = await open('', { before: fakeGamepad });
  await startGame(page, 0);
  same((await state(page)).joystickPresent, 1, 'joystickPresent');
  const push = (x) => page.evaluate((to) => { window.padForTest.axes[0] = to; }, x);
  let x = (await state(page)).playerX;
  await push(1);
  await waitState(page, (s, from) => s.playerX >= from + 30 && s.joyX === 65535, x);

  // Pulled out: the reading falls back to the centre and the player stops.
  await page.evaluate(() => { window.padsForTest = []; });
  await waitState(page, (s) => s.joyX === 32767);
  x = (await state(page)).playerX;
  const frame = (await state(page)).frame;
  await waitState(page, (s, f) => s.frame >= f + 20, frame);
  same((await state(page)).playerX, x, 'playerX 20 frames after the pad was pulled out');

  // Plugged in again, pushed the other way.
  await push(-1);
  await page.evaluate(() => { window.padsForTest = [window.padForTest]; });
  await waitState(page, (s, from) => s.playerX < from && s.joyX === 0, x);

  // The d-pad (button 15, right) walks half-way; with a shoulder button
  // (5, R1) it reaches the end and dashes.
  await page.evaluate(() => { window.padForTest.axes[0] = 0; window.padForTest.buttons[15].pressed = true; });
  await waitState(page, (s) => s.joyX === 49152);
  x = (await state(page)).playerX;
  await waitState(page, (s, from) => s.playerX >= from + 10 && s.joyX === 49152, x);
  await page.evaluate(() => { window.padForTest.buttons[5].pressed = true; });
  await waitState(page, (s) => s.joyX === 65535);
}));

test('a browser that refuses storage: a save fails with the game\'s own words', () => inContext(async (open) => {
  const page = await open('', { before: () => Object.defineProperty(window, 'indexedDB', { get: () => undefined }) });
  assert.match(await page.$eval('#notice', (n) => n.textContent), /saving will fail/, 'the page\'s notice');
  await startGame(page, 0);
  const first = await keyForBox(page, 'F7');
  same(first.text, 'ファイルを開けません', 'the first box after F7');
  await answerBox(page);
  await waitPage(page, 'the second box', () => document.querySelector('#message-box').open);
  same(await page.$eval('#message-box-text', (t) => t.textContent), 'ＳＡＶＥできません', 'the second box');
  await answerBox(page);
  const frame = (await state(page)).frame;
  await waitState(page, (s, f) => s.frame >= f + 30, frame);
}));

test('a browser without Web Audio plays silently and says so', () => inContext(async (open) => {
  const page = await open('', { before: () => { delete window.AudioContext; delete window.webkitAudioContext; } });
  assert.match(await page.$eval('#notice', (n) => n.textContent), /no Web Audio/, 'the page\'s notice');
  await startGame(page, 0);
  same((await page.evaluate(() => window.varnholt.audioLevels())).started, false, 'sound started');
}));

test('a browser without WebAssembly, or without its vector instructions, is told so', () => inContext(async (open) => {
  const page = await open('', { before: () => { delete window.WebAssembly; }, started: false });
  assert.match(await page.$eval('#notice', (n) => n.textContent), /cannot run WebAssembly/, 'the page\'s notice');
  const old = await open('', { before: () => { WebAssembly.validate = () => false; }, started: false });
  assert.match(await old.$eval('#notice', (n) => n.textContent), /too old/, 'the page\'s notice');
}));

test('missing data gives the game\'s own message box, then the game ends', () => inContext(async (open) => {
  const page = await open('?data=/nowhere', { started: false });
  await waitPage(page, 'a message box', () => document.querySelector('#message-box')?.open, null, 20_000);
  same(await page.$eval('#message-box-text', (t) => t.textContent), 'エラー　010', 'the box\'s text');
  same(await page.$eval('#message-box-caption', (t) => t.textContent), 'DirectDrawFailed', 'the box\'s caption');
  same(await page.$eval('#message-box', (b) => b.className), 'error', 'the box\'s kind');
  await answerBox(page);
  same(await within(10_000, 'the program\'s end', page.evaluate(() => window.varnholt.exited)), 0, 'the exit code');
}));

test('a bad option or a damaged recording: one line on stderr and exit code 2', () => inContext(async (open) => {
  fs.writeFileSync(path.join(fixtures, 'damaged.rec'), 'varnholt-recording 1\n0 option --frames 10\n1 clock x\n');
  const cases = [
    ['?frames=abc', "varnholt: --frames must be a whole number, not 'abc'"],
    ['?replay=/fixtures/damaged.rec', "varnholt: recording '/inputs/damaged.rec', line 3: bad clock reading 'x'"],
  ];
  for (const [query, line] of cases) {
    const page = await open(query, { started: false });
    same(await within(20_000, `the end of ${query}`, page.evaluate(() => window.varnholt.exited)), 2, `the exit code of ${query}`);
    same(await page.evaluate(() => window.varnholt.stderr), [line], `stderr of ${query}`);
    await page.close();
  }
}));

test('a hidden page runs no frames, and catches none up when shown', () => inContext(async (open) => {
  const page = await open();
  const hide = (hidden) => page.evaluate((h) => {
    Object.defineProperty(document, 'hidden', { value: h, configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
  await waitState(page, (s) => s.frame >= 30);
  await hide(true);
  await waitState(page, (s) => s.appActive === 0);
  const stopped = (await state(page)).frame;
  await new Promise((resolve) => setTimeout(resolve, 1000));
  same((await state(page)).frame, stopped, 'the frame after a second hidden');
  await hide(false);
  await waitState(page, (s) => s.appActive === 1);
  // A second of frames owed would come as some 60 at once; at 16 ms each,
  // half a second holds 32 at the most.
  const shown = (await state(page)).frame;
  await new Promise((resolve) => setTimeout(resolve, 500));
  const ran = (await state(page)).frame - shown;
  assert.ok(ran > 0 && ran <= 32, `${ran} frames in the half second after the page was shown again`);
}));

if (wantScreenshot) {
  test('a picture of the game in play for the README (docs/web.png)', () => inContext(async (open) => {
    const page = await open();
    await startGame(page, 1);
    const x = (await state(page)).playerX;
    await holdUntil(page, 'ArrowRight', (s, from) => s.playerX >= from + 60, x);
    // The whole page, as a player sees it in the browser.
    await page.screenshot({ path: path.join(repo, 'docs', 'web.png') });
  }));
}

async function main() {
  if (only) tests.splice(0, tests.length, ...tests.filter((t) => t.name.includes(only)));
  // A hang anywhere must not hold up CI: report it and stop.
  let current = 'setting up';
  const watchdog = setTimeout(() => {
    console.log(`FAIL ${current}: still running after ${overallMs / 1000} s`);
    chromium?.kill();
    console.log(`${passed} passed, ${tests.length - passed} failed`);
    process.exit(1);
  }, overallMs);

  fixtures = fs.mkdtempSync(path.join(os.tmpdir(), 'varnholt-fixtures-'));
  let server;
  try {
    if (!fs.existsSync(path.join(siteDir, 'index.html'))) {
      throw new Error(`no site in ${siteDir}; build it with scripts/build-web`);
    }
    references = makeReferences({ repo, buildDir, dir: fixtures });
    server = await start({ root: siteDir, mounts: { '/fixtures': fixtures } });
    site = server.url;
    chromium = await launch();
    for (const { name, body, ms } of tests) {
      current = name;
      try {
        await within(ms, 'the test', body());
        passed += 1;
        console.log(`PASS ${name}`);
      } catch (error) {
        failed += 1;
        // One line per test; what the page said follows, indented.
        const [why, ...more] = error.message.split('\n');
        console.log(`FAIL ${name}: ${why}`);
        for (const line of [...more, ...(error.details ?? []).slice(-10)]) console.log(`    ${line}`);
      }
    }
  } catch (error) {
    console.log(`FAIL ${current}: ${error.message}`);
    failed = tests.length - passed;
  } finally {
    clearTimeout(watchdog);
    await chromium?.close();
    await server?.close();
    fs.rmSync(fixtures, { recursive: true, force: true });
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}

await main();
