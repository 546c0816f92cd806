// The browser version against the native program, measured in one session:
// the busiest area's frame rate, the title's cost while its music plays,
// and what a player downloads and waits for. It checks nothing; it prints
// a table (and the same table as markdown at the end).
//
//   node bench/web/bench_web.mjs [--seconds S] [--runs R]
//
// scripts/bench-web builds what is missing and runs this.
import { spawnSync, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { start } from '../../web/serve.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..', '..');
const site = path.join(root, 'build-web', 'site');
const native = path.join(root, 'build', 'varnholt');
// puppeteer-core lives in web/node_modules, not beside this file.
const puppeteer = createRequire(path.join(root, 'web', 'package.json'))('puppeteer-core');

const options = { seconds: 120, runs: 5 };
for (let i = 2; i < process.argv.length; i += 2) {
  const name = process.argv[i].replace(/^--/, '');
  const value = Number(process.argv[i + 1]);
  if (!(name in options) || !(value > 0)) {
    console.error('usage: bench_web.mjs [--seconds S] [--runs R]');
    process.exit(2);
  }
  options[name] = value;
}
const progress = (text) => process.stderr.write(text + '\n');
// Page errors, warnings and other surprises for the end, each with how
// often it came: five page loads say the same thing five times.
const oddities = new Map();
const note = (text) => oddities.set(text, (oddities.get(text) ?? 0) + 1);

// ---- Helpers ---------------------------------------------------------------

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const fixed = (value, digits = 0) => value.toLocaleString('en-US', { minimumFractionDigits: digits, maximumFractionDigits: digits });

// The walk through the busiest area: a turn every 45 frames, left, up,
// right, down, dashing on every third one, long enough for any run here.
function walkScript() {
  const turns = ['Left', 'Up', 'Right', 'Down'];
  let text = '';
  for (let frame = 1, turn = 0; frame <= 40000; frame += 45, ++turn) {
    text += `${frame} ${turns[turn % 4]}${turn % 3 === 2 ? ' X' : ''}\n`;
  }
  return text;
}

// Area 11 with its eight chasing enemies; the first 63 frames are the fade
// into it, and the player cannot die, so every run plays the same frames.
const busiestArea = ['--set', 'areaId=11', '--set', 'fadingOut=1', '--set', 'scene=1',
  '--set', 'hp=1000000000', '--set', 'maxHp=1000000000'];
const fadeFrames = 63;
const measuredFrames = 3750;

// The CPU time (seconds) of process PID and all its descendants, from
// /proc. The children already reaped count through their parent's
// cutime and cstime; only those that ended unreaped are missed.
const ticksPerSecond = Number(execFileSync('getconf', ['CLK_TCK']).toString().trim()) || 100;
function treeCpuSeconds(pid) {
  const parents = new Map();
  const ticks = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    let stat;
    try {
      stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
    } catch {
      continue;  // ended while we looked
    }
    // The name in parentheses may hold spaces; the fields after it do not.
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    parents.set(Number(entry), Number(fields[1]));
    ticks.set(Number(entry), Number(fields[11]) + Number(fields[12]) + Number(fields[13]) + Number(fields[14]));
  }
  const inTree = (id) => {
    for (let at = id; at > 1; at = parents.get(at)) if (at === pid) return true;
    return false;
  };
  let total = 0;
  for (const [id, count] of ticks) if (inTree(id)) total += count;
  return total / ticksPerSecond;
}

// ---- The browser -------------------------------------------------------------

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'varnholt-bench-chromium-'));
const fixtures = fs.mkdtempSync(path.join(os.tmpdir(), 'varnholt-bench-'));
fs.writeFileSync(path.join(fixtures, 'walk.txt'), walkScript());
const server = await start({ root: site, mounts: { '/fixtures': fixtures } });
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  headless: true,
  // Waiting on a game that plays for minutes is one long call.
  protocolTimeout: (options.seconds * 3 + 300) * 1000,
  // No network here: without these Chromium keeps dialling out for updates.
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    `--user-data-dir=${profile}`],
});
const chromiumPid = browser.process().pid;
const cleanUp = async () => {
  await browser.close().catch(() => browser.process()?.kill('SIGKILL'));
  await server.close();
  fs.rmSync(profile, { recursive: true, force: true });
  fs.rmSync(fixtures, { recursive: true, force: true });
};

// Opens the page with QUERY, noting what it complains about under LABEL.
async function openPage(query, label) {
  const page = await browser.newPage();
  page.on('pageerror', (error) => note(`${label}: page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.location()?.url?.endsWith('/favicon.ico')) return;
    if (message.type() === 'error' || message.type() === 'warn') {
      note(`${label}: console ${message.type()}: ${message.text()}`);
    }
  });
  page.on('requestfailed', (request) => note(`${label}: request failed: ${request.url()}`));
  page.on('response', (response) => {
    // Chromium asks for a favicon of its own accord; the site has none.
    if (response.status() >= 400 && !response.url().endsWith('/favicon.ico')) {
      note(`${label}: HTTP ${response.status()} ${response.url()}`);
    }
  });
  await page.goto(server.url + query, { waitUntil: 'load', timeout: 60_000 });
  await page.waitForFunction(() => Boolean(window.varnholt), { timeout: 30_000 });
  return page;
}

// Runs the page's program to its end; its exit code, timing and state.
async function runPage(query, label) {
  const page = await openPage(query, label);
  try {
    const code = await page.evaluate(() => window.varnholt.exited);
    return await page.evaluate((exitCode) => ({
      code: exitCode, timing: { ...window.varnholt.timing }, state: window.varnholt.state(),
    }), code);
  } finally {
    await page.close();
  }
}

// ---- 1. The busiest area: native against the page ------------------------------------

function nativeSeconds(frames) {
  const began = process.hrtime.bigint();
  const run = spawnSync(native, ['--headless', '--frames', String(frames),
    '--input', path.join(fixtures, 'walk.txt'), ...busiestArea, '--data', path.join(root, 'build'),
    '--dump-state', path.join(fixtures, `native-${frames}.json`)], { stdio: ['ignore', 'ignore', 'pipe'] });
  const seconds = Number(process.hrtime.bigint() - began) / 1e9;
  if (run.status !== 0) note(`native --frames ${frames}: exit ${run.status} ${run.stderr}`);
  return seconds;
}

async function pageSeconds(frames) {
  const pairs = [];
  for (let i = 0; i < busiestArea.length; i += 2) pairs.push(`set=${encodeURIComponent(busiestArea[i + 1])}`);
  const query = `?headless&frames=${frames}&input=/fixtures/walk.txt&${pairs.join('&')}`;
  const run = await runPage(query, `busiest area, ${frames} frames`);
  if (run.code !== 0) note(`page --frames ${frames}: exit ${run.code}`);
  return { seconds: (run.timing.ended - run.timing.started) / 1000, state: run.state };
}

// The page should have played exactly the native game; a few telling
// variables say whether it did.
function sameEnd(pageState, frames) {
  const nativeState = JSON.parse(fs.readFileSync(path.join(fixtures, `native-${frames}.json`), 'utf8'));
  const differing = ['frame', 'areaId', 'playerX', 'playerY', 'hp', 'enemySlots']
    .filter((key) => JSON.stringify(nativeState[key]) !== JSON.stringify(pageState?.[key]));
  if (differing.length) note(`busiest area, ${frames} frames: the page ended unlike the native run in ${differing.join(', ')}`);
}

async function busiestAreaFps() {
  progress(`1. Busiest area: best of ${options.runs} runs of ${fadeFrames} and ${fadeFrames + measuredFrames} frames, native and in the page`);
  const best = {};
  for (const frames of [fadeFrames, fadeFrames + measuredFrames]) {
    const nativeRuns = [];
    const pageRuns = [];
    for (let run = 0; run < options.runs; ++run) {
      nativeRuns.push(nativeSeconds(frames));
      const result = await pageSeconds(frames);
      pageRuns.push(result.seconds);
      if (run === 0) sameEnd(result.state, frames);
    }
    best[frames] = { native: Math.min(...nativeRuns), page: Math.min(...pageRuns) };
    progress(`   ${frames} frames: native ${nativeRuns.map((s) => s.toFixed(3)).join(' ')} s; page ${pageRuns.map((s) => s.toFixed(3)).join(' ')} s`);
  }
  const long = best[fadeFrames + measuredFrames];
  const short = best[fadeFrames];
  const nativeFps = measuredFrames / (long.native - short.native);
  const pageFps = measuredFrames / (long.page - short.page);
  return {
    title: `1. Busiest area (area 11, eight enemies chasing): ${measuredFrames} frames after the fade, best of ${options.runs}`,
    columns: ['', 'native', 'page', 'page / native'],
    rows: [
      [`run of ${fadeFrames} frames (s)`, short.native.toFixed(3), short.page.toFixed(3), ''],
      [`run of ${fadeFrames + measuredFrames} frames (s)`, long.native.toFixed(3), long.page.toFixed(3), ''],
      ['frames per second', fixed(nativeFps), fixed(pageFps), `${(pageFps / nativeFps).toFixed(2)} (goal ≥ 0.50)`],
    ],
  };
}

// ---- 2. The title and its music for S seconds ---------------------------------------

function frameIntervals(statsText) {
  const lines = statsText.split('\n').filter((line) => line && !line.startsWith('#'));
  const frames = lines.map((line) => line.split(/\s+/).map(Number));
  const clock = [];
  const real = [];
  for (let i = 1; i < frames.length; ++i) {
    clock.push(frames[i][1] - frames[i - 1][1]);
    real.push((frames[i][2] - frames[i - 1][2]) / 1000);
  }
  const work = frames.map((f) => f[3]);
  const present = frames.map((f) => f[4]);
  const mean = (values) => values.reduce((a, b) => a + b, 0) / values.length;
  const sortedReal = [...real].sort((a, b) => a - b);
  const longest = real.indexOf(sortedReal[sortedReal.length - 1]);
  return {
    count: frames.length, clock, real, longestAfter: frames[longest]?.[0],
    p99: sortedReal[Math.min(sortedReal.length - 1, Math.ceil(sortedReal.length * 0.99) - 1)],
    work: mean(work), present: mean(present),
  };
}

async function titleWithMusic() {
  const frames = Math.round(options.seconds * 1000 / 16);
  progress(`2. The title and its music: ${frames} frames (about ${options.seconds} s) in a page with sound`);
  const page = await openPage(`?frame-stats=/out/stats.txt&frames=${frames}`, 'title');
  await page.evaluate(() => window.varnholt.ready);
  // Sound may start only after the player's first key.
  await page.keyboard.press('Shift');
  const metrics0 = await page.metrics();
  const cpu0 = treeCpuSeconds(chromiumPid);
  const wall0 = performance.now();
  const code = await page.evaluate(() => window.varnholt.exited);
  const wall = (performance.now() - wall0) / 1000;
  const cpu = treeCpuSeconds(chromiumPid) - cpu0;
  const metrics1 = await page.metrics();
  const mainThread = metrics1.TaskDuration - metrics0.TaskDuration;
  const result = await page.evaluate(() => ({
    stats: window.varnholt.readFile('/out/stats.txt'), audio: window.varnholt.audioLevels(),
  }));
  await page.close();
  if (code !== 0) note(`title: exit ${code}`);
  if (!result.audio.started) note('title: the sound never started after the key');
  if (!(result.audio.music > 0)) note('title: the music stayed silent');
  if (!result.stats) {
    note('title: no frame statistics were written');
    return null;
  }
  const stats = frameIntervals(result.stats);
  const below16 = stats.clock.filter((ms) => ms < 16).length;
  if (below16) note(`title: ${below16} frame intervals under 16 ms on the game clock`);
  const longest = Math.max(...stats.real);
  if (longest > 50) note(`title: a stall — ${longest.toFixed(1)} ms in real time after frame ${stats.longestAfter}`);
  const ms = (value) => value.toFixed(1);
  return {
    title: `2. The title with its music for ${fixed(wall, 1)} s in headless Chromium (${stats.count} frames)`,
    columns: ['', 'value'],
    rows: [
      ['page main thread CPU (TaskDuration / wall time)', `${(mainThread / wall * 100).toFixed(1)} % of a core`],
      ['whole Chromium CPU (all its processes, /proc utime+stime / wall time)', `${(cpu / wall * 100).toFixed(1)} % of a core`],
      ['sound started / music peak / effects peak', `${result.audio.started ? 'yes' : 'no'} / ${result.audio.music.toFixed(3)} / ${result.audio.effects.toFixed(3)}`],
      // A gap in the sound is a 128-frame step the audio thread found empty.
      ...(result.audio.path ? [['sound path / audio steps that found nothing to play', `${result.audio.path} / ${result.audio.late ?? '?'}`]] : []),
      ['interval on the game clock (ms): min / median / max', `${Math.min(...stats.clock)} / ${median(stats.clock)} / ${Math.max(...stats.clock)}`],
      ['intervals under 16 ms on the game clock', String(below16)],
      ['interval in real time (ms): min / median / 99th pct / max', `${ms(Math.min(...stats.real))} / ${ms(median(stats.real))} / ${ms(stats.p99)} / ${ms(longest)}`],
      ['intervals over 20 ms in real time', String(stats.real.filter((value) => value > 20).length)],
      ['frame work / presentation, mean (µs)', `${stats.work.toFixed(0)} / ${stats.present.toFixed(0)}`],
    ],
  };
}

// ---- 3. What a player downloads, and waits for --------------------------------------

async function siteAndStart() {
  progress(`3. The site's size, and the first picture of ${options.runs} page loads`);
  // Each kind of file the site holds; whatever else is there is counted as
  // "other", so the total is always the whole folder.
  const kinds = [
    ['program', ['varnholt.js', 'varnholt.wasm']],
    ['data', ['varnholt.data']],
    ['soundfont', ['TimGM6mb.sf2']],
    ['synthesizer', ['js-synthesizer.js', 'libfluidsynth.js']],
    ['page', ['index.html', 'page.js', 'sound-worklet.js', 'favicon.png']],
  ];
  const present = fs.readdirSync(site).sort();
  kinds.push(['other', present.filter((name) => !kinds.some(([, names]) => names.includes(name)))]);
  const groups = kinds
    .map(([kind, names]) => [kind, names.filter((name) => present.includes(name))])
    .filter(([, names]) => names.length)
    .map(([kind, names]) => [`${kind} (${names.join(' + ')})`,
      names.reduce((sum, name) => sum + fs.statSync(path.join(site, name)).size, 0)]);
  const total = groups.reduce((sum, [, bytes]) => sum + bytes, 0);

  const started = [];
  const firstPicture = [];
  for (let run = 0; run < options.runs; ++run) {
    const page = await openPage('', 'first picture');
    await page.waitForFunction(() => window.varnholt.timing.firstPicture !== null, { timeout: 60_000 });
    const timing = await page.evaluate(() => ({ ...window.varnholt.timing }));
    await page.close();
    started.push(timing.started);
    firstPicture.push(timing.firstPicture);
  }
  return {
    title: '3. The site, and opening it',
    columns: ['', 'value'],
    rows: [
      ...groups.map(([name, bytes]) => [name, `${fixed(bytes)} bytes`]),
      ['total', `${fixed(total)} bytes`],
      [`page opened → game's start (timing.started), median of ${options.runs}`, `${fixed(median(started))} ms`],
      [`page opened → first picture (timing.firstPicture), median of ${options.runs}`, `${fixed(median(firstPicture))} ms`],
    ],
  };
}

// ---- The table ---------------------------------------------------------------------

function plain(section) {
  const all = [section.columns, ...section.rows];
  const widths = section.columns.map((_, i) => Math.max(...all.map((row) => row[i].length)));
  const line = (row) => row.map((cell, i) => (i === 0 ? cell.padEnd(widths[i]) : cell.padStart(widths[i]))).join('  ');
  return [section.title, line(section.columns), widths.map((w) => '-'.repeat(w)).join('  '), ...section.rows.map(line)].join('\n');
}

function markdown(section) {
  const line = (row) => `| ${row.join(' | ')} |`;
  const rule = `|${section.columns.map((_, i) => (i === 0 ? '---' : '---:')).join('|')}|`;
  return [`### ${section.title}`, '', line(section.columns), rule, ...section.rows.map(line)].join('\n');
}

// Other work on the machine skews every figure here; say when there was some.
const loadAtStart = os.loadavg()[0];
if (loadAtStart >= 1) note(`other work was running: a load average of ${loadAtStart.toFixed(1)} at the start`);
let sections = [];
const chromiumVersion = await browser.version();
try {
  sections = [await busiestAreaFps(), await titleWithMusic(), await siteAndStart()].filter(Boolean);
} finally {
  await cleanUp();
}
const machine = `${os.cpus()[0]?.model ?? 'unknown CPU'}, ${os.cpus().length} cores; ${chromiumVersion}; node ${process.version}`;
const noted = oddities.size
  ? [...oddities].map(([text, count]) => (count > 1 ? `${text} (×${count})` : text))
  : ['nothing: no page errors, warnings or failed requests'];
console.log(`Varnholt in the browser against the native program (${machine})\n`);
console.log(sections.map(plain).join('\n\n'));
console.log(`\nNoticed:\n${noted.map((text) => `  ${text}`).join('\n')}`);
console.log('\n---- markdown ----\n');
console.log(`Machine: ${machine}\n`);
console.log(sections.map(markdown).join('\n\n'));
console.log(`\nNoticed:\n\n${noted.map((text) => `- ${text}`).join('\n')}`);
